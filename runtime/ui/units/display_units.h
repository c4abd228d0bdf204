// The display-only unit types: label, picture box and group box.
#pragma once

namespace tessaly::ui {

// Registers the types with the unit type registry; the window layer
// calls it once at start-up, before any window is loaded.
void registerDisplayUnitTypes();

}  // namespace tessaly::ui
