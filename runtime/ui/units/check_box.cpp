#include "runtime/ui/units/check_box.h"

#include "runtime/core/text_encoding.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/button.h"

namespace tessaly::ui {
namespace {

constexpr DWORD LookStyleMask = BS_PUSHLIKE | BS_FLAT | BS_LEFTTEXT | AlignmentStyleMask;

}  // namespace

DWORD CheckBox::lookStyle() const
{
    DWORD style = horizontalAlignmentStyle(data_.horizontalAlignment) | verticalAlignmentStyle(data_.verticalAlignment);
    if (data_.pushLike) style |= BS_PUSHLIKE;
    if (data_.flat) style |= BS_FLAT;
    if (data_.textOnLeft) style |= BS_LEFTTEXT;
    return style;
}

bool CheckBox::create(const UnitCreateParams& params)
{
    background_.set(data_.backgroundColour);
    const DWORD style = ChildControlStyle | BS_AUTOCHECKBOX | BS_MULTILINE | lookStyle();
    if (!createWindow(0, L"BUTTON", widenGbk(data_.caption).c_str(), style, params)) return false;
    applyFont();
    setChecked(data_.checked != 0);
    return true;
}

void CheckBox::applyChange(int32_t index)
{
    switch (index) {
    case propertyIndex(CheckBoxRows, "caption"): setWindowTextGbk(handle(), data_.caption); break;
    case propertyIndex(CheckBoxRows, "textColour"): InvalidateRect(handle(), nullptr, TRUE); break;
    case propertyIndex(CheckBoxRows, "backgroundColour"):
        background_.set(data_.backgroundColour);
        InvalidateRect(handle(), nullptr, TRUE);
        break;
    case propertyIndex(CheckBoxRows, "font"): applyFont(); break;
    case propertyIndex(CheckBoxRows, "checked"): setChecked(data_.checked != 0); break;
    default: changeStyle(handle(), LookStyleMask, lookStyle()); break;
    }
}

CheckBoxData CheckBox::currentData() const
{
    CheckBoxData d = data_;
    d.checked = checked() ? 1 : 0;
    return d;
}

bool CheckBox::readLive(int32_t index, PropertyValue& out) const
{
    if (index != propertyIndex(CheckBoxRows, "checked")) return false;
    out = PropertyValue::number(checked() ? 1 : 0);
    return true;
}

bool CheckBox::handleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case UnitMessage::ReflectOffset + WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) fire(CheckBoxEvent::Clicked);
        result = 0;
        return true;
    case UnitMessage::ReflectOffset + WM_CTLCOLORSTATIC:
    case UnitMessage::ReflectOffset + WM_CTLCOLORBTN:
        result = controlColours(reinterpret_cast<HDC>(wParam), data_.textColour, background_);
        return true;
    default: return false;
    }
}

template class RowUnitType<CheckBox>;

}  // namespace tessaly::ui
