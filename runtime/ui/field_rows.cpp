#include "runtime/ui/field_rows.h"

#include <algorithm>
#include <cstring>

namespace tessaly::ui {
namespace {

// The text a value carries: `length` bytes, or up to the terminating zero
// when the caller passed a bare zero-terminated pointer.
std::string textOf(const PropertyValue& value)
{
    if (value.data == 0) return {};
    const auto* text = reinterpret_cast<const char*>(value.data);
    if (value.length > 0) return std::string(text, static_cast<size_t>(value.length));
    return std::string(text, std::strlen(text));
}

// A logical as 0 or 1, an integer clamped to the range when there is one.
int32_t takeInteger(int32_t kind, Range range, int32_t value)
{
    if (kind == PropertyKind::Logical) return value != 0 ? 1 : 0;
    return range.given() ? std::clamp(value, range.minimum, range.maximum) : value;
}

// False, leaving the target as it was, for a font that is neither empty nor one LOGFONT.
bool takeBytes(int32_t kind, Bytes& target, const PropertyValue& value)
{
    const ByteView bytes = value.asBytes();
    if (kind == PropertyKind::Font && !bytes.empty() && bytes.size() != LogFontSize) return false;
    target.assign(bytes.begin(), bytes.end());
    return true;
}

}  // namespace

void readField(ByteReader& in, int32_t kind, FieldAt field)
{
    switch (field.encoding) {
    case Encoding::Int32: field.as<int32_t>() = in.i32(); break;
    case Encoding::Word32: field.as<uint32_t>() = in.u32(); break;
    case Encoding::Word16: field.as<uint16_t>() = in.u16(); break;
    case Encoding::Text: field.as<std::string>() = in.countedString(); break;
    case Encoding::Blob: field.as<Bytes>() = kind == PropertyKind::Font ? readFontBlob(in) : in.countedBlob(); break;
    case Encoding::Items: field.as<std::vector<std::string>>() = readListItems(in); break;
    case Encoding::None: break;
    }
}

void writeField(ByteWriter& out, FieldAt field)
{
    switch (field.encoding) {
    case Encoding::Int32: out.i32(field.as<int32_t>()); break;
    case Encoding::Word32: out.u32(field.as<uint32_t>()); break;
    case Encoding::Word16: out.u16(field.as<uint16_t>()); break;
    case Encoding::Text: out.counted(field.as<std::string>()); break;
    case Encoding::Blob: out.counted(ByteView(field.as<Bytes>())); break;
    case Encoding::Items: writeListItems(out, field.as<std::vector<std::string>>()); break;
    case Encoding::None: break;
    }
}

bool storeValue(int32_t kind, Range range, FieldAt field, const PropertyValue& value)
{
    switch (field.encoding) {
    case Encoding::Int32: field.as<int32_t>() = takeInteger(kind, range, value.asInt()); return true;
    case Encoding::Word32: field.as<uint32_t>() = static_cast<uint32_t>(value.data); return true;
    case Encoding::Word16: field.as<uint16_t>() = static_cast<uint16_t>(value.data); return true;
    case Encoding::Text: field.as<std::string>() = textOf(value); return true;
    case Encoding::Blob: return takeBytes(kind, field.as<Bytes>(), value);
    case Encoding::Items:
    case Encoding::None: return false;
    }
    return false;
}

PropertyValue answerValue(int32_t kind, FieldAt field)
{
    switch (field.encoding) {
    case Encoding::Int32: {
        const int32_t v = field.as<int32_t>();
        return PropertyValue::number(kind == PropertyKind::Logical ? v != 0 : v);
    }
    case Encoding::Word32: return PropertyValue::number(field.as<uint32_t>());
    case Encoding::Word16: return PropertyValue::number(field.as<uint16_t>());
    case Encoding::Text: {
        const auto& text = field.as<std::string>();
        return PropertyValue::bytes(text.c_str(), text.size());
    }
    case Encoding::Blob: {
        const auto& bytes = field.as<Bytes>();
        return bytes.empty() ? PropertyValue{} : PropertyValue::bytes(bytes.data(), bytes.size());
    }
    case Encoding::Items:
    case Encoding::None: return {};
    }
    return {};
}

}  // namespace tessaly::ui
