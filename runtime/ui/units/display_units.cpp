#include "runtime/ui/units/display_units.h"

#include "runtime/ui/units/label.h"

namespace tessaly::ui {

void registerDisplayUnitTypes()
{
    static const LabelType label;
    registerUnitType(label);
}

}  // namespace tessaly::ui
