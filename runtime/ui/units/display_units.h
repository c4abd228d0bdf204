// The display-only unit types (label, picture box, group box) and the timer.
#pragma once

namespace tessaly::ui {

// Registers the four types with the unit type registry; the window layer
// calls it once at start-up, before any window is loaded.
void registerDisplayUnitTypes();

}  // namespace tessaly::ui
