// A font property reached by field (angle, bold, italic, strike-out,
// underline, size in points, face name) or whole, over the 60-byte LOGFONT a
// unit stores. Sizes convert through the screen's LOGPIXELSY.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "runtime/core/typed_value.h"

namespace tessaly::ui {

namespace FontField {
inline constexpr int32_t Whole = -1;
inline constexpr int32_t Angle = 0;
inline constexpr int32_t Bold = 1;
inline constexpr int32_t Italic = 2;
inline constexpr int32_t StrikeOut = 3;
inline constexpr int32_t Underline = 4;
inline constexpr int32_t Size = 5;
inline constexpr int32_t FaceName = 6;
}  // namespace FontField

// The whole font as the program holds it; the runtime allocates it on a read.
struct FontRecord {
    int32_t angle;
    int32_t bold;
    int32_t italic;
    int32_t strikeOut;
    int32_t underline;
    int32_t size;
    char* faceName;
};
inline constexpr uint32_t FontRecordType = 0x40000001;

// A stored font, or the system's default GUI font when none is stored.
LOGFONTA fontOrDefault(std::span<const uint8_t> stored);

TypedValue readFontField(std::span<const uint8_t> stored, int32_t field);
// The font after writing one field (or the whole record) into the stored one.
LOGFONTA writeFontField(std::span<const uint8_t> stored, int32_t field, const TypedValue& value);

int32_t screenDotsPerInch();

}  // namespace tessaly::ui
