#include "runtime/ui/units/display_units.h"

#include "runtime/ui/units/group_box.h"
#include "runtime/ui/units/label.h"
#include "runtime/ui/units/pic_box.h"
#include "runtime/ui/units/timer.h"

namespace tessaly::ui {

void registerDisplayUnitTypes()
{
    static const LabelType label;
    static const PicBoxType picBox;
    static const GroupBoxType groupBox;
    static const TimerType timer;
    registerUnitType(label);
    registerUnitType(picBox);
    registerUnitType(groupBox);
    registerUnitType(timer);
}

}  // namespace tessaly::ui
