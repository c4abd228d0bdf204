// The group box: a captioned frame around other units, and the one container
// type. It is a standard group-box button that paints itself, so its text and
// background colours hold with or without visual styles.
#pragma once

#include "runtime/core/win32_handles.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/units/row_unit_type.h"

namespace tessaly::ui {

class GroupBox final : public RowUnit<GroupBoxData> {
public:
    static constexpr const auto& Rows = GroupBoxRows;

    GroupBox(const UnitType& type, uint32_t windowId, uint32_t unitId, GroupBoxData data);

    bool create(const UnitCreateParams& params);
    void applyChange(int32_t index);

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void paintFrame(HDC dc, const RECT& client);
    void paint(HDC target);
    void onPaint();

    UniqueBrush background_;
    UniqueFont font_;
};

}  // namespace tessaly::ui
