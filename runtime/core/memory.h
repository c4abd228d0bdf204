// The one allocator behind every value block, whoever allocates or frees it.
// Blocks inside the program's constant data range belong to the program image:
// freeing them does nothing and resizing them makes a fresh copy.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessaly {

struct ConstantRange {
    const std::byte* start = nullptr;
    const std::byte* end = nullptr;

    bool contains(const void* p) const
    {
        const auto* b = static_cast<const std::byte*>(p);
        return start != nullptr && b >= start && b < end;
    }
};

void setConstantRange(ConstantRange range);
ConstantRange constantRange();

// Allocation failure is a fatal runtime error: these never return null.
void* allocate(intptr_t size);
void* reallocate(void* block, intptr_t size);
// Returns null on failure instead of reporting.
void* allocateUnchecked(intptr_t size);
void release(void* block);

// The heap underneath: the process heap on Windows, the C heap elsewhere.
namespace heap {
void* allocate(size_t size);
void* reallocate(void* block, size_t size);
void release(void* block);
}  // namespace heap

}  // namespace tessaly
