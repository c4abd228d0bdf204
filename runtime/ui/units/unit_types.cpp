#include "runtime/ui/units/unit_types.h"

#include "runtime/ui/identifiers.h"

#include "runtime/ui/units/button.h"
#include "runtime/ui/units/check_box.h"
#include "runtime/ui/units/check_list_box.h"
#include "runtime/ui/units/color_picker.h"
#include "runtime/ui/units/combo_box.h"
#include "runtime/ui/units/edit_box.h"
#include "runtime/ui/units/group_box.h"
#include "runtime/ui/units/label.h"
#include "runtime/ui/units/pic_box.h"
#include "runtime/ui/units/row_unit_type.h"
#include "runtime/ui/units/slider_bar.h"
#include "runtime/ui/units/timer.h"

namespace tessaly::ui {
namespace {

template <class U>
void registerType(uint32_t typeId, std::string_view name, uint32_t flags)
{
    static const RowUnitType<U> type(typeId, name, flags);
    registerUnitType(type);
}

}  // namespace

void registerUnitTypes()
{
    static const bool registered = [] {
        using namespace UnitTypeFlag;
        registerType<Label>(TypeId::Label, "Label", WindowControl | NoFocus);
        registerType<PicBox>(TypeId::PicBox, "PicBox", WindowControl | NoFocus);
        registerType<GroupBox>(TypeId::GroupBox, "GroupBox", WindowControl | NoFocus | Container);
        registerType<Timer>(TypeId::Timer, "Timer", WindowControl | NeverVisible | NoFocus);
        registerType<EditBox>(TypeId::EditBox, "edit box", WindowControl);
        registerType<Button>(TypeId::Button, "button", WindowControl);
        registerType<CheckBox>(TypeId::CheckBox, "check box", WindowControl);
        registerType<ComboBox>(TypeId::ComboBox, "combo box", WindowControl);
        registerType<CheckListBox>(TypeId::ChkListBox, "ChkListBox", WindowControl);
        registerType<SliderBar>(TypeId::SliderBar, "SliderBar", WindowControl);
        registerType<ColorPicker>(TypeId::ColorPicker, "ColorPicker", WindowControl);
        return true;
    }();
    (void)registered;
}

const UnitType& unitType(uint32_t typeId)
{
    registerUnitTypes();
    return *findUnitType(typeId);
}

}  // namespace tessaly::ui
