// Registers the check-list box, slider and colour picker unit types.
#pragma once

namespace tessaly::ui {

void registerListUnitTypes();

}  // namespace tessaly::ui
