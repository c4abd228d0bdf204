// The border rule every unit type with a border property shares: the border
// choice becomes window style bits, applied to a live window at once.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tessaly::ui {

struct BorderStyles {
    DWORD style = 0;
    DWORD extendedStyle = 0;
};

// 0 none; 1 sunken edge; 2 dialog frame; 3 static edge; 4 sunken edge and
// dialog frame; 5 plain border; anything else none.
BorderStyles borderStyles(int32_t border);
// Replaces the window's border bits and redraws its frame.
void applyBorder(HWND window, int32_t border);
// Draws the frame the border's style bits give a window, in `area` (the
// window's whole rectangle), for a unit that its window paints itself.
void drawBorder(HDC dc, RECT area, int32_t border);

}  // namespace tessaly::ui
