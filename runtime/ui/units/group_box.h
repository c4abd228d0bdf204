// The group box: a captioned frame around other units, and the one container
// type. It is a standard group-box button that paints itself, so its text and
// background colours hold with or without visual styles.
#pragma once

#include "runtime/ui/unit.h"
#include "runtime/ui/units/group_box_data.h"
#include "runtime/ui/units/property_slots.h"
#include "runtime/ui/win32_handles.h"

namespace tessaly::ui {

class GroupBox final : public Unit {
public:
    GroupBox(const UnitType& type, uint32_t windowId, uint32_t unitId, GroupBoxData data);

    bool create(const UnitCreateParams& params);
    const GroupBoxData& data() const { return data_; }
    bool write(const PropertyInfo& info, const PropertyValue& value);
    bool read(int32_t index, PropertyValue& out) const;

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    PropertySlot slot(int32_t index);
    void applyChange(int32_t index);
    void paintFrame(HDC dc, const RECT& client);
    void paint(HDC target);
    void onPaint();

    GroupBoxData data_;
    UniqueBrush background_;
    UniqueFont font_;
};

class GroupBoxType final : public UnitType {
public:
    uint32_t typeId() const override;
    std::string_view name() const override { return "GroupBox"; }
    uint32_t flags() const override { return UnitTypeFlag::WindowControl | UnitTypeFlag::NoFocus | UnitTypeFlag::Container; }
    std::span<const PropertyInfo> properties() const override;

    Unit* create(const UnitCreateParams& params) const override;
    bool setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const override;
    std::vector<uint8_t> currentTypeData(const Unit& unit) const override;
    bool getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const override;
};

}  // namespace tessaly::ui
