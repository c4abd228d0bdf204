#include "runtime/core/commands/character_search.h"

#include <cstring>

namespace tessaly {

bool walkVisits(std::string_view text, size_t from, size_t position)
{
    // A byte below 0x80 ends a character (single byte or trail), so the walk
    // steps on the byte after it; past that every byte opens a pair.
    size_t start = position;
    while (start > from && opensDoubleByte(static_cast<unsigned char>(text[start - 1]))) --start;
    return (position - start) % 2 == 0;
}

CharacterSearch::CharacterSearch(std::string_view text, std::string_view sought, LetterCase letterCase)
    : text_(text), sought_(sought), case_(letterCase)
{
    lastCandidate_ = sought.size() <= text.size() ? text.size() - sought.size() + 1 : 0;
    if (letterCase == LetterCase::Exact && sought.size() >= PairSkipSearch::ShortestSought &&
        sought.size() <= PairSkipSearch::LongestSought)
        skipper_.emplace(sought);
}

size_t CharacterSearch::nextOccurrence(size_t from, unsigned char byte, size_t& cached, bool& valid) const
{
    if (valid && (cached == std::string_view::npos || cached >= from)) return cached;
    valid = true;
    if (from >= lastCandidate_) return cached = std::string_view::npos;
    const void* hit = std::memchr(text_.data() + from, byte, lastCandidate_ - from);
    cached = hit == nullptr ? std::string_view::npos : static_cast<size_t>(static_cast<const char*>(hit) - text_.data());
    return cached;
}

size_t CharacterSearch::nextCandidate(size_t from)
{
    if (skipper_) return skipper_->find(text_, from);
    const auto first = static_cast<unsigned char>(sought_[0]);
    const unsigned char lower = foldAsciiCase(first);
    const size_t lowerHit = nextOccurrence(from, case_ == LetterCase::Exact ? first : lower, nextLower_, lowerValid_);
    if (case_ == LetterCase::Exact || lower < 'a' || lower > 'z') return lowerHit;
    const size_t upperHit = nextOccurrence(from, static_cast<unsigned char>(lower - 32), nextUpper_, upperValid_);
    return lowerHit < upperHit ? lowerHit : upperHit;
}

bool CharacterSearch::matchesAt(size_t position) const
{
    const char* here = text_.data() + position;
    if (case_ == LetterCase::Exact) return std::memcmp(here, sought_.data(), sought_.size()) == 0;
    for (size_t i = 0; i < sought_.size(); ++i) {
        if (foldAsciiCase(static_cast<unsigned char>(here[i])) != foldAsciiCase(static_cast<unsigned char>(sought_[i])))
            return false;
    }
    return true;
}

size_t CharacterSearch::next(size_t from)
{
    size_t walkStart = from;  // a position the walk is known to visit
    for (size_t at = from;;) {
        const size_t candidate = nextCandidate(at);
        if (candidate == std::string_view::npos) return candidate;
        if (matchesAt(candidate)) {
            if (walkVisits(text_, walkStart, candidate)) return candidate;
            // The candidate is a trail byte, so the walk steps on the byte after it.
            walkStart = candidate + 1;
        }
        at = candidate + 1;
    }
}

}  // namespace tessaly
