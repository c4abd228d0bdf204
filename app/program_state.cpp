#include "app/program_state.h"

namespace tessaly::program {

ProgramState& state()
{
    static ProgramState s;
    return s;
}

void initialiseProgramState() { state() = {}; }

void releaseProgramState() { state() = {}; }

}  // namespace tessaly::program
