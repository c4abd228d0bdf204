// The border rule every unit type with a border property shares: a choice
// 0-5 maps to one frame, applied to the live control at once.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tessaly::ui {

struct BorderStyle {
    DWORD style = 0;
    DWORD extendedStyle = 0;
};

// The style bits the rule owns; a control's other bits are left alone.
inline constexpr DWORD BorderStyleMask = WS_BORDER;
inline constexpr DWORD BorderExtendedStyleMask = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;

// 0 none, 1 sunken, 2 dialog frame, 3 static edge, 4 sunken and dialog frame,
// 5 plain border; anything else none.
BorderStyle borderStyle(int32_t border);

// Replaces the control's frame and makes the system redraw it.
void applyBorder(HWND control, int32_t border);

}  // namespace tessaly::ui
