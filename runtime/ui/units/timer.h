// The timer: an invisible unit that raises its event 0 at a fixed interval,
// through a Windows timer on its own hidden child window.
#pragma once

#include "runtime/ui/unit.h"
#include "runtime/ui/units/timer_data.h"

namespace tessaly::ui {

class Timer final : public Unit {
public:
    // The Windows timer identifier on the unit's window.
    static constexpr UINT_PTR TimerId = 1000;

    Timer(const UnitType& type, uint32_t windowId, uint32_t unitId) : Unit(type, windowId, unitId) {}

    bool create(const UnitCreateParams& params, int32_t interval);
    int32_t interval() const { return interval_; }
    // A negative interval is 0 (stopped). The interval it already has changes
    // nothing: a running period is not restarted.
    void setInterval(int32_t interval);

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    int32_t interval_ = 0;
};

class TimerType final : public UnitType {
public:
    uint32_t typeId() const override;
    std::string_view name() const override { return "Timer"; }
    uint32_t flags() const override { return UnitTypeFlag::WindowControl | UnitTypeFlag::NeverVisible | UnitTypeFlag::NoFocus; }
    std::span<const PropertyInfo> properties() const override;

    Unit* create(const UnitCreateParams& params) const override;
    bool setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const override;
    std::vector<uint8_t> currentTypeData(const Unit& unit) const override;
    bool getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const override;
};

}  // namespace tessaly::ui
