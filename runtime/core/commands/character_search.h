// Searching GBK byte strings the way the text commands walk them: from a
// starting byte, one character at a time, where any byte with its top bit set
// opens a two-byte character. A match counts only where a character begins.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "runtime/core/commands/pair_skip_search.h"

namespace tessaly {

constexpr bool opensDoubleByte(unsigned char c) { return (c & 0x80) != 0; }

// ASCII letters compare equal in either case; every other byte only to itself.
constexpr unsigned char foldAsciiCase(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

enum class LetterCase { Exact, Ignore };

// Whether a walk that starts at `from` steps on `position` (from <= position).
// Only the run of high bytes just before `position` decides it, so the cost
// is that run's length, not the distance from `from`.
bool walkVisits(std::string_view text, size_t from, size_t position);

// Finds the sought bytes (never empty) without stepping through every
// character: candidates come from a byte search (Horspool skips for exact
// texts of a few bytes, memchr on the first byte otherwise), and the
// character walk is checked only where the sought bytes already match.
class CharacterSearch {
public:
    CharacterSearch(std::string_view text, std::string_view sought, LetterCase letterCase);

    // The first position at or after `from` that a walk starting at `from`
    // visits and where the sought bytes follow, with at least their length
    // left in the text; npos when none. Calls must come with non-decreasing `from`.
    size_t next(size_t from);

private:
    size_t nextCandidate(size_t from);
    size_t nextOccurrence(size_t from, unsigned char byte, size_t& cached, bool& valid) const;
    bool matchesAt(size_t position) const;

    std::string_view text_;
    std::string_view sought_;
    LetterCase case_;
    size_t lastCandidate_ = 0;  // one past the last position a candidate may start
    std::optional<PairSkipSearch> skipper_;
    // Next occurrences of the first sought byte in its two letter cases.
    size_t nextLower_ = 0, nextUpper_ = 0;
    bool lowerValid_ = false, upperValid_ = false;
};

}  // namespace tessaly
