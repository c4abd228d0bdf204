// Calling a command the way the program does (a zeroed result record, the
// arguments in order) and taking ownership of what it hands back.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "runtime/core/memory.h"
#include "runtime/core/program_header.h"
#include "runtime/core/value_blocks.h"

namespace tessaly::testing {

inline TypedValue call(CommandEntry command, std::initializer_list<TypedValue> arguments)
{
    std::vector<TypedValue> records(arguments);
    TypedValue result{0, 0, 0};
    command(&result, static_cast<int32_t>(records.size()), records.data());
    return result;
}

// A text argument; the caller keeps the characters alive.
inline TypedValue text(const char* characters) { return TypedValue::ofPointer(characters, TypeCode::Text); }

// A byte-set argument whose block lives as long as this object.
class ByteSetArgument {
public:
    explicit ByteSetArgument(std::string_view bytes) : block_(8 + bytes.size())
    {
        const ByteSetHeader header{1, static_cast<int32_t>(bytes.size())};
        std::memcpy(block_.data(), &header, 8);
        std::memcpy(block_.data() + 8, bytes.data(), bytes.size());
    }
    TypedValue value() const { return TypedValue::ofPointer(block_.data(), TypeCode::Bytes); }

private:
    std::vector<char> block_;
};

// Takes a text result: none for null, so an empty text can never pass for null.
inline std::optional<std::string> takeText(const TypedValue& result)
{
    char* text = result.pointer<char>();
    if (text == nullptr) return std::nullopt;
    std::string copy(text);
    release(text);
    return copy;
}

inline std::optional<std::string> takeBytes(const TypedValue& result)
{
    void* block = result.pointer();
    if (block == nullptr) return std::nullopt;
    const auto bytes = byteSetBytes(block);
    std::string copy(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    release(block);
    return copy;
}

// Takes a one-dimensional text array: each element, none where it is null.
inline std::vector<std::optional<std::string>> takeTextArray(const TypedValue& result)
{
    auto* block = result.pointer<int32_t>();
    EXPECT_NE(block, nullptr);
    if (block == nullptr) return {};
    EXPECT_EQ(block[0], 1);
    const ArrayView elements = arrayElements(block);
    std::vector<std::optional<std::string>> texts;
    for (int64_t i = 0; i < elements.count; ++i) {
        char* element;
        std::memcpy(&element, elements.first + i * sizeof(char*), sizeof element);
        texts.push_back(element == nullptr ? std::nullopt : std::optional<std::string>(element));
        release(element);
    }
    release(block);
    return texts;
}

}  // namespace tessaly::testing
