// The conversion commands over values of every base type and numeric arrays
// of one or two dimensions, and the runtime's reading of numbers. An integer
// comes back from its text, a text's byte-set holds its bytes, and nothing
// reads outside a value or overflows a conversion.
#include <cstring>
#include <string>
#include <vector>

#include "runtime/core/commands/commands.h"
#include "runtime/core/commands/number_reading.h"
#include "runtime/core/memory.h"
#include "runtime/core/value_blocks.h"
#include "tests/fuzz/command_calls.h"
#include "tests/fuzz/fuzz_input.h"

namespace tessaly {
namespace {

using fuzzing::call;
using fuzzing::check;
using fuzzing::takeText;

constexpr uint32_t ScalarTypes[] = {TypeCode::Byte,  TypeCode::Short,  TypeCode::Int,      TypeCode::Long,
                                    TypeCode::Float, TypeCode::Double, TypeCode::Bool,     TypeCode::DateTime,
                                    TypeCode::Text,  TypeCode::Bytes,  TypeCode::SubPointer};
constexpr uint32_t NumericTypes[] = {TypeCode::Byte, TypeCode::Short, TypeCode::Int,
                                     TypeCode::Long, TypeCode::Float, TypeCode::Double};

// The blocks a value points to, alive for one input.
struct Value {
    TypedValue typed;
    std::string text;
    std::vector<int32_t> block;
};

Value scalarValue(fuzzing::FuzzInput& input)
{
    Value v;
    const uint32_t type = ScalarTypes[input.choice(std::size(ScalarTypes))];
    const auto bits = input.number<uint64_t>();
    v.typed = {static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32), type};
    if (type == TypeCode::Text) {
        v.text = input.rest();
        v.typed = TypedValue::ofPointer(v.text.c_str(), type);
    } else if (type == TypeCode::Bytes) {
        const std::string bytes = input.rest();
        v.block.assign(2 + (bytes.size() + 3) / 4, 0);
        v.block[0] = 1;
        v.block[1] = static_cast<int32_t>(bytes.size());
        std::memcpy(v.block.data() + 2, bytes.data(), bytes.size());
        v.typed = TypedValue::ofPointer(v.block.data(), type);
    }
    return v;
}

// {dimensions, sizes, elements} with as many element bytes as the sizes say.
Value arrayValue(fuzzing::FuzzInput& input)
{
    Value v;
    const uint32_t type = NumericTypes[input.choice(std::size(NumericTypes))];
    const int32_t dimensions = 1 + static_cast<int32_t>(input.choice(2));
    const int32_t first = static_cast<int32_t>(input.choice(16));
    const int32_t second = dimensions == 2 ? static_cast<int32_t>(input.choice(4)) : 1;
    const size_t elementBytes = static_cast<size_t>(first * second * numericWidth(type));
    v.block.assign(static_cast<size_t>(1 + dimensions) + (elementBytes + 3) / 4, 0);
    v.block[0] = dimensions;
    v.block[1] = first;
    if (dimensions == 2) v.block[2] = second;
    const std::string bytes = input.rest();
    std::memcpy(v.block.data() + 1 + dimensions, bytes.data(), std::min(bytes.size(), elementBytes));
    v.typed = TypedValue::ofPointer(v.block.data(), type | ArgumentFlag);
    return v;
}

std::string takeBytes(const TypedValue& result)
{
    void* block = result.pointer();
    const auto bytes = byteSetBytes(block);
    std::string copy(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    release(block);
    return copy;
}

void checkIntegerText(int32_t value)
{
    const std::string text = takeText(call(commands::ToText, {TypedValue::ofInt(value)}));
    check(call(commands::ToInteger, {TypedValue::ofPointer(text.c_str(), TypeCode::Text)}).asInt() == value,
          "an integer reads back from its text");
}

}  // namespace
}  // namespace tessaly

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tessaly;
    fuzzing::FuzzInput input(data, size);
    const auto integer = input.number<int32_t>();
    const Value value = input.choice(4) == 0 ? arrayValue(input) : scalarValue(input);

    checkIntegerText(integer);
    (void)takeText(call(commands::ToText, {value.typed}));
    (void)call(commands::ToInteger, {value.typed});
    (void)call(commands::ToByte, {value.typed});
    const std::string bytes = takeBytes(call(commands::ToByteSet, {value.typed}));
    if (value.typed.type == TypeCode::Text)
        check(bytes == std::string(value.text.c_str()), "a text's byte-set holds its bytes");
    (void)numericValue(value.typed);
    (void)readDecimalInteger(value.text);
    return 0;
}
