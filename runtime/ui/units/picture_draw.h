// Draws a decoded picture into a unit's area in one of the three display
// modes that labels (background picture mode) and picture boxes share.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/ui/png_image.h"

namespace tessaly::ui {

namespace PictureMode {
inline constexpr int32_t ActualSize = 0;  // at the top-left corner, unscaled
inline constexpr int32_t Stretched = 1;   // scaled to fill the area exactly
inline constexpr int32_t Zoomed = 2;      // scaled to fit, aspect kept, centred
}  // namespace PictureMode

// Where the picture lands for a mode; other mode values draw actual size.
RECT pictureTarget(const RECT& area, int32_t pictureWidth, int32_t pictureHeight, int32_t mode);
// Blends the picture's alpha over what the DC already holds.
void drawPicture(HDC dc, const PngImage& picture, const RECT& area, int32_t mode);

}  // namespace tessaly::ui
