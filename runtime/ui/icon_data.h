// Icons from the bytes of an icon (or cursor) file, as windows and the
// notification area take them.
#pragma once

#include <cstdint>
#include <span>

#include "runtime/core/win32_handles.h"

namespace tessaly::ui {

// The image of the file that best fits the size; none when the bytes hold no
// readable icon or cursor. Cursor files are accepted after icon files.
UniqueIcon iconFromFileBytes(std::span<const uint8_t> bytes, int width = 0, int height = 0);

}  // namespace tessaly::ui
