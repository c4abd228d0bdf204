#include "runtime/ui/units/numeric_input.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "runtime/core/value_text.h"

namespace tessaly::ui {
namespace {

std::string_view trimmedStart(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    return text;
}

// Leading white space, a sign, then digits up to the first other character;
// no digits reads 0 and values beyond 64 bits saturate.
int64_t readWholeNumber(std::string_view text)
{
    text = trimmedStart(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Accumulated as a negative number: its range reaches one further.
    int64_t value = 0;
    constexpr int64_t Lowest = std::numeric_limits<int64_t>::min();
    for (char c : text) {
        if (c < '0' || c > '9') break;
        const int digit = c - '0';
        if (value < (Lowest + digit) / 10) {
            value = Lowest;
            break;
        }
        value = value * 10 - digit;
    }
    if (negative) return value;
    return value == Lowest ? std::numeric_limits<int64_t>::max() : -value;
}

double readRealNumber(std::string_view text)
{
    const std::string copy(trimmedStart(text));
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (end == copy.c_str() || std::isnan(value)) return 0.0;
    return value;
}

std::string clampedText(std::string_view text, int64_t lowest, int64_t highest)
{
    return std::to_string(std::clamp(readWholeNumber(text), lowest, highest));
}

constexpr bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month)
{
    constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : Days[month - 1];
}

// Days since 1 January 1970 of a civil date (proleptic Gregorian).
int64_t daysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The digit runs of a date text; none when it holds Latin letters, which no
// date form here uses.
std::optional<std::vector<int>> dateNumbers(std::string_view text)
{
    std::vector<int> numbers;
    bool inNumber = false;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 && std::isalpha(byte)) return std::nullopt;
        if (c >= '0' && c <= '9') {
            if (!inNumber) numbers.push_back(0);
            if (numbers.back() > 100000) return std::nullopt;
            numbers.back() = numbers.back() * 10 + (c - '0');
            inNumber = true;
        } else {
            inNumber = false;
        }
    }
    return numbers;
}

}  // namespace

std::optional<double> readDateText(std::string_view text)
{
    const auto numbers = dateNumbers(text);
    if (!numbers || numbers->size() < 3 || numbers->size() > 6) return std::nullopt;
    int fields[6] = {};
    std::copy(numbers->begin(), numbers->end(), fields);
    const auto [year, month, day, hour, minute, second] = fields;
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return std::nullopt;
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    constexpr int64_t OleEpochFrom1970 = 25569;  // 30 December 1899 to 1 January 1970
    const auto days = static_cast<double>(daysFromCivil(year, month, day) + OleEpochFrom1970);
    const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    // Before the epoch an OLE date counts its time away from zero too.
    return days < 0 ? days - fraction : days + fraction;
}

std::optional<std::string> canonicalInputText(int32_t mode, std::string_view text)
{
    switch (mode) {
    case InputMode::Byte: return clampedText(text, 0, 255);
    case InputMode::Short: return clampedText(text, INT16_MIN, INT16_MAX);
    case InputMode::Integer: return clampedText(text, INT32_MIN, INT32_MAX);
    case InputMode::Long: return std::to_string(readWholeNumber(text));
    case InputMode::Single: return formatFloat(static_cast<float>(std::clamp<double>(readRealNumber(text), -FLT_MAX, FLT_MAX)));
    case InputMode::Double: return formatDouble(std::clamp(readRealNumber(text), -DBL_MAX, DBL_MAX));
    case InputMode::DateTime: {
        const auto date = readDateText(text);
        return date ? formatDate(*date) : std::string();
    }
    default: return std::nullopt;
    }
}

}  // namespace tessaly::ui
