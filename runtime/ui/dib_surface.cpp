#include "runtime/ui/dib_surface.h"

#include <algorithm>

namespace tessaly::ui {

bool DibSurface::fit(HDC compatibleWith, int32_t width, int32_t height)
{
    if (pixels_ != nullptr && width <= width_ && height <= height_) return true;
    width = std::max(width, width_);
    height = std::max(height, height_);
    release();
    dc_.reset(CreateCompatibleDC(compatibleWith));
    if (!dc_) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top line
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_) return false;
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    pixels_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

void DibSurface::release()
{
    if (previous_ != nullptr) SelectObject(dc_.get(), previous_);
    previous_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    pixels_ = nullptr;
    width_ = height_ = 0;
}

uint32_t* DibSurface::row(int32_t y) const
{
    GdiFlush();
    return pixels_ + static_cast<size_t>(y) * static_cast<size_t>(width_);
}

}  // namespace tessaly::ui
