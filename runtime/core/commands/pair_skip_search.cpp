#include "runtime/core/commands/pair_skip_search.h"

#include <cstring>

namespace tessaly {

PairSkipSearch::PairSkipSearch(std::string_view sought) : sought_(sought)
{
    const auto* s = reinterpret_cast<const unsigned char*>(sought.data());
    const size_t last = sought.size() - 1;
    for (size_t i = 1; i < last; ++i) lastEnd_[hash(s[i - 1], s[i])] = static_cast<uint8_t>(i);
    // When the final pair matches but the whole does not, the next alignment
    // is the one of an earlier pair with the same hash (or none at all).
    const uint8_t finalHash = hash(s[last - 1], s[last]);
    shiftAfterMismatch_ = last - lastEnd_[finalHash];
    lastEnd_[finalHash] = static_cast<uint8_t>(last);
}

size_t PairSkipSearch::find(std::string_view text, size_t from) const
{
    const size_t length = sought_.size();
    if (text.size() < length) return std::string_view::npos;
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const size_t last = length - 1;
    const size_t lastStart = text.size() - length;
    for (size_t start = from; start <= lastStart;) {
        const size_t end = start + last;
        const uint8_t pairEnd = lastEnd_[hash(t[end - 1], t[end])];
        if (pairEnd == 0) {
            // No pair of the sought text looks like this one: no occurrence
            // can start before the pair's second byte.
            start += last;
        } else if (pairEnd < last) {
            start += last - pairEnd;
        } else if (std::memcmp(t + start, sought_.data(), length) == 0) {
            return start;
        } else {
            start += shiftAfterMismatch_;
        }
    }
    return std::string_view::npos;
}

}  // namespace tessaly
