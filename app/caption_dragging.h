// Moving a caption with the mouse and bringing it in front of the others.
// The routines belong to the template label "标签1" and so to every caption
// label copied from it; a caption is found through its label's tag. They only
// ever run while the settings window is open, the one time the display
// window lets the mouse reach the captions.
#pragma once

namespace tessaly::program {

void pressCaption();       // left button pressed
void dragCaption();        // mouse moved
void releaseCaption();     // left button released
void bringCaptionToFront();  // double-clicked

}  // namespace tessaly::program
