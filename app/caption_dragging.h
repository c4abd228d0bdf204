// Moving a caption with the mouse and bringing it in front of the others.
// The routines belong to the template label "标签1" and so to every caption
// label copied from it; a caption is found through its label's tag. They only
// ever run while the settings window is open, the one time the display
// window lets the mouse reach the captions.
#pragma once

#include <cstdint>

namespace tessaly::program {

void pressCaption(int32_t x, int32_t y);  // left button pressed at (x, y) on the label
void dragCaption();        // mouse moved
void releaseCaption();     // left button released
void bringCaptionToFront();  // double-clicked

}  // namespace tessaly::program
