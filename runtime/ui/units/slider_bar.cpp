#include "runtime/ui/units/slider_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <utility>

#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/border_rule.h"

namespace tessaly::ui {
namespace {

enum SliderBarProperty : int32_t {
    Border = 8, Orientation, TickStyle, TickFrequency, SelectionAllowed, SelectionStart, SelectionLength,
    PageStep, LineStep, Minimum, Maximum, Position,
};

constexpr std::array<PropertyInfo, 12> Properties = {{
    {Border, PropertyKind::Choice, "border", 0, 5},                      // border rule
    {Orientation, PropertyKind::Choice, "orientation", 0, 1},            // re-create when changed
    {TickStyle, PropertyKind::Choice, "tick style", 0, 3},               // re-create when changed
    {TickFrequency, PropertyKind::Integer, "tick frequency", 0, SliderLimit},  // TBM_SETTICFREQ
    {SelectionAllowed, PropertyKind::Logical, "selection allowed"},      // re-create when changed
    {SelectionStart, PropertyKind::Integer, "selection start", 0, SliderLimit},
    {SelectionLength, PropertyKind::Integer, "selection length", 0, SliderLimit},
    {PageStep, PropertyKind::Integer, "page step", 1, SliderLimit},      // TBM_SETPAGESIZE
    {LineStep, PropertyKind::Integer, "line step", 1, SliderLimit},      // TBM_SETLINESIZE
    {Minimum, PropertyKind::Integer, "minimum", 0, SliderLimit},         // range re-applied
    {Maximum, PropertyKind::Integer, "maximum", 0, SliderLimit},         // range re-applied
    {Position, PropertyKind::Integer, "position", 0, SliderLimit},       // limited to the range, TBM_SETPOS
}};

const PropertyInfo& info(int32_t index) { return Properties[static_cast<size_t>(index - Border)]; }
int32_t clampTo(int32_t index, int32_t value) { return std::clamp(value, info(index).minimum, info(index).maximum); }

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

SliderBar::SliderBar(const UnitType& type, uint32_t windowId, uint32_t unitId, SliderBarData data)
    : Unit(type, windowId, unitId), data_(data)
{
}

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

void SliderBar::setMinimum(int32_t minimum)
{
    data_.minimum = minimum;
    applyRange();
}

void SliderBar::setMaximum(int32_t maximum)
{
    data_.maximum = maximum;
    applyRange();
}

void SliderBar::setTickFrequency(int32_t frequency)
{
    data_.tickFrequency = frequency;
    applyTickFrequency();
}

void SliderBar::setPageStep(int32_t step)
{
    data_.pageStep = step;
    applySteps();
}

void SliderBar::setLineStep(int32_t step)
{
    data_.lineStep = step;
    applySteps();
}

void SliderBar::setSelectionStart(int32_t start)
{
    data_.selectionStart = start;
    applySelection();
}

void SliderBar::setSelectionLength(int32_t length)
{
    data_.selectionLength = length;
    applySelection();
}

void SliderBar::setBorder(int32_t border)
{
    data_.border = border;
    applyBorder(handle(), border);
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

// ---- the unit type ----

namespace {

class SliderBarType final : public UnitType {
public:
    uint32_t typeId() const override { return TypeId::SliderBar; }
    std::string_view name() const override { return "SliderBar"; }
    uint32_t flags() const override { return UnitTypeFlag::WindowControl; }
    std::span<const PropertyInfo> properties() const override { return Properties; }

    Unit* create(const UnitCreateParams& params) const override
    {
        auto data = readSliderBarData(params.typeData);
        if (!data) return nullptr;
        return Unit::bringToLife(std::make_unique<SliderBar>(*this, params.windowId, params.unitId, *data), params);
    }

    bool setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const override
    {
        auto& slider = static_cast<SliderBar&>(unit);
        SliderBarData& d = slider.data();
        const int32_t index = ownIndex + 8;
        if (index < Border || index > Position) return false;
        const int32_t n = clampTo(index, value.asInt());
        switch (index) {
        case Border: slider.setBorder(n); return false;
        case Orientation: return std::exchange(d.orientation, n) != n;
        case TickStyle: return std::exchange(d.tickStyle, n) != n;
        case TickFrequency: slider.setTickFrequency(n); return false;
        case SelectionAllowed: {
            const int32_t on = value.asInt() != 0 ? 1 : 0;
            return std::exchange(d.selectionAllowed, on) != on;
        }
        case SelectionStart: slider.setSelectionStart(n); return false;
        case SelectionLength: slider.setSelectionLength(n); return false;
        case PageStep: slider.setPageStep(n); return false;
        case LineStep: slider.setLineStep(n); return false;
        case Minimum: slider.setMinimum(n); return false;
        case Maximum: slider.setMaximum(n); return false;
        case Position: slider.setPosition(n); return false;
        default: return false;
        }
    }

    std::vector<uint8_t> currentTypeData(const Unit& unit) const override
    {
        return writeSliderBarData(static_cast<const SliderBar&>(unit).currentData());
    }

    bool getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const override
    {
        const SliderBarData d = static_cast<const SliderBar&>(unit).currentData();
        const std::array<int32_t, 12> values = {d.border, d.orientation, d.tickStyle, d.tickFrequency,
                                                d.selectionAllowed, d.selectionStart, d.selectionLength,
                                                d.pageStep, d.lineStep, d.minimum, d.maximum, d.position};
        if (ownIndex < 0 || ownIndex >= static_cast<int32_t>(values.size())) return false;
        out = PropertyValue::number(values[static_cast<size_t>(ownIndex)]);
        return true;
    }
};

}  // namespace

const UnitType& sliderBarType()
{
    static const SliderBarType type;
    return type;
}

}  // namespace tessaly::ui
