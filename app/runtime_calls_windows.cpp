// The door on Windows: the service table of the running runtime.
#include <vector>

#include "app/runtime_calls.h"
#include "runtime/core/service_table.h"

namespace tessaly::program {

TypedValue runCommand(CommandEntry command, std::initializer_list<TypedValue> arguments)
{
    std::vector<TypedValue> records(arguments);
    return callService<Service::CallCoreCommand>(command, static_cast<int32_t>(records.size()), records.data());
}

TypedValue runLibraryCommand(CommandEntry command, std::initializer_list<TypedValue> arguments)
{
    std::vector<TypedValue> records(arguments);
    return callService<Service::CallLibraryCommand>(command, static_cast<int32_t>(records.size()), records.data());
}

void freeBlock(void* block) { callService<Service::Free>(block); }

}  // namespace tessaly::program
