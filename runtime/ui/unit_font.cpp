#include "runtime/ui/unit_font.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

#include "runtime/core/memory.h"
#include "runtime/core/text_encoding.h"
#include "runtime/core/value_blocks.h"
#include "runtime/core/win32_handles.h"
#include "runtime/ui/property_access.h"

namespace tessaly::ui {
namespace {

constexpr size_t FaceNameLimit = 32;

// The system's dialog font in the stored form, its face name in GBK: asked
// through the ANSI call, it would come in the machine's own code page.
LOGFONTA defaultGuiFont()
{
    LOGFONTW wide{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof wide, &wide);
    LOGFONTA font{};
    std::memcpy(&font, &wide, offsetof(LOGFONTA, lfFaceName));
    const std::string face = narrowToGbk(wide.lfFaceName);
    std::memcpy(font.lfFaceName, face.data(), std::min(face.size(), sizeof font.lfFaceName - 1));
    return font;
}

void setFaceName(LOGFONTA& font, std::string_view name)
{
    if (name.empty() || name.size() >= FaceNameLimit) {
        const LOGFONTA fallback = defaultGuiFont();
        std::memcpy(font.lfFaceName, fallback.lfFaceName, sizeof font.lfFaceName);
        return;
    }
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, name.data(), name.size());
}

int32_t pointsOf(const LOGFONTA& font) { return MulDiv(std::abs(font.lfHeight), 72, screenDotsPerInch()); }

void setPoints(LOGFONTA& font, int32_t points) { font.lfHeight = -MulDiv(points, screenDotsPerInch(), 72); }

void setAngle(LOGFONTA& font, int32_t tenths)
{
    int32_t angle = tenths % 3600;
    if (angle < 0) angle += 3600;
    font.lfEscapement = angle;
    font.lfOrientation = angle;
}

std::string_view textOf(const TypedValue& value)
{
    return value.baseType() == TypeCode::Text ? textView(value.text()) : std::string_view{};
}

}  // namespace

int32_t screenDotsPerInch()
{
    const WindowDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

LOGFONTA fontOrDefault(std::span<const uint8_t> stored)
{
    LOGFONTA font{};
    if (stored.size() == sizeof font) {
        std::memcpy(&font, stored.data(), sizeof font);
        return font;
    }
    return defaultGuiFont();
}

TypedValue readFontField(std::span<const uint8_t> stored, int32_t field)
{
    const LOGFONTA font = fontOrDefault(stored);
    const std::string_view face(font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName));
    switch (field) {
    case FontField::Angle: return TypedValue::ofInt(font.lfOrientation);
    case FontField::Bold: return TypedValue::ofBool(font.lfWeight >= FW_BOLD);
    case FontField::Italic: return TypedValue::ofBool(font.lfItalic != 0);
    case FontField::StrikeOut: return TypedValue::ofBool(font.lfStrikeOut != 0);
    case FontField::Underline: return TypedValue::ofBool(font.lfUnderline != 0);
    case FontField::Size: return TypedValue::ofInt(pointsOf(font));
    case FontField::FaceName: return TypedValue::ofPointer(makeResultText(face), TypeCode::Text);
    case FontField::Whole: {
        auto* record = static_cast<FontRecord*>(allocate(sizeof(FontRecord)));
        *record = {font.lfOrientation, font.lfWeight >= FW_BOLD, font.lfItalic != 0, font.lfStrikeOut != 0,
                   font.lfUnderline != 0, pointsOf(font), makeResultText(face)};
        return TypedValue::ofPointer(record, FontRecordType);
    }
    default: return {};
    }
}

LOGFONTA writeFontField(std::span<const uint8_t> stored, int32_t field, const TypedValue& value)
{
    LOGFONTA font = fontOrDefault(stored);
    switch (field) {
    case FontField::Angle: setAngle(font, static_cast<int32_t>(toNumber(value))); break;
    case FontField::Bold: font.lfWeight = toNumber(value) != 0 ? FW_BOLD : 0; break;
    case FontField::Italic: font.lfItalic = toNumber(value) != 0; break;
    case FontField::StrikeOut: font.lfStrikeOut = toNumber(value) != 0; break;
    case FontField::Underline: font.lfUnderline = toNumber(value) != 0; break;
    case FontField::Size: setPoints(font, static_cast<int32_t>(toNumber(value))); break;
    case FontField::FaceName: setFaceName(font, textOf(value)); break;
    case FontField::Whole: {
        const auto* record = value.pointer<const FontRecord>();
        if (record == nullptr) break;
        setAngle(font, record->angle);
        font.lfWeight = record->bold ? FW_BOLD : 0;
        font.lfItalic = record->italic != 0;
        font.lfStrikeOut = record->strikeOut != 0;
        font.lfUnderline = record->underline != 0;
        setPoints(font, record->size);
        setFaceName(font, textView(record->faceName));
        break;
    }
    default: break;
    }
    return font;
}

}  // namespace tessaly::ui
