// The timer: an invisible unit that raises its event 0 at a fixed interval,
// through a Windows timer on its own hidden child window.
#pragma once

#include "runtime/ui/unit.h"
#include "runtime/ui/units/timer_data.h"

namespace tessaly::ui {

class Timer final : public Unit {
public:
    using Data = TimerData;
    static constexpr const auto& Rows = TimerRows;

    // The Windows timer identifier on the unit's window.
    static constexpr UINT_PTR TimerId = 1000;

    Timer(const UnitType& type, uint32_t windowId, uint32_t unitId, TimerData data)
        : Unit(type, windowId, unitId), data_(data) {}

    bool create(const UnitCreateParams& params);
    TimerData& data() { return data_; }
    const TimerData& data() const { return data_; }
    void applyChange(int32_t) { setInterval(data_.interval); }
    int32_t interval() const { return interval_; }
    // A negative interval is 0 (stopped). The interval it already has changes
    // nothing: a running period is not restarted.
    void setInterval(int32_t interval);

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    TimerData data_;
    int32_t interval_ = 0;  // the one running
};

}  // namespace tessaly::ui
