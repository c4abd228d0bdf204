// Text commands over GBK bytes: searches never match inside a double-byte
// character, empty results are null, omitted arguments take their defaults.
#include <gtest/gtest.h>

#include "runtime/core/commands/commands.h"
#include "tests/commands/command_harness.h"

namespace tessaly {
namespace {

using namespace commands;
using namespace tessaly::testing;
using Texts = std::vector<std::optional<std::string>>;

const TypedValue Omitted = TypedValue::omitted();
TypedValue integer(int32_t v) { return TypedValue::ofInt(v); }
TypedValue boolean(uint32_t v) { return {v, 0, TypeCode::Bool}; }

// "\x81\x61" is one character whose trail byte is the letter 'a'.
constexpr const char* TrailA = "\x81\x61";

TEST(TextLength, CountsBytes)
{
    EXPECT_EQ(call(TextLength, {text("字幕a")}).asInt(), 5);
    EXPECT_EQ(call(TextLength, {text("")}).asInt(), 0);
}

TEST(LeftRightText, CutBytesAndGiveNullWhenEmpty)
{
    EXPECT_EQ(takeText(call(LeftText, {text("abc"), integer(5)})), "abc");
    EXPECT_EQ(takeText(call(LeftText, {text("abc"), integer(2)})), "ab");
    EXPECT_EQ(takeText(call(RightText, {text("abc"), integer(2)})), "bc");
    EXPECT_EQ(takeText(call(RightText, {text("abc"), integer(9)})), "abc");
    EXPECT_EQ(takeText(call(RightText, {text("abc"), integer(0)})), std::nullopt);
    EXPECT_EQ(takeText(call(LeftText, {text("abc"), integer(-3)})), std::nullopt);
    EXPECT_EQ(takeText(call(LeftText, {text(""), integer(3)})), std::nullopt);
    // Counting bytes may cut a double-byte character in two.
    EXPECT_EQ(takeText(call(LeftText, {text("字幕"), integer(3)})), std::string("字幕").substr(0, 3));
}

TEST(CharFromCode, GivesTheLowByteAndNullForZero)
{
    EXPECT_EQ(takeText(call(CharFromCode, {{65, 0, TypeCode::Byte}})), "A");
    EXPECT_EQ(takeText(call(CharFromCode, {{0x141, 0, TypeCode::Byte}})), "A");
    EXPECT_EQ(takeText(call(CharFromCode, {{0, 0, TypeCode::Byte}})), std::nullopt);
}

TEST(FindText, StartPositionAndEmptySought)
{
    EXPECT_EQ(call(FindText, {text("abcabc"), text("c")}).asInt(), 3);
    EXPECT_EQ(call(FindText, {text("abcabc"), text("c"), integer(4)}).asInt(), 6);
    EXPECT_EQ(call(FindText, {text("abcabc"), text("c"), integer(7)}).asInt(), -1);
    EXPECT_EQ(call(FindText, {text("abcabc"), text("c"), integer(-5)}).asInt(), 3);
    EXPECT_EQ(call(FindText, {text("abcabc"), text("")}).asInt(), 1);
    EXPECT_EQ(call(FindText, {text("abcabc"), text(""), integer(6)}).asInt(), 1);
    EXPECT_EQ(call(FindText, {text(""), text("")}).asInt(), -1);
    EXPECT_EQ(call(FindText, {text(""), text("a")}).asInt(), -1);
    EXPECT_EQ(call(FindText, {text("abc"), text("abcd")}).asInt(), -1);
}

TEST(FindText, OmittedArgumentsBehaveLikeDefaults)
{
    EXPECT_EQ(call(FindText, {text("xAa"), text("a"), Omitted, Omitted}).asInt(), 3);
    EXPECT_EQ(call(FindText, {text("xAa"), text("a"), Omitted, boolean(1)}).asInt(), 2);
    // Only the value 1 asks for case-insensitive search.
    EXPECT_EQ(call(FindText, {text("xAa"), text("a"), Omitted, boolean(2)}).asInt(), 3);
}

TEST(FindText, NeverMatchesATrailByte)
{
    const std::string hay = std::string("x") + TrailA + "a";
    EXPECT_EQ(call(FindText, {text(hay.c_str()), text("a")}).asInt(), 4);
    EXPECT_EQ(call(FindText, {text(hay.c_str()), text("A"), Omitted, boolean(1)}).asInt(), 4);
    EXPECT_EQ(call(FindText, {text(TrailA), text("a")}).asInt(), -1);
    // A run of double-byte characters: "\xB0\xA1\xB0\xA1" holds "\xA1\xB0" only across a boundary.
    EXPECT_EQ(call(FindText, {text("\xB0\xA1\xB0\xA1"), text("\xA1\xB0")}).asInt(), -1);
    EXPECT_EQ(call(FindText, {text("字幕字幕"), text("幕")}).asInt(), 3);
}

TEST(FindText, WalkCountsCharactersFromTheStartPosition)
{
    // Starting on the trail byte, the walk sees it as a character of its own.
    const std::string hay = std::string(TrailA) + "a";
    EXPECT_EQ(call(FindText, {text(hay.c_str()), text("a"), integer(2)}).asInt(), 2);
    // A lead byte at the very end is still compared before the walk ends.
    EXPECT_EQ(call(FindText, {text("ab\x81"), text("\x81")}).asInt(), 3);
}

TEST(FindText, IgnoringCaseFoldsOnlyAsciiLetters)
{
    EXPECT_EQ(call(FindText, {text("Hello World"), text("WORLD"), Omitted, boolean(1)}).asInt(), 7);
    EXPECT_EQ(call(FindText, {text("a[b"), text("{"), Omitted, boolean(1)}).asInt(), -1);
    EXPECT_EQ(call(FindText, {text("字幕ABC"), text("abc"), integer(3), boolean(1)}).asInt(), 5);
    // Started on a trail byte, the walk pairs the last trail byte with 'A'.
    EXPECT_EQ(call(FindText, {text("字幕ABC"), text("abc"), integer(2), boolean(1)}).asInt(), -1);
}

TEST(ReplaceSubtext, CountAndStart)
{
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text("aXbXc"), text("X"), text("-")})), "a-b-c");
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text("aXbXc"), text("X"), text("-"), Omitted, integer(1)})), "a-bXc");
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text("aXbXc"), text("X"), text("-"), integer(3)})), "aXb-c");
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text("aXbXc"), text("X")})), "abc");
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text("aXbXc"), text("X"), text("<>"), integer(-4), integer(-1)})),
              "a<>b<>c");
}

// The sixth argument decides by its value, not by being there: an explicit
// false still ignores case, as an omitted one does.
TEST(ReplaceSubtext, CaseSensitivityIsTheSixthArgumentsValue)
{
    auto replaced = [](TypedValue caseSensitive) {
        return takeText(call(ReplaceSubtext, {text("aXbXc"), text("x"), text("-"), Omitted, Omitted, caseSensitive}));
    };
    EXPECT_EQ(replaced(Omitted), "a-b-c");
    EXPECT_EQ(replaced(boolean(0)), "a-b-c");
    EXPECT_EQ(replaced(boolean(1)), "aXbXc");
    EXPECT_EQ(replaced(integer(2)), "aXbXc") << "any non-zero value is case-sensitive";
}

TEST(ReplaceSubtext, NothingToDoGivesACopyOrNull)
{
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text("aXb"), text("X"), text("-"), Omitted, integer(0)})), "aXb");
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text("aXb"), text(""), text("-")})), "aXb");
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text("aXb"), text("X"), text("-"), integer(4)})), "aXb");
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text(""), text("X"), text("-")})), std::nullopt);
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text("XX"), text("x")})), std::nullopt);
}

TEST(ReplaceSubtext, LeavesDoubleByteCharactersWhole)
{
    const std::string hay = std::string(TrailA) + "a";
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text(hay.c_str()), text("A"), text("-")})), std::string(TrailA) + "-");
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text("字幕字幕"), text("幕"), text("体")})), "字体字体");
    // A lone lead byte at the end, reached by a one-byte walk, is dropped;
    // with a longer sought text the walk stops short and keeps it.
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text("ab\x81"), text("z"), text("-")})), "ab");
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text("ab\x81"), text("zz"), text("-")})), "ab\x81");
    EXPECT_EQ(takeText(call(ReplaceSubtext, {text("ab\x81"), text("\x81"), text("-")})), "ab-");
}

TEST(SplitText, EmptyPiecesAreNullAndNoTrailingEmptyPiece)
{
    EXPECT_EQ(takeTextArray(call(SplitText, {text("a,,b,"), text(",")})), (Texts{"a", std::nullopt, "b"}));
    EXPECT_EQ(takeTextArray(call(SplitText, {text(",a")})), (Texts{std::nullopt, "a"}));
    EXPECT_EQ(takeTextArray(call(SplitText, {text("a::b::c"), text("::")})), (Texts{"a", "b", "c"}));
}

TEST(SplitText, MaximumStopsTheWalkAndDropsTheRest)
{
    EXPECT_EQ(takeTextArray(call(SplitText, {text("a,b,c"), text(","), integer(2)})), (Texts{"a", "b"}));
    EXPECT_EQ(takeTextArray(call(SplitText, {text("a,b"), text(","), integer(2)})), (Texts{"a", "b"}));
    EXPECT_EQ(takeTextArray(call(SplitText, {text("a,b"), text(","), integer(0)})), Texts{});
    EXPECT_EQ(takeTextArray(call(SplitText, {text("a,b"), text(","), integer(-1)})), Texts{});
}

TEST(SplitText, DefaultsAndDegenerateInputs)
{
    EXPECT_EQ(takeTextArray(call(SplitText, {text("a,b"), Omitted, Omitted})), (Texts{"a", "b"}));
    EXPECT_EQ(takeTextArray(call(SplitText, {text("a,b"), text("")})), (Texts{"a,b"}));
    EXPECT_EQ(takeTextArray(call(SplitText, {text(""), text(",")})), Texts{});
    EXPECT_EQ(takeTextArray(call(SplitText, {text("abc"), text("|")})), (Texts{"abc"}));
}

TEST(SplitText, SeparatorInsideADoubleByteCharacterDoesNotCut)
{
    // 0x7C ('|') as a trail byte.
    EXPECT_EQ(takeTextArray(call(SplitText, {text("\x81\x7C|b"), text("|")})), (Texts{"\x81\x7C", "b"}));
    EXPECT_EQ(takeTextArray(call(SplitText, {text("字幕，中文，"), text("，")})), (Texts{"字幕", "中文"}));
}

TEST(SplitText, ResultIsOneDimensionalBlockOfSeparateTexts)
{
    const TypedValue result = call(SplitText, {text("ab,c")});
    auto* block = result.pointer<int32_t>();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[0], 1);
    EXPECT_EQ(block[1], 2);
    char* elements[2];
    std::memcpy(elements, block + 2, sizeof elements);
    EXPECT_STREQ(elements[0], "ab");
    EXPECT_STREQ(elements[1], "c");
    // Each element is its own block: releasing one leaves the other intact.
    release(elements[0]);
    EXPECT_STREQ(elements[1], "c");
    release(elements[1]);
    release(block);
}

}  // namespace
}  // namespace tessaly
