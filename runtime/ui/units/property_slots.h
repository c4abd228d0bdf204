// Table-driven access to a unit type's own properties. Each type maps a
// property index to the field of its type-data record that holds it (a slot);
// writing and reading a slot then follows the property's kind and clamp range
// from the type's property table, the same way for every type.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "runtime/ui/byte_reader.h"
#include "runtime/ui/unit_type.h"

namespace tessaly::ui {

// The field behind one property; monostate for an index the type lacks.
using PropertySlot = std::variant<std::monostate, int32_t*, uint32_t*, std::string*, Bytes*>;

// A range of the property table that clamps integers (choices always clamp;
// plain integers clamp when the table gives a range).
inline constexpr int32_t NoLimit = INT32_MAX;

// Stores the converted value into the slot as the property's kind asks.
// False when the value cannot be taken (a font blob that is not 0 or 60
// bytes, or an unknown index); the slot is then unchanged.
bool writeSlot(const PropertyInfo& info, PropertySlot slot, const PropertyValue& value);
// Answers the slot's value; texts and data point into the slot.
bool readSlot(PropertySlot slot, PropertyValue& out);

// The text a value carries: `length` bytes, or up to the terminating zero
// when the caller passed a bare zero-terminated pointer.
std::string textOf(const PropertyValue& value);

}  // namespace tessaly::ui
