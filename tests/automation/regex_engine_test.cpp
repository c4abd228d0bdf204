// The built-in regular-expression engine on its own: the syntax it accepts,
// the matching rules it shares with the system object, and that ordinary
// patterns cannot make it run away.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/regex_engine.h"

namespace tessaly::program {
namespace {

std::vector<std::string> all(std::string_view pattern, std::string_view subject, RegexOptions options = {false, false, true})
{
    const auto engine = RegexEngine::compile(pattern, options);
    if (!engine) return {"<rejected>"};
    std::vector<std::string> found;
    for (const RegexMatch& m : engine->execute(subject)) found.emplace_back(subject.substr(m.whole.offset, m.whole.length));
    return found;
}

std::string replaced(std::string_view pattern, std::string_view subject, std::string_view replacement,
                     RegexOptions options = {false, true, true})
{
    const auto engine = RegexEngine::compile(pattern, options);
    return engine ? engine->replace(subject, replacement) : "<rejected>";
}

using Strings = std::vector<std::string>;

TEST(RegexSyntax, AtomsClassesAndEscapes)
{
    EXPECT_EQ(all("a.c", "abc a\nc aXc"), (Strings{"abc", "aXc"})) << "dot stops at LF only";
    EXPECT_EQ(all("a.c", "a\rc"), (Strings{"a\rc"}));
    EXPECT_EQ(all("[a-c]+", "xabcay"), (Strings{"abca"}));
    EXPECT_EQ(all("[^a-c ]+", "ab xyz c"), (Strings{"xyz"}));
    EXPECT_EQ(all("\\d+", "a12b345"), (Strings{"12", "345"}));
    EXPECT_EQ(all("\\w+", "hi_1 there!"), (Strings{"hi_1", "there"}));
    EXPECT_EQ(all("\\s", "a b\tc"), (Strings{" ", "\t"}));
    EXPECT_EQ(all("[\\d.]+", "v1.25x"), (Strings{"1.25"}));
    EXPECT_EQ(all("\\x41\\.", "A. A"), (Strings{"A."}));
    EXPECT_EQ(all("[]a]", "]"), (Strings{"]"})) << "a leading ] is a member";
    EXPECT_EQ(all("a{2}", "aaaaa"), (Strings{"aa", "aa"}));
    EXPECT_EQ(all("a{2,}", "aaaaa"), (Strings{"aaaaa"}));
    EXPECT_EQ(all("x{1,2}y", "xxxy"), (Strings{"xxy"}));
    EXPECT_EQ(all("a{,2}", "a{,2}"), (Strings{"a{,2}"})) << "a brace that is no quantifier is literal";
}

TEST(RegexSyntax, PatternsOutsideTheSubsetAreRejected)
{
    for (const char* pattern : {"(", "a)", "[a", "*a", "a**", "(?=a)", "(a)\\1", "[z-a]", "a{3,1}", "\\"})
        EXPECT_EQ(RegexEngine::compile(pattern, {}), nullptr) << pattern;
}

TEST(RegexMatching, AlternationAndQuantifiersPreferLikeTheObject)
{
    EXPECT_EQ(all("a|ab", "ab"), (Strings{"a"})) << "the first alternative wins";
    EXPECT_EQ(all("<.+>", "<a><b>"), (Strings{"<a><b>"}));
    EXPECT_EQ(all("<.+?>", "<a><b>"), (Strings{"<a>", "<b>"}));
    EXPECT_EQ(all("a??b", "ab"), (Strings{"ab"}));
    EXPECT_EQ(all("x*", "axx"), (Strings{"", "xx", ""})) << "empty matches move on by one character";
}

TEST(RegexMatching, GroupsCaptureTheirLastIteration)
{
    const auto engine = RegexEngine::compile("(\\w)(\\d)?(?:-)", {});
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->groupCount(), 2u);
    const auto matches = engine->execute("ab- c1-");
    ASSERT_EQ(matches.size(), 1u) << "not global: the first match only";
    ASSERT_TRUE(matches[0].groups[0]);
    EXPECT_EQ(matches[0].groups[0]->offset, 1u);
    EXPECT_FALSE(matches[0].groups[1]) << "an optional group that did not take part";
}

TEST(RegexMatching, AnchorsFollowTheMultiLineRule)
{
    EXPECT_EQ(all("^\\w", "a\nb\rc"), (Strings{"a"}));
    EXPECT_EQ(all("^\\w", "a\nb\rc", {false, true, true}), (Strings{"a", "b", "c"}));
    EXPECT_EQ(all("\\w$", "a\nb\rc", {false, true, true}), (Strings{"a", "b", "c"}));
    EXPECT_EQ(all("\\w$", "a\nb"), (Strings{"b"}));
    EXPECT_EQ(all("\\bis\\b", "this is"), (Strings{"is"}));
    EXPECT_EQ(replaced("(?:^\r|\n$)", "A\r\n\r\nB", ""), "A\r\nB");
    EXPECT_EQ(replaced("(?:^\r|\n$)", "A\r\nB", ""), "A\r\nB");
}

TEST(RegexMatching, IgnoringCaseFoldsAsciiLettersInLiteralsAndClasses)
{
    EXPECT_EQ(all("abc", "ABC abc", {true, false, true}), (Strings{"ABC", "abc"}));
    EXPECT_EQ(all("[a-c]+", "xAbCy", {true, false, true}), (Strings{"AbC"}));
    EXPECT_EQ(all("abc", "ABC"), (Strings{}));
}

TEST(RegexMatching, DoubleByteCharactersAreSingleCharacters)
{
    const std::string subject = "中文ab文";
    const auto engine = RegexEngine::compile("文.", {false, false, true});
    ASSERT_NE(engine, nullptr);
    const auto matches = engine->execute(subject);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].whole.offset, 2u);
    EXPECT_EQ(matches[0].whole.length, 3u);
    EXPECT_EQ(matches[0].characterIndex, 1u);
    // The trail byte of a double-byte character never matches on its own.
    const std::string trail(1, subject[1]);
    EXPECT_EQ(all(trail, subject), (Strings{}));
    EXPECT_EQ(all("[^a]+", "a中a"), (Strings{"中"}));
}

TEST(RegexReplacement, ReferencesToTheMatchAndItsGroups)
{
    EXPECT_EQ(replaced("(\\w+)@(\\w+)", "me@host", "$2 at $1"), "host at me");
    EXPECT_EQ(replaced("b", "abc", "[$&|$`|$']"), "a[b|a|c]c");
    EXPECT_EQ(replaced("b", "abc", "$$"), "a$c");
    EXPECT_EQ(replaced("b", "abc", "$9"), "a$9c") << "a group that does not exist stays as written";
    EXPECT_EQ(replaced("o", "foo", "0", {false, true, false}), "f0o") << "not global: the first match only";
    EXPECT_EQ(replaced("x", "", "y"), "");
}

TEST(RegexMatching, NestedQuantifiersStayPolynomial)
{
    const std::string subject(5000, 'a');
    EXPECT_EQ(all("(a*)*b", subject), (Strings{}));
    EXPECT_EQ(all("(a|aa)+$", subject + "!"), (Strings{}));
    EXPECT_EQ(all("(x+x+)+y", std::string(3000, 'x')), (Strings{}));
}

TEST(RegexMatching, LongPatternsOnLongSubjectsStillMatch)
{
    std::string subject;
    for (int i = 0; i < 250000; ++i) subject += "ab";
    const auto engine = RegexEngine::compile("(?:ab){300}", {false, false, true});
    ASSERT_NE(engine, nullptr);
    const auto matches = engine->execute(subject);
    ASSERT_EQ(matches.size(), 833u);
    EXPECT_EQ(matches.back().whole.offset, 832u * 600u);
}

}  // namespace
}  // namespace tessaly::program
