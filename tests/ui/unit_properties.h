// Property access in tests as the runtime does it: through the unit's type,
// by the property's full index (8 and up).
#pragma once

#include <string>

#include "runtime/core/notify_codes.h"
#include "runtime/ui/unit.h"

namespace tessaly::ui::test {

inline bool setProperty(Unit& unit, int32_t index, const PropertyValue& value)
{
    return unit.type().setProperty(unit, index - FirstOwnProperty, value);
}

inline bool setNumber(Unit& unit, int32_t index, int64_t value)
{
    return setProperty(unit, index, PropertyValue::number(value));
}

inline bool setText(Unit& unit, int32_t index, const std::string& text)
{
    return setProperty(unit, index, PropertyValue::bytes(text.data(), text.size()));
}

inline int64_t number(const Unit& unit, int32_t index)
{
    PropertyValue out;
    unit.type().getProperty(unit, index - FirstOwnProperty, out);
    return out.data;
}

inline std::string text(const Unit& unit, int32_t index)
{
    PropertyValue out;
    unit.type().getProperty(unit, index - FirstOwnProperty, out);
    return std::string(out.asText());
}

}  // namespace tessaly::ui::test
