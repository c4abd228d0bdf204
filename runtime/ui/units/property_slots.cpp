#include "runtime/ui/units/property_slots.h"

#include <algorithm>
#include <cstring>

#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {
namespace {

int32_t clampInteger(const PropertyInfo& info, int32_t value)
{
    const bool ranged = info.kind == PropertyKind::Choice || info.minimum != 0 || info.maximum != 0;
    return ranged ? std::clamp(value, info.minimum, info.maximum) : value;
}

}  // namespace

std::string textOf(const PropertyValue& value)
{
    if (value.data == 0) return {};
    const auto* text = reinterpret_cast<const char*>(value.data);
    if (value.length > 0) return std::string(text, static_cast<size_t>(value.length));
    return std::string(text, std::strlen(text));
}

bool writeSlot(const PropertyInfo& info, PropertySlot slot, const PropertyValue& value)
{
    if (auto* integer = std::get_if<int32_t*>(&slot)) {
        **integer = info.kind == PropertyKind::Logical ? (value.asInt() != 0 ? 1 : 0) : clampInteger(info, value.asInt());
        return true;
    }
    if (auto* colour = std::get_if<uint32_t*>(&slot)) {
        **colour = static_cast<uint32_t>(value.data);
        return true;
    }
    if (auto* text = std::get_if<std::string*>(&slot)) {
        **text = textOf(value);
        return true;
    }
    if (auto* bytes = std::get_if<Bytes*>(&slot)) {
        const ByteView data = value.asBytes();
        if (info.kind == PropertyKind::Font && !data.empty() && data.size() != LogFontSize) return false;
        (*bytes)->assign(data.begin(), data.end());
        return true;
    }
    return false;
}

bool readSlot(PropertySlot slot, PropertyValue& out)
{
    if (auto* integer = std::get_if<int32_t*>(&slot)) {
        out = PropertyValue::number(**integer);
        return true;
    }
    if (auto* colour = std::get_if<uint32_t*>(&slot)) {
        out = PropertyValue::number(**colour);
        return true;
    }
    if (auto* text = std::get_if<std::string*>(&slot)) {
        out = PropertyValue::bytes((*text)->c_str(), (*text)->size());
        return true;
    }
    if (auto* bytes = std::get_if<Bytes*>(&slot)) {
        out = (*bytes)->empty() ? PropertyValue{} : PropertyValue::bytes((*bytes)->data(), (*bytes)->size());
        return true;
    }
    return false;
}

}  // namespace tessaly::ui
