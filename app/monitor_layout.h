// The monitors as the captions see them: rectangles on the virtual screen,
// the primary monitor first (its top left corner is the origin). Which
// monitor lies under a point, which one holds a caption, and where a caption
// that lies off every monitor is shown instead.
#pragma once

#include <cstdint>
#include <vector>

namespace tessaly::program {

struct Area {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool operator==(const Area&) const = default;
};

struct Placement {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

using Monitors = std::vector<Area>;

// The smallest rectangle around every monitor; the whole virtual screen.
Area virtualScreen(const Monitors& monitors);

// The monitor that holds the point, or the one nearest to it.
Area monitorAt(const Monitors& monitors, int32_t x, int32_t y);

// The monitor that holds most of the caption, or the one nearest to it.
Area monitorOf(const Monitors& monitors, const Placement& caption);

// The caption where it is when any of it lies on a monitor; otherwise moved
// the shortest way onto the nearest monitor, whole where it fits.
Placement shownPlace(const Monitors& monitors, const Placement& caption);

}  // namespace tessaly::program
