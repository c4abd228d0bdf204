// The program's code base: the first of its routine thunks, which is also
// its start routine (see program_routines.cpp).
#pragma once

extern "C" char program_thunks[];

namespace tessaly::program {

// Everything the entry routine does before it enters the message loop: the
// runtime's start-up, the program state, the exit routine and the start
// routine. The benchmarks run the program this far and then drive it.
void startProgram();

}  // namespace tessaly::program
