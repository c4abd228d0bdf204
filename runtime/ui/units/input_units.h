// The input unit types: edit box, button, check box and combo box.
#pragma once

namespace tessaly::ui {

// Registers the four types with the unit type registry.
void registerInputUnitTypes();

}  // namespace tessaly::ui
