// The window's own type data.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/ui/units/field_rows.h"

namespace tessaly::ui {

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
namespace window_rows {
using D = WindowData;
using namespace PropertyKind;
constexpr OnChange Store = OnChange::Store;
inline constexpr FieldRow<D> Rows[] = {
    {&D::border, "border", 9, Choice},
    {&D::backgroundPictureMode, "backgroundPictureMode", 12, Choice},
    {&D::backgroundColour, "backgroundColour", 10, Colour},
    {&D::maximiseBox, "maximiseBox", 16, Logical},
    {&D::minimiseBox, "minimiseBox", 17, Logical},
    {&D::controlBox, "controlBox", 15, Logical},
    {&D::windowState, "windowState", 18, Choice, {}, OnChange::Own},
    {&D::movable, "movable", 19, Logical},
    {&D::soundRepetition, "soundRepetition", 14, Choice, {}, Store},
    {&D::enterMovesFocus, "enterMovesFocus", 21, Logical, {}, Store},
    {&D::escCloses, "escCloses", 22, Logical, {}, Store},
    {&D::f1OpensHelp, "f1OpensHelp", 23, Logical, {}, Store},
    {&D::helpContext, "helpContext", 25, Integer, {}, Store},
    {&D::showInTaskBar, "showInTaskBar", 26, Logical, {}, Store, 2},
    {&D::moveByDragging, "moveByDragging", 27, Logical, {}, Store, 3},
    {&D::shape, "shape", 28, Choice, {}, Store, 3},
    {&D::alwaysOnTop, "alwaysOnTop", 29, Logical, {}, OnChange::Apply, 4},
    {&D::storedSwitch, "storedSwitch", 30, Logical, {}, Store, 5},
    {&D::className, "className", 31, Text, {}, Store, 6},
    {&D::backgroundPicture, "backgroundPicture", 11, Picture},
    {&D::icon, "icon", 20, Icon},
    {&D::backgroundSound, "backgroundSound", 13, Sound, {}, Store},
    {&D::title, "title", 8, Text},
    {&D::helpFile, "helpFile", 24, Text, {}, Store},
};
}  // namespace window_rows
inline constexpr const auto& WindowRows = window_rows::Rows;

}  // namespace tessaly::ui
