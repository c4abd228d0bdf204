// The check-list box's type data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/ui/units/field_rows.h"

namespace tessaly::ui {

struct CheckListBoxData {
    static constexpr uint32_t HighestVersion = 1;

    int32_t border = 1;
    int32_t multiColumn = 0;
    int32_t listSwitch = 0;  // a sorted list
    int32_t extraItemHeight = 0;
    int32_t singleCheck = 0;
    int32_t currentItem = -1;
    Bytes font;  // empty or a LOGFONT
    std::vector<std::string> items;
    Bytes itemValues;  // 32-bit values
};

// Multi-column and the sorted switch are creation styles: a change makes the list anew.
namespace check_list_box_rows {
using D = CheckListBoxData;
using namespace PropertyKind;
constexpr OnChange Own = OnChange::Own;
inline constexpr FieldRow<D> Rows[] = {
    {&D::border, "border", 8, Choice, {0, 5}},
    {&D::multiColumn, "multiColumn", 9, Logical, {}, OnChange::Recreate},
    {&D::listSwitch, "listSwitch", 10, Logical, {}, OnChange::Recreate},
    {&D::extraItemHeight, "extraItemHeight", 11, Integer, {0, 32767}},
    {&D::singleCheck, "singleCheck", 12, Logical},
    {&D::currentItem, "currentItem", 14, Integer, {}, Own},
    {&D::font, "font", 13, Font},
    {&D::items, "items", 15, ListData, {}, Own},
    {&D::itemValues, "itemValues", 16, Data, {}, Own},
};
}  // namespace check_list_box_rows
inline constexpr const auto& CheckListBoxRows = check_list_box_rows::Rows;

}  // namespace tessaly::ui
