// The registry's list of unit types: every kind of unit a window can hold.
#pragma once

#include <cstdint>

#include "runtime/ui/unit_type.h"

namespace tessaly::ui {

// Registers them all; the window layer calls it once at start-up, before
// any window is loaded, and a second call changes nothing.
void registerUnitTypes();
// A unit type by identifier, registering them all first.
const UnitType& unitType(uint32_t typeId);

}  // namespace tessaly::ui
