// The slider's type data.
#pragma once

#include <cstdint>

#include "runtime/ui/units/field_rows.h"

namespace tessaly::ui {

inline constexpr int32_t SliderLimit = 32767;

struct SliderBarData {
    static constexpr uint32_t HighestVersion = 1;

    int32_t border = 0;
    int32_t orientation = 0;  // 0 horizontal, 1 vertical
    int32_t tickStyle = 2;
    int32_t tickFrequency = 1;
    int32_t selectionAllowed = 0;
    int32_t selectionStart = 0;
    int32_t selectionLength = 0;
    int32_t pageStep = 1;
    int32_t lineStep = 1;
    int32_t minimum = 0;
    int32_t maximum = 100;
    int32_t position = 0;
};

// Orientation, tick style and whether a selection is allowed are creation
// styles: a change makes the slider anew.
namespace slider_bar_rows {
using D = SliderBarData;
using namespace PropertyKind;
constexpr OnChange Recreate = OnChange::Recreate;
inline constexpr FieldRow<D> Rows[] = {
    {&D::border, "border", 8, Choice, {0, 5}},
    {&D::orientation, "orientation", 9, Choice, {0, 1}, Recreate},
    {&D::tickStyle, "tickStyle", 10, Choice, {0, 3}, Recreate},
    {&D::tickFrequency, "tickFrequency", 11, Integer, {0, SliderLimit}},
    {&D::selectionAllowed, "selectionAllowed", 12, Logical, {}, Recreate},
    {&D::selectionStart, "selectionStart", 13, Integer, {0, SliderLimit}},
    {&D::selectionLength, "selectionLength", 14, Integer, {0, SliderLimit}},
    {&D::pageStep, "pageStep", 15, Integer, {1, SliderLimit}},
    {&D::lineStep, "lineStep", 16, Integer, {1, SliderLimit}},
    {&D::minimum, "minimum", 17, Integer, {0, SliderLimit}},
    {&D::maximum, "maximum", 18, Integer, {0, SliderLimit}},
    {&D::position, "thumbPosition", 19, Integer, {0, SliderLimit}},
};
}  // namespace slider_bar_rows
inline constexpr const auto& SliderBarRows = slider_bar_rows::Rows;

}  // namespace tessaly::ui
