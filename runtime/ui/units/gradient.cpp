#include "runtime/ui/units/gradient.h"

#include <algorithm>

#include "runtime/ui/type_data_io.h"

namespace tessaly::ui {
namespace {

uint32_t channel(COLORREF c, int shift) { return (c >> shift) & 0xFF; }

// The colour at position t (0-4096) along the colour list, as a DIB pixel.
uint32_t colourAt(const std::vector<COLORREF>& colours, int64_t t)
{
    constexpr int64_t Scale = 4096;
    const int64_t segments = static_cast<int64_t>(colours.size()) - 1;
    const int64_t scaled = std::clamp<int64_t>(t, 0, Scale) * segments;
    const int64_t segment = std::min(scaled / Scale, segments - 1);
    const int64_t local = scaled - segment * Scale;
    const COLORREF from = colours[static_cast<size_t>(segment)];
    const COLORREF to = colours[static_cast<size_t>(segment + 1)];
    COLORREF mixed = 0;
    for (int shift : {0, 8, 16}) {
        const int64_t a = channel(from, shift);
        const int64_t b = channel(to, shift);
        mixed |= static_cast<COLORREF>(a + (b - a) * local / Scale) << shift;
    }
    return dibPixel(mixed);
}

struct Axis {
    int32_t dx;  // -1, 0 or 1 per direction
    int32_t dy;
};

Axis axisOf(int32_t direction)
{
    switch (direction) {
    case GradientDirection::Rightward: return {1, 0};
    case GradientDirection::Downward: return {0, 1};
    case GradientDirection::DownRight: return {1, 1};
    case GradientDirection::DownLeft: return {-1, 1};
    case GradientDirection::Leftward: return {-1, 0};
    case GradientDirection::Upward: return {0, -1};
    case GradientDirection::UpLeft: return {-1, -1};
    case GradientDirection::UpRight: return {1, -1};
    default: return {0, 0};
    }
}

RECT clipped(const BackBuffer& buffer, const RECT& area)
{
    return {std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0), std::min<LONG>(area.right, buffer.width()),
            std::min<LONG>(area.bottom, buffer.height())};
}

}  // namespace

std::vector<COLORREF> usableColours(std::span<const uint32_t> colours)
{
    std::vector<COLORREF> usable;
    for (uint32_t c : colours)
        if (c != ButtonFaceColour) usable.push_back(c & 0x00FFFFFF);
    return usable;
}

bool drawsGradient(int32_t direction, std::span<const uint32_t> colours)
{
    const Axis axis = axisOf(direction);
    return (axis.dx != 0 || axis.dy != 0) && usableColours(colours).size() >= 2;
}

bool fillGradient(BackBuffer& buffer, const RECT& area, int32_t direction, std::span<const uint32_t> colours)
{
    if (!drawsGradient(direction, colours)) return false;
    const Axis axis = axisOf(direction);
    const std::vector<COLORREF> usable = usableColours(colours);
    const int64_t width = std::max<int64_t>(area.right - area.left - 1, 0);
    const int64_t height = std::max<int64_t>(area.bottom - area.top - 1, 0);
    // Position along the axis, measured from the corner the gradient starts at.
    const int64_t span = std::max<int64_t>(std::abs(axis.dx) * width + std::abs(axis.dy) * height, 1);
    const RECT r = clipped(buffer, area);
    for (int32_t y = r.top; y < r.bottom; ++y) {
        uint32_t* row = buffer.row(y);
        const int64_t fromTop = y - area.top;
        const int64_t alongY = axis.dy > 0 ? fromTop : (axis.dy < 0 ? height - fromTop : 0);
        for (int32_t x = r.left; x < r.right; ++x) {
            const int64_t fromLeft = x - area.left;
            const int64_t alongX = axis.dx > 0 ? fromLeft : (axis.dx < 0 ? width - fromLeft : 0);
            row[x] = colourAt(usable, (alongX + alongY) * 4096 / span);
        }
    }
    return true;
}

bool drawGradientFrame(BackBuffer& buffer, const RECT& area, int32_t width, std::span<const uint32_t> colours)
{
    const std::vector<COLORREF> usable = usableColours(colours);
    if (width <= 0 || usable.size() < 2) return false;
    const RECT r = clipped(buffer, area);
    const int64_t last = std::max(width - 1, 1);
    for (int32_t y = r.top; y < r.bottom; ++y) {
        uint32_t* row = buffer.row(y);
        const int32_t edgeY = std::min(y - area.top, area.bottom - 1 - y);
        for (int32_t x = r.left; x < r.right; ++x) {
            const int32_t depth = std::min({x - static_cast<int32_t>(area.left), static_cast<int32_t>(area.right) - 1 - x, edgeY});
            if (depth < width) row[x] = colourAt(usable, depth * 4096 / last);
        }
    }
    return true;
}

}  // namespace tessaly::ui
