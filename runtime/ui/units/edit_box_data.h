// The edit box's type data.
#pragma once

#include <climits>
#include <cstdint>
#include <string>

#include "runtime/ui/units/field_rows.h"

namespace tessaly::ui {

struct EditBoxData {
    static constexpr uint32_t HighestVersion = 2;

    int32_t border = 1;
    uint32_t textColour = 0;
    uint32_t backgroundColour = 0xFFFFFF;
    int32_t hideSelection = 0;
    int32_t maximumLength = 0;
    int32_t multiLine = 0;
    int32_t scrollBars = 0;
    int32_t alignment = 0;
    int32_t inputMode = 0;
    uint16_t passwordChar = '*';
    int32_t letterCase = 0;
    int32_t upDownMode = 0;
    int32_t upDownLower = 0;
    int32_t upDownUpper = 100;
    int32_t selectionStart = 0;
    int32_t selectionLength = 0;
    Bytes font;  // empty or a LOGFONT
    std::string content;
    std::string storedText1;
    std::string storedText2;
};

// Hide selection, multi-line, scroll bars, alignment, letter case and the
// up-down mode are creation styles: a change makes the box anew.
namespace edit_box_rows {
using D = EditBoxData;
using namespace PropertyKind;
constexpr OnChange Recreate = OnChange::Recreate;
constexpr OnChange Own = OnChange::Own;
inline constexpr FieldRow<D> Rows[] = {
    {&D::border, "border", 9, Choice, {0, 5}},
    {&D::textColour, "textColour", 10, Colour},
    {&D::backgroundColour, "backgroundColour", 11, Colour},
    {&D::hideSelection, "hideSelection", 13, Logical, {}, Recreate},
    {&D::maximumLength, "maximumLength", 14, Integer, {0, NoLimit}},
    {&D::multiLine, "multiLine", 15, Logical, {}, Recreate},
    {&D::scrollBars, "scrollBars", 16, Choice, {0, 3}, Recreate},
    {&D::alignment, "alignment", 17, Choice, {0, 2}, Recreate},
    {&D::inputMode, "inputMode", 18, Choice, {0, 11}},
    {&D::passwordChar, "passwordChar", 19, Text, {}, Own},
    {&D::letterCase, "letterCase", 20, Choice, {0, 2}, Recreate},
    {&D::upDownMode, "upDownMode", 21, Choice, {0, 2}, Recreate},
    {&D::upDownLower, "upDownLower", 22, Integer},
    {&D::upDownUpper, "upDownUpper", 23, Integer},
    {&D::selectionStart, "selectionStart", 24, Integer, {-1, NoLimit}},
    {&D::selectionLength, "selectionLength", 25, Integer, {-1, NoLimit}},
    {&D::font, "font", 12, Font},
    {&D::content, "content", 8, Text, {}, Own},
    {&D::storedText1, "storedText1", 27, StoredText, {}, OnChange::Store, 2},
    {&D::storedText2, "storedText2", 28, StoredText2, {}, OnChange::Store, 2},
    {Unstored, "selectedText", 26, Text, {}, Own},
};
}  // namespace edit_box_rows
inline constexpr const auto& EditBoxRows = edit_box_rows::Rows;

}  // namespace tessaly::ui
