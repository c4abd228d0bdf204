// A loaded window's live unit table at the screen's dots per inch: every
// place and size of the window and its units, and the height of every font
// they name, laid out for 96, scaled.
#pragma once

#include <cstdint>

#include "runtime/ui/unit_table.h"

namespace tessaly::ui {

void scaleUnitPlaces(UnitTable& units, int32_t dotsPerInch);

}  // namespace tessaly::ui
