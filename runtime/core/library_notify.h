// The notify routines of the four command libraries. Each keeps the runtime's
// entry from notification 1 for its commands and answers -1 to codes it does
// not handle.
#pragma once

#include <cstdint>

#include "runtime/core/program_header.h"

namespace tessaly {

intptr_t coreLibraryNotify(int32_t code, intptr_t value1, intptr_t value2);
intptr_t applicationLibraryNotify(int32_t code, intptr_t value1, intptr_t value2);
intptr_t specialLibraryNotify(int32_t code, intptr_t value1, intptr_t value2);
intptr_t extensionLibraryNotify(int32_t code, intptr_t value1, intptr_t value2);

// Asks the runtime through the entry the core library received at start-up;
// 0 before it came.
intptr_t askRuntime(int32_t code, intptr_t value1 = 0, intptr_t value2 = 0);

}  // namespace tessaly
