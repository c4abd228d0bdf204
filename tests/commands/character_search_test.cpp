// The fast search against the plain character walk it must agree with: from
// the start position, one character at a time (a high byte takes two), the
// sought bytes compared at each step.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "runtime/core/commands/character_search.h"

namespace tessaly {
namespace {

size_t walkAndCompare(std::string_view text, size_t from, std::string_view sought, LetterCase letterCase)
{
    for (size_t at = from; at + sought.size() <= text.size();) {
        bool equal = true;
        for (size_t i = 0; i < sought.size() && equal; ++i) {
            const auto a = static_cast<unsigned char>(text[at + i]);
            const auto b = static_cast<unsigned char>(sought[i]);
            equal = letterCase == LetterCase::Exact ? a == b : foldAsciiCase(a) == foldAsciiCase(b);
        }
        if (equal) return at;
        at += opensDoubleByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
    }
    return std::string_view::npos;
}

// Every match of a replace-style walk: after a match the walk resumes right
// behind it, wherever that falls.
std::vector<size_t> allMatches(std::string_view text, std::string_view sought, LetterCase letterCase, bool reference)
{
    std::vector<size_t> found;
    CharacterSearch search(text, sought, letterCase);
    for (size_t at = 0;;) {
        const size_t hit = reference ? walkAndCompare(text, at, sought, letterCase) : search.next(at);
        if (hit == std::string_view::npos) return found;
        found.push_back(hit);
        at = hit + sought.size();
    }
}

std::string randomText(std::mt19937& random, size_t length)
{
    // Few distinct bytes, so matches, near-matches and trail-byte matches abound.
    static const char alphabet[] = {'a', 'A', 'b', '\x81', '\xB0'};
    std::string text(length, ' ');
    for (char& c : text) c = alphabet[random() % sizeof alphabet];
    return text;
}

TEST(CharacterSearch, AgreesWithTheCharacterWalkOnRandomTexts)
{
    std::mt19937 random(20240601);
    for (int round = 0; round < 20000; ++round) {
        const std::string text = randomText(random, random() % 48);
        std::string sought = randomText(random, 1 + random() % 6);
        if (!text.empty() && random() % 2 == 0) {
            const size_t at = random() % text.size();
            sought = text.substr(at, 1 + random() % 6);
        }
        const LetterCase letterCase = random() % 2 == 0 ? LetterCase::Exact : LetterCase::Ignore;
        ASSERT_EQ(allMatches(text, sought, letterCase, false), allMatches(text, sought, letterCase, true))
            << "text of " << text.size() << " bytes, sought of " << sought.size();
        const size_t from = text.empty() ? 0 : random() % text.size();
        ASSERT_EQ(CharacterSearch(text, sought, letterCase).next(from), walkAndCompare(text, from, sought, letterCase));
    }
}

TEST(CharacterSearch, LongAndPeriodicSoughtTexts)
{
    const std::string text = std::string(2000, 'a') + "b" + std::string(300, 'a');
    for (const size_t length : {2u, 255u, 256u, 257u, 300u}) {
        const std::string sought = std::string(length - 1, 'a') + "b";
        EXPECT_EQ(CharacterSearch(text, sought, LetterCase::Exact).next(0), 2001 - length) << length;
        const std::string absent = "b" + std::string(length - 1, 'a') + "b";
        EXPECT_EQ(CharacterSearch(text, absent, LetterCase::Exact).next(0), std::string_view::npos) << length;
    }
}

}  // namespace
}  // namespace tessaly
