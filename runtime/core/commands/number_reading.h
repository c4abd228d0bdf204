// Reading an integer out of text the way ToInteger does: full-width forms of
// ASCII characters count as their single-byte equivalents, then the text is
// read as a C decimal integer.
#pragma once

#include <cstdint>
#include <string_view>

namespace tessaly {

// The single-byte equivalent of a double-byte character, or 0 when it has none.
constexpr unsigned char singleByteEquivalent(unsigned char lead, unsigned char trail)
{
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<unsigned char>(trail - 0x80);
    if (lead != 0xA1) return 0;
    switch (trail) {
    case 0xA1: return ' ';
    case 0xAB: return '~';
    case 0xEE:
    case 0xEF: return '*';
    default: return 0;
    }
}

// Leading white space, an optional sign, then digits up to the first other
// character; no digits gives 0 and values beyond 32 bits saturate.
int32_t readDecimalInteger(std::string_view text);

}  // namespace tessaly
