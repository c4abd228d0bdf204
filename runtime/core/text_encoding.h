// GBK <-> UTF-16 for text that reaches the screen: converted with code page
// 936 explicitly, so captions read right whatever the system's ANSI page.
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

inline constexpr unsigned GbkCodePage = 936;

std::wstring widenGbk(std::string_view text);
std::string narrowToGbk(std::wstring_view text);

}  // namespace tessaly
