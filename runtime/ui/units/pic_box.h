// The picture box: shows one picture (PNG) over its background colour, in
// one of three display modes.
#pragma once

#include <optional>

#include "runtime/ui/png_image.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/units/pic_box_data.h"
#include "runtime/ui/units/property_slots.h"

namespace tessaly::ui {

class PicBox final : public Unit {
public:
    PicBox(const UnitType& type, uint32_t windowId, uint32_t unitId, PicBoxData data);

    bool create(const UnitCreateParams& params);
    const PicBoxData& data() const { return data_; }
    bool hasPicture() const { return picture_.has_value(); }
    bool write(const PropertyInfo& info, const PropertyValue& value);
    bool read(int32_t index, PropertyValue& out) const;

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    PropertySlot slot(int32_t index);
    void applyChange(int32_t index);
    void paint(HDC target);
    void onPaint();

    PicBoxData data_;
    std::optional<PngImage> picture_;
    UniqueBrush background_;
};

class PicBoxType final : public UnitType {
public:
    uint32_t typeId() const override;
    std::string_view name() const override { return "PicBox"; }
    uint32_t flags() const override { return UnitTypeFlag::WindowControl | UnitTypeFlag::NoFocus; }
    std::span<const PropertyInfo> properties() const override;

    Unit* create(const UnitCreateParams& params) const override;
    bool setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const override;
    std::vector<uint8_t> currentTypeData(const Unit& unit) const override;
    bool getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const override;
};

}  // namespace tessaly::ui
