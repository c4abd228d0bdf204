// The group box's type data (group box property index in brackets).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

struct GroupBoxData {
    static constexpr uint32_t HighestVersion = 1;

    int32_t captionAlignment = 0;  // [9]
    uint32_t textColour = 0;  // [10]
    uint32_t backgroundColour = 0xFF000000;  // [11]
    Bytes font;  // [12]: empty or a LOGFONT
    std::string caption;  // [8]
};

std::optional<GroupBoxData> readGroupBoxData(ByteView data);
Bytes writeGroupBoxData(const GroupBoxData& d);

}  // namespace tessaly::ui
