// The label's type data (label property index in brackets).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

struct LabelData {
    static constexpr uint32_t HighestVersion = 3;

    int32_t textEffect = 0;       // [9]
    int32_t frameWidth = 8;       // [11]
    int32_t border = 0;           // [10]
    std::array<uint32_t, 3> frameColours{0x808080, 0xFFFFFF, 0x808080};     // [12]-[14]
    uint32_t textColour = 0;      // [16]
    uint32_t backgroundColour = 0xFF000000;  // [17]
    int32_t pictureMode = 1;      // [19]
    int32_t gradient = 0;         // [20]
    std::array<uint32_t, 3> gradientColours{0x808080, 0xFFFFFF, 0x808080};  // [21]-[23]
    int32_t horizontalAlignment = 0;  // [24]
    int32_t verticalAlignment = 1;    // [26]
    int32_t wordWrap = 0;             // [25]
    Bytes font;                   // [15]: empty or a LOGFONT
    Bytes picture;                // [18]
    std::string caption;          // [8]
    std::string storedText1;      // [27], from version 2
    std::string storedText2;      // [28], from version 2
    int32_t captionEffect = 0;    // [29], from version 3: 0 none, 1 shadow, 2 outline
    uint32_t effectColour = 0;    // [30], from version 3
};

std::optional<LabelData> readLabelData(ByteView data);
Bytes writeLabelData(const LabelData& d);

}  // namespace tessaly::ui
