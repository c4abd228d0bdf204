// Settings-file text read and changed as GBK bytes, by the system's rules.
#include <gtest/gtest.h>

#include "runtime/core/commands/profile_text.h"

namespace tessaly {
namespace {

TEST(ProfileText, ReadsBySectionAndKeyAsTheSystemDoes)
{
    const std::string file =
        "\xEF\xBB\xBF[透明度]\r\n值=200\r\n"
        "; 值=1\r\n"
        "[ Speed ]\n  Value =  \"7 \" \r\n"
        "[透明度]\r\n值=999\r\n";
    EXPECT_EQ(profileValue(file, "透明度", "值"), "200") << "the first section of a name, after a UTF-8 mark";
    EXPECT_EQ(profileValue(file, "speed", "VALUE"), "7 ") << "names in any case, blanks and quotes around the value gone";
    EXPECT_EQ(profileValue(file, "透明度", "; 值"), std::nullopt) << "a comment is no key";
    EXPECT_EQ(profileValue(file, "透明度", "other"), std::nullopt);
    EXPECT_EQ(profileValue(file, "missing", "值"), std::nullopt);
    // Two double-byte characters that differ only in the case of their trail byte.
    EXPECT_EQ(profileValue("[s]\r\n\xC5\x61=1\r\n", "s", "\xC5\x41"), std::nullopt);
    EXPECT_EQ(profileValue("[s]\r\nabc=1\r\n", "S", "ABC"), "1");
}

TEST(ProfileText, ChangesOneLineAndLeavesEveryOtherByteAsItWas)
{
    const std::string file = "; mine\r\n[a]\r\nKey = old\r\nother=1\r\n\r\n[b]\nx=2";
    EXPECT_EQ(withProfileValue(file, "A", "key", "new"), "; mine\r\n[a]\r\nKey=new\r\nother=1\r\n\r\n[b]\nx=2");
    EXPECT_EQ(withProfileValue(file, "a", "added", "3"), "; mine\r\n[a]\r\nKey = old\r\nother=1\r\nadded=3\r\n\r\n[b]\nx=2")
        << "after the section's last entry, before its blank line";
    EXPECT_EQ(withProfileValue(file, "b", "y", "4"), "; mine\r\n[a]\r\nKey = old\r\nother=1\r\n\r\n[b]\nx=2\r\ny=4\r\n");
    EXPECT_EQ(withProfileValue(file, "新", "值", "5"), file + "\r\n[新]\r\n值=5\r\n");
    EXPECT_EQ(withProfileValue("", "新", "值", "5"), "[新]\r\n值=5\r\n");
}

TEST(ProfileText, AnOmittedValueRemovesTheKeyAndAnOmittedKeyTheSection)
{
    const std::string file = "[a]\r\nk=1\r\nl=2\r\n[b]\r\nm=3\r\n";
    EXPECT_EQ(withProfileValue(file, "a", "k", std::nullopt), "[a]\r\nl=2\r\n[b]\r\nm=3\r\n");
    EXPECT_EQ(withProfileValue(file, "a", std::nullopt, std::nullopt), "[b]\r\nm=3\r\n");
    EXPECT_EQ(withProfileValue(file, "c", "k", std::nullopt), file);
}

}  // namespace
}  // namespace tessaly
