#include "runtime/ui/units/border_rule.h"

namespace tessaly::ui {

BorderStyle borderStyle(int32_t border)
{
    switch (border) {
    case 1: return {0, WS_EX_CLIENTEDGE};
    case 2: return {0, WS_EX_DLGMODALFRAME};
    case 3: return {0, WS_EX_STATICEDGE};
    case 4: return {0, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME};
    case 5: return {WS_BORDER, 0};
    default: return {};
    }
}

void applyBorder(HWND control, int32_t border)
{
    const BorderStyle b = borderStyle(border);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    const auto extended = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_EXSTYLE));
    SetWindowLongPtrW(control, GWL_STYLE, static_cast<LONG_PTR>((style & ~BorderStyleMask) | b.style));
    SetWindowLongPtrW(control, GWL_EXSTYLE, static_cast<LONG_PTR>((extended & ~BorderExtendedStyleMask) | b.extendedStyle));
    SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace tessaly::ui
