#include "runtime/ui/units/unit_types.h"

#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/row_unit_type.h"

namespace tessaly::ui {

class Button;
class CheckBox;
class CheckListBox;
class ColorPicker;
class ComboBox;
class EditBox;
class GroupBox;
class Label;
class PicBox;
class SliderBar;
class Timer;

extern template class RowUnitType<Button>;
extern template class RowUnitType<CheckBox>;
extern template class RowUnitType<CheckListBox>;
extern template class RowUnitType<ColorPicker>;
extern template class RowUnitType<ComboBox>;
extern template class RowUnitType<EditBox>;
extern template class RowUnitType<GroupBox>;
extern template class RowUnitType<Label>;
extern template class RowUnitType<PicBox>;
extern template class RowUnitType<SliderBar>;
extern template class RowUnitType<Timer>;

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
