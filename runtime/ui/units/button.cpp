#include "runtime/ui/units/button.h"

#include <array>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/identifiers.h"

namespace tessaly::ui {
DWORD horizontalAlignmentStyle(int32_t choice)
{
    constexpr DWORD Styles[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
    return choice >= 0 && choice <= 2 ? Styles[choice] : BS_LEFT;
}

DWORD verticalAlignmentStyle(int32_t choice)
{
    constexpr DWORD Styles[] = {BS_TOP, BS_VCENTER, BS_BOTTOM};
    return choice >= 0 && choice <= 2 ? Styles[choice] : BS_VCENTER;
}

bool Button::create(const UnitCreateParams& params)
{
    const DWORD style = ChildControlStyle | BS_MULTILINE | (data_.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                        horizontalAlignmentStyle(data_.horizontalAlignment) |
                        verticalAlignmentStyle(data_.verticalAlignment);
    if (!createWindow(0, L"BUTTON", widenGbk(data_.caption).c_str(), style, params)) return false;
    applyFont();
    return true;
}

void Button::applyChange(int32_t index)
{
    switch (index) {
    case propertyIndex(ButtonRows, "defaultButton"):
        SendMessageW(handle(), BM_SETSTYLE, data_.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
        break;
    case propertyIndex(ButtonRows, "caption"): setWindowTextGbk(handle(), data_.caption); break;
    case propertyIndex(ButtonRows, "font"): applyFont(); break;
    default: applyAlignment(); break;
    }
}

void Button::applyAlignment()
{
    changeStyle(handle(), AlignmentStyleMask,
                horizontalAlignmentStyle(data_.horizontalAlignment) | verticalAlignmentStyle(data_.verticalAlignment));
}

bool Button::handleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message != UnitMessage::ReflectOffset + WM_COMMAND) return false;
    if (HIWORD(wParam) == BN_CLICKED) fire(ButtonEvent::Clicked);
    result = 0;
    return true;
}

template class RowUnitType<Button>;

}  // namespace tessaly::ui
