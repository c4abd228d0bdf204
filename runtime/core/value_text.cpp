#include "runtime/core/value_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tessaly {
namespace {

// Days from 1 March of year 0 style civil calendar (proleptic Gregorian).
CivilDateTime civilFromDays(int64_t daysSinceEpoch1970)
{
    int64_t z = daysSinceEpoch1970 + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d), 0, 0, 0};
}

// 30 December 1899 counted from 1 January 1970.
constexpr int64_t OleEpochFrom1970 = -25569;

std::string printf1(const char* format, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

CivilDateTime splitDate(double oleDate)
{
    if (std::isnan(oleDate)) oleDate = 0;
    oleDate = std::clamp(oleDate, MinimumDate, MaximumDate);
    // The day is the integral part; the fraction, whatever the sign, is the time.
    double whole = std::trunc(oleDate);
    int64_t seconds = std::llround(std::fabs(oleDate - whole) * 86400.0);
    auto day = static_cast<int64_t>(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++day;
    }
    CivilDateTime t = civilFromDays(day + OleEpochFrom1970);
    t.hour = static_cast<int>(seconds / 3600);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

std::string formatFloat(float value)
{
    // Round to six significant digits first, so the float's binary tail
    // (0.1f is 0.100000001490116) never shows.
    const double rounded = std::strtod(printf1("%.5e", static_cast<double>(value)).c_str(), nullptr);
    return printf1("%.6g", rounded);
}

std::string formatDouble(double value) { return printf1("%.13g", value); }

std::string formatDate(double oleDate)
{
    const CivilDateTime t = splitDate(oleDate);
    char buffer[96];
    int n = std::snprintf(buffer, sizeof buffer, "%d年%d月%d日", t.year, t.month, t.day);
    if (t.second != 0)
        std::snprintf(buffer + n, sizeof buffer - n, "%d时%d分%d秒", t.hour, t.minute, t.second);
    else if (t.minute != 0)
        std::snprintf(buffer + n, sizeof buffer - n, "%d时%d分", t.hour, t.minute);
    else if (t.hour != 0)
        std::snprintf(buffer + n, sizeof buffer - n, "%d时", t.hour);
    return buffer;
}

std::optional<std::string> baseValueToText(const TypedValue& value)
{
    switch (value.baseType()) {
    case TypeCode::Byte: return std::to_string(value.low & 0xFF);
    case TypeCode::Short: return std::to_string(static_cast<int16_t>(value.low & 0xFFFF));
    case TypeCode::Int: return std::to_string(value.asInt());
    case TypeCode::Long: return std::to_string(value.asLong());
    case TypeCode::Float: return formatFloat(value.asFloat());
    case TypeCode::Double: return formatDouble(value.asDouble());
    case TypeCode::Bool: return formatBool(value.asBool());
    case TypeCode::DateTime: return formatDate(value.asDouble());
    default: return std::nullopt;
    }
}

}  // namespace tessaly
