#include "runtime/ui/units/border_rule.h"

namespace tessaly::ui {
namespace {

constexpr DWORD BorderStyleBits = WS_BORDER;
constexpr DWORD BorderExtendedBits = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;

void drawDialogFrame(HDC dc, RECT& area)
{
    DrawEdge(dc, &area, EDGE_RAISED, BF_RECT | BF_ADJUST);
    FrameRect(dc, &area, GetSysColorBrush(COLOR_3DFACE));
    InflateRect(&area, -1, -1);
}

}  // namespace

BorderStyles borderStyles(int32_t border)
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

void applyBorder(HWND window, int32_t border)
{
    const BorderStyles wanted = borderStyles(border);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto extended = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    SetWindowLongPtrW(window, GWL_STYLE, (style & ~BorderStyleBits) | wanted.style);
    SetWindowLongPtrW(window, GWL_EXSTYLE, (extended & ~BorderExtendedBits) | wanted.extendedStyle);
    // The frame is part of the non-client area, which only this recomputes.
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void drawBorder(HDC dc, RECT area, int32_t border)
{
    switch (border) {
    case 1: DrawEdge(dc, &area, EDGE_SUNKEN, BF_RECT); break;
    case 2: drawDialogFrame(dc, area); break;
    case 3: DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT); break;
    case 4:
        drawDialogFrame(dc, area);
        DrawEdge(dc, &area, EDGE_SUNKEN, BF_RECT);
        break;
    case 5: FrameRect(dc, &area, GetSysColorBrush(COLOR_WINDOWFRAME)); break;
    default: break;
    }
}

}  // namespace tessaly::ui
