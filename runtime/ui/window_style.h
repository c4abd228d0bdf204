// A window's frame style from its border, title, control box and the two
// boxes, recomputed after each of those properties changes.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tessaly::ui {

struct FrameSettings {
    int32_t border = 0;  // 0 none ... 6 fixed with sunken client edge
    bool hasTitle = false;
    bool controlBox = false;
    bool maximiseBox = false;
    bool minimiseBox = false;
};

struct FrameStyle {
    DWORD style = 0;
    DWORD extendedStyle = 0;
};

// The style bits this computation owns; the rest of a window's style is left alone.
inline constexpr DWORD FrameStyleMask =
    WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_DLGFRAME | WS_BORDER | WS_MAXIMIZEBOX | WS_MINIMIZEBOX;
inline constexpr DWORD FrameExtendedStyleMask = WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;

FrameStyle frameStyle(const FrameSettings& settings);

}  // namespace tessaly::ui
