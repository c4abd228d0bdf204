// How a unit comes to life, the same whether its window loads, a program
// copies it or a property change makes its window anew: its type makes it
// from its create arguments, the window's unit table takes it, and it is set
// up and told it is loaded. A loading window makes all its units first, sets
// every one up before it sets itself up, and tells them they are loaded only
// once its own events have run; a unit made into a window already loaded
// goes through the same steps at once (settleUnit).
#pragma once

#include <cstdint>

#include "runtime/ui/unit.h"
#include "runtime/ui/unit_table.h"

namespace tessaly::ui {

// Made by its type and entered at `index` of the table: its object slot and,
// while that is empty, its mouse pointer as the record names it. None when
// the system gave no window.
Unit* bringUnitToLife(UnitTable& units, size_t index, const UnitType& type, const UnitCreateParams& params);

// The messages that tell a unit where it stands in its window's life.
void finishUnitSetup(Unit& unit);
void announceLoaded(Unit& unit);

// A unit made into a window that is already loaded: stacked behind `after`,
// set up and told it is loaded, its window set up again when its kind asks
// for that, and shown when `visible`.
void settleUnit(Unit& unit, HWND after, bool visible);

}  // namespace tessaly::ui
