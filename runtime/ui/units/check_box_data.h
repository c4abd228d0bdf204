// The check box's type data.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/ui/units/field_rows.h"

namespace tessaly::ui {

struct CheckBoxData {
    static constexpr uint32_t HighestVersion = 2;

    int32_t pushLike = 0;
    int32_t flat = 0;
    int32_t textOnLeft = 0;
    int32_t horizontalAlignment = 0;
    int32_t verticalAlignment = 1;
    uint32_t textColour = 0;
    uint32_t backgroundColour = 0xFF000000;
    int32_t checked = 0;
    Bytes picture;
    Bytes font;  // empty or a LOGFONT
    std::string caption;
    std::string storedText1;
    std::string storedText2;
};

namespace check_box_rows {
using D = CheckBoxData;
using namespace PropertyKind;
inline constexpr FieldRow<D> Rows[] = {
    {&D::pushLike, "pushLike", 9, Logical},
    {&D::flat, "flat", 10, Logical},
    {&D::textOnLeft, "textOnLeft", 12, Logical},
    {&D::horizontalAlignment, "horizontalAlignment", 13, Choice, {0, 2}},
    {&D::verticalAlignment, "verticalAlignment", 14, Choice, {0, 2}},
    {&D::textColour, "textColour", 15, Colour},
    {&D::backgroundColour, "backgroundColour", 16, Colour},
    {&D::checked, "checked", 18, Logical},
    {&D::picture, "picture", 8, Picture, {}, OnChange::Recreate},
    {&D::font, "font", 17, Font},
    {&D::caption, "caption", 11, Text},
    {&D::storedText1, "storedText1", 19, StoredText, {}, OnChange::Store, 2},
    {&D::storedText2, "storedText2", 20, StoredText2, {}, OnChange::Store, 2},
};
}  // namespace check_box_rows
inline constexpr const auto& CheckBoxRows = check_box_rows::Rows;

}  // namespace tessaly::ui
