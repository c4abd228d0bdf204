// A 32-bit top-down DIB section selected into a memory DC: what painting
// off-screen draws on. It grows to the largest size asked of it and is kept,
// since making a section costs more than most paints.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/core/win32_handles.h"

namespace tessaly::ui {

class DibSurface {
public:
    DibSurface() = default;
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;
    ~DibSurface() { release(); }

    // A section of at least this size; false, and none, when it cannot be made.
    bool fit(HDC compatibleWith, int32_t width, int32_t height);
    void release();

    HDC dc() const { return dc_.get(); }
    // 0x00RRGGBB words, row by row from the top; GDI drawing is flushed first.
    uint32_t* row(int32_t y) const;
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

private:
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    uint32_t* pixels_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

}  // namespace tessaly::ui
