// The program entry routine: start-up request, program state, exit routine,
// start routine, message loop, in that fixed order.
#include "app/program_entry.h"

#include <cfenv>

#include "app/program_state.h"
#include "runtime/core/program_header.h"
#include "runtime/core/service_table.h"

void tessaly::program::startProgram()
{
    callRequest(Request::StartUp);
    std::fesetenv(FE_DFL_ENV);
    initialiseProgramState();
    callRequest(Request::RegisterExitRoutine, &releaseProgramState);
    programHeader()->startRoutine();
}

extern "C" int tessaly::programEntry()
{
    program::startProgram();
    callService<Service::MessageLoop>();
    return 0;
}
