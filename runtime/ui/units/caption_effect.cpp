#include "runtime/ui/units/caption_effect.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tessaly::ui {
namespace {

int32_t outlineWidth(int32_t characterHeight) { return std::max(1, characterHeight / 20); }
int32_t shadowOffset(int32_t characterHeight) { return std::max(2, (characterHeight + 5) / 10); }

// One memory DC serves every mask: making one costs round trips to the
// window server, selecting a bitmap into it none.
HDC maskDc()
{
    static const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    return dc.get();
}

RECT widened(RECT place, int32_t width)
{
    InflateRect(&place, width, width);
    return place;
}

void drawText(HDC dc, const std::wstring& text, RECT place, UINT flags, int32_t dx, int32_t dy)
{
    OffsetRect(&place, dx, dy);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, flags);
}

// A top-down one-bit picture whose bits can be read: 0 black, 1 white.
class BitMask {
public:
    BitMask(int32_t width, int32_t height) : width_(width), height_(height), stride_(((width + 31) / 32) * 4)
    {
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colours[2];
        } info{};
        info.header = {sizeof info.header, width, -height, 1, 1, BI_RGB};
        info.colours[1] = {255, 255, 255, 0};
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(maskDc(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const uint8_t*>(bits);
    }
    bool ok() const { return bits_ != nullptr; }
    HBITMAP bitmap() const { return bitmap_.get(); }
    bool set(int32_t x, int32_t y) const { return (bits_[y * stride_ + x / 8] & (0x80 >> (x % 8))) != 0; }

    // The set bits as rectangles, rows with the same runs joined into one band.
    std::vector<RECT> runs(POINT origin) const
    {
        GdiFlush();
        std::vector<RECT> rects;
        size_t bandStart = 0;
        for (int32_t y = 0; y < height_; ++y) {
            std::vector<RECT> row;
            for (int32_t x = 0; x < width_;) {
                if (x % 8 == 0 && bits_[y * stride_ + x / 8] == 0) {
                    x += 8;
                    continue;
                }
                if (!set(x, y)) {
                    ++x;
                    continue;
                }
                const int32_t from = x;
                while (x < width_ && set(x, y)) ++x;
                row.push_back({origin.x + from, origin.y + y, origin.x + x, origin.y + y + 1});
            }
            if (!row.empty() && sameRuns(rects, bandStart, row)) {
                for (size_t i = bandStart; i < rects.size(); ++i) rects[i].bottom = row[0].bottom;
                continue;
            }
            bandStart = rects.size();
            rects.insert(rects.end(), row.begin(), row.end());
        }
        return rects;
    }

private:
    // Whether the band starting at `start` ends right above `row` with the same runs.
    static bool sameRuns(const std::vector<RECT>& rects, size_t start, const std::vector<RECT>& row)
    {
        if (rects.size() - start != row.size() || rects[start].bottom != row[0].top) return false;
        for (size_t i = 0; i < row.size(); ++i)
            if (rects[start + i].left != row[i].left || rects[start + i].right != row[i].right) return false;
        return true;
    }

    int32_t width_, height_, stride_;
    UniqueBitmap bitmap_;
    const uint8_t* bits_ = nullptr;
};

UniqueRegion regionOf(const std::vector<RECT>& rects)
{
    std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects.size()), 0, {}};
    std::memcpy(region->Buffer, rects.data(), rects.size() * sizeof(RECT));
    return UniqueRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region));
}

}  // namespace

EffectMargins captionEffectMargins(int32_t effect, int32_t characterHeight)
{
    if (effect == CaptionEffect::Outline) {
        const int32_t w = outlineWidth(characterHeight);
        return {w, w, w, w};
    }
    if (effect == CaptionEffect::Shadow) {
        const int32_t s = shadowOffset(characterHeight);
        return {0, 0, s, s};
    }
    return {};
}

EffectMargins captionEffectMargins(HDC dc, int32_t effect)
{
    if (effect != CaptionEffect::Outline && effect != CaptionEffect::Shadow) return {};
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return captionEffectMargins(effect, metrics.tmHeight - metrics.tmInternalLeading);
}

bool CaptionOutline::madeFor(const std::wstring& text, const RECT& place, UINT flags, HFONT font, int32_t width) const
{
    return shape_ && text == text_ && EqualRect(&place, &place_) && flags == flags_ && font == font_ && width == width_;
}

// The letters written once at every offset within `width` of their place
// (a disc, rounded out so that one pixel covers the diagonals too), and the
// pixels they set taken as a region.
void CaptionOutline::spread(const std::wstring& text, const RECT& place, UINT flags, HFONT font, int32_t width)
{
    shape_.reset();
    const RECT bounds = widened(place, width);
    const BitMask mask(bounds.right - bounds.left, bounds.bottom - bounds.top);
    if (!mask.ok()) return;
    {
        HDC dc = maskDc();
        const SelectedObject bitmap(dc, mask.bitmap());
        const SelectedObject selectedFont(dc, font);
        PatBlt(dc, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top, BLACKNESS);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        RECT local = place;
        OffsetRect(&local, -bounds.left, -bounds.top);
        for (int32_t dy = -width; dy <= width; ++dy)
            for (int32_t dx = -width; dx <= width; ++dx)
                if (dx * dx + dy * dy <= width * (width + 1)) drawText(dc, text, local, flags, dx, dy);
    }
    shape_ = regionOf(mask.runs({bounds.left, bounds.top}));
    text_ = text;
    place_ = place;
    flags_ = flags;
    font_ = font;
    width_ = width;
}

void CaptionOutline::paint(HDC dc, const std::wstring& text, const RECT& place, UINT flags, int32_t width,
                           COLORREF colour)
{
    const auto font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    if (!madeFor(text, place, flags, font, width)) spread(text, place, flags, font, width);
    if (!shape_) return;
    const UniqueBrush brush(CreateSolidBrush(colour));
    FillRgn(dc, shape_.get(), brush.get());
}

RECT paintCaptionEffect(HDC dc, const std::wstring& text, const RECT& area, UINT flags, int32_t effect,
                        COLORREF colour, CaptionOutline& outline)
{
    const EffectMargins m = captionEffectMargins(dc, effect);
    RECT place{area.left + m.left, area.top + m.top, area.right - m.right, area.bottom - m.bottom};
    place.right = std::max(place.left, place.right);
    place.bottom = std::max(place.top, place.bottom);
    if (effect == CaptionEffect::Outline) {
        outline.paint(dc, text, place, flags, m.left, colour);
    } else if (effect == CaptionEffect::Shadow) {
        SetTextColor(dc, colour);
        drawText(dc, text, place, flags, m.right, m.bottom);
    }
    return place;
}

}  // namespace tessaly::ui
