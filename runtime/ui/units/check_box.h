// The check box unit: a standard automatic check box. The control flips its
// check state before it reports the click, so the click event (0) sees the
// new state; setting the checked property sends no click at all.
#pragma once

#include "runtime/ui/type_data.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/units/control_look.h"
#include "runtime/ui/units/row_unit_type.h"

namespace tessaly::ui {

namespace CheckBoxEvent {
inline constexpr int32_t Clicked = 0;
}  // namespace CheckBoxEvent

class CheckBox final : public RowUnit<CheckBoxData> {
public:
    static constexpr const auto& Rows = CheckBoxRows;

    using RowUnit::RowUnit;

    bool create(const UnitCreateParams& params);

    // The check state is the control's: the user changes it.
    CheckBoxData currentData() const;
    bool readLive(int32_t index, PropertyValue& out) const;
    void applyChange(int32_t index);

    bool checked() const { return SendMessageW(handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void setChecked(bool on) { SendMessageW(handle(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    DWORD lookStyle() const;
    void applyFont() { font_.apply(handle(), data_.font); }

    ControlFont font_;
    BackgroundBrush background_;
};

}  // namespace tessaly::ui
