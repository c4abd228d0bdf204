// The 32-bit identifiers of windows, units and menu items, and the unit type
// identifiers of the core library's types that templates use.
#pragma once

#include <cstdint>

namespace tessaly::ui {

// Bits 0-23 serial, 24-27 kind, 28-31 class.
constexpr uint32_t identifierSerial(uint32_t id) { return id & 0x00FFFFFF; }
constexpr uint32_t identifierKind(uint32_t id) { return (id >> 24) & 0xF; }
constexpr uint32_t identifierClass(uint32_t id) { return id >> 28; }
constexpr bool isValidIdentifier(uint32_t id) { return identifierSerial(id) != 0 && identifierKind(id) != 0; }

inline constexpr uint32_t UnitClassOwnRecord = 0;
inline constexpr uint32_t UnitClassUnit = 1;
inline constexpr uint32_t UnitClassMenuItem = 2;

constexpr bool isMenuItemIdentifier(uint32_t id) { return identifierClass(id) == UnitClassMenuItem; }

// High 16 bits: 1-based library number; low 16 bits: 1-based type index.
namespace TypeId {
inline constexpr uint32_t Window = 0x00010001;
inline constexpr uint32_t MenuItem = 0x00010003;
inline constexpr uint32_t EditBox = 0x00010005;
inline constexpr uint32_t PicBox = 0x00010006;
inline constexpr uint32_t GroupBox = 0x00010009;
inline constexpr uint32_t Label = 0x0001000A;
inline constexpr uint32_t Button = 0x0001000B;
inline constexpr uint32_t CheckBox = 0x0001000C;
inline constexpr uint32_t ComboBox = 0x0001000E;
inline constexpr uint32_t ChkListBox = 0x00010010;
inline constexpr uint32_t SliderBar = 0x00010014;
inline constexpr uint32_t ColorPicker = 0x0001001C;
inline constexpr uint32_t Timer = 0x00010020;
}  // namespace TypeId

// A routine word that binds nothing; every other value is an offset from the code base.
inline constexpr uint32_t NoRoutineWord = 0xFFFFFFFF;

}  // namespace tessaly::ui
