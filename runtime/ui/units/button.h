// The button unit: a standard push button (the default button of its window
// when asked), whose click comes back to it from the window as a reflected
// BN_CLICKED and is raised as its event 0.
#pragma once

#include "runtime/ui/type_data.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/units/control_look.h"
#include "runtime/ui/units/row_unit_type.h"

namespace tessaly::ui {

namespace ButtonEvent {
inline constexpr int32_t Clicked = 0;
}  // namespace ButtonEvent

// BS_LEFT / BS_CENTER / BS_RIGHT and BS_TOP / BS_VCENTER / BS_BOTTOM for the
// alignment choices 0-2, as button and check box share them.
DWORD horizontalAlignmentStyle(int32_t choice);
DWORD verticalAlignmentStyle(int32_t choice);
inline constexpr DWORD AlignmentStyleMask = BS_CENTER | BS_VCENTER;

class Button final : public RowUnit<ButtonData> {
public:
    static constexpr const auto& Rows = ButtonRows;

    using RowUnit::RowUnit;

    bool create(const UnitCreateParams& params);

    void applyChange(int32_t index);

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void applyAlignment();
    void applyFont() { font_.apply(handle(), data_.font); }

    ControlFont font_;
};

}  // namespace tessaly::ui
