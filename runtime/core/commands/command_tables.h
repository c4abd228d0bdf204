// The command tables of the libraries the program links, indexed by the
// entry numbers the program calls them by.
#pragma once

#include <cstddef>

#include "runtime/core/program_header.h"

namespace tessaly {

inline constexpr size_t CoreCommandCount = 54;
inline constexpr size_t ApplicationInterfaceCommandCount = 13;
inline constexpr size_t ExtensionOneCommandCount = 2;

extern const CommandEntry coreCommandTable[CoreCommandCount];
extern const CommandEntry applicationInterfaceCommandTable[ApplicationInterfaceCommandCount];
extern const CommandEntry extensionOneCommandTable[ExtensionOneCommandCount];

}  // namespace tessaly
