#include "runtime/ui/units/input_units.h"

#include "runtime/ui/units/button.h"
#include "runtime/ui/units/check_box.h"
#include "runtime/ui/units/combo_box.h"
#include "runtime/ui/units/edit_box.h"

namespace tessaly::ui {

void registerInputUnitTypes()
{
    registerUnitType(editBoxType());
    registerUnitType(buttonType());
    registerUnitType(checkBoxType());
    registerUnitType(comboBoxType());
}

}  // namespace tessaly::ui
