// The label's type data.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "runtime/ui/units/field_rows.h"

namespace tessaly::ui {

struct LabelData {
    static constexpr uint32_t HighestVersion = 3;

    int32_t textEffect = 0;
    int32_t frameWidth = 8;
    int32_t border = 0;
    std::array<uint32_t, 3> frameColours{0x808080, 0xFFFFFF, 0x808080};
    uint32_t textColour = 0;
    uint32_t backgroundColour = 0xFF000000;
    int32_t pictureMode = 1;
    int32_t gradient = 0;
    std::array<uint32_t, 3> gradientColours{0x808080, 0xFFFFFF, 0x808080};
    int32_t horizontalAlignment = 0;
    int32_t verticalAlignment = 1;
    int32_t wordWrap = 0;
    Bytes font;  // empty or a LOGFONT
    Bytes picture;
    std::string caption;
    std::string storedText1;
    std::string storedText2;
    int32_t captionEffect = 0;  // 0 none, 1 shadow, 2 outline
    uint32_t effectColour = 0;
};

namespace label_rows {
using D = LabelData;
using namespace PropertyKind;
inline constexpr FieldRow<D> Rows[] = {
    {&D::textEffect, "textEffect", 9, Choice, {0, 3}},
    {&D::frameWidth, "frameWidth", 11, Integer, {5, NoLimit}},
    {&D::border, "border", 10, Choice, {0, 6}},
    {colourAt(&D::frameColours, 0), "frameColour1", 12, Colour},
    {colourAt(&D::frameColours, 1), "frameColour2", 13, Colour},
    {colourAt(&D::frameColours, 2), "frameColour3", 14, Colour},
    {&D::textColour, "textColour", 16, Colour},
    {&D::backgroundColour, "backgroundColour", 17, Colour},
    {&D::pictureMode, "pictureMode", 19, Choice, {0, 2}},
    {&D::gradient, "gradient", 20, Choice, {0, 8}},
    {colourAt(&D::gradientColours, 0), "gradientColour1", 21, Colour},
    {colourAt(&D::gradientColours, 1), "gradientColour2", 22, Colour},
    {colourAt(&D::gradientColours, 2), "gradientColour3", 23, Colour},
    {&D::horizontalAlignment, "horizontalAlignment", 24, Choice, {0, 2}},
    {&D::verticalAlignment, "verticalAlignment", 26, Choice, {0, 2}},
    {&D::wordWrap, "wordWrap", 25, Logical},
    {&D::font, "font", 15, Font},
    {&D::picture, "picture", 18, Picture},
    {&D::caption, "caption", 8, Text},
    {&D::storedText1, "storedText1", 27, StoredText, {}, OnChange::Store, 2},
    {&D::storedText2, "storedText2", 28, StoredText2, {}, OnChange::Store, 2},
    {&D::captionEffect, "captionEffect", 29, Choice, {0, 2}, OnChange::Apply, 3},
    {&D::effectColour, "effectColour", 30, Colour, {}, OnChange::Apply, 3},
};
}  // namespace label_rows
inline constexpr const auto& LabelRows = label_rows::Rows;

}  // namespace tessaly::ui
