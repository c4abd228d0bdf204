#include "runtime/ui/units/unit_paint.h"

#include <algorithm>
#include <cstring>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/type_data_io.h"

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

namespace {

// The largest section kept between paints (4 MiB of pixels): a unit larger
// than that paints on a section of its own, so one huge paint does not keep
// its memory for the rest of the run.
constexpr int64_t KeptPixelLimit = int64_t{1} << 20;

// The section kept between paints; painting happens on the one window thread.
BackBuffer::Surface& keptSurface()
{
    static BackBuffer::Surface surface;
    return surface;
}

}  // namespace

BackBuffer::BackBuffer(HDC compatibleWith, int32_t width, int32_t height)
    : width_(std::max(width, 1)), height_(std::max(height, 1))
{
    Surface* surface = &keptSurface();
    const bool tooLarge = int64_t{width_} * height_ > KeptPixelLimit;
    if (surface->lent || tooLarge) {  // a paint inside a paint, or a huge one
        own_ = std::make_unique<Surface>();
        surface = own_.get();
    }
    if (!surface->fit(compatibleWith, width_, height_)) return;
    surface->lent = true;
    surface_ = surface;
    savedState_ = SaveDC(surface->dc());
    GdiFlush();
    for (int32_t y = 0; y < height_; ++y) std::fill_n(row(y), width_, 0u);
}

BackBuffer::~BackBuffer()
{
    if (surface_ == nullptr) return;
    RestoreDC(surface_->dc(), savedState_);
    surface_->lent = false;
}

HDC BackBuffer::dc() const { return surface_->dc(); }

uint32_t* BackBuffer::row(int32_t y) { return surface_->row(y); }

void BackBuffer::copyTo(HDC target, int32_t left, int32_t top) const
{
    BitBlt(target, left, top, width_, height_, surface_->dc(), 0, 0, SRCCOPY);
}

}  // namespace tessaly::ui
