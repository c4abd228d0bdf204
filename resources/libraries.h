// The records of the four command libraries the program links, in table order.
#pragma once

#include "runtime/core/program_header.h"

namespace tessaly::program {

extern const LibraryInfo* const libraryTable[4];

}  // namespace tessaly::program
