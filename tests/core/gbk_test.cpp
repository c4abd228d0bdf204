// Byte-string walking that must not split double-byte characters.
#include <gtest/gtest.h>

#include "runtime/core/gbk.h"

namespace tessaly {
namespace {

TEST(Gbk, LastBackslashIgnoresTrailBytes)
{
    // 0x5C is a valid trail byte: "\x95\x5C" is one character, not a backslash.
    EXPECT_EQ(findLastAscii("C:\\dir\\\x95\x5C", '\\'), 6u);
    EXPECT_EQ(findLastAscii("\x95\x5C", '\\'), std::string_view::npos);
    EXPECT_EQ(findLastAscii("a\\b\\c", '\\'), 3u);
    EXPECT_EQ(findLastAscii("", '\\'), std::string_view::npos);
    // A lone lead byte at the end is just a byte.
    EXPECT_EQ(findLastAscii("ab\x95", '\\'), std::string_view::npos);
}

}  // namespace
}  // namespace tessaly
