// The combo box's type data (combo box property index in brackets).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

struct ComboBoxData {
    static constexpr uint32_t HighestVersion = 3;

    int32_t type = 0;  // [8]: 2 = drop-down list
    int32_t maximumLength = 0;  // [10]
    int32_t selectionStart = 0;  // [11]
    int32_t selectionLength = 0;  // [12]
    int32_t sorted = 0;  // [14]
    int32_t extraItemHeight = 0;  // [15]
    uint32_t textColour = 0;  // [16]
    uint32_t backgroundColour = 0xFFFFFF;  // [17]
    int32_t currentItem = -1;  // [19]
    Bytes font;  // [18]: empty or a LOGFONT
    Bytes itemValues;  // [21]: 32-bit values
    std::string content;  // [9]
    std::vector<std::string> items;  // [20]
    std::string storedText1;  // [22], from version 2
    std::string storedText2;  // [23], from version 2
    int32_t storedSwitch = 0;  // [24], from version 3
};

std::optional<ComboBoxData> readComboBoxData(ByteView data);
Bytes writeComboBoxData(const ComboBoxData& d);

}  // namespace tessaly::ui
