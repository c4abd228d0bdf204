// Settings-file commands through the system's private-profile calls.
#include <gtest/gtest.h>

#include <windows.h>

#include "runtime/core/commands/commands.h"
#include "tests/commands/command_harness.h"
#include "tests/commands/scratch_directory.h"

namespace tessaly {
namespace {

using namespace commands;
using namespace tessaly::testing;

const TypedValue Omitted = TypedValue::omitted();

class ProfileCommands : public ::testing::Test {
protected:
    std::optional<std::string> read(const char* section, const char* key, TypedValue fallback = Omitted)
    {
        return takeText(call(ReadIniText, {text(file.c_str()), text(section), text(key), fallback}));
    }
    bool write(TypedValue section, TypedValue key, TypedValue value)
    {
        return call(WriteIniText, {text(file.c_str()), section, key, value}).asBool();
    }

    ScratchDirectory dir;
    std::string file = dir.file("设置.ini");
};

TEST_F(ProfileCommands, WrittenValuesReadBack)
{
    EXPECT_TRUE(write(text("字幕"), text("字体"), text("宋体")));
    EXPECT_TRUE(write(text("字幕"), text("size"), text("24")));
    EXPECT_EQ(read("字幕", "字体"), "宋体");
    EXPECT_EQ(read("字幕", "size"), "24");
    EXPECT_EQ(read("字幕", "missing", text("默认")), "默认");
    EXPECT_EQ(read("字幕", "missing"), std::nullopt);
}

TEST_F(ProfileCommands, EmptyNamesGiveEmptyEvenWithADefault)
{
    EXPECT_TRUE(write(text("s"), text("k"), text("v")));
    EXPECT_EQ(read("s", "", text("default")), std::nullopt);
    EXPECT_EQ(read("", "k", text("default")), std::nullopt);
    EXPECT_EQ(read(" \t", "k", text("default")), std::nullopt);
    EXPECT_EQ(takeText(call(ReadIniText, {text(""), text("s"), text("k"), text("default")})), std::nullopt);
}

TEST_F(ProfileCommands, EmptyOrNullFileNameWritesNothing)
{
    constexpr const char* Section = "tessaly-unnamed-file";
    const TypedValue nullText{0, 0, TypeCode::Text};
    for (const TypedValue name : {text(""), nullText, Omitted}) {
        EXPECT_FALSE(call(WriteIniText, {name, text(Section), text("k"), text("v")}).asBool());
        EXPECT_EQ(takeText(call(ReadIniText, {name, text(Section), text("k"), text("d")})), std::nullopt);
    }
    char stored[16] = {};
    GetProfileStringA(Section, "k", "", stored, sizeof stored);
    WriteProfileStringA(Section, nullptr, nullptr);  // leaves the system's settings file as it was
    EXPECT_STREQ(stored, "") << "nothing went to the system's own settings file";
}

TEST_F(ProfileCommands, LeadingBlanksInNamesAreSkipped)
{
    EXPECT_TRUE(write(text("s"), text("k"), text("v")));
    EXPECT_EQ(read("  s", "\tk"), "v");
    const std::string paddedFile = " " + file;
    EXPECT_EQ(takeText(call(ReadIniText, {text(paddedFile.c_str()), text("s"), text("k")})), "v");
}

TEST_F(ProfileCommands, OmittedValueDeletesKeyAndOmittedKeyDeletesSection)
{
    EXPECT_TRUE(write(text("s"), text("a"), text("1")));
    EXPECT_TRUE(write(text("s"), text("b"), text("2")));
    EXPECT_TRUE(write(text("s"), text("a"), Omitted));
    EXPECT_EQ(read("s", "a", text("gone")), "gone");
    EXPECT_EQ(read("s", "b"), "2");
    EXPECT_TRUE(write(text("s"), Omitted, Omitted));
    EXPECT_EQ(read("s", "b", text("gone")), "gone");
}

TEST_F(ProfileCommands, MissingFileAndEmptyValue)
{
    EXPECT_EQ(read("s", "k", text("default")), "default");
    EXPECT_TRUE(write(text("s"), text("k"), text("")));
    EXPECT_EQ(read("s", "k", text("default")), std::nullopt);
}

TEST_F(ProfileCommands, LongValuesAreCutByTheReadBuffer)
{
    const std::string longValue(12000, 'x');
    EXPECT_TRUE(write(text("s"), text("k"), text(longValue.c_str())));
    const auto value = read("s", "k");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->size(), 10239u);
}

}  // namespace
}  // namespace tessaly
