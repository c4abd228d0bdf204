#include "app/caption_motion.h"

#include <algorithm>

namespace tessaly::program {

Placement scrollStep(Placement caption, const std::string& direction, int32_t speed, ScreenSize screen)
{
    if (direction == "1") {
        caption.left += speed;
        if (caption.left > screen.width) caption.left = -caption.width;
    } else if (direction == "2") {
        caption.left -= speed;
        if (caption.left + caption.width < 0) caption.left = screen.width;
    } else if (direction == "3") {
        caption.top += speed;
        if (caption.top > screen.height) caption.top = -caption.height;
    } else if (direction == "4") {
        caption.top -= speed;
        if (caption.top + caption.height < 0) caption.top = screen.height;
    }
    return caption;
}

Placement dragPlacement(Placement caption, int32_t left, int32_t top, ScreenSize screen)
{
    caption.left = std::max(left, 0);
    caption.top = std::max(top, 0);
    if (caption.left + caption.width > screen.width) caption.left = screen.width - caption.width;
    if (caption.top + caption.height > screen.height) caption.top = screen.height - caption.height;
    return caption;
}

LabelSize captionLabelSize(int32_t captionBytes, int32_t fontSize, LabelSize measured)
{
    const auto classicWidth = static_cast<int32_t>(static_cast<double>(captionBytes) * fontSize - captionBytes * 9.0);
    const auto classicHeight = static_cast<int32_t>(fontSize * 2.0);
    return {std::max(classicWidth, measured.width + CaptionMargin), std::max(classicHeight, measured.height + CaptionMargin)};
}

}  // namespace tessaly::program
