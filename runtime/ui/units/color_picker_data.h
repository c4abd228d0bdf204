// The colour picker's type data.
#pragma once

#include <cstdint>

#include "runtime/ui/units/field_rows.h"

namespace tessaly::ui {

struct ColorPickerData {
    static constexpr uint32_t HighestVersion = 1;

    uint32_t colour = 0;  // 0xFF000000: no colour, when allowed
    int32_t allowNoColour = 0;
};

inline constexpr FieldRow<ColorPickerData> ColorPickerRows[] = {
    {&ColorPickerData::colour, "colour", 8, PropertyKind::Colour},
    {&ColorPickerData::allowNoColour, "allowNoColour", 9, PropertyKind::Logical},
};

}  // namespace tessaly::ui
