// Conversion commands: any value to text, integer, byte or byte-set.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <span>
#include <string>

#include "runtime/core/commands/command_arguments.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/commands/number_reading.h"
#include "runtime/core/value_text.h"

namespace tessaly::commands {
namespace {

// The bytes of a numeric array argument: element width times the size of the
// first dimension, never more elements than the array holds (a later
// dimension of size 0 leaves none). None when the value is no array of numbers.
std::optional<std::span<const uint8_t>> numericArrayBytes(const TypedValue& value)
{
    if (!hasArgumentFlag(value.type) || !isNumeric(value.type)) return std::nullopt;
    auto* block = value.pointer<int32_t>();
    if (block == nullptr) return std::span<const uint8_t>{};
    const ArrayView elements = arrayElements(block);
    const int64_t firstSize = block[0] >= 1 ? std::clamp<int64_t>(block[1], 0, elements.count) : 0;
    const auto* first = reinterpret_cast<const uint8_t*>(elements.first);
    return std::span<const uint8_t>(first, static_cast<size_t>(firstSize) * numericWidth(value.type));
}

std::string_view upToZero(std::span<const uint8_t> bytes)
{
    const auto* begin = reinterpret_cast<const char*>(bytes.data());
    const void* zero = bytes.empty() ? nullptr : std::memchr(begin, 0, bytes.size());
    return {begin, zero == nullptr ? bytes.size() : static_cast<size_t>(static_cast<const char*>(zero) - begin)};
}

// Truncation toward zero; what does not fit (or NaN) gives the processor's
// "integer indefinite", the most negative value.
int32_t truncateToInt(double value)
{
    if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
    return static_cast<int32_t>(value);
}

int32_t toInteger(const TypedValue& value)
{
    if (hasArgumentFlag(value.type)) return 0;
    switch (value.type) {
    case TypeCode::Bool:
    case TypeCode::Int:
    case TypeCode::SubPointer:
    case TypeCode::Long: return value.asInt();
    case TypeCode::Byte: return static_cast<int32_t>(value.low & 0xFF);
    case TypeCode::Short: return static_cast<int16_t>(value.low & 0xFFFF);
    case TypeCode::Float: return truncateToInt(value.asFloat());
    case TypeCode::Double: return truncateToInt(value.asDouble());
    case TypeCode::Text: return readDecimalInteger(textView(value.text()));
    default: return 0;
    }
}

std::string_view bytesOf(const void* byteSet) { return upToZero(byteSetBytes(byteSet)); }

}  // namespace

void ToText(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const TypedValue value = CommandArguments(count, arguments).at(0);
    if (const auto array = numericArrayBytes(value)) {
        setTextResult(result, upToZero(*array));
    } else if (hasArgumentFlag(value.type)) {
        return;
    } else if (value.type == TypeCode::Bytes) {
        setTextResult(result, bytesOf(value.pointer()));
    } else if (value.type == TypeCode::Text) {
        setTextResult(result, textView(value.text()));
    } else if (const auto text = baseValueToText(value)) {
        setTextResult(result, *text);
    }
}

void ToInteger(TypedValue* result, int32_t count, TypedValue* arguments)
{
    setIntResult(result, toInteger(CommandArguments(count, arguments).at(0)));
}

void ToByte(TypedValue* result, int32_t count, TypedValue* arguments)
{
    result->low = static_cast<uint32_t>(toInteger(CommandArguments(count, arguments).at(0))) & 0xFF;
}

void ToByteSet(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const TypedValue value = CommandArguments(count, arguments).at(0);
    if (const auto array = numericArrayBytes(value)) {
        setPointerResult(result, makeResultByteSet(*array));
    } else if (hasArgumentFlag(value.type) || classOf(value.type) != TypeClass::Base) {
        return;
    } else if (value.type == TypeCode::Text) {
        const std::string_view text = textView(value.text());
        setPointerResult(result, makeResultByteSet(text.data(), static_cast<intptr_t>(text.size())));
    } else {
        const ValueData data = dataOf(value);
        setPointerResult(result, makeResultByteSet(data.data, data.size));
    }
}

}  // namespace tessaly::commands
