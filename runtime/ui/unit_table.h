// A window's identifier-indexed unit table: the window's own record first,
// then its units and menu items in table order.
//
// The stored form (parse/pack) is the packed block form: m identifiers, m
// offsets counted from the end of the offset list, m length-prefixed bodies.
// In memory each record body is kept exactly as stored, so the field walkers
// of unit_record.h read it directly and a record can grow when its type data
// is replaced.
//
// Pointer-wide run-time values do not fit the 32-bit words of a body on x64,
// so they live beside each record instead of inside it:
//  - bound routines: one address per event binding in body order (one for a
//    menu item), 0 = no routine; the routine words in the body keep their
//    offsets;
//  - the object slot (the live unit object) and the pointer slot (the loaded
//    mouse-pointer handle); the 32-bit slot words in the body stay 0.
// Copying a table copies all of this: a copy is the pristine copy.
//
// Units are found by identifier through an index kept in step with every
// addition and removal, so a lookup does not grow with the table; a field
// write changes the record in place, so it costs no more than that record.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/ui/byte_reader.h"
#include "runtime/ui/unit_record.h"

namespace tessaly::ui {

class UnitTable {
public:
    // None when the blob does not hold exactly `count` well-formed records
    // (count 0 included: the window's own record is always there).
    static std::optional<UnitTable> parse(ByteView blob, uint32_t count);
    Bytes pack() const;

    size_t size() const { return entries_.size(); }
    uint32_t idAt(size_t index) const { return entries_[index].id; }
    ByteView bodyAt(size_t index) const { return entries_[index].body; }
    bool isMenuItem(size_t index) const { return isMenuItemIdentifier(entries_[index].id); }
    // Position of a unit; id 0 names the window's own record. Where an
    // identifier stands twice, the first entry answers.
    std::optional<size_t> indexOf(uint32_t unitId) const;

    // Walked fields of a record; the table only holds well-formed bodies.
    UnitFields unitFields(size_t index) const { return *walkUnitRecord(bodyAt(index)); }
    MenuItemFields menuItemFields(size_t index) const { return *walkMenuItemRecord(bodyAt(index)); }
    uint32_t typeIdAt(size_t index) const { return loadU32(entries_[index].body.data()); }

    // Turns every routine word into an address: NoRoutineWord -> 0, v -> codeBase + v.
    // Records added later are bound with the same base.
    void bindRoutines(uintptr_t codeBase);
    bool isBound() const { return bound_; }
    // The bound address of binding `binding` of a unit record, or of a menu item's routine (binding 0).
    // 0 before binding and for a binding position the record does not have.
    uintptr_t routineAt(size_t index, size_t binding = 0) const
    {
        const auto& routines = entries_[index].routines;
        return binding < routines.size() ? routines[binding] : 0;
    }

    uintptr_t objectSlot(size_t index) const { return entries_[index].object; }
    void setObjectSlot(size_t index, uintptr_t object) { entries_[index].object = object; }
    uintptr_t pointerSlot(size_t index) const { return entries_[index].pointer; }
    void setPointerSlot(size_t index, uintptr_t pointer) { entries_[index].pointer = pointer; }

    // Replaces the type data at the end of a unit record; the record may grow or shrink.
    void replaceTypeData(size_t index, ByteView typeData);
    // One field of a unit record, written in place; the other fields, the
    // run-time slots and the bound routines stay as they are.
    void setPosition(size_t index, const UnitPosition& position);
    void setFlags(size_t index, uint32_t flags);
    void setTag(size_t index, std::string_view tag);  // ends at a 0 byte
    void setMousePointer(size_t index, ByteView pointer);
    void setChildren(size_t index, std::span<const uint32_t> children);
    // The same for a menu item record.
    void setMenuState(size_t index, uint32_t state);
    void setMenuCaption(size_t index, std::string_view caption);  // ends at a 0 byte

    // Removes a record (a destroyed unit); the window's own record stays.
    // The records behind it move up one place.
    void removeRecord(size_t index);
    // Appends a record (a copied unit); false, and nothing added, when the body is malformed
    // or the identifier is already in the table.
    bool addRecord(uint32_t unitId, ByteView body);

private:
    struct Entry {
        uint32_t id = 0;
        Bytes body;
        std::vector<uintptr_t> routines;
        uintptr_t object = 0;
        uintptr_t pointer = 0;
    };

    static bool wellFormed(uint32_t id, ByteView body);
    void bindEntry(Entry& entry) const;
    void append(Entry entry);
    // Replaces `length` bytes at `at` of a record body.
    void splice(size_t index, size_t at, size_t length, ByteView replacement);

    std::vector<Entry> entries_;
    std::unordered_map<uint32_t, size_t> positions_;  // identifier -> first entry
    uintptr_t codeBase_ = 0;
    bool bound_ = false;
};

}  // namespace tessaly::ui
