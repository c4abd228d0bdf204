// Exact search for a short byte string that skips ahead on pairs of bytes:
// the pair at the end of the window is looked up in a table of the pairs the
// sought text contains, and the window jumps past it when it is absent. Two
// bytes are much rarer than one in text, so most steps skip nearly the whole
// sought length. The search itself knows nothing of characters.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tessaly {

class PairSkipSearch {
public:
    // Shifts are kept in bytes, so the sought text is 2 to 256 bytes long.
    static constexpr size_t ShortestSought = 2;
    static constexpr size_t LongestSought = 256;

    explicit PairSkipSearch(std::string_view sought);

    // The first position at or after `from` where the sought bytes occur in
    // `text`; npos when none.
    size_t find(std::string_view text, size_t from) const;

private:
    static uint8_t hash(unsigned char first, unsigned char second)
    {
        return static_cast<uint8_t>(second - (first << 3));
    }

    std::string_view sought_;
    // For each pair hash: the largest index i (1 <= i < length) at which a pair
    // of the sought text ends with that hash; 0 when none.
    std::array<uint8_t, 256> lastEnd_{};
    size_t shiftAfterMismatch_ = 0;
};

}  // namespace tessaly
