// A unit property as the runtime's two floors exchange it: its kind, which
// says how the value converts, and the converted value itself. Platform-free,
// so the packer can describe properties with the same kinds.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tessaly::ui {

// How a property's value converts between the program and the unit.
namespace PropertyKind {
inline constexpr int32_t Integer = 1000;
inline constexpr int32_t Integer2 = 1001;
inline constexpr int32_t Real = 1002;
inline constexpr int32_t Logical = 1003;
inline constexpr int32_t DateTime = 1004;
inline constexpr int32_t Text = 1005;
inline constexpr int32_t Choice = 1006;
inline constexpr int32_t Picture = 1009;
inline constexpr int32_t Icon = 1010;
inline constexpr int32_t MousePointer = 1011;
inline constexpr int32_t Sound = 1012;
inline constexpr int32_t Font = 1013;
inline constexpr int32_t Colour = 1014;
inline constexpr int32_t Colour2 = 1015;
inline constexpr int32_t Colour3 = 1017;
inline constexpr int32_t StoredText = 1018;
inline constexpr int32_t StoredText2 = 1020;
inline constexpr int32_t Data = 1023;
inline constexpr int32_t ListData = 1024;
}  // namespace PropertyKind

// One own property of a type, as data: the table drives access.
struct PropertyInfo {
    int32_t index;  // 8 and up
    int32_t kind;
};

// A converted value: a number in `data`, or a pointer and a byte count for
// texts, binary data and fonts (60 bytes).
struct PropertyValue {
    intptr_t data = 0;
    intptr_t length = 0;

    static PropertyValue number(int64_t v) { return {static_cast<intptr_t>(v), 0}; }
    static PropertyValue bytes(const void* p, size_t n) { return {reinterpret_cast<intptr_t>(p), static_cast<intptr_t>(n)}; }
    int32_t asInt() const { return static_cast<int32_t>(data); }
    std::string_view asText() const
    {
        return data == 0 ? std::string_view{} : std::string_view{reinterpret_cast<const char*>(data), static_cast<size_t>(length)};
    }
    std::span<const uint8_t> asBytes() const
    {
        return data == 0 ? std::span<const uint8_t>{} : std::span<const uint8_t>{reinterpret_cast<const uint8_t*>(data), static_cast<size_t>(length)};
    }
};

}  // namespace tessaly::ui
