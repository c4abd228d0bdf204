#include "runtime/core/text_encoding.h"

#include <windows.h>

namespace tessaly {

std::wstring widenGbk(std::string_view text)
{
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(GbkCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(GbkCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

namespace {

std::string narrowed(std::wstring_view text, DWORD flags, const char* substitute)
{
    if (text.empty()) return {};
    const int length = WideCharToMultiByte(GbkCodePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           substitute, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(GbkCodePage, flags, text.data(), static_cast<int>(text.size()), narrow.data(), length,
                        substitute, nullptr);
    return narrow;
}

}  // namespace

std::string narrowToGbk(std::wstring_view text) { return narrowed(text, 0, nullptr); }

std::string narrowPathToGbk(std::wstring_view path) { return narrowed(path, WC_NO_BEST_FIT_CHARS, "?"); }

}  // namespace tessaly
