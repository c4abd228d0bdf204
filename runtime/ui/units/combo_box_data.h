// The combo box's type data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/ui/units/field_rows.h"

namespace tessaly::ui {

struct ComboBoxData {
    static constexpr uint32_t HighestVersion = 3;

    int32_t type = 0;  // 2 = drop-down list
    int32_t maximumLength = 0;
    int32_t selectionStart = 0;
    int32_t selectionLength = 0;
    int32_t sorted = 0;
    int32_t extraItemHeight = 0;
    uint32_t textColour = 0;
    uint32_t backgroundColour = 0xFFFFFF;
    int32_t currentItem = -1;
    Bytes font;        // empty or a LOGFONT
    Bytes itemValues;  // 32-bit values
    std::string content;
    std::vector<std::string> items;
    std::string storedText1;
    std::string storedText2;
    int32_t storedSwitch = 0;
};

// Type, sorted and the item values re-create the box when they change.
namespace combo_box_rows {
using D = ComboBoxData;
using namespace PropertyKind;
constexpr OnChange Own = OnChange::Own;
constexpr OnChange Store = OnChange::Store;
inline constexpr FieldRow<D> Rows[] = {
    {&D::type, "type", 8, Choice, {0, 2}, Own},
    {&D::maximumLength, "maximumLength", 10, Integer, {0, 32767}, Own},
    {&D::selectionStart, "selectionStart", 11, Integer, {-1, NoLimit}},
    {&D::selectionLength, "selectionLength", 12, Integer, {-1, NoLimit}},
    {&D::sorted, "sorted", 14, Logical, {}, OnChange::Recreate},
    {&D::extraItemHeight, "extraItemHeight", 15, Integer, {0, 32767}},
    {&D::textColour, "textColour", 16, Colour},
    {&D::backgroundColour, "backgroundColour", 17, Colour},
    {&D::currentItem, "currentItem", 19, Integer, {-1, NoLimit}, Own},
    {&D::font, "font", 18, Font},
    {&D::itemValues, "itemValues", 21, Data, {}, OnChange::Recreate},
    {&D::content, "content", 9, Text, {}, Own},
    {&D::items, "items", 20, ListData, {}, Own},
    {&D::storedText1, "storedText1", 22, StoredText, {}, Store, 2},
    {&D::storedText2, "storedText2", 23, StoredText2, {}, Store, 2},
    {&D::storedSwitch, "storedSwitch", 24, Logical, {}, Store, 3},
    {Unstored, "selectedText", 13, Text, {}, Own},
};
}  // namespace combo_box_rows
inline constexpr const auto& ComboBoxRows = combo_box_rows::Rows;

}  // namespace tessaly::ui
