// The picture box's type data.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/ui/units/field_rows.h"

namespace tessaly::ui {

struct PicBoxData {
    static constexpr uint32_t HighestVersion = 2;

    int32_t border = 0;
    uint32_t backgroundColour = 0xFF000000;
    int32_t displayMode = 0;
    int32_t animate = 0;
    Bytes picture;  // the image file
    std::string storedText1;
    std::string storedText2;
};

namespace pic_box_rows {
using D = PicBoxData;
using namespace PropertyKind;
inline constexpr FieldRow<D> Rows[] = {
    {&D::border, "border", 8, Choice, {0, 5}},
    {&D::backgroundColour, "backgroundColour", 9, Colour},
    {&D::displayMode, "displayMode", 11, Choice, {0, 2}},
    // PNG pictures are still images, so the switch has nothing to start.
    {&D::animate, "animate", 12, Logical, {}, OnChange::Store},
    {&D::picture, "picture", 10, Picture},
    {&D::storedText1, "storedText1", 13, StoredText, {}, OnChange::Store, 2},
    {&D::storedText2, "storedText2", 14, StoredText2, {}, OnChange::Store, 2},
};
}  // namespace pic_box_rows
inline constexpr const auto& PicBoxRows = pic_box_rows::Rows;

}  // namespace tessaly::ui
