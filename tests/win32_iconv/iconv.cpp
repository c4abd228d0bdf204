#include "iconv.h"

#include <windows.h>

#include <cstring>
#include <string_view>
#include <vector>

namespace {

constexpr UINT GbkCodePage = 936;
char g_utf8ToGbk;  // the one descriptor: its address

}  // namespace

iconv_t iconv_open(const char* to, const char* from)
{
    if (std::string_view(to) == "GBK" && std::string_view(from) == "UTF-8") return &g_utf8ToGbk;
    return reinterpret_cast<iconv_t>(-1);
}

size_t iconv(iconv_t, char** in, size_t* inLeft, char** out, size_t* outLeft)
{
    const size_t failed = static_cast<size_t>(-1);
    if (in == nullptr || *in == nullptr || *inLeft == 0) return 0;
    const int size = static_cast<int>(*inLeft);
    const int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, *in, size, nullptr, 0);
    if (wide <= 0) return failed;
    std::vector<wchar_t> text(static_cast<size_t>(wide));
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, *in, size, text.data(), wide);
    BOOL lossy = FALSE;
    const int bytes = WideCharToMultiByte(GbkCodePage, WC_NO_BEST_FIT_CHARS, text.data(), wide, nullptr, 0, nullptr, &lossy);
    if (bytes <= 0 || lossy || static_cast<size_t>(bytes) > *outLeft) return failed;
    WideCharToMultiByte(GbkCodePage, WC_NO_BEST_FIT_CHARS, text.data(), wide, *out, bytes, nullptr, nullptr);
    *in += *inLeft;
    *inLeft = 0;
    *out += bytes;
    *outLeft -= static_cast<size_t>(bytes);
    return 0;
}

int iconv_close(iconv_t) { return 0; }
