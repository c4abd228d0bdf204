// Private-profile ("settings file") commands. The file is read and written
// whole by its wide name and its text kept as the GBK bytes it holds
// (profile_text.h): the system's own profile calls would take both the name
// and the text through the machine's ANSI code page. Writes are atomic.
#include <windows.h>

#include <string>

#include "runtime/core/commands/atomic_file_writer.h"
#include "runtime/core/commands/command_arguments.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/commands/profile_text.h"
#include "runtime/core/commands/whole_file.h"
#include "runtime/core/gbk.h"
#include "runtime/core/text_encoding.h"

namespace tessaly::commands {
namespace {

// The system's read buffer: longer values come back cut to one byte less.
constexpr size_t ReadBufferSize = 10240;

// Spaces and control characters in front of a name are not part of it.
std::string withoutLeadingBlanks(std::string_view text)
{
    size_t start = 0;
    while (start < text.size() && static_cast<unsigned char>(text[start]) <= 32) ++start;
    return std::string(text.substr(start));
}

std::optional<std::string_view> textOrNone(const CommandArguments& a, int32_t index)
{
    if (!a.given(index)) return std::nullopt;
    return a.text(index);
}

// None when the file exists but could not be read: a settings file that is
// held elsewhere is not an empty one.
std::optional<std::string> readSettingsFile(const std::wstring& name)
{
    std::string text;
    const WholeFileRead read = readWholeFile(name, [&](int32_t length) {
        text.resize(static_cast<size_t>(length));
        return reinterpret_cast<uint8_t*>(text.data());
    });
    if (read == WholeFileRead::Failed) return std::nullopt;
    return text;
}

bool writeSettingsFile(const std::wstring& name, const std::string& text)
{
    AtomicFileWriter writer(name);
    return writer.open() && writer.write({reinterpret_cast<const uint8_t*>(text.data()), text.size()}) && writer.commit();
}

// At most the buffer less its terminator, without a double-byte character cut in two.
std::string_view cutToBuffer(std::string_view value)
{
    if (value.size() < ReadBufferSize) return value;
    size_t end = 0;
    while (end < ReadBufferSize - 1) {
        const size_t width = isLeadByte(static_cast<unsigned char>(value[end])) ? 2 : 1;
        if (end + width > ReadBufferSize - 1) break;
        end += width;
    }
    return value.substr(0, end);
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
    const std::optional<std::string> text = readSettingsFile(widenGbk(file));
    const std::optional<std::string> value = text ? profileValue(*text, section, key) : std::nullopt;
    setTextResult(result, cutToBuffer(value ? *value : std::string(a.text(3))));
}

// A file that exists but cannot be read is left alone: writing one entry
// into what would read as an empty file would drop every other entry.
void WriteIniText(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    // The system takes a missing name for its own settings file.
    if (a.text(0).empty()) return;
    const std::wstring name = widenGbk(a.text(0));
    const std::optional<std::string> text = readSettingsFile(name);
    if (!text) return;
    const std::string changed = withProfileValue(*text, a.text(1), textOrNone(a, 2), textOrNone(a, 3));
    result->low = changed == *text || writeSettingsFile(name, changed) ? 1 : 0;
}

}  // namespace tessaly::commands
