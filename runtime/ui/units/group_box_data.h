// The group box's type data.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/ui/units/field_rows.h"

namespace tessaly::ui {

struct GroupBoxData {
    static constexpr uint32_t HighestVersion = 1;

    int32_t captionAlignment = 0;
    uint32_t textColour = 0;
    uint32_t backgroundColour = 0xFF000000;
    Bytes font;  // empty or a LOGFONT
    std::string caption;
};

namespace group_box_rows {
using D = GroupBoxData;
using namespace PropertyKind;
inline constexpr FieldRow<D> Rows[] = {
    {&D::captionAlignment, "captionAlignment", 9, Choice, {0, 2}},
    {&D::textColour, "textColour", 10, Colour},
    {&D::backgroundColour, "backgroundColour", 11, Colour},
    {&D::font, "font", 12, Font},
    {&D::caption, "caption", 8, Text},
};
}  // namespace group_box_rows
inline constexpr const auto& GroupBoxRows = group_box_rows::Rows;

}  // namespace tessaly::ui
