// The picture box's type data (picture box property index in brackets).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

struct PicBoxData {
    static constexpr uint32_t HighestVersion = 2;

    int32_t border = 0;  // [8]
    uint32_t backgroundColour = 0xFF000000;  // [9]
    int32_t displayMode = 0;  // [11]
    int32_t animate = 0;  // [12]
    Bytes picture;  // [10]: the image file
    std::string storedText1;  // [13], from version 2
    std::string storedText2;  // [14], from version 2
};

std::optional<PicBoxData> readPicBoxData(ByteView data);
Bytes writePicBoxData(const PicBoxData& d);

}  // namespace tessaly::ui
