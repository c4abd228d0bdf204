#include "runtime/core/memory.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "runtime/core/runtime_error.h"

namespace tessaly {
namespace {

ConstantRange g_constants;

[[noreturn]] void reportAllocationFailure(intptr_t size)
{
    char message[100];
    std::snprintf(message, sizeof message, "分配 %lld 字节内存失败!",
                  static_cast<long long>(size));
    reportRuntimeError(message, 0, 0, 0);
}

}  // namespace

void setConstantRange(ConstantRange range) { g_constants = range; }
ConstantRange constantRange() { return g_constants; }

void* allocateUnchecked(intptr_t size)
{
    if (size < 0) return nullptr;
    return heap::allocate(static_cast<size_t>(size));
}

void* allocate(intptr_t size)
{
    void* block = allocateUnchecked(size);
    if (block == nullptr) reportAllocationFailure(size);
    return block;
}

void* reallocate(void* block, intptr_t size)
{
    if (block == nullptr) return allocate(size);
    if (g_constants.contains(block)) {
        // A literal is never resized: copy what lies inside the image.
        void* copy = allocate(size);
        const auto available = g_constants.end - static_cast<const std::byte*>(block);
        std::memcpy(copy, block, static_cast<size_t>(std::min<intptr_t>(size, available)));
        return copy;
    }
    void* moved = size < 0 ? nullptr : heap::reallocate(block, static_cast<size_t>(size));
    if (moved == nullptr) reportAllocationFailure(size);
    return moved;
}

void release(void* block)
{
    if (block == nullptr || g_constants.contains(block)) return;
    heap::release(block);
}

}  // namespace tessaly
