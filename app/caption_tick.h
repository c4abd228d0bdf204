// The tick of the timer "时钟1": the display window topmost again, every
// visible scrolling caption one step further, wrapping round within its
// monitor, and its new place in its configuration line.
#pragma once

namespace tessaly::program {

void captionTick();
void MoveCaptions();

}  // namespace tessaly::program
