// The two record bodies of a unit table: the unit record (every type but the
// menu item) and the menu item record. Each has an owning form that writers
// fill and encode, and a walker that steps over a stored body once and
// answers where its fields lie; bodies keep no offsets of their own.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ui/byte_reader.h"
#include "runtime/ui/identifiers.h"

namespace tessaly::ui {

namespace UnitFlag {
inline constexpr uint32_t Visible = 1;
inline constexpr uint32_t Disabled = 2;
inline constexpr uint32_t TabStop = 4;
// On a window's own record: its menu items are owner-drawn.
inline constexpr uint32_t OwnerDrawMenu = 8;
}  // namespace UnitFlag

namespace MenuState {
inline constexpr uint32_t Hidden = 1;
inline constexpr uint32_t Disabled = 2;
inline constexpr uint32_t Checked = 4;
}  // namespace MenuState

struct UnitPosition {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct EventBinding {
    int32_t event = 0;
    uint32_t routine = NoRoutineWord;
};

struct UnitRecord {
    uint32_t typeId = 0;
    uint32_t eventSource = 0;
    std::array<uint32_t, 4> reserved{};
    std::string name;
    std::string secondName;
    uint32_t objectSlot = 0;
    UnitPosition position;
    uint32_t pointerSlot = 0;
    uint32_t container = 0;
    std::vector<uint32_t> children;
    Bytes mousePointer;  // empty: the default pointer
    std::string tag;
    uint32_t reservedWord = 0;
    uint32_t flags = 0;
    uint32_t focusOrder = 0;
    std::vector<EventBinding> bindings;
    std::array<uint32_t, 5> reservedTail{};
    Bytes typeData;
};

struct MenuItemRecord {
    uint32_t typeId = TypeId::MenuItem;
    uint32_t eventSource = 0;
    std::array<uint32_t, 4> reserved{};
    std::string name;
    std::string secondName;
    uint32_t shortcut = 0;
    uint32_t level = 0;
    uint32_t state = 0;
    std::string caption;  // "-" is a separator
    uint32_t routine = NoRoutineWord;
    std::array<uint8_t, 16> reservedTail{};
};

Bytes encodeUnitRecord(const UnitRecord& record);
Bytes encodeMenuItemRecord(const MenuItemRecord& record);

// Where the fields of a stored unit record body lie. Views point into the body.
struct UnitFields {
    uint32_t typeId = 0;
    uint32_t eventSource = 0;
    std::string_view name;
    std::string_view secondName;
    size_t objectSlotAt = 0;
    size_t positionAt = 0;
    UnitPosition position;
    size_t pointerSlotAt = 0;
    uint32_t container = 0;
    size_t childrenAt = 0;  // the count word
    ByteView children;      // count words
    size_t mousePointerAt = 0;  // the length word
    ByteView mousePointer;
    size_t tagAt = 0;
    std::string_view tag;
    size_t flagsAt = 0;
    uint32_t flags = 0;
    uint32_t focusOrder = 0;
    size_t bindingsAt = 0;  // first pair, after the count word
    uint32_t bindingCount = 0;
    size_t typeDataAt = 0;
    ByteView typeData;

    uint32_t child(size_t i) const { return loadU32(children.data() + 4 * i); }
    size_t childCount() const { return children.size() / 4; }
    std::vector<uint32_t> childIds() const;
};

struct MenuItemFields {
    uint32_t typeId = 0;
    uint32_t eventSource = 0;
    std::string_view name;
    std::string_view secondName;
    uint32_t shortcut = 0;
    uint32_t level = 0;
    size_t stateAt = 0;
    uint32_t state = 0;
    size_t captionAt = 0;
    std::string_view caption;
    size_t routineAt = 0;
    uint32_t routine = NoRoutineWord;

    bool isSeparator() const { return caption == "-"; }
};

// None when the body ends before its fields do.
std::optional<UnitFields> walkUnitRecord(ByteView body);
std::optional<MenuItemFields> walkMenuItemRecord(ByteView body);

// The binding at position i of a walked body.
EventBinding bindingAt(ByteView body, const UnitFields& fields, size_t i);

// The owning forms back from a stored body (for copies and tests).
std::optional<UnitRecord> decodeUnitRecord(ByteView body);
std::optional<MenuItemRecord> decodeMenuItemRecord(ByteView body);

}  // namespace tessaly::ui
