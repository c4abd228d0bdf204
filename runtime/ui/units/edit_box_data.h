// The edit box's type data (edit box property index in brackets).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

struct EditBoxData {
    static constexpr uint32_t HighestVersion = 2;

    int32_t border = 1;  // [9]
    uint32_t textColour = 0;  // [10]
    uint32_t backgroundColour = 0xFFFFFF;  // [11]
    int32_t hideSelection = 0;  // [13]
    int32_t maximumLength = 0;  // [14]
    int32_t multiLine = 0;  // [15]
    int32_t scrollBars = 0;  // [16]
    int32_t alignment = 0;  // [17]
    int32_t inputMode = 0;  // [18]
    uint16_t passwordChar = '*';  // [19], 16 bits
    int32_t letterCase = 0;  // [20]
    int32_t upDownMode = 0;  // [21]
    int32_t upDownLower = 0;  // [22]
    int32_t upDownUpper = 100;  // [23]
    int32_t selectionStart = 0;  // [24]
    int32_t selectionLength = 0;  // [25]
    Bytes font;  // [12]: empty or a LOGFONT
    std::string content;  // [8]
    std::string storedText1;  // [27], from version 2
    std::string storedText2;  // [28], from version 2
};

std::optional<EditBoxData> readEditBoxData(ByteView data);
Bytes writeEditBoxData(const EditBoxData& d);

}  // namespace tessaly::ui
