// The slider unit: a standard track bar that always shows automatic ticks.
// Its numbers stay within 0-32767; the range given to the control is always
// (smaller, larger) of the stored minimum and maximum, whichever way they
// were written.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/ui/type_data.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/units/row_unit_type.h"

namespace tessaly::ui {

namespace SliderBarEvent {
inline constexpr int32_t PositionChanged = 0;
}

class SliderBar final : public RowUnit<SliderBarData> {
public:
    static constexpr const auto& Rows = SliderBarRows;

    using RowUnit::RowUnit;

    bool create(const UnitCreateParams& params);

    // The stored values with the thumb's position as it now stands.
    SliderBarData currentData() const;
    void applyChange(int32_t index);
    bool readLive(int32_t index, PropertyValue& out) const;

    int32_t position() const;
    // Limited to the range first, so a position below it lands on the minimum.
    void setPosition(int32_t position);

    int32_t rangeLow() const;
    int32_t rangeHigh() const;

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void applyRange();
    void applyTickFrequency();
    void applySteps();
    void applySelection();
    void onScroll();
    int32_t limitedToRangeWidth(int32_t value) const;

    int32_t lastPosition_ = 0;  // the position last raised or set, so only changes raise the event
};

}  // namespace tessaly::ui
