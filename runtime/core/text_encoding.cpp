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

std::string narrowToGbk(std::wstring_view text)
{
    if (text.empty()) return {};
    const int length = WideCharToMultiByte(GbkCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(GbkCodePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

}  // namespace tessaly
