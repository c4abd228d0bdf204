// The one conversion the window packer asks of iconv, UTF-8 to GBK, over the
// system's code pages: MinGW ships no iconv, and Windows test programs pack
// their windows' descriptions at run time.
#pragma once

#include <cstddef>

using iconv_t = void*;

// Only "GBK" from "UTF-8"; anything else answers (iconv_t)-1.
iconv_t iconv_open(const char* to, const char* from);
// Converts the whole input at once; (size_t)-1 when a character has no GBK
// form or the output has no room for it.
size_t iconv(iconv_t cd, char** in, size_t* inLeft, char** out, size_t* outLeft);
int iconv_close(iconv_t cd);
