#include "runtime/ui/units/timer.h"

#include <algorithm>
#include <memory>

#include "runtime/ui/identifiers.h"
#include "runtime/ui/unit_class.h"

namespace tessaly::ui {
namespace {

constexpr PropertyInfo TimerProperties[] = {
    {8, PropertyKind::Integer, "interval"},
};

constexpr wchar_t TimerClass[] = L"_QX_Timer";
constexpr int32_t IntervalIndex = 8;

}  // namespace

bool Timer::create(const UnitCreateParams& params, int32_t interval)
{
    if (!ensureUnitClass(TimerClass, CS_DBLCLKS, &Unit::unitProcedure)) return false;
    UnitCreateParams hidden = params;
    hidden.style &= ~WS_VISIBLE;  // never shown, whatever the record says
    if (!createWindow(0, TimerClass, L"", WS_CHILD, hidden)) return false;
    setInterval(interval);
    return true;
}

void Timer::setInterval(int32_t interval)
{
    interval = std::max(interval, 0);
    if (interval == interval_) return;
    KillTimer(handle(), TimerId);
    interval_ = interval;
    if (interval_ > 0) SetTimer(handle(), TimerId, static_cast<UINT>(interval_), nullptr);
}

bool Timer::handleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message != WM_TIMER || wParam != TimerId) return false;
    fire(0);
    result = 0;
    return true;
}

uint32_t TimerType::typeId() const { return TypeId::Timer; }

std::span<const PropertyInfo> TimerType::properties() const { return TimerProperties; }

Unit* TimerType::create(const UnitCreateParams& params) const
{
    const std::optional<TimerData> data = readTimerData(params.typeData);
    if (!data) return nullptr;
    return Unit::bringToLife(std::make_unique<Timer>(*this, params.windowId, params.unitId), params, data->interval);
}

bool TimerType::setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const
{
    if (ownIndex + 8 == IntervalIndex) static_cast<Timer&>(unit).setInterval(value.asInt());
    return false;
}

std::vector<uint8_t> TimerType::currentTypeData(const Unit& unit) const
{
    return writeTimerData(TimerData{static_cast<const Timer&>(unit).interval()});
}

bool TimerType::getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const
{
    if (ownIndex + 8 != IntervalIndex) return false;
    out = PropertyValue::number(static_cast<const Timer&>(unit).interval());
    return true;
}

}  // namespace tessaly::ui
