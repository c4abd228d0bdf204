// The timer: an invisible unit that raises its event 0 at a fixed interval,
// through a Windows timer on its own hidden child window.
#pragma once

#include "runtime/ui/type_data.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/units/row_unit_type.h"

namespace tessaly::ui {

class Timer final : public RowUnit<TimerData> {
public:
    static constexpr const auto& Rows = TimerRows;

    // The Windows timer identifier on the unit's window.
    static constexpr UINT_PTR TimerId = 1000;

    using RowUnit::RowUnit;

    bool create(const UnitCreateParams& params);
    void applyChange(int32_t) { setInterval(data_.interval); }
    int32_t interval() const { return interval_; }
    // A negative interval is 0 (stopped). The interval it already has changes
    // nothing: a running period is not restarted.
    void setInterval(int32_t interval);

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    int32_t interval_ = 0;  // the one running
};

}  // namespace tessaly::ui
