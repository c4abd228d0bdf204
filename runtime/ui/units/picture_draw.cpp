#include "runtime/ui/units/picture_draw.h"

#include <algorithm>

#include "runtime/core/win32_handles.h"

namespace tessaly::ui {

RECT pictureTarget(const RECT& area, int32_t pictureWidth, int32_t pictureHeight, int32_t mode)
{
    const int32_t areaWidth = area.right - area.left;
    const int32_t areaHeight = area.bottom - area.top;
    if (mode == PictureMode::Stretched) return area;
    if (mode == PictureMode::Zoomed && pictureWidth > 0 && pictureHeight > 0) {
        // Fit the limiting side; 64-bit products keep large pictures exact.
        int32_t width = areaWidth;
        int32_t height = static_cast<int32_t>(int64_t{pictureHeight} * areaWidth / pictureWidth);
        if (height > areaHeight) {
            height = areaHeight;
            width = static_cast<int32_t>(int64_t{pictureWidth} * areaHeight / pictureHeight);
        }
        const int32_t left = area.left + (areaWidth - width) / 2;
        const int32_t top = area.top + (areaHeight - height) / 2;
        return {left, top, left + width, top + height};
    }
    return {area.left, area.top, area.left + pictureWidth, area.top + pictureHeight};
}

void drawPicture(HDC dc, const PngImage& picture, const RECT& area, int32_t mode)
{
    const RECT target = pictureTarget(area, picture.width(), picture.height(), mode);
    if (target.right <= target.left || target.bottom <= target.top) return;
    UniqueMemoryDC source(CreateCompatibleDC(dc));
    if (!source) return;
    SelectedObject selected(source.get(), picture.bitmap());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, source.get(), 0, 0,
               picture.width(), picture.height(), blend);
}

}  // namespace tessaly::ui
