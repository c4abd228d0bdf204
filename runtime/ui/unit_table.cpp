#include "runtime/ui/unit_table.h"

#include <algorithm>

#include "runtime/ui/byte_writer.h"

namespace tessaly::ui {
namespace {

constexpr size_t IndexEntrySize = 8;  // identifier and offset

uintptr_t bindWord(uint32_t word, uintptr_t codeBase)
{
    return word == NoRoutineWord ? 0 : codeBase + word;
}

// The bytes a zero-terminated field can hold: up to the first 0 byte.
ByteView untilZero(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

bool UnitTable::wellFormed(uint32_t id, ByteView body)
{
    if (isMenuItemIdentifier(id)) return walkMenuItemRecord(body).has_value();
    return walkUnitRecord(body).has_value();
}

std::optional<UnitTable> UnitTable::parse(ByteView blob, uint32_t count)
{
    if (count == 0 || count > blob.size() / IndexEntrySize) return std::nullopt;
    const size_t recordsAt = size_t{count} * IndexEntrySize;
    const ByteView records = blob.subspan(recordsAt);
    UnitTable table;
    table.entries_.reserve(count);
    table.positions_.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t id = loadU32(blob.data() + 4 * i);
        const uint32_t offset = loadU32(blob.data() + 4 * (count + i));
        if (offset > records.size()) return std::nullopt;
        ByteReader in(records.subspan(offset));
        const ByteView body = in.counted();
        if (!in.ok() || !wellFormed(id, body)) return std::nullopt;
        table.append({id, Bytes(body.begin(), body.end()), {}, 0, 0});
    }
    return table;
}

Bytes UnitTable::pack() const
{
    ByteWriter out;
    for (const Entry& e : entries_) out.u32(e.id);
    uint32_t offset = 0;
    for (const Entry& e : entries_) {
        out.u32(offset);
        offset += static_cast<uint32_t>(4 + e.body.size());
    }
    for (const Entry& e : entries_) out.counted(ByteView(e.body));
    return out.take();
}

std::optional<size_t> UnitTable::indexOf(uint32_t unitId) const
{
    if (unitId == 0) return entries_.empty() ? std::nullopt : std::optional<size_t>(0);
    const auto found = positions_.find(unitId);
    if (found == positions_.end()) return std::nullopt;
    return found->second;
}

void UnitTable::append(Entry entry)
{
    positions_.try_emplace(entry.id, entries_.size());
    entries_.push_back(std::move(entry));
}

void UnitTable::bindEntry(Entry& entry) const
{
    entry.routines.clear();
    if (isMenuItemIdentifier(entry.id)) {
        entry.routines.push_back(bindWord(walkMenuItemRecord(entry.body)->routine, codeBase_));
        return;
    }
    const UnitFields fields = *walkUnitRecord(entry.body);
    for (size_t i = 0; i < fields.bindingCount; ++i) {
        entry.routines.push_back(bindWord(bindingAt(entry.body, fields, i).routine, codeBase_));
    }
}

void UnitTable::bindRoutines(uintptr_t codeBase)
{
    codeBase_ = codeBase;
    bound_ = true;
    for (Entry& e : entries_) bindEntry(e);
}

void UnitTable::replaceTypeData(size_t index, ByteView typeData)
{
    Bytes& body = entries_[index].body;
    const size_t at = walkUnitRecord(body)->typeDataAt;
    body.resize(at);
    body.insert(body.end(), typeData.begin(), typeData.end());
}

void UnitTable::splice(size_t index, size_t at, size_t length, ByteView replacement)
{
    Bytes& body = entries_[index].body;
    const auto from = body.begin() + static_cast<std::ptrdiff_t>(at);
    if (replacement.size() == length) {
        std::copy(replacement.begin(), replacement.end(), from);
        return;
    }
    body.erase(from, from + static_cast<std::ptrdiff_t>(length));
    body.insert(body.begin() + static_cast<std::ptrdiff_t>(at), replacement.begin(), replacement.end());
}

void UnitTable::setPosition(size_t index, const UnitPosition& position)
{
    uint8_t* at = entries_[index].body.data() + unitFields(index).positionAt;
    for (const int32_t v : {position.left, position.top, position.width, position.height}) {
        storeU32(at, static_cast<uint32_t>(v));
        at += 4;
    }
}

void UnitTable::setFlags(size_t index, uint32_t flags)
{
    storeU32(entries_[index].body.data() + unitFields(index).flagsAt, flags);
}

void UnitTable::setTag(size_t index, std::string_view tag)
{
    const UnitFields f = unitFields(index);
    splice(index, f.tagAt, f.tag.size(), untilZero(tag));
}

void UnitTable::setMousePointer(size_t index, ByteView pointer)
{
    const UnitFields f = unitFields(index);
    ByteWriter counted;
    counted.counted(pointer);
    splice(index, f.mousePointerAt, 4 + f.mousePointer.size(), counted.bytes());
}

void UnitTable::setChildren(size_t index, std::span<const uint32_t> children)
{
    const UnitFields f = unitFields(index);
    ByteWriter list;
    list.u32(static_cast<uint32_t>(children.size()));
    for (const uint32_t child : children) list.u32(child);
    splice(index, f.childrenAt, 4 + f.children.size(), list.bytes());
}

void UnitTable::setMenuState(size_t index, uint32_t state)
{
    storeU32(entries_[index].body.data() + menuItemFields(index).stateAt, state);
}

void UnitTable::setMenuCaption(size_t index, std::string_view caption)
{
    const MenuItemFields f = menuItemFields(index);
    splice(index, f.captionAt, f.caption.size(), untilZero(caption));
}

void UnitTable::removeRecord(size_t index)
{
    if (index == 0 || index >= entries_.size()) return;
    const uint32_t removed = entries_[index].id;
    if (const auto first = positions_.find(removed); first->second == index) positions_.erase(first);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    // The entries behind move up one place: an identifier whose first entry
    // moved follows it, and one that stood twice falls to its next entry.
    for (size_t i = index; i < entries_.size(); ++i) {
        const auto [position, added] = positions_.try_emplace(entries_[i].id, i);
        if (!added && position->second == i + 1) position->second = i;
    }
}

bool UnitTable::addRecord(uint32_t unitId, ByteView body)
{
    if (unitId == 0 || positions_.contains(unitId) || !wellFormed(unitId, body)) return false;
    Entry entry{unitId, Bytes(body.begin(), body.end()), {}, 0, 0};
    if (bound_) bindEntry(entry);
    append(std::move(entry));
    return true;
}

}  // namespace tessaly::ui
