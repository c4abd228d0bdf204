// The caption tool's entry and start routines.
#pragma once

namespace tessaly::program {

// Loads the start-up window; the header names it, and event routine offsets
// count from it.
void startRoutine();

}  // namespace tessaly::program
