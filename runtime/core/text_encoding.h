// GBK <-> UTF-16 for text that reaches the system (the screen, file names,
// messages): converted with code page 936 explicitly, so captions read right
// and files are found whatever the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

inline constexpr unsigned GbkCodePage = 936;

std::wstring widenGbk(std::string_view text);
std::string narrowToGbk(std::wstring_view text);
// A file name or path: a character that GBK cannot hold becomes "?", never a
// look-alike (which would name another file); no file name contains "?".
std::string narrowPathToGbk(std::wstring_view path);

}  // namespace tessaly
