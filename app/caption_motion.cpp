#include "app/caption_motion.h"

#include <algorithm>
#include <cstdint>

namespace tessaly::program {
namespace {

// Places and sizes come from files the user may have edited: sums are taken
// wide and kept within what a coordinate can hold, never overflowing.
int32_t held(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

int32_t held(double value)
{
    return static_cast<int32_t>(std::clamp(value, static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX)));
}

}  // namespace

Placement scrollStep(Placement caption, const std::string& direction, int32_t speed, Area monitor)
{
    int64_t left = caption.left, top = caption.top;
    if (direction == "1") {
        left += speed;
        if (left > monitor.right) left = int64_t{monitor.left} - caption.width;
    } else if (direction == "2") {
        left -= speed;
        if (left + caption.width < monitor.left) left = monitor.right;
    } else if (direction == "3") {
        top += speed;
        if (top > monitor.bottom) top = int64_t{monitor.top} - caption.height;
    } else if (direction == "4") {
        top -= speed;
        if (top + caption.height < monitor.top) top = monitor.bottom;
    }
    caption.left = held(left);
    caption.top = held(top);
    return caption;
}

Placement dragPlacement(Placement caption, int32_t left, int32_t top, Area monitor)
{
    int64_t x = std::max(left, monitor.left), y = std::max(top, monitor.top);
    if (x + caption.width > monitor.right) x = int64_t{monitor.right} - caption.width;
    if (y + caption.height > monitor.bottom) y = int64_t{monitor.bottom} - caption.height;
    caption.left = held(x);
    caption.top = held(y);
    return caption;
}

LabelSize captionLabelSize(int32_t captionBytes, int32_t fontSize, LabelSize measured)
{
    const int32_t classicWidth = held(static_cast<double>(captionBytes) * fontSize - captionBytes * 9.0);
    const int32_t classicHeight = held(fontSize * 2.0);
    return {std::max(classicWidth, held(int64_t{measured.width} + CaptionMargin)),
            std::max(classicHeight, held(int64_t{measured.height} + CaptionMargin))};
}

}  // namespace tessaly::program
