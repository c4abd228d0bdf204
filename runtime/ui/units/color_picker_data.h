// The colour picker's type data (colour picker property index in brackets).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

struct ColorPickerData {
    static constexpr uint32_t HighestVersion = 1;

    uint32_t colour = 0;  // [8]; 0xFF000000 = no colour
    int32_t allowNoColour = 0;  // [9]
};

std::optional<ColorPickerData> readColorPickerData(ByteView data);
Bytes writeColorPickerData(const ColorPickerData& d);

}  // namespace tessaly::ui
