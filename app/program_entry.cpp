// The program entry routine: start-up request, program state, exit routine,
// start routine, message loop, in that fixed order.
#include "app/program_entry.h"

#include <cfenv>

#include "app/program_state.h"
#include "runtime/core/program_header.h"
#include "runtime/core/service_table.h"

extern "C" int tessaly::programEntry()
{
    using namespace tessaly;
    callRequest(Request::StartUp);
    std::fesetenv(FE_DFL_ENV);
    program::initialiseProgramState();
    callRequest(Request::RegisterExitRoutine, &program::releaseProgramState);
    programHeader()->startRoutine();
    callService<Service::MessageLoop>();
    return 0;
}
