#include "runtime/ui/units/list_unit_types.h"

#include "runtime/ui/units/check_list_box.h"
#include "runtime/ui/units/color_picker.h"
#include "runtime/ui/units/slider_bar.h"

namespace tessaly::ui {

void registerListUnitTypes()
{
    registerUnitType(checkListBoxType());
    registerUnitType(sliderBarType());
    registerUnitType(colorPickerType());
}

}  // namespace tessaly::ui
