// The label: a self-painted text unit. Every caption the program shows is a
// copy of one, so it paints through an off-screen buffer (no flicker while a
// caption scrolls) and keeps the mouse while its left button is held (a
// caption dragged quickly past its own edge keeps moving). On a layered
// window the window paints it (see composition.h): its own window then stays
// hidden, and the label keeps whether it shows itself.
#pragma once

#include <optional>

#include "runtime/ui/composition.h"
#include "runtime/ui/png_image.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/units/caption_effect.h"
#include "runtime/ui/units/row_unit_type.h"

namespace tessaly::ui {

class Label final : public RowUnit<LabelData>, public ComposedUnit {
public:
    static constexpr const auto& Rows = LabelRows;

    Label(const UnitType& type, uint32_t windowId, uint32_t unitId, LabelData data);

    bool create(const UnitCreateParams& params);
    // Shows a property just stored (index 8 onward).
    void applyChange(int32_t index);

    bool shown() const override;
    void show(bool visible) override;
    void composeInto(Composition* composition) override;

    Unit& unit() override { return *this; }
    RECT composedPlace() const override { return placement(); }
    bool composedShown() const override { return shown_; }
    bool covers(POINT point) const override;
    POINT clientOrigin() const override;
    void paintComposed(HDC dc, POINT corner, std::optional<COLORREF> colourKey) override;

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // While it holds the mouse the window follows at once: the system gives
    // the mouse's place relative to where the window stands.
    bool keepsPlacementWhileHidden() const override { return !holdsMouse_; }
    void placementChanged(const RECT& from, const RECT& to) override;

private:
    void repaint();
    void joinComposition(Composition& composition, bool onTop);
    void leaveComposition();
    void onWindowMoved(const WINDOWPOS& change);
    void readShape();
    // The frame around the client area, as the window's style bits give it.
    RECT frameWidths() const;
    SIZE clientSize() const;
    void paint(HDC target, const RECT& client, bool onColourKey, bool direct);
    void onPaint();
    LRESULT onFeedback(WPARAM wParam, LPARAM lParam);
    void measureCaption(SIZE& size);
    bool backgroundIsColourKey() const;
    bool paintsDirectly() const;
    HFONT storedFont();
    HFONT captionFont(bool onColourKey);

    std::optional<PngImage> picture_;
    // Both fonts are made when first needed after the font changed: a caption
    // is given its font part by part (face, size, weight, ...), and making a
    // font for every part made loading many captions slow.
    UniqueFont font_;
    bool fontMade_ = false;
    UniqueFont unsmoothedFont_;
    CaptionOutline outline_;
    // Painted by its window: whether it shows, and its window region.
    Composition* composition_ = nullptr;
    bool shown_ = false;
    UniqueRegion shape_;
    bool holdsMouse_ = false;
};

}  // namespace tessaly::ui
