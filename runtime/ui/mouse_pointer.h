// A unit's mouse pointer: the pointer data the program reads and writes (a
// kind, or -1 and a cursor file) and the stored form that keeps system
// cursor identifiers instead of kinds.
#pragma once

#include <cstdint>

#include "runtime/ui/byte_reader.h"
#include "runtime/core/win32_handles.h"

namespace tessaly::ui {

// Program form -> stored form (kinds 1-14 become cursor identifiers).
Bytes storedPointer(ByteView programForm);
// Stored form -> program form (identifiers become kinds again).
Bytes programPointer(ByteView storedForm);

// The cursor a stored pointer names; null for the default pointer. System
// cursors are shared and must not be destroyed: `owned` tells.
struct LoadedPointer {
    HCURSOR cursor = nullptr;
    bool owned = false;
};
LoadedPointer loadPointer(ByteView storedForm);
void releasePointer(uintptr_t slot);

// The pointer slot word keeps the cursor and whether it is owned (bit 0).
uintptr_t pointerSlotWord(const LoadedPointer& pointer);
HCURSOR cursorOfSlot(uintptr_t slot);

}  // namespace tessaly::ui
