// Reading and writing unit properties by index: the common properties 0-7
// from the live window or the record, a type's own properties through its
// interface with the conversion of their kind, menu item states, and the
// re-creation of a unit whose change needs it.
#pragma once

#include <cstdint>

#include "runtime/core/service_table.h"
#include "runtime/core/typed_value.h"

namespace tessaly::ui {

class WindowLayer;
class Unit;

namespace CommonProperty {
inline constexpr int32_t Left = 0;
inline constexpr int32_t Top = 1;
inline constexpr int32_t Width = 2;
inline constexpr int32_t Height = 3;
inline constexpr int32_t Tag = 4;
inline constexpr int32_t Visible = 5;
inline constexpr int32_t Disabled = 6;
inline constexpr int32_t MousePointer = 7;
}  // namespace CommonProperty

inline constexpr int32_t PositionLimit = 32627;

constexpr int32_t clampPosition(int32_t v) { return v > PositionLimit ? PositionLimit : v < -PositionLimit ? -PositionLimit : v; }
constexpr int32_t clampSize(int32_t v) { return v > PositionLimit ? PositionLimit : v < 0 ? 0 : v; }

// A numeric value of any numeric type; anything else is fatal.
int64_t toNumber(const TypedValue& value);

TypedValue readUnitProperty(WindowLayer& layer, const PropertyAccess& access);
void writeUnitProperty(WindowLayer& layer, const PropertyAccess& access, const TypedValue& value);

// Replaces a live unit by a new one made from its current type data, with
// events suspended; answers the new unit.
Unit* recreateUnit(WindowLayer& layer, Unit& unit);

}  // namespace tessaly::ui
