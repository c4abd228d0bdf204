#include "runtime/ui/units/label_painter.h"

#include <string>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/units/gradient.h"
#include "runtime/ui/units/picture_draw.h"

namespace tessaly::ui {
namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

namespace TextEffect {
inline constexpr int32_t RaisedShadow = 1;  // white copy one pixel right and down
inline constexpr int32_t Engraved = 2;      // white copy in place, caption moved one pixel
inline constexpr int32_t DropShadow = 3;    // black copy two pixels right and down
}  // namespace TextEffect

bool hasGradientFrame(const LabelData& data) { return data.border == GradientFrameBorder && data.frameWidth > 0; }

void fillColour(HDC dc, const RECT& area, uint32_t colour)
{
    UniqueBrush brush(CreateSolidBrush(displayColour(colour)));
    FillRect(dc, &area, brush.get());
}

// Step 2: the background picture or gradient; true when it covered the area.
bool paintBackground(BackBuffer& buffer, const RECT& area, const LabelData& data, const PngImage* picture)
{
    if (picture != nullptr) {
        fillColour(buffer.dc(), area, data.backgroundColour);
        drawPicture(buffer.dc(), *picture, area, data.pictureMode);
        return true;
    }
    return fillGradient(buffer, area, data.gradient, data.gradientColours);
}

void drawCaption(HDC dc, const std::wstring& text, RECT area, UINT flags, COLORREF colour, int32_t dx, int32_t dy)
{
    OffsetRect(&area, dx, dy);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, flags);
}

void paintCaption(HDC dc, const RECT& area, const LabelData& data, HFONT font, CaptionOutline& outline)
{
    if (data.caption.empty()) return;
    const std::wstring text = widenGbk(data.caption);
    const UINT flags = labelTextFlags(data);
    SelectedObject selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    RECT place =
        paintCaptionEffect(dc, text, area, flags, data.captionEffect, displayColour(data.effectColour), outline);
    switch (data.textEffect) {
    case TextEffect::RaisedShadow: drawCaption(dc, text, place, flags, White, 1, 1); break;
    case TextEffect::Engraved:
        drawCaption(dc, text, place, flags, White, 0, 0);
        OffsetRect(&place, 1, 1);
        break;
    case TextEffect::DropShadow: drawCaption(dc, text, place, flags, Black, 2, 2); break;
    default: break;
    }
    drawCaption(dc, text, place, flags, displayColour(data.textColour), 0, 0);
}

}  // namespace

UINT labelTextFlags(const LabelData& data)
{
    static constexpr UINT Horizontal[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    static constexpr UINT Vertical[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
    const auto pick = [](const UINT(&table)[3], int32_t choice) { return table[choice >= 0 && choice <= 2 ? choice : 0]; };
    UINT flags = DT_NOCLIP | pick(Horizontal, data.horizontalAlignment);
    if (data.wordWrap != 0) return flags | DT_WORDBREAK | DT_VCENTER;
    return flags | DT_SINGLELINE | pick(Vertical, data.verticalAlignment);
}

void paintLabel(BackBuffer& buffer, const LabelData& data, const PngImage* picture, HFONT font, CaptionOutline& outline)
{
    RECT area{0, 0, buffer.width(), buffer.height()};
    HDC dc = buffer.dc();
    if (hasGradientFrame(data)) {
        // The band stays in the background colour when the frame cannot be drawn.
        fillColour(dc, area, data.backgroundColour);
        drawGradientFrame(buffer, area, data.frameWidth, data.frameColours);
        InflateRect(&area, -data.frameWidth, -data.frameWidth);
    }
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    if (!paintBackground(buffer, area, data, picture)) fillColour(dc, area, data.backgroundColour);
    paintCaption(dc, area, data, font, outline);
    RestoreDC(dc, saved);
}

bool isPlainLabel(const LabelData& data, const PngImage* picture)
{
    return picture == nullptr && !hasGradientFrame(data) && !drawsGradient(data.gradient, data.gradientColours);
}

void paintPlainLabel(HDC dc, const RECT& area, const LabelData& data, HFONT font, CaptionOutline& outline)
{
    fillColour(dc, area, data.backgroundColour);
    paintCaption(dc, area, data, font, outline);
}

}  // namespace tessaly::ui
