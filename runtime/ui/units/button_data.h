// The button's type data (button property index in brackets).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

struct ButtonData {
    static constexpr uint32_t HighestVersion = 1;

    int32_t defaultButton = 0;  // [9]
    int32_t horizontalAlignment = 1;  // [11]
    int32_t verticalAlignment = 1;  // [12]
    Bytes picture;  // [8]
    Bytes font;  // [13]: empty or a LOGFONT
    std::string caption;  // [10]
};

std::optional<ButtonData> readButtonData(ByteView data);
Bytes writeButtonData(const ButtonData& d);

}  // namespace tessaly::ui
