// How a label paints itself, apart from the window: frame, background
// (picture, gradient or colour) and caption with its effects, in that order,
// into an off-screen buffer.
#pragma once

#include <windows.h>

#include "runtime/ui/png_image.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/units/caption_effect.h"
#include "runtime/ui/units/unit_paint.h"

namespace tessaly::ui {

// The frame border choice that the label draws itself instead of a window border.
inline constexpr int32_t GradientFrameBorder = 6;

// DrawText flags for the label's alignments and word wrap. With word wrap the
// vertical alignment plays no part (DT_VCENTER only acts on single lines).
UINT labelTextFlags(const LabelData& data);

// `picture` is the decoded background picture, if any; `font` the font to
// write with, and `outline` the caption's outline as last painted.
void paintLabel(BackBuffer& buffer, const LabelData& data, const PngImage* picture, HFONT font, CaptionOutline& outline);

// True for a label of background colour and caption only: no picture,
// gradient or gradient frame, which need a buffer's pixels.
bool isPlainLabel(const LabelData& data, const PngImage* picture);
// Paints such a label onto any DC, `area` being its whole client area.
void paintPlainLabel(HDC dc, const RECT& area, const LabelData& data, HFONT font, CaptionOutline& outline);

}  // namespace tessaly::ui
