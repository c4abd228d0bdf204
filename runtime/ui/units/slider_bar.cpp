#include "runtime/ui/units/slider_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/border_rule.h"

namespace tessaly::ui {
namespace {

DWORD tickStyleBits(int32_t tickStyle)
{
    switch (tickStyle) {
    case 0: return TBS_NOTICKS;
    case 1: return TBS_TOP;  // the same bit as TBS_LEFT
    case 3: return TBS_BOTH;
    default: return TBS_BOTTOM;  // below or right: the track bar's own default
    }
}

DWORD sliderStyle(const SliderBarData& d)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | TBS_AUTOTICKS | tickStyleBits(d.tickStyle) | borderStyles(d.border).style;
    style |= d.orientation == 1 ? TBS_VERT : TBS_HORZ;
    if (d.selectionAllowed) style |= TBS_ENABLESELRANGE;
    return style;
}

}  // namespace

bool SliderBar::create(const UnitCreateParams& params)
{
    if (!createWindow(borderStyles(data_.border).extendedStyle, TRACKBAR_CLASSW, L"", sliderStyle(data_), params))
        return false;
    applyRange();
    applyTickFrequency();
    applySteps();
    applySelection();
    setPosition(data_.position);
    return true;
}

int32_t SliderBar::rangeLow() const { return std::min(data_.minimum, data_.maximum); }
int32_t SliderBar::rangeHigh() const { return std::max(data_.minimum, data_.maximum); }

int32_t SliderBar::limitedToRangeWidth(int32_t value) const
{
    return std::max(1, std::min(value, rangeHigh() - rangeLow()));
}

int32_t SliderBar::position() const { return static_cast<int32_t>(SendMessageW(handle(), TBM_GETPOS, 0, 0)); }

void SliderBar::setPosition(int32_t position)
{
    data_.position = std::clamp(position, rangeLow(), rangeHigh());
    SendMessageW(handle(), TBM_SETPOS, TRUE, data_.position);  // TBM_SETPOS with redraw
    lastPosition_ = this->position();
}

void SliderBar::applyChange(int32_t index)
{
    switch (index) {
    case propertyIndex(SliderBarRows, "border"): applyBorder(handle(), data_.border); break;
    case propertyIndex(SliderBarRows, "tickFrequency"): applyTickFrequency(); break;
    case propertyIndex(SliderBarRows, "selectionStart"):
    case propertyIndex(SliderBarRows, "selectionLength"): applySelection(); break;
    case propertyIndex(SliderBarRows, "pageStep"):
    case propertyIndex(SliderBarRows, "lineStep"): applySteps(); break;
    case propertyIndex(SliderBarRows, "minimum"):
    case propertyIndex(SliderBarRows, "maximum"): applyRange(); break;
    default: setPosition(data_.position); break;
    }
}

bool SliderBar::readLive(int32_t index, PropertyValue& out) const
{
    if (index != propertyIndex(SliderBarRows, "thumbPosition")) return false;
    out = PropertyValue::number(position());
    return true;
}

SliderBarData SliderBar::currentData() const
{
    SliderBarData d = data_;
    d.position = position();
    return d;
}

void SliderBar::applyRange()
{
    // TBM_SETRANGEMIN / TBM_SETRANGEMAX: the control keeps the thumb inside the new range.
    SendMessageW(handle(), TBM_SETRANGEMIN, FALSE, rangeLow());
    SendMessageW(handle(), TBM_SETRANGEMAX, TRUE, rangeHigh());
    applyTickFrequency();
    applySteps();
    lastPosition_ = position();
}

void SliderBar::applyTickFrequency()
{
    SendMessageW(handle(), TBM_SETTICFREQ, limitedToRangeWidth(data_.tickFrequency), 0);
}

void SliderBar::applySteps()
{
    SendMessageW(handle(), TBM_SETPAGESIZE, 0, limitedToRangeWidth(data_.pageStep));
    SendMessageW(handle(), TBM_SETLINESIZE, 0, limitedToRangeWidth(data_.lineStep));
}

void SliderBar::applySelection()
{
    if (!data_.selectionAllowed) return;
    // TBM_SETSEL: only a track bar that allows a selection shows one.
    const int32_t end = std::min(SliderLimit, data_.selectionStart + data_.selectionLength);
    SendMessageW(handle(), TBM_SETSEL, TRUE, MAKELPARAM(data_.selectionStart, end));
}

void SliderBar::onScroll()
{
    const int32_t now = position();
    if (now == std::exchange(lastPosition_, now)) return;
    data_.position = now;
    fire(SliderBarEvent::PositionChanged);
}

bool SliderBar::handleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case UnitMessage::ReflectOffset + WM_HSCROLL:
    case UnitMessage::ReflectOffset + WM_VSCROLL:
        onScroll();
        result = 0;
        return true;
    case UnitMessage::ReflectOffset + WM_CTLCOLORSTATIC:
        // The track bar's background: the face colour its parent window uses by default.
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    default: return false;
    }
}

template class RowUnitType<SliderBar>;

}  // namespace tessaly::ui
