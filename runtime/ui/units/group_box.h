// The group box: a captioned frame around other units, and the one container
// type. It is a standard group-box button that paints itself, so its text and
// background colours hold with or without visual styles.
#pragma once

#include "runtime/ui/unit.h"
#include "runtime/ui/units/group_box_data.h"
#include "runtime/ui/win32_handles.h"

namespace tessaly::ui {

class GroupBox final : public Unit {
public:
    using Data = GroupBoxData;
    static constexpr const auto& Rows = GroupBoxRows;

    GroupBox(const UnitType& type, uint32_t windowId, uint32_t unitId, GroupBoxData data);

    bool create(const UnitCreateParams& params);
    GroupBoxData& data() { return data_; }
    const GroupBoxData& data() const { return data_; }
    void applyChange(int32_t index);

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void paintFrame(HDC dc, const RECT& client);
    void paint(HDC target);
    void onPaint();

    GroupBoxData data_;
    UniqueBrush background_;
    UniqueFont font_;
};

}  // namespace tessaly::ui
