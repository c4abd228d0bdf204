// The numbers the runtime's floors speak in: what a library or the window
// layer asks of the runtime through its notify entry, what the runtime asks
// of a library's notify routine, the identifiers of the core library's unit
// types, and the common events every unit raises. The core and the window
// layer both name them from here.
#pragma once

#include <cstdint>

namespace tessaly {

// Codes to the runtime's notify entry (value 1, value 2 as each says).
namespace RuntimeNotify {
inline constexpr int32_t WindowList = 1001;          // ids written at value 1, room for value 2; -> count
inline constexpr int32_t FindUnitType = 1002;        // type id -> its unit type, or 0
inline constexpr int32_t AddIdleCallback = 1012;     // the callback record
inline constexpr int32_t RemoveIdleCallback = 1013;  // its window
inline constexpr int32_t WindowDestroyed = 2000;
inline constexpr int32_t NumberToInteger = 2001;     // a typed value; a non-number is a fatal error
inline constexpr int32_t ProgramDirectory = 2003;
inline constexpr int32_t ExecutableName = 2004;
inline constexpr int32_t LoadWindow = 2005;          // window id, unit id
inline constexpr int32_t FindUnit = 2006;            // window id, unit id -> the unit, or 0
inline constexpr int32_t FindUnitStrict = 2007;      // as 2006; a missing one is a fatal error
inline constexpr int32_t FireEvent = 2008;           // the event record
inline constexpr int32_t CurrentEventSource = 2017;  // written at value 1; 0 outside an event
inline constexpr int32_t UnitTypeOf = 2022;          // window id, unit id -> type id
inline constexpr int32_t Allocate = 2024;            // size, value 2 not 0: no error when it fails
inline constexpr int32_t Release = 2025;
inline constexpr int32_t Reallocate = 2026;
inline constexpr int32_t ReportError = 2027;         // the message; does not return
inline constexpr int32_t EndProgram = 2028;          // the exit code; does not return
inline constexpr int32_t ClassifyType = 2029;        // data type -> what kind of value it is
inline constexpr int32_t Mode = 2030;
inline constexpr int32_t AskAboutType = 2036;        // data type, question -> its library's answer
}  // namespace RuntimeNotify

// Codes to a library's notify routine.
namespace LibraryNotify {
inline constexpr int32_t Start = 1;      // value 1: the runtime's notify entry
inline constexpr int32_t AboutType = 8;  // the library's type index, the question
}  // namespace LibraryNotify

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

// Properties below this index are every unit's; a type's own start here.
inline constexpr int32_t FirstOwnProperty = 8;

// The events every unit raises from its input messages.
namespace CommonEvent {
inline constexpr int32_t LeftDown = -1;
inline constexpr int32_t LeftUp = -2;
inline constexpr int32_t DoubleClick = -3;
inline constexpr int32_t RightDown = -4;
inline constexpr int32_t RightUp = -5;
inline constexpr int32_t MouseMove = -6;
inline constexpr int32_t GotFocus = -7;
inline constexpr int32_t LostFocus = -8;
inline constexpr int32_t KeyDown = -9;
inline constexpr int32_t KeyUp = -10;
inline constexpr int32_t Character = -11;
inline constexpr int32_t Wheel = -12;
}  // namespace CommonEvent

}  // namespace tessaly
