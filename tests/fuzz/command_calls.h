// Calling a command as the program does (a zeroed result record, the
// arguments in order) and taking back the text it hands over, freed once.
#pragma once

#include <string>
#include <vector>

#include "runtime/core/commands/commands.h"
#include "runtime/core/memory.h"

namespace tessaly::fuzzing {

inline TypedValue call(commands::Command* command, std::vector<TypedValue> arguments)
{
    TypedValue result{};
    command(&result, static_cast<int32_t>(arguments.size()), arguments.data());
    return result;
}

inline std::string takeText(const TypedValue& result)
{
    char* characters = result.pointer<char>();
    std::string copy = characters == nullptr ? std::string{} : std::string{characters};
    release(characters);
    return copy;
}

}  // namespace tessaly::fuzzing
