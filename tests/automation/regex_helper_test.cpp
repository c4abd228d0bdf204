// The program's regular-expression helper, every case on both engines: the
// system object reached through the object commands, and the built-in one
// that stands in where the object no longer exists.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/regex_helper.h"
#include "runtime/core/runtime_app.h"

namespace tessaly::program {
namespace {

// The DLL commands the helper calls by index, as the program header names them.
void declareDllCommands()
{
    auto& table = RuntimeApp::instance().dllCommands();
    if (!table.addresses.empty()) return;
    static const char* const libraries[9] = {"", "", "", "", "", "", "", "ole32.dll", "ole32.dll"};
    static const char* const exports[9] = {"", "", "", "", "", "", "", "CoInitialize", "CoUninitialize"};
    table.libraryNames.assign(libraries, libraries + 9);
    table.exportNames.assign(exports, exports + 9);
    table.modules.clear();
    table.modules.resize(9);
    table.addresses.assign(9, nullptr);
}

class RegexHelperOnEachEngine : public ::testing::TestWithParam<RegexEngineChoice> {
protected:
    void SetUp() override { declareDllCommands(); }
    RegexHelper make() const { return RegexHelper(GetParam()); }
    void expectEngine(const RegexHelper& helper) const
    {
        EXPECT_EQ(helper.usesBuiltInEngine(), GetParam() == RegexEngineChoice::BuiltInOnly);
    }
};

TEST_P(RegexHelperOnEachEngine, TrimmingLineBreaksRemovesEmptyLineEnds)
{
    RegexHelper helper = make();
    ASSERT_TRUE(helper.Search("(?:^\r|\n$)", "A\r\n\r\nB"));
    expectEngine(helper);
    EXPECT_EQ(helper.ReplaceMatches(""), "A\r\nB");
    ASSERT_TRUE(helper.Search("(?:^\r|\n$)", "A\r\nB"));
    EXPECT_EQ(helper.ReplaceMatches(""), "A\r\nB");
    ASSERT_TRUE(helper.Search("(?:^\r|\n$)", ""));
    EXPECT_EQ(helper.ReplaceMatches(""), "");
}

TEST_P(RegexHelperOnEachEngine, OptionsDecideCaseMultiLineAndGlobal)
{
    RegexHelper helper = make();
    ASSERT_TRUE(helper.Search("^a", "A\na"));
    EXPECT_EQ(helper.GetMatchCount(), 2) << "by default: ignore case, multi-line, global";
    ASSERT_TRUE(helper.Search("^a", "A\na", true));
    EXPECT_EQ(helper.GetMatchCount(), 1);
    ASSERT_TRUE(helper.Search("^a", "A\na", false, false));
    EXPECT_EQ(helper.GetMatchCount(), 1);
    ASSERT_TRUE(helper.Search("a", "aaa", false, true, false));
    EXPECT_EQ(helper.ReplaceMatches("b"), "baa");
    EXPECT_EQ(helper.GetPattern(), "a");
}

TEST_P(RegexHelperOnEachEngine, MatchesAndSubmatchesReportByteOffsets)
{
    RegexHelper helper = make();
    ASSERT_TRUE(helper.Search("(\\w)(\\d)", "中文x1 y2"));
    EXPECT_EQ(helper.GetMatchCount(), 2);
    EXPECT_EQ(helper.GetSubmatchCount(), 2);
    int32_t position = -1;
    EXPECT_EQ(helper.GetMatchText(1, &position), "x1");
    EXPECT_EQ(position, 4) << "a byte offset, not the character index 2";
    EXPECT_EQ(helper.GetSubmatchText(2, 2, &position), "2");
    EXPECT_EQ(position, 8);
    EXPECT_EQ(helper.GetMatchText(3), "") << "beyond the collection";
    EXPECT_EQ(helper.ReplaceMatches("<$2$1>"), "中文<1x> <2y>");
    ASSERT_TRUE(helper.Search("ab", "文xAB"));
    EXPECT_EQ(helper.GetMatchText(1, &position), "AB");
    EXPECT_EQ(position, 3) << "the lookup ignores case as the search did";
}

TEST_P(RegexHelperOnEachEngine, QuoteNamesStandForDoubleQuotes)
{
    RegexHelper helper = make();
    ASSERT_TRUE(helper.Search("#引号", "say \"hi\"", false, true, true, true));
    EXPECT_EQ(helper.GetPattern(), "\"");
    EXPECT_EQ(helper.GetMatchCount(), 2);
    ASSERT_TRUE(helper.Search("#引号", "#引号", false, true, true, false));
    EXPECT_EQ(helper.GetMatchCount(), 1) << "without the option the text is matched as it is";
}

TEST_P(RegexHelperOnEachEngine, RejectedPatternsLeaveEmptyAnswers)
{
    RegexHelper helper = make();
    EXPECT_EQ(helper.GetPattern(), "") << "no search yet";
    EXPECT_FALSE(helper.Search("(", "abc"));
    EXPECT_EQ(helper.GetMatchCount(), 0);
    EXPECT_EQ(helper.GetMatchText(1), "");
    EXPECT_EQ(helper.GetSubmatchCount(), 0);
}

TEST_P(RegexHelperOnEachEngine, CopiesShareTheLastSearch)
{
    RegexHelper helper = make();
    ASSERT_TRUE(helper.Search("b+", "abbc"));
    const RegexHelper copy(helper);
    ASSERT_TRUE(helper.Search("z", "zz"));
    EXPECT_EQ(copy.GetMatchText(1), "bb");
    EXPECT_EQ(copy.ReplaceMatches("-"), "a-c");
}

// Lone lead bytes, and a lead byte at the very end.
const std::string InvalidSubjects[] = {std::string("\x81\n\x81\nz"), std::string("z\x81"), std::string("\xFE")};

TEST_P(RegexHelperOnEachEngine, InvalidDoubleByteSubjectsAreAnsweredNeverFatal)
{
    for (const std::string& subject : InvalidSubjects) {
        RegexHelper helper = make();
        ASSERT_TRUE(helper.Search("(z)", subject));
        int32_t position = -1;
        EXPECT_EQ(helper.GetMatchText(1, &position), subject == "\xFE" ? "" : "z");
        EXPECT_EQ(helper.GetSubmatchText(1, 1, &position), subject == "\xFE" ? "" : "z");
        EXPECT_FALSE(helper.ReplaceMatches("Z").empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, RegexHelperOnEachEngine,
                         ::testing::Values(RegexEngineChoice::SystemFirst, RegexEngineChoice::BuiltInOnly),
                         [](const auto& info) {
                             return info.param == RegexEngineChoice::SystemFirst ? "SystemObject" : "BuiltIn";
                         });

// The built-in engine works on the subject's own bytes, invalid ones included.
TEST(RegexHelperBuiltIn, InvalidDoubleByteSubjectsKeepTheirBytesAndOffsets)
{
    declareDllCommands();
    RegexHelper helper(RegexEngineChoice::BuiltInOnly);
    ASSERT_TRUE(helper.Search("(z)", InvalidSubjects[0]));
    int32_t position = -1;
    EXPECT_EQ(helper.GetMatchText(1, &position), "z");
    EXPECT_EQ(position, 4);
    EXPECT_EQ(helper.GetSubmatchText(1, 1, &position), "z");
    EXPECT_EQ(position, 4);
    EXPECT_EQ(helper.ReplaceMatches("Z"), "\x81\n\x81\nZ");
    ASSERT_TRUE(helper.Search("z", InvalidSubjects[1]));
    EXPECT_EQ(helper.ReplaceMatches("Z"), "Z\x81");
    ASSERT_TRUE(helper.Search("z", InvalidSubjects[2]));
    EXPECT_EQ(helper.GetMatchCount(), 0);
    EXPECT_EQ(helper.ReplaceMatches("Z"), "\xFE");
}

}  // namespace
}  // namespace tessaly::program
