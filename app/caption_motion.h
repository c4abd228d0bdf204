// The arithmetic of caption positions and sizes: a scrolling caption's step
// with its wrap-round at the screen's edges, a dragged caption kept whole on
// the screen, and the size of a caption's label.
#pragma once

#include <cstdint>
#include <string>

namespace tessaly::program {

struct Placement {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct ScreenSize {
    int32_t width = 0;
    int32_t height = 0;
};

// One tick of a caption scrolling in `direction` ("1" left to right, "2"
// right to left, "3" top to bottom, "4" bottom to top; anything else stands
// still): the new left and top. A caption that has wholly left the screen
// enters again from the opposite edge.
Placement scrollStep(Placement caption, const std::string& direction, int32_t speed, ScreenSize screen);

// A dragged caption's place for the pointer less the grab offset: never
// beyond the left or top edge, and with its right and bottom edges on the
// screen (a caption larger than the screen ends at a negative left or top).
Placement dragPlacement(Placement caption, int32_t left, int32_t top, ScreenSize screen);

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
