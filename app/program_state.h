// The caption tool's program-wide variables.
#pragma once

namespace tessaly::program {

struct ProgramState {
};

ProgramState& state();
void initialiseProgramState();
// Registered as the exit routine: frees the program's texts and tables.
void releaseProgramState();

}  // namespace tessaly::program
