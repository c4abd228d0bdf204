#include "runtime/ui/units/timer.h"

#include <algorithm>
#include <memory>

#include "runtime/ui/identifiers.h"
#include "runtime/ui/unit_class.h"

namespace tessaly::ui {
namespace {

constexpr wchar_t TimerClass[] = L"_QX_Timer";

}  // namespace

bool Timer::create(const UnitCreateParams& params)
{
    if (!ensureUnitClass(TimerClass, CS_DBLCLKS, &Unit::unitProcedure)) return false;
    UnitCreateParams hidden = params;
    hidden.style &= ~WS_VISIBLE;  // never shown, whatever the record says
    if (!createWindow(0, TimerClass, L"", WS_CHILD, hidden)) return false;
    setInterval(data_.interval);
    return true;
}

void Timer::setInterval(int32_t interval)
{
    interval = std::max(interval, 0);
    data_.interval = interval;
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

template class RowUnitType<Timer>;

}  // namespace tessaly::ui
