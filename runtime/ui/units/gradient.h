// The label's gradient frame and gradient background. Both take up to three
// colours and skip those equal to 0xFF000000; fewer than two usable colours
// draw nothing, so the background colour shows instead.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "runtime/ui/units/unit_paint.h"

namespace tessaly::ui {

std::vector<COLORREF> usableColours(std::span<const uint32_t> colours);

// Directions of the gradient background, 1-8 (0 is none): the colours run
// left to right, top to bottom, along either diagonal, and the reverse of each.
namespace GradientDirection {
inline constexpr int32_t None = 0;
inline constexpr int32_t Rightward = 1;
inline constexpr int32_t Downward = 2;
inline constexpr int32_t DownRight = 3;
inline constexpr int32_t DownLeft = 4;
inline constexpr int32_t Leftward = 5;
inline constexpr int32_t Upward = 6;
inline constexpr int32_t UpLeft = 7;
inline constexpr int32_t UpRight = 8;
}  // namespace GradientDirection

// True when fillGradient draws: a direction 1-8 and two usable colours.
bool drawsGradient(int32_t direction, std::span<const uint32_t> colours);

// Fills `area` of the buffer; false (nothing drawn) for direction 0 or
// fewer than two usable colours.
bool fillGradient(BackBuffer& buffer, const RECT& area, int32_t direction, std::span<const uint32_t> colours);

// Draws a frame `width` pixels deep just inside `area`: the colours run from
// the outer edge to the inner one, so three colours give a raised rim.
// False when fewer than two colours are usable or the width is not positive.
bool drawGradientFrame(BackBuffer& buffer, const RECT& area, int32_t width, std::span<const uint32_t> colours);

}  // namespace tessaly::ui
