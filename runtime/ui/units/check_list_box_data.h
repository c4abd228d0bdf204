// The check-list box's type data (check-list box property index in brackets),
// in property order with the font and the two data properties last.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

struct CheckListBoxData {
    static constexpr uint32_t HighestVersion = 1;

    int32_t border = 1;  // [8]
    int32_t multiColumn = 0;  // [9]
    int32_t listSwitch = 0;  // [10]
    int32_t extraItemHeight = 0;  // [11]
    int32_t singleCheck = 0;  // [12]
    int32_t currentItem = -1;  // [14]
    Bytes font;  // [13]: empty or a LOGFONT
    std::vector<std::string> items;  // [15]
    Bytes itemValues;  // [16]: 32-bit values
};

std::optional<CheckListBoxData> readCheckListBoxData(ByteView data);
Bytes writeCheckListBoxData(const CheckListBoxData& d);

}  // namespace tessaly::ui
