// Units as the program reaches them: a unit reference, its properties read
// and written by index through the property services, and the commands that
// act on windows, units, menus and lists.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/core/typed_value.h"

namespace tessaly::program {

// (window identifier, unit identifier, unit type identifier); unit 0 is the window itself.
struct UnitRef {
    uint32_t windowId = 0;
    uint32_t unitId = 0;
    uint32_t typeId = 0;

    bool operator==(const UnitRef&) const = default;
};

TypedValue unitArgument(UnitRef unit);

// The properties every unit has, by index.
namespace Property {
inline constexpr int32_t Left = 0;
inline constexpr int32_t Top = 1;
inline constexpr int32_t Width = 2;
inline constexpr int32_t Height = 3;
inline constexpr int32_t Tag = 4;
inline constexpr int32_t Visible = 5;
inline constexpr int32_t Disabled = 6;
}  // namespace Property

// The parts of a font property, by field index.
namespace FontField {
inline constexpr int32_t Bold = 1;
inline constexpr int32_t Italic = 2;
inline constexpr int32_t StrikeOut = 3;
inline constexpr int32_t Underline = 4;
inline constexpr int32_t Size = 5;
inline constexpr int32_t FaceName = 6;
}  // namespace FontField

int32_t readInt(UnitRef unit, int32_t property);
bool readBool(UnitRef unit, int32_t property);
std::string readText(UnitRef unit, int32_t property);
void writeInt(UnitRef unit, int32_t property, int32_t value);
void writeBool(UnitRef unit, int32_t property, bool value);
void writeText(UnitRef unit, int32_t property, const std::string& value);

int32_t readFontInt(UnitRef unit, int32_t property, int32_t field);
void writeFontInt(UnitRef unit, int32_t property, int32_t field, int32_t value);
void writeFontBool(UnitRef unit, int32_t property, int32_t field, bool value);
void writeFontText(UnitRef unit, int32_t property, int32_t field, const std::string& value);

// Windows and units.
bool loadWindow(UnitRef window);
// Posted: the window goes once the current routine has returned.
void destroy(UnitRef unitOrWindow);
bool isCreated(UnitRef unitOrWindow);
int32_t windowHandle(UnitRef unitOrWindow);
// A copy of the unit on the same window, directly behind it in the stacking order.
UnitRef copyUnit(UnitRef source);
// The unit that raised the event being handled.
UnitRef eventUnit();
namespace ZOrder {
inline constexpr int32_t Top = 1;
inline constexpr int32_t Topmost = 3;
}  // namespace ZOrder
void setZOrder(UnitRef unitOrWindow, int32_t position);
void popupMenu(UnitRef window, UnitRef menu, int32_t x, int32_t y);
void popupTrayMenu(UnitRef window, UnitRef menu);
// `icon` is a byte set holding an icon file.
void setTrayIcon(UnitRef window, const void* icon, const std::string& tip);
// Width and height of the unit's caption in its own font, in pixels.
struct TextExtent {
    int32_t width = 0;
    int32_t height = 0;
};
TextExtent measureCaption(UnitRef unit);

// Lists and combo boxes.
int32_t listAddItem(UnitRef list, const std::string& text, int32_t itemData);
bool listDeleteItem(UnitRef list, int32_t index);
void listClear(UnitRef list);
bool listIsChecked(UnitRef list, int32_t index);
void listSetChecked(UnitRef list, int32_t index, bool checked);
int32_t comboAddItem(UnitRef combo, const std::string& text, int32_t itemData);
int32_t comboItemCount(UnitRef combo);
std::string comboItemText(UnitRef combo, int32_t index);

}  // namespace tessaly::program
