// The command call of slots 2 and 3, and the resolution of DLL commands.
#pragma once

#include <cstdint>

#include "runtime/core/program_header.h"

namespace tessaly {

// Provides a zeroed result record, calls the command and hands back the result.
TypedValue callCommand(CommandEntry command, int32_t count, TypedValue* arguments);

// The function address of DLL command `index`, resolved on first use.
void* resolveDllCommand(int32_t index);

}  // namespace tessaly
