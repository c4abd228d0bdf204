// A caption's outline or shadow in a colour of its own, so that a caption
// reads over a light and over a dark desktop alike. The outline is the
// letters in the effect colour spread a few pixels on every side, under the
// text; the shadow is the letters in the effect colour moved right and down.
// Both are written in the caption's own font, so a caption on its window's
// colour key (written unsmoothed) shows only the effect colour and the text
// colour, never a rim of blended key colour.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "runtime/core/win32_handles.h"

namespace tessaly::ui {

namespace CaptionEffect {
inline constexpr int32_t None = 0;
inline constexpr int32_t Shadow = 1;
inline constexpr int32_t Outline = 2;
}  // namespace CaptionEffect

// The room an effect takes beyond the letters, on each side.
struct EffectMargins {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};
// For letters `characterHeight` pixels high: an outline of one pixel, a
// twentieth of the height for large letters; a shadow a tenth of the height
// away, at least two pixels.
EffectMargins captionEffectMargins(int32_t effect, int32_t characterHeight);
// For the font selected into `dc`.
EffectMargins captionEffectMargins(HDC dc, int32_t effect);

// The outline's letters are spread into a one-bit mask when the caption, its
// font or its place change, and the mask's pixels kept as a region that each
// paint fills: a scrolling caption paints at every tick, and writing the
// letters once for every pixel of the outline's width each time cost dozens
// of texts a paint (painting through the mask itself, a blit with the brush,
// still cost seven to forty-six times the caption alone under Wine).
class CaptionOutline {
public:
    // Paints the outline of `text` as DrawText writes it in `place` with
    // `flags` and the font selected into `dc`, `width` pixels wide.
    void paint(HDC dc, const std::wstring& text, const RECT& place, UINT flags, int32_t width, COLORREF colour);
    // The font changed: a new one may come back under the old one's handle.
    void forget() { shape_.reset(); }

private:
    bool madeFor(const std::wstring& text, const RECT& place, UINT flags, HFONT font, int32_t width) const;
    void spread(const std::wstring& text, const RECT& place, UINT flags, HFONT font, int32_t width);

    UniqueRegion shape_;  // in the coordinates of the DC painted on
    std::wstring text_;
    RECT place_{};
    UINT flags_ = 0;
    HFONT font_ = nullptr;
    int32_t width_ = 0;
};

// Paints the effect behind the caption (the outline through `outline`) and
// answers where the caption itself goes: `area` less the effect's margins,
// so that the caption with its effect keeps to the label's alignment.
RECT paintCaptionEffect(HDC dc, const std::wstring& text, const RECT& area, UINT flags, int32_t effect,
                        COLORREF colour, CaptionOutline& outline);

}  // namespace tessaly::ui
