#include "app/monitor_layout.h"

#include <algorithm>
#include <cstdint>

namespace tessaly::program {
namespace {

int64_t overlap(int32_t from, int32_t to, int32_t areaFrom, int32_t areaTo)
{
    return std::max<int64_t>(0, static_cast<int64_t>(std::min(to, areaTo)) - std::max(from, areaFrom));
}

// How far apart two intervals lie; 0 when they touch or overlap.
int64_t gap(int32_t from, int32_t to, int32_t areaFrom, int32_t areaTo)
{
    if (to < areaFrom) return static_cast<int64_t>(areaFrom) - to;
    if (from > areaTo) return static_cast<int64_t>(from) - areaTo;
    return 0;
}

int64_t distanceSquared(const Area& a, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    const int64_t dx = gap(left, right, a.left, a.right);
    const int64_t dy = gap(top, bottom, a.top, a.bottom);
    return dx * dx + dy * dy;
}

// Nearest first; on a tie the earlier monitor, so the primary one wins.
Area nearest(const Monitors& monitors, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (monitors.empty()) return {};
    return *std::min_element(monitors.begin(), monitors.end(), [&](const Area& a, const Area& b) {
        return distanceSquared(a, left, top, right, bottom) < distanceSquared(b, left, top, right, bottom);
    });
}

int64_t sharedArea(const Area& a, const Placement& c)
{
    return overlap(c.left, c.left + c.width, a.left, a.right) * overlap(c.top, c.top + c.height, a.top, a.bottom);
}

// Keeps [from, from + length) within [areaFrom, areaTo); one longer than the area starts at its start.
int32_t within(int32_t from, int32_t length, int32_t areaFrom, int32_t areaTo)
{
    if (from + length > areaTo) from = areaTo - length;
    return std::max(from, areaFrom);
}

}  // namespace

Area virtualScreen(const Monitors& monitors)
{
    if (monitors.empty()) return {};
    Area all = monitors.front();
    for (const Area& m : monitors) {
        all.left = std::min(all.left, m.left);
        all.top = std::min(all.top, m.top);
        all.right = std::max(all.right, m.right);
        all.bottom = std::max(all.bottom, m.bottom);
    }
    return all;
}

Area monitorAt(const Monitors& monitors, int32_t x, int32_t y)
{
    for (const Area& m : monitors)
        if (x >= m.left && x < m.right && y >= m.top && y < m.bottom) return m;
    return nearest(monitors, x, y, x, y);
}

Area monitorOf(const Monitors& monitors, const Placement& caption)
{
    const Area* most = nullptr;
    int64_t mostShared = 0;
    for (const Area& m : monitors) {
        const int64_t shared = sharedArea(m, caption);
        if (shared > mostShared) most = &m, mostShared = shared;
    }
    if (most != nullptr) return *most;
    return nearest(monitors, caption.left, caption.top, caption.left + caption.width, caption.top + caption.height);
}

Placement shownPlace(const Monitors& monitors, const Placement& caption)
{
    if (monitors.empty()) return caption;
    for (const Area& m : monitors)
        if (sharedArea(m, caption) > 0) return caption;
    const Area m = monitorOf(monitors, caption);
    Placement shown = caption;
    shown.left = within(caption.left, caption.width, m.left, m.right);
    shown.top = within(caption.top, caption.height, m.top, m.bottom);
    return shown;
}

}  // namespace tessaly::program
