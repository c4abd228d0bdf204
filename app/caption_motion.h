// The arithmetic of caption positions and sizes: a scrolling caption's step
// with its wrap-round at its monitor's edges, a dragged caption kept whole on
// a monitor, and the size of a caption's label. Places are on the virtual
// screen; with one monitor, that is the screen.
#pragma once

#include <cstdint>
#include <string>

#include "app/monitor_layout.h"

namespace tessaly::program {

// One tick of a caption scrolling in `direction` ("1" left to right, "2"
// right to left, "3" top to bottom, "4" bottom to top; anything else stands
// still): the new left and top. A caption that has wholly left its monitor
// enters it again from the opposite edge.
Placement scrollStep(Placement caption, const std::string& direction, int32_t speed, Area monitor);

// A dragged caption's place for the pointer less the grab offset: never
// beyond the monitor's left or top edge, and with its right and bottom edges
// on it (a caption larger than the monitor ends beyond its left or top).
Placement dragPlacement(Placement caption, int32_t left, int32_t top, Area monitor);

// The size of a caption's label: the classic L x (s - 9) by 2s for L caption
// bytes at s points, but never smaller than the caption measured in its own
// font plus a margin that keeps the rounded corners off the letters.
struct LabelSize {
    int32_t width = 0;
    int32_t height = 0;
};
inline constexpr int32_t CaptionMargin = 12;
LabelSize captionLabelSize(int32_t captionBytes, int32_t fontSize, LabelSize measured);

}  // namespace tessaly::program
