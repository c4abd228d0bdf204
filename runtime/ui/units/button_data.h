// The button's type data.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/ui/units/field_rows.h"

namespace tessaly::ui {

struct ButtonData {
    static constexpr uint32_t HighestVersion = 1;

    int32_t defaultButton = 0;
    int32_t horizontalAlignment = 1;
    int32_t verticalAlignment = 1;
    Bytes picture;
    Bytes font;  // empty or a LOGFONT
    std::string caption;
};

namespace button_rows {
using D = ButtonData;
using namespace PropertyKind;
inline constexpr FieldRow<D> Rows[] = {
    {&D::defaultButton, "defaultButton", 9, Choice, {0, 1}},
    {&D::horizontalAlignment, "horizontalAlignment", 11, Choice, {0, 2}},
    {&D::verticalAlignment, "verticalAlignment", 12, Choice, {0, 2}},
    {&D::picture, "picture", 8, Picture, {}, OnChange::Recreate},
    {&D::font, "font", 13, Font},
    {&D::caption, "caption", 10, Text},
};
}  // namespace button_rows
inline constexpr const auto& ButtonRows = button_rows::Rows;

}  // namespace tessaly::ui
