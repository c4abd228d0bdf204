// Painting pieces the display units share: the stored colour and font forms,
// and an off-screen buffer that a unit paints into before one copy to the
// screen, so a caption redrawn many times a second never flickers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "runtime/ui/byte_reader.h"
#include "runtime/ui/dib_surface.h"
#include "runtime/core/win32_handles.h"

namespace tessaly::ui {

// 0xFF000000 is the system button-face colour; other values are COLORREFs.
COLORREF displayColour(uint32_t colour);

// A font from a stored 60-byte LOGFONT whose face name is GBK; empty when
// none is stored, which means the default GUI font.
UniqueFont createStoredFont(ByteView logFont);
// The same font drawn without smoothing: every pixel it sets is exactly the
// text colour (made from the default GUI font when none is stored).
UniqueFont createUnsmoothedFont(ByteView logFont);
HFONT fontOrDefault(const UniqueFont& font);

// A 32-bit top-down DIB section selected into a memory DC; its pixels are
// 0x00RRGGBB words that gradient code writes directly. Every paint starts
// from black pixels and the memory DC's state as it was, as a new section
// would. The section itself is kept and lent to the next paint: making one
// for every paint costs more than the painting (a label's paint under Wine
// took half as long again), and scrolling captions paint all the time.
class BackBuffer {
public:
    BackBuffer(HDC compatibleWith, int32_t width, int32_t height);
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;
    ~BackBuffer();

    // Lent to one paint at a time.
    struct Surface : DibSurface {
        bool lent = false;
    };

    bool ok() const { return surface_ != nullptr; }
    HDC dc() const;
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    // Direct pixel access; GDI drawing is flushed first.
    uint32_t* row(int32_t y);
    void copyTo(HDC target, int32_t left, int32_t top) const;

private:
    int32_t width_;
    int32_t height_;
    std::unique_ptr<Surface> own_;  // only while the kept one is lent out already
    Surface* surface_ = nullptr;
    int savedState_ = 0;
};

// 0x00BBGGRR to the DIB's 0x00RRGGBB.
constexpr uint32_t dibPixel(COLORREF colour)
{
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

}  // namespace tessaly::ui
