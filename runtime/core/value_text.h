// Base values as text, the way ToText shows them: GBK bytes, "真"/"假" for
// logical values and 年月日时分秒 for dates.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/core/typed_value.h"

namespace tessaly {

struct CivilDateTime {
    int year, month, day, hour, minute, second;
    bool operator==(const CivilDateTime&) const = default;
};

inline constexpr double MinimumDate = -657434.0;   // 1 January 100
inline constexpr double MaximumDate = 2958465.0;   // 31 December 9999

// Splits an OLE date (days since 30 December 1899) into its fields, after
// clamping it to the valid range; the time is rounded to the second.
CivilDateTime splitDate(double oleDate);

std::string formatFloat(float value);
std::string formatDouble(double value);
std::string formatDate(double oleDate);
inline std::string formatBool(bool value) { return value ? "真" : "假"; }

// The text of a base value; none for types that have no text form here.
std::optional<std::string> baseValueToText(const TypedValue& value);

}  // namespace tessaly
