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

#include "runtime/ui/property_value.h"

namespace tessaly::ui {

class Unit;

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
