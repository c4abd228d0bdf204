// The blocks that pointer values refer to (zero-terminated texts, byte-sets
// and arrays), the result constructors every command uses, and the small
// value routines of the calling convention.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "runtime/core/typed_value.h"

namespace tessaly {

// {1, length, bytes}: the shape of a one-dimensional byte array.
struct ByteSetHeader {
    int32_t dimensions;
    int32_t length;
};
static_assert(sizeof(ByteSetHeader) == 8);

inline int32_t byteSetLength(const void* block)
{
    return block == nullptr ? 0 : static_cast<const ByteSetHeader*>(block)->length;
}
inline const uint8_t* byteSetData(const void* block)
{
    return block == nullptr ? nullptr : static_cast<const uint8_t*>(block) + sizeof(ByteSetHeader);
}
inline std::span<const uint8_t> byteSetBytes(const void* block)
{
    return {byteSetData(block), static_cast<size_t>(byteSetLength(block))};
}

// Results: an empty result is null, never an empty block.
char* makeResultText(const char* source);
char* makeResultText(const char* source, intptr_t count);
inline char* makeResultText(std::string_view source)
{
    return makeResultText(source.data(), static_cast<intptr_t>(source.size()));
}
void* makeResultByteSet(const void* bytes, intptr_t length);
inline void* makeResultByteSet(std::span<const uint8_t> bytes)
{
    return makeResultByteSet(bytes.data(), static_cast<intptr_t>(bytes.size()));
}

inline std::string_view textView(const char* text) { return text == nullptr ? std::string_view{} : std::string_view{text}; }

// {dimension count d, d sizes, elements}.
struct ArrayView {
    int64_t count = 0;
    std::byte* first = nullptr;
};
ArrayView arrayElements(void* arrayBlock);
// Width of one element of an array of that type (pointer kinds are 8 bytes on x64).
int arrayElementWidth(uint32_t type);
// Allocates a one-dimensional array block of count elements of the given width, zero-filled.
void* makeResultArray(int32_t count, int elementWidth);

// The payload bytes of a value, as the commands read them.
struct ValueData {
    const void* data = nullptr;
    intptr_t size = 0;
};
ValueData dataOf(const TypedValue& value);

// A value of one of the six numeric types as a 64-bit integer (reals
// truncated toward zero); none for any other type.
std::optional<int64_t> numericValue(const TypedValue& value);

enum class FoldOperation { And = 0, Or = 1, Xor = 2 };
int32_t fold(FoldOperation operation, int32_t count, const TypedValue* records);

}  // namespace tessaly

namespace tessaly {
// Request 2: copies an array block that lies in the constant data into a new
// block and stores it in the variable, so the program can change it in place.
void makeArrayWritable(int32_t elementSize, void** variable);
}  // namespace tessaly
