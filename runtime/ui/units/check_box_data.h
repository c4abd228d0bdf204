// The check box's type data (check box property index in brackets).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

struct CheckBoxData {
    static constexpr uint32_t HighestVersion = 2;

    int32_t pushLike = 0;  // [9]
    int32_t flat = 0;  // [10]
    int32_t textOnLeft = 0;  // [12]
    int32_t horizontalAlignment = 0;  // [13]
    int32_t verticalAlignment = 1;  // [14]
    uint32_t textColour = 0;  // [15]
    uint32_t backgroundColour = 0xFF000000;  // [16]
    int32_t checked = 0;  // [18]
    Bytes picture;  // [8]
    Bytes font;  // [17]: empty or a LOGFONT
    std::string caption;  // [11]
    std::string storedText1;  // [19], from version 2
    std::string storedText2;  // [20], from version 2
};

std::optional<CheckBoxData> readCheckBoxData(ByteView data);
Bytes writeCheckBoxData(const CheckBoxData& d);

}  // namespace tessaly::ui
