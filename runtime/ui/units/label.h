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
#include "runtime/ui/unit.h"
#include "runtime/ui/units/caption_effect.h"
#include "runtime/ui/units/label_data.h"
#include "runtime/ui/units/property_slots.h"

namespace tessaly::ui {

class Label final : public Unit, public ComposedUnit {
public:
    Label(const UnitType& type, uint32_t windowId, uint32_t unitId, LabelData data);

    bool create(const UnitCreateParams& params);
    const LabelData& data() const { return data_; }
    // Stores one own property (index 8 onward) and shows the change.
    bool write(const PropertyInfo& info, const PropertyValue& value);
    bool read(int32_t index, PropertyValue& out) const;

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
    PropertySlot slot(int32_t index);
    void applyChange(int32_t index);
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

    LabelData data_;
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

class LabelType final : public UnitType {
public:
    uint32_t typeId() const override;
    std::string_view name() const override { return "Label"; }
    uint32_t flags() const override { return UnitTypeFlag::WindowControl | UnitTypeFlag::NoFocus; }
    std::span<const PropertyInfo> properties() const override;

    Unit* create(const UnitCreateParams& params) const override;
    bool setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const override;
    std::vector<uint8_t> currentTypeData(const Unit& unit) const override;
    bool getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const override;
};

}  // namespace tessaly::ui
