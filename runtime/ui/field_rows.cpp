#include "runtime/ui/field_rows.h"

#include <algorithm>
#include <cstring>

namespace tessaly::ui {

std::string textOf(const PropertyValue& value)
{
    if (value.data == 0) return {};
    const auto* text = reinterpret_cast<const char*>(value.data);
    if (value.length > 0) return std::string(text, static_cast<size_t>(value.length));
    return std::string(text, std::strlen(text));
}

int32_t takeInteger(int32_t kind, Range range, int32_t value)
{
    if (kind == PropertyKind::Logical) return value != 0 ? 1 : 0;
    return range.given() ? std::clamp(value, range.minimum, range.maximum) : value;
}

bool takeBytes(int32_t kind, Bytes& target, const PropertyValue& value)
{
    const ByteView bytes = value.asBytes();
    if (kind == PropertyKind::Font && !bytes.empty() && bytes.size() != LogFontSize) return false;
    target.assign(bytes.begin(), bytes.end());
    return true;
}

}  // namespace tessaly::ui
