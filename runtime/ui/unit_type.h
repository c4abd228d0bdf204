// The interface every unit type offers the runtime: create a unit from its
// type data, set and get its own properties by index, and answer its current
// type data. Property access, loading and re-creation are written once against
// this interface; each type only describes its own properties.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tessaly::ui {

class Unit;

// How a property's value converts between the program and the unit.
namespace PropertyKind {
inline constexpr int32_t Integer = 1000;
inline constexpr int32_t Integer2 = 1001;
inline constexpr int32_t Real = 1002;
inline constexpr int32_t Logical = 1003;
inline constexpr int32_t DateTime = 1004;
inline constexpr int32_t Text = 1005;
inline constexpr int32_t Choice = 1006;
inline constexpr int32_t Picture = 1009;
inline constexpr int32_t Icon = 1010;
inline constexpr int32_t MousePointer = 1011;
inline constexpr int32_t Sound = 1012;
inline constexpr int32_t Font = 1013;
inline constexpr int32_t Colour = 1014;
inline constexpr int32_t Colour2 = 1015;
inline constexpr int32_t Colour3 = 1017;
inline constexpr int32_t StoredText = 1018;
inline constexpr int32_t StoredText2 = 1020;
inline constexpr int32_t Data = 1023;
inline constexpr int32_t ListData = 1024;
}  // namespace PropertyKind

// One own property of a type, as data: the table drives access.
struct PropertyInfo {
    int32_t index;  // 8 and up
    int32_t kind;
    std::string_view name;
    int32_t minimum = 0;  // choices: the clamp range
    int32_t maximum = 0;
};

// A converted value: a number in `data`, or a pointer and a byte count for
// texts, binary data and fonts (60 bytes).
struct PropertyValue {
    intptr_t data = 0;
    intptr_t length = 0;

    static PropertyValue number(int64_t v) { return {static_cast<intptr_t>(v), 0}; }
    static PropertyValue bytes(const void* p, size_t n) { return {reinterpret_cast<intptr_t>(p), static_cast<intptr_t>(n)}; }
    int32_t asInt() const { return static_cast<int32_t>(data); }
    std::string_view asText() const
    {
        return data == 0 ? std::string_view{} : std::string_view{reinterpret_cast<const char*>(data), static_cast<size_t>(length)};
    }
    std::span<const uint8_t> asBytes() const
    {
        return data == 0 ? std::span<const uint8_t>{} : std::span<const uint8_t>{reinterpret_cast<const uint8_t*>(data), static_cast<size_t>(length)};
    }
};

struct UnitCreateParams {
    std::span<const uint8_t> typeData;
    DWORD style = 0;  // WS_DISABLED / WS_TABSTOP from the record's flags
    HWND parent = nullptr;
    int32_t controlId = 0;
    HMENU menu = nullptr;  // the menu bar, for the window itself
    int32_t left = 0, top = 0, width = 0, height = 0;
    uint32_t windowId = 0;
    uint32_t unitId = 0;
};

namespace UnitTypeFlag {
inline constexpr uint32_t WindowControl = 1;  // raises events
inline constexpr uint32_t Menu = 2;
inline constexpr uint32_t NeverVisible = 4;  // the timer
inline constexpr uint32_t NoFocus = 8;
inline constexpr uint32_t Container = 16;
inline constexpr uint32_t NoCopy = 32;
inline constexpr uint32_t NeedsWindowSetup = 64;  // send the window 0x8004 after a re-creation
}  // namespace UnitTypeFlag

class UnitType {
public:
    virtual ~UnitType() = default;

    virtual uint32_t typeId() const = 0;
    virtual std::string_view name() const = 0;
    virtual uint32_t flags() const = 0;
    // Own properties, index 8 onward.
    virtual std::span<const PropertyInfo> properties() const = 0;

    // Entry 1: none when the type data cannot be read or the window cannot be made.
    virtual Unit* create(const UnitCreateParams& params) const = 0;
    // Entry 4: true when the unit must be re-created to take the change.
    virtual bool setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const = 0;
    // Entry 5: the type data as it now stands, in the layout create reads.
    virtual std::vector<uint8_t> currentTypeData(const Unit& unit) const = 0;
    // Entry 6: the stored value; texts and data point into the unit.
    virtual bool getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const = 0;

    const PropertyInfo* property(int32_t index) const
    {
        for (const PropertyInfo& p : properties())
            if (p.index == index) return &p;
        return nullptr;
    }
};

// The registry of unit types by type identifier.
void registerUnitType(const UnitType& type);
const UnitType* findUnitType(uint32_t typeId);

}  // namespace tessaly::ui
