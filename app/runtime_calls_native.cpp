// The door in the native build, where no runtime frame runs: the portable
// commands are called directly, with a zeroed result record as the command
// call provides one.
#include <vector>

#include "app/runtime_calls.h"
#include "runtime/core/memory.h"

namespace tessaly::program {

TypedValue runCommand(CommandEntry command, std::initializer_list<TypedValue> arguments)
{
    std::vector<TypedValue> records(arguments);
    TypedValue result{};
    command(&result, static_cast<int32_t>(records.size()), records.data());
    return result;
}

TypedValue runLibraryCommand(CommandEntry command, std::initializer_list<TypedValue> arguments)
{
    return runCommand(command, arguments);
}

void freeBlock(void* block) { release(block); }

}  // namespace tessaly::program
