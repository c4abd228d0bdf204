#include "app/caption_motion.h"

#include <algorithm>

namespace tessaly::program {

Placement scrollStep(Placement caption, const std::string& direction, int32_t speed, Area monitor)
{
    if (direction == "1") {
        caption.left += speed;
        if (caption.left > monitor.right) caption.left = monitor.left - caption.width;
    } else if (direction == "2") {
        caption.left -= speed;
        if (caption.left + caption.width < monitor.left) caption.left = monitor.right;
    } else if (direction == "3") {
        caption.top += speed;
        if (caption.top > monitor.bottom) caption.top = monitor.top - caption.height;
    } else if (direction == "4") {
        caption.top -= speed;
        if (caption.top + caption.height < monitor.top) caption.top = monitor.bottom;
    }
    return caption;
}

Placement dragPlacement(Placement caption, int32_t left, int32_t top, Area monitor)
{
    caption.left = std::max(left, monitor.left);
    caption.top = std::max(top, monitor.top);
    if (caption.left + caption.width > monitor.right) caption.left = monitor.right - caption.width;
    if (caption.top + caption.height > monitor.bottom) caption.top = monitor.bottom - caption.height;
    return caption;
}

LabelSize captionLabelSize(int32_t captionBytes, int32_t fontSize, LabelSize measured)
{
    const auto classicWidth = static_cast<int32_t>(static_cast<double>(captionBytes) * fontSize - captionBytes * 9.0);
    const auto classicHeight = static_cast<int32_t>(fontSize * 2.0);
    return {std::max(classicWidth, measured.width + CaptionMargin), std::max(classicHeight, measured.height + CaptionMargin)};
}

}  // namespace tessaly::program
