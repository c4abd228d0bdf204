// The process heap, with no flags and no header of our own.
#include <windows.h>

#include "runtime/core/memory.h"

namespace tessaly::heap {

void* allocate(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size == 0 ? 1 : size); }

void* reallocate(void* block, size_t size) { return HeapReAlloc(GetProcessHeap(), 0, block, size == 0 ? 1 : size); }

void release(void* block) { HeapFree(GetProcessHeap(), 0, block); }

}  // namespace tessaly::heap
