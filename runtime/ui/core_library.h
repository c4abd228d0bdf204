// The core library's notify routine. The core library is both the commands
// (runtime/core) and the unit types (here); its start-up notification is
// where the window layer and the unit types join the frame.
#pragma once

#include <cstdint>

namespace tessaly::ui {

intptr_t coreLibraryNotify(int32_t code, intptr_t value1, intptr_t value2);

}  // namespace tessaly::ui
