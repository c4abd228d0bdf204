// The C heap, for the native build of the platform-free code.
#include <cstdlib>

#include "runtime/core/memory.h"

namespace tessaly::heap {

void* allocate(size_t size) { return std::malloc(size == 0 ? 1 : size); }

void* reallocate(void* block, size_t size) { return std::realloc(block, size == 0 ? 1 : size); }

void release(void* block) { std::free(block); }

}  // namespace tessaly::heap
