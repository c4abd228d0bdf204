// Splitting the executable's path into program directory and file name.
#include <gtest/gtest.h>

#include "runtime/core/runtime_app.h"

namespace tessaly {
namespace {

struct Split {
    std::string directory, name;
};

Split split(const std::string& path)
{
    Split s;
    RuntimeApp::splitExecutablePath(path, s.directory, s.name);
    return s;
}

TEST(ProgramPath, SplitsAtTheLastBackslash)
{
    const Split s = split("C:\\程序\\字幕\\tessaly.exe");
    EXPECT_EQ(s.directory, "C:\\程序\\字幕");
    EXPECT_EQ(s.name, "tessaly.exe");
}

TEST(ProgramPath, PathWithoutBackslashGivesEmptyDirectory)
{
    const Split s = split("tessaly.exe");
    EXPECT_EQ(s.directory, "");
    EXPECT_EQ(s.name, "tessaly.exe");
}

TEST(ProgramPath, TrailByteThatLooksLikeABackslashIsNoSeparator)
{
    // "表" is 0xB1 0xED; "\x95\x5C" ends in 0x5C like a backslash.
    const Split s = split("D:\\a\\\x95\x5C.exe");
    EXPECT_EQ(s.directory, "D:\\a");
    EXPECT_EQ(s.name, "\x95\x5C.exe");
}

}  // namespace
}  // namespace tessaly
