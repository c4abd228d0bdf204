#include "runtime/ui/units/unit_paint.h"

#include <algorithm>
#include <cstring>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {
namespace {

constexpr size_t LogFontFaceAt = 28;
constexpr size_t LogFontFaceSize = 32;

}  // namespace

COLORREF displayColour(uint32_t colour)
{
    if (colour == ButtonFaceColour) return GetSysColor(COLOR_BTNFACE);
    return colour & 0x00FFFFFF;
}

namespace {

LOGFONTW storedLogFont(ByteView logFont)
{
    // The numeric fields of LOGFONTA and LOGFONTW are the same; only the face differs.
    LOGFONTW font{};
    std::memcpy(&font, logFont.data(), LogFontFaceAt);
    const auto* face = reinterpret_cast<const char*>(logFont.data() + LogFontFaceAt);
    const std::wstring wide = widenGbk(std::string_view(face, strnlen(face, LogFontFaceSize)));
    const size_t n = std::min(wide.size(), static_cast<size_t>(LF_FACESIZE - 1));
    std::copy_n(wide.begin(), n, font.lfFaceName);
    return font;
}

}  // namespace

UniqueFont createStoredFont(ByteView logFont)
{
    if (logFont.size() != LogFontSize) return {};
    const LOGFONTW font = storedLogFont(logFont);
    return UniqueFont(CreateFontIndirectW(&font));
}

UniqueFont createUnsmoothedFont(ByteView logFont)
{
    LOGFONTW font{};
    if (logFont.size() == LogFontSize)
        font = storedLogFont(logFont);
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfQuality = NONANTIALIASED_QUALITY;
    return UniqueFont(CreateFontIndirectW(&font));
}

HFONT fontOrDefault(const UniqueFont& font)
{
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

BackBuffer::BackBuffer(HDC compatibleWith, int32_t width, int32_t height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), dc_(CreateCompatibleDC(compatibleWith))
{
    if (!dc_) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down: row 0 is the top line
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_) return;
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    pixels_ = static_cast<uint32_t*>(bits);
}

BackBuffer::~BackBuffer()
{
    if (previous_ != nullptr) SelectObject(dc_.get(), previous_);
}

uint32_t* BackBuffer::row(int32_t y)
{
    GdiFlush();
    return pixels_ + static_cast<size_t>(y) * static_cast<size_t>(width_);
}

void BackBuffer::copyTo(HDC target, int32_t left, int32_t top) const
{
    BitBlt(target, left, top, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace tessaly::ui
