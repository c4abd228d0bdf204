// Type codes of the values that cross between the program and the runtime.
// The top two bits give the class (base, program record, library); bit 29 is
// an argument flag and is cleared before any comparison.
#pragma once

#include <cstdint>

namespace tessaly {

namespace TypeCode {
inline constexpr uint32_t None = 0;

inline constexpr uint32_t Byte = 0x80000101;
inline constexpr uint32_t Short = 0x80000201;
inline constexpr uint32_t Int = 0x80000301;
inline constexpr uint32_t Long = 0x80000401;
inline constexpr uint32_t Float = 0x80000501;
inline constexpr uint32_t Double = 0x80000601;
inline constexpr uint32_t Bool = 0x80000002;
inline constexpr uint32_t DateTime = 0x80000003;
inline constexpr uint32_t Text = 0x80000004;
inline constexpr uint32_t Bytes = 0x80000005;
inline constexpr uint32_t SubPointer = 0x80000006;
inline constexpr uint32_t EightByte = 0x80000008;

// Core library (library 1) types used by the caption tool.
inline constexpr uint32_t Window = 0x10001;
inline constexpr uint32_t Menu = 0x10003;
inline constexpr uint32_t EditBox = 0x10005;
inline constexpr uint32_t PicBox = 0x10006;
inline constexpr uint32_t GroupBox = 0x10009;
inline constexpr uint32_t Label = 0x1000a;
inline constexpr uint32_t Button = 0x1000b;
inline constexpr uint32_t CheckBox = 0x1000c;
inline constexpr uint32_t ComboBox = 0x1000e;
inline constexpr uint32_t ChkListBox = 0x10010;
inline constexpr uint32_t SliderBar = 0x10014;
inline constexpr uint32_t ColorPicker = 0x1001c;
inline constexpr uint32_t Timer = 0x10020;
inline constexpr uint32_t ComObject = 0x10030;
inline constexpr uint32_t Variant = 0x10031;
}  // namespace TypeCode

// Marks an array argument or a by-reference argument on the type word.
inline constexpr uint32_t ArgumentFlag = 0x20000000;

constexpr uint32_t withoutArgumentFlag(uint32_t type) { return type & ~ArgumentFlag; }
constexpr bool hasArgumentFlag(uint32_t type) { return (type & ArgumentFlag) != 0; }

enum class TypeClass { None, Base, ProgramRecord, Library };

constexpr TypeClass classOf(uint32_t type)
{
    type = withoutArgumentFlag(type);
    if (type == 0) return TypeClass::None;
    switch (type & 0xC0000000u) {
    case 0x80000000u: return TypeClass::Base;
    case 0x40000000u: return TypeClass::ProgramRecord;
    default: return TypeClass::Library;
    }
}

constexpr bool isNumeric(uint32_t type)
{
    return classOf(type) == TypeClass::Base && (withoutArgumentFlag(type) & 0xFF) == 1;
}

// Payload width of a numeric type; 0 for every other type.
constexpr int numericWidth(uint32_t type)
{
    switch (withoutArgumentFlag(type)) {
    case TypeCode::Byte: return 1;
    case TypeCode::Short: return 2;
    case TypeCode::Int:
    case TypeCode::Float: return 4;
    case TypeCode::Long:
    case TypeCode::Double: return 8;
    default: return 0;
    }
}

constexpr uint32_t libraryType(uint32_t library, uint32_t typeNumber)
{
    return library * 0x10000u + typeNumber;
}

}  // namespace tessaly
