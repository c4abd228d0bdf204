#include "runtime/core/value_blocks.h"

#include <cstring>

#include "runtime/core/memory.h"

namespace tessaly {

char* makeResultText(const char* source)
{
    if (source == nullptr || *source == '\0') return nullptr;
    return makeResultText(source, static_cast<intptr_t>(std::strlen(source)));
}

char* makeResultText(const char* source, intptr_t count)
{
    if (count < 1) return nullptr;
    auto* text = static_cast<char*>(allocate(count + 1));
    std::memcpy(text, source, static_cast<size_t>(count));
    text[count] = '\0';
    return text;
}

void* makeResultByteSet(const void* bytes, intptr_t length)
{
    if (length < 1) return nullptr;
    auto* block = static_cast<std::byte*>(allocate(length + static_cast<intptr_t>(sizeof(ByteSetHeader))));
    const ByteSetHeader header{1, static_cast<int32_t>(length)};
    std::memcpy(block, &header, sizeof header);
    std::memcpy(block + sizeof header, bytes, static_cast<size_t>(length));
    return block;
}

ArrayView arrayElements(void* arrayBlock)
{
    if (arrayBlock == nullptr) return {};
    auto* words = static_cast<int32_t*>(arrayBlock);
    const int32_t dimensions = words[0];
    int64_t count = 1;
    for (int32_t i = 0; i < dimensions; ++i) count *= words[1 + i];
    return {count, reinterpret_cast<std::byte*>(words + 1 + dimensions)};
}

int arrayElementWidth(uint32_t type)
{
    type = withoutArgumentFlag(type);
    if (const int width = numericWidth(type); width != 0) return width;
    switch (type) {
    case TypeCode::Bool: return 4;
    case TypeCode::DateTime:
    case TypeCode::EightByte: return 8;
    case TypeCode::Text:
    case TypeCode::Bytes:
    case TypeCode::SubPointer: return static_cast<int>(sizeof(void*));
    default: break;
    }
    // Library types: units are two identifiers, objects a block pointer each.
    return classOf(type) == TypeClass::Library || classOf(type) == TypeClass::ProgramRecord
               ? 8
               : 0;
}

void* makeResultArray(int32_t count, int elementWidth)
{
    const intptr_t bytes = 8 + static_cast<intptr_t>(count) * elementWidth;
    auto* block = static_cast<int32_t*>(allocate(bytes));
    std::memset(block, 0, static_cast<size_t>(bytes));
    block[0] = 1;
    block[1] = count;
    return block;
}

ValueData dataOf(const TypedValue& value)
{
    switch (value.baseType()) {
    case TypeCode::Byte: return {&value.low, 1};
    case TypeCode::Short: return {&value.low, 2};
    case TypeCode::Bool:
    case TypeCode::Int:
    case TypeCode::Float: return {&value.low, 4};
    case TypeCode::SubPointer: return {&value.low, static_cast<intptr_t>(sizeof(void*))};
    case TypeCode::DateTime:
    case TypeCode::EightByte:
    case TypeCode::Long:
    case TypeCode::Double: return {&value.low, 8};
    case TypeCode::Text: {
        const char* text = value.text();
        if (text == nullptr) return {};
        return {text, static_cast<intptr_t>(std::strlen(text)) + 1};
    }
    case TypeCode::Bytes: {
        const void* block = value.pointer();
        return {byteSetData(block), byteSetLength(block)};
    }
    default: return {};
    }
}

namespace {

// Truncation toward zero; what does not fit (or NaN) gives the processor's
// "integer indefinite", the most negative value.
int64_t truncateToLong(double value)
{
    constexpr double Limit = 9223372036854775808.0;  // 2^63
    if (!(value >= -Limit && value < Limit)) return INT64_MIN;
    return static_cast<int64_t>(value);
}

}  // namespace

std::optional<int64_t> numericValue(const TypedValue& value)
{
    switch (value.baseType()) {
    case TypeCode::Byte: return value.low & 0xFF;
    case TypeCode::Short: return static_cast<int16_t>(value.low & 0xFFFF);
    case TypeCode::Int: return value.asInt();
    case TypeCode::Long: return value.asLong();
    case TypeCode::Float: return truncateToLong(value.asFloat());
    case TypeCode::Double: return truncateToLong(value.asDouble());
    default: return std::nullopt;
    }
}

int32_t fold(FoldOperation operation, int32_t count, const TypedValue* records)
{
    if (count < 1) return 0;
    auto result = static_cast<int32_t>(records[0].low);
    for (int32_t i = 1; i < count; ++i) {
        const auto word = static_cast<int32_t>(records[i].low);
        switch (operation) {
        case FoldOperation::And: result &= word; break;
        case FoldOperation::Or: result |= word; break;
        case FoldOperation::Xor: result ^= word; break;
        }
    }
    return result;
}

}  // namespace tessaly

namespace tessaly {

void makeArrayWritable(int32_t elementSize, void** variable)
{
    void* block = *variable;
    if (block == nullptr || !constantRange().contains(block)) return;
    const ArrayView elements = arrayElements(block);
    const int32_t dimensions = *static_cast<const int32_t*>(block);
    const intptr_t size = 4 + 4 * static_cast<intptr_t>(dimensions) + elements.count * elementSize;
    void* copy = allocate(size);
    std::memcpy(copy, block, static_cast<size_t>(size));
    *variable = copy;
}

}  // namespace tessaly
