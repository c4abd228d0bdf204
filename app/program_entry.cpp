// The program entry routine: start-up request, program state, exit routine,
// start routine, message loop, in that fixed order.
#include "app/program_entry.h"

#include <cfenv>

#include "app/program_state.h"
#include "app/store_files.h"
#include "runtime/core/program_header.h"
#include "runtime/core/service_table.h"

namespace tessaly::program {
namespace {

// However the program ends, short of a fatal error: what the store still
// owes its files (the last second of scrolling) goes there first.
void exitRoutine()
{
    state().Store.ending = true;
    saveStore();
    releaseProgramState();
}

}  // namespace
}  // namespace tessaly::program

void tessaly::program::startProgram()
{
    callRequest(Request::StartUp);
    std::fesetenv(FE_DFL_ENV);
    initialiseProgramState();
    callRequest(Request::RegisterExitRoutine, &exitRoutine);
    programHeader()->startRoutine();
}

extern "C" int tessaly::programEntry()
{
    program::startProgram();
    callService<Service::MessageLoop>();
    return 0;
}
