// The slider's type data: its twelve own properties in property order (index in brackets).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

struct SliderBarData {
    static constexpr uint32_t HighestVersion = 1;

    int32_t border = 0;  // [8]
    int32_t orientation = 0;  // [9]: 0 horizontal, 1 vertical
    int32_t tickStyle = 2;  // [10]
    int32_t tickFrequency = 1;  // [11]
    int32_t selectionAllowed = 0;  // [12]
    int32_t selectionStart = 0;  // [13]
    int32_t selectionLength = 0;  // [14]
    int32_t pageStep = 1;  // [15]
    int32_t lineStep = 1;  // [16]
    int32_t minimum = 0;  // [17]
    int32_t maximum = 100;  // [18]
    int32_t position = 0;  // [19]
};

std::optional<SliderBarData> readSliderBarData(ByteView data);
Bytes writeSliderBarData(const SliderBarData& d);

}  // namespace tessaly::ui
