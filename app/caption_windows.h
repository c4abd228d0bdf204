// The captions on the display window: its layering, the caption labels
// copied from the hidden template label and their rounded regions.
#pragma once

#include <cstdint>

namespace tessaly::program {

// Layers the window with `alpha` and `colourKey`; click-through lets mouse
// input fall through to the windows below.
void ApplyWindowTransparency(int32_t windowHandle, int32_t alpha, int32_t colourKey, bool clickThrough);
// Clips the window to a rectangle with rounded corners the size of its client area.
void ApplyRoundedRegion(int32_t windowHandle, int32_t ellipseWidth, int32_t ellipseHeight);
// GetClientRect's result; width and height of the client area through the out arguments.
int32_t GetClientSize(int32_t windowHandle, int32_t& width, int32_t& height);

// The display window's background colour: the colour key of its layering,
// and the background colour that marks a transparent caption.
int32_t displayColourKey();

// Creates caption label i from record i and appends it to CaptionLabels;
// false, with nothing appended, when the window system refused the label.
bool CreateCaptionLabel(int32_t i);
// Labels for every caption, or for as many as the window system allows: the
// labels may then be fewer than the captions, and the user is told once.
void createCaptionLabels();
// Whether caption i has a label.
bool hasCaptionLabel(int32_t i);
// Destroys every caption label, first to last, and empties CaptionLabels.
void destroyCaptionLabels();

}  // namespace tessaly::program
