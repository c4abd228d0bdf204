// A PNG file decoded into a 32-bit DIB section with premultiplied alpha, the
// form AlphaBlend draws over a unit's background.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "runtime/ui/byte_reader.h"
#include "runtime/core/win32_handles.h"

namespace tessaly::ui {

class PngImage {
public:
    // None when the bytes are not a PNG file libpng can read whole
    // (truncated, corrupt, or implausibly large).
    static std::optional<PngImage> decode(ByteView file);

    HBITMAP bitmap() const { return bitmap_.get(); }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

private:
    PngImage(UniqueBitmap bitmap, int32_t width, int32_t height)
        : bitmap_(std::move(bitmap)), width_(width), height_(height) {}

    UniqueBitmap bitmap_;
    int32_t width_;
    int32_t height_;
};

// True when the bytes start with the PNG signature.
bool looksLikePng(ByteView file);

}  // namespace tessaly::ui
