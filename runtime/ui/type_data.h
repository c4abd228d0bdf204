// The type data of every unit kind and of the window: each kind's struct,
// and its rows in the order the block holds them (see field_rows.h). Choices
// and integers are clamped to the range a row gives when a program writes
// them; a block read from a template is taken as it stands.
#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/ui/field_rows.h"

namespace tessaly::ui {

namespace type_rows {
using namespace PropertyKind;
inline constexpr OnChange Apply = OnChange::Apply;
inline constexpr OnChange Store = OnChange::Store;
inline constexpr OnChange Recreate = OnChange::Recreate;
inline constexpr OnChange Own = OnChange::Own;
}  // namespace type_rows

// The window's own type data.
struct WindowData {
    static constexpr uint32_t HighestVersion = 6;

    int32_t border = 1;
    int32_t backgroundPictureMode = 0;
    uint32_t backgroundColour = 0xFF000000;
    int32_t maximiseBox = 0;
    int32_t minimiseBox = 1;
    int32_t controlBox = 1;
    int32_t windowState = 0;
    int32_t movable = 1;
    int32_t soundRepetition = 0;
    int32_t enterMovesFocus = 0;
    int32_t escCloses = 0;
    int32_t f1OpensHelp = 0;
    int32_t helpContext = 0;
    int32_t showInTaskBar = 1;
    int32_t moveByDragging = 0;
    int32_t shape = 0;
    int32_t alwaysOnTop = 0;
    int32_t storedSwitch = 0;
    std::string className;
    Bytes backgroundPicture;
    Bytes icon;
    Bytes backgroundSound;
    std::string title;
    std::string helpFile;
};

// Choices are taken as given: the window clamps them where it uses them.
namespace type_rows::window {
using D = WindowData;
inline constexpr FieldRow<D> Rows[] = {
    {&D::border, "border", 9, Choice},
    {&D::backgroundPictureMode, "backgroundPictureMode", 12, Choice},
    {&D::backgroundColour, "backgroundColour", 10, Colour},
    {&D::maximiseBox, "maximiseBox", 16, Logical},
    {&D::minimiseBox, "minimiseBox", 17, Logical},
    {&D::controlBox, "controlBox", 15, Logical},
    {&D::windowState, "windowState", 18, Choice, {}, Own},
    {&D::movable, "movable", 19, Logical},
    {&D::soundRepetition, "soundRepetition", 14, Choice, {}, Store},
    {&D::enterMovesFocus, "enterMovesFocus", 21, Logical, {}, Store},
    {&D::escCloses, "escCloses", 22, Logical, {}, Store},
    {&D::f1OpensHelp, "f1OpensHelp", 23, Logical, {}, Store},
    {&D::helpContext, "helpContext", 25, Integer, {}, Store},
    {&D::showInTaskBar, "showInTaskBar", 26, Logical, {}, Store, 2},
    {&D::moveByDragging, "moveByDragging", 27, Logical, {}, Store, 3},
    {&D::shape, "shape", 28, Choice, {}, Store, 3},
    {&D::alwaysOnTop, "alwaysOnTop", 29, Logical, {}, Apply, 4},
    {&D::storedSwitch, "storedSwitch", 30, Logical, {}, Store, 5},
    {&D::className, "className", 31, Text, {}, Store, 6},
    {&D::backgroundPicture, "backgroundPicture", 11, Picture},
    {&D::icon, "icon", 20, Icon},
    {&D::backgroundSound, "backgroundSound", 13, Sound, {}, Store},
    {&D::title, "title", 8, Text},
    {&D::helpFile, "helpFile", 24, Text, {}, Store},
};
}  // namespace type_rows::window
inline constexpr const auto& WindowRows = type_rows::window::Rows;

// The label's type data.
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

namespace type_rows::label {
using D = LabelData;
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
    {&D::storedText1, "storedText1", 27, StoredText, {}, Store, 2},
    {&D::storedText2, "storedText2", 28, StoredText2, {}, Store, 2},
    {&D::captionEffect, "captionEffect", 29, Choice, {0, 2}, Apply, 3},
    {&D::effectColour, "effectColour", 30, Colour, {}, Apply, 3},
};
}  // namespace type_rows::label
inline constexpr const auto& LabelRows = type_rows::label::Rows;

// The button's type data.
struct ButtonData {
    static constexpr uint32_t HighestVersion = 1;

    int32_t defaultButton = 0;
    int32_t horizontalAlignment = 1;
    int32_t verticalAlignment = 1;
    Bytes picture;
    Bytes font;  // empty or a LOGFONT
    std::string caption;
};

namespace type_rows::button {
using D = ButtonData;
inline constexpr FieldRow<D> Rows[] = {
    {&D::defaultButton, "defaultButton", 9, Choice, {0, 1}},
    {&D::horizontalAlignment, "horizontalAlignment", 11, Choice, {0, 2}},
    {&D::verticalAlignment, "verticalAlignment", 12, Choice, {0, 2}},
    {&D::picture, "picture", 8, Picture, {}, Recreate},
    {&D::font, "font", 13, Font},
    {&D::caption, "caption", 10, Text},
};
}  // namespace type_rows::button
inline constexpr const auto& ButtonRows = type_rows::button::Rows;

// The group box's type data.
struct GroupBoxData {
    static constexpr uint32_t HighestVersion = 1;

    int32_t captionAlignment = 0;
    uint32_t textColour = 0;
    uint32_t backgroundColour = 0xFF000000;
    Bytes font;  // empty or a LOGFONT
    std::string caption;
};

namespace type_rows::group_box {
using D = GroupBoxData;
inline constexpr FieldRow<D> Rows[] = {
    {&D::captionAlignment, "captionAlignment", 9, Choice, {0, 2}},
    {&D::textColour, "textColour", 10, Colour},
    {&D::backgroundColour, "backgroundColour", 11, Colour},
    {&D::font, "font", 12, Font},
    {&D::caption, "caption", 8, Text},
};
}  // namespace type_rows::group_box
inline constexpr const auto& GroupBoxRows = type_rows::group_box::Rows;

// The check box's type data.
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

namespace type_rows::check_box {
using D = CheckBoxData;
inline constexpr FieldRow<D> Rows[] = {
    {&D::pushLike, "pushLike", 9, Logical},
    {&D::flat, "flat", 10, Logical},
    {&D::textOnLeft, "textOnLeft", 12, Logical},
    {&D::horizontalAlignment, "horizontalAlignment", 13, Choice, {0, 2}},
    {&D::verticalAlignment, "verticalAlignment", 14, Choice, {0, 2}},
    {&D::textColour, "textColour", 15, Colour},
    {&D::backgroundColour, "backgroundColour", 16, Colour},
    {&D::checked, "checked", 18, Logical},
    {&D::picture, "picture", 8, Picture, {}, Recreate},
    {&D::font, "font", 17, Font},
    {&D::caption, "caption", 11, Text},
    {&D::storedText1, "storedText1", 19, StoredText, {}, Store, 2},
    {&D::storedText2, "storedText2", 20, StoredText2, {}, Store, 2},
};
}  // namespace type_rows::check_box
inline constexpr const auto& CheckBoxRows = type_rows::check_box::Rows;

// The combo box's type data.
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
namespace type_rows::combo_box {
using D = ComboBoxData;
inline constexpr FieldRow<D> Rows[] = {
    {&D::type, "type", 8, Choice, {0, 2}, Own},
    {&D::maximumLength, "maximumLength", 10, Integer, {0, 32767}, Own},
    {&D::selectionStart, "selectionStart", 11, Integer, {-1, NoLimit}},
    {&D::selectionLength, "selectionLength", 12, Integer, {-1, NoLimit}},
    {&D::sorted, "sorted", 14, Logical, {}, Recreate},
    {&D::extraItemHeight, "extraItemHeight", 15, Integer, {0, 32767}},
    {&D::textColour, "textColour", 16, Colour},
    {&D::backgroundColour, "backgroundColour", 17, Colour},
    {&D::currentItem, "currentItem", 19, Integer, {-1, NoLimit}, Own},
    {&D::font, "font", 18, Font},
    {&D::itemValues, "itemValues", 21, Data, {}, Recreate},
    {&D::content, "content", 9, Text, {}, Own},
    {&D::items, "items", 20, ListData, {}, Own},
    {&D::storedText1, "storedText1", 22, StoredText, {}, Store, 2},
    {&D::storedText2, "storedText2", 23, StoredText2, {}, Store, 2},
    {&D::storedSwitch, "storedSwitch", 24, Logical, {}, Store, 3},
    {Unstored, "selectedText", 13, Text, {}, Own},
};
}  // namespace type_rows::combo_box
inline constexpr const auto& ComboBoxRows = type_rows::combo_box::Rows;

// The edit box's type data.
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
namespace type_rows::edit_box {
using D = EditBoxData;
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
    {&D::storedText1, "storedText1", 27, StoredText, {}, Store, 2},
    {&D::storedText2, "storedText2", 28, StoredText2, {}, Store, 2},
    {Unstored, "selectedText", 26, Text, {}, Own},
};
}  // namespace type_rows::edit_box
inline constexpr const auto& EditBoxRows = type_rows::edit_box::Rows;

// The picture box's type data.
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

namespace type_rows::pic_box {
using D = PicBoxData;
inline constexpr FieldRow<D> Rows[] = {
    {&D::border, "border", 8, Choice, {0, 5}},
    {&D::backgroundColour, "backgroundColour", 9, Colour},
    {&D::displayMode, "displayMode", 11, Choice, {0, 2}},
    // PNG pictures are still images, so the switch has nothing to start.
    {&D::animate, "animate", 12, Logical, {}, Store},
    {&D::picture, "picture", 10, Picture},
    {&D::storedText1, "storedText1", 13, StoredText, {}, Store, 2},
    {&D::storedText2, "storedText2", 14, StoredText2, {}, Store, 2},
};
}  // namespace type_rows::pic_box
inline constexpr const auto& PicBoxRows = type_rows::pic_box::Rows;

// The colour picker's type data.
struct ColorPickerData {
    static constexpr uint32_t HighestVersion = 1;

    uint32_t colour = 0;  // 0xFF000000: no colour, when allowed
    int32_t allowNoColour = 0;
};

inline constexpr FieldRow<ColorPickerData> ColorPickerRows[] = {
    {&ColorPickerData::colour, "colour", 8, PropertyKind::Colour},
    {&ColorPickerData::allowNoColour, "allowNoColour", 9, PropertyKind::Logical},
};

// The slider's type data.
inline constexpr int32_t SliderLimit = 32767;

struct SliderBarData {
    static constexpr uint32_t HighestVersion = 1;

    int32_t border = 0;
    int32_t orientation = 0;  // 0 horizontal, 1 vertical
    int32_t tickStyle = 2;
    int32_t tickFrequency = 1;
    int32_t selectionAllowed = 0;
    int32_t selectionStart = 0;
    int32_t selectionLength = 0;
    int32_t pageStep = 1;
    int32_t lineStep = 1;
    int32_t minimum = 0;
    int32_t maximum = 100;
    int32_t position = 0;
};

// Orientation, tick style and whether a selection is allowed are creation
// styles: a change makes the slider anew.
namespace type_rows::slider_bar {
using D = SliderBarData;
inline constexpr FieldRow<D> Rows[] = {
    {&D::border, "border", 8, Choice, {0, 5}},
    {&D::orientation, "orientation", 9, Choice, {0, 1}, Recreate},
    {&D::tickStyle, "tickStyle", 10, Choice, {0, 3}, Recreate},
    {&D::tickFrequency, "tickFrequency", 11, Integer, {0, SliderLimit}},
    {&D::selectionAllowed, "selectionAllowed", 12, Logical, {}, Recreate},
    {&D::selectionStart, "selectionStart", 13, Integer, {0, SliderLimit}},
    {&D::selectionLength, "selectionLength", 14, Integer, {0, SliderLimit}},
    {&D::pageStep, "pageStep", 15, Integer, {1, SliderLimit}},
    {&D::lineStep, "lineStep", 16, Integer, {1, SliderLimit}},
    {&D::minimum, "minimum", 17, Integer, {0, SliderLimit}},
    {&D::maximum, "maximum", 18, Integer, {0, SliderLimit}},
    {&D::position, "thumbPosition", 19, Integer, {0, SliderLimit}},
};
}  // namespace type_rows::slider_bar
inline constexpr const auto& SliderBarRows = type_rows::slider_bar::Rows;

// The timer's type data.
struct TimerData {
    static constexpr uint32_t HighestVersion = 1;
    int32_t interval = 0;  // milliseconds
};

inline constexpr FieldRow<TimerData> TimerRows[] = {
    {&TimerData::interval, "interval", 8, PropertyKind::Integer, {0, NoLimit}},
};

// The check-list box's type data.
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
namespace type_rows::check_list_box {
using D = CheckListBoxData;
inline constexpr FieldRow<D> Rows[] = {
    {&D::border, "border", 8, Choice, {0, 5}},
    {&D::multiColumn, "multiColumn", 9, Logical, {}, Recreate},
    {&D::listSwitch, "listSwitch", 10, Logical, {}, Recreate},
    {&D::extraItemHeight, "extraItemHeight", 11, Integer, {0, 32767}},
    {&D::singleCheck, "singleCheck", 12, Logical},
    {&D::currentItem, "currentItem", 14, Integer, {}, Own},
    {&D::font, "font", 13, Font},
    {&D::items, "items", 15, ListData, {}, Own},
    {&D::itemValues, "itemValues", 16, Data, {}, Own},
};
}  // namespace type_rows::check_list_box
inline constexpr const auto& CheckListBoxRows = type_rows::check_list_box::Rows;

}  // namespace tessaly::ui
