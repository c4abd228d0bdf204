// The captions every benchmark shows: the same N captions, in the same
// fonts, colours, places and directions, for the caption tool (through its
// caption files) and for the minimal program it is measured against (which
// makes its labels from them directly). Texts are GBK bytes.
#pragma once

#include <cstdint>
#include <string>

namespace tessaly::bench {

// The display window's background colour: the colour key of its layering and
// the background of a transparent caption.
inline constexpr uint32_t ColourKey = 0x400040;
// Pixels per tick: the tool's default scroll speed.
inline constexpr int32_t ScrollStep = 5;
// The label's margin around its measured caption, and the ellipse of its corners.
inline constexpr int32_t LabelMargin = 12;
inline constexpr int32_t CornerEllipse = 15;

struct CaptionSample {
    std::string text;
    std::string face;
    int32_t points = 0;
    uint32_t textColour = 0;
    uint32_t background = 0;
    int32_t direction = 1;  // 1 left to right, 2 right to left, 3 down, 4 up
    int32_t left = 0;
    int32_t top = 0;
    int32_t style = 0;  // 0 regular, 1 bold, 2 italic, 3 bold italic
};

// Caption k of every set (0-based): Chinese and Latin texts, 12 to 36
// points, half of them on a transparent background, all four directions,
// spread over a 1280 x 1024 screen.
CaptionSample captionSample(int32_t k);

// The caption's configuration line as the tool stores it (12 fields), at
// the given position.
std::string configurationLine(const CaptionSample& caption, int32_t left, int32_t top);

// The captions file and the configuration file of the first n captions.
std::string captionsText(int32_t n);
std::string configurationText(int32_t n);

}  // namespace tessaly::bench
