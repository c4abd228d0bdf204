// Walking GBK (code page 936) byte strings: a byte with its top bit set opens
// a two-byte character.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessaly {

constexpr bool isLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Position of the last occurrence of an ASCII byte, never matching a trail
// byte of a double-byte character; npos when absent.
constexpr size_t findLastAscii(std::string_view text, char wanted)
{
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (isLeadByte(c) && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (text[i] == wanted) found = i;
    }
    return found;
}

}  // namespace tessaly
