// Makes use after free and double deletion in the code under test fail at
// once instead of passing by luck. While a GuardedHeap is in scope, every
// block that operator new hands out lies on pages of its own, and operator
// delete decommits those pages instead of returning them: a later read, write
// or second delete through a dangling pointer faults, and the fault ends the
// test program with a message (no crash dialog waits for a click).
//
// Linking guarded_heap.cpp replaces the global operator new and delete of the
// whole test program; outside a GuardedHeap they serve from the C heap.
#pragma once

namespace tessaly::ui::testing {

class GuardedHeap {
public:
    GuardedHeap();
    ~GuardedHeap();
    GuardedHeap(const GuardedHeap&) = delete;
    GuardedHeap& operator=(const GuardedHeap&) = delete;
};

}  // namespace tessaly::ui::testing
