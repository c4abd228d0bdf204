// Painting pieces the display units share: the stored colour and font forms,
// and an off-screen buffer that a unit paints into before one copy to the
// screen, so a caption redrawn many times a second never flickers.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/ui/byte_reader.h"
#include "runtime/ui/win32_handles.h"

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
// 0x00RRGGBB words that gradient code writes directly.
class BackBuffer {
public:
    BackBuffer(HDC compatibleWith, int32_t width, int32_t height);
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;
    ~BackBuffer();

    bool ok() const { return pixels_ != nullptr; }
    HDC dc() const { return dc_.get(); }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    // Direct pixel access; GDI drawing is flushed first.
    uint32_t* row(int32_t y);
    void copyTo(HDC target, int32_t left, int32_t top) const;

private:
    int32_t width_;
    int32_t height_;
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    uint32_t* pixels_ = nullptr;
};

// 0x00BBGGRR to the DIB's 0x00RRGGBB.
constexpr uint32_t dibPixel(COLORREF colour)
{
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

}  // namespace tessaly::ui
