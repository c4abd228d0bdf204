// Private-profile ("settings file") commands over the system's own calls.
#include <windows.h>

#include <string>
#include <vector>

#include "runtime/core/commands/command_arguments.h"
#include "runtime/core/commands/commands.h"

namespace tessaly::commands {
namespace {

// Values longer than this are cut by the system call.
constexpr DWORD ReadBufferSize = 10240;

// Spaces and control characters in front of a name are not part of it.
std::string withoutLeadingBlanks(std::string_view text)
{
    size_t start = 0;
    while (start < text.size() && static_cast<unsigned char>(text[start]) <= 32) ++start;
    return std::string(text.substr(start));
}

// An omitted argument goes to the system as none: that deletes instead of writing.
const char* textOrNone(const CommandArguments& a, int32_t index)
{
    return a.given(index) ? a.at(index).text() : nullptr;
}

}  // namespace

void ReadIniText(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    const std::string file = withoutLeadingBlanks(a.text(0));
    const std::string section = withoutLeadingBlanks(a.text(1));
    const std::string key = withoutLeadingBlanks(a.text(2));
    // Any of the three empty gives empty, not the default.
    if (file.empty() || section.empty() || key.empty()) return;
    const std::string fallback(a.text(3));
    std::vector<char> buffer(ReadBufferSize);
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                                  ReadBufferSize, file.c_str());
    setTextResult(result, std::string_view(buffer.data(), length));
}

void WriteIniText(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    // The system takes a missing name for its own settings file.
    if (a.text(0).empty()) return;
    result->low = WritePrivateProfileStringA(a.text(1).data(), textOrNone(a, 2), textOrNone(a, 3),
                                             a.text(0).data()) != 0;
}

}  // namespace tessaly::commands
