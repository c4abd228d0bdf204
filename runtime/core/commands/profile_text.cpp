#include "runtime/core/commands/profile_text.h"

#include <cstdint>
#include <vector>

#include "runtime/core/gbk.h"

namespace tessaly {
namespace {

constexpr std::string_view LineBreak = "\r\n";
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// A line as it stands in the file (with its line break, if it has one) and
// its content without the break.
struct Line {
    std::string_view whole;
    std::string_view content;
};

std::vector<Line> linesOf(std::string_view file)
{
    std::vector<Line> lines;
    while (!file.empty()) {
        const size_t end = file.find('\n');
        const std::string_view whole = file.substr(0, end == std::string_view::npos ? file.size() : end + 1);
        std::string_view content = whole;
        if (content.ends_with('\n')) content.remove_suffix(1);
        if (content.ends_with('\r')) content.remove_suffix(1);
        lines.push_back({whole, content});
        file.remove_prefix(whole.size());
    }
    return lines;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

char foldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// ASCII letters equal in either case; the trail byte of a double-byte
// character is compared exactly, since it may fall in the letters' range.
bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (foldAscii(a[i]) != foldAscii(b[i])) return false;
    }
    return true;
}

std::optional<std::string_view> sectionOf(const Line& line)
{
    std::string_view text = trimmed(line.content);
    if (!text.starts_with('[')) return std::nullopt;
    text.remove_prefix(1);
    const size_t close = text.rfind(']');
    return trimmed(close == std::string_view::npos ? text : text.substr(0, close));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

std::optional<Entry> entryOf(const Line& line)
{
    const std::string_view text = trimmed(line.content);
    if (text.empty() || text.starts_with(';') || text.starts_with('[')) return std::nullopt;
    // '=' can never be the trail byte of a double-byte character.
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return Entry{trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1))};
}

std::string_view withoutQuotes(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Where a section stands: its heading line and the line after its last one.
struct SectionPlace {
    size_t heading;
    size_t end;
};

std::optional<SectionPlace> findSection(const std::vector<Line>& lines, std::string_view section)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionOf(lines[i]);
        if (!name || !sameName(*name, section)) continue;
        size_t end = i + 1;
        while (end < lines.size() && !sectionOf(lines[end])) ++end;
        return SectionPlace{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> findKey(const std::vector<Line>& lines, const SectionPlace& place, std::string_view key)
{
    for (size_t i = place.heading + 1; i < place.end; ++i)
        if (const auto entry = entryOf(lines[i]); entry && sameName(entry->key, key)) return i;
    return std::nullopt;
}

std::string_view breakOf(const Line& line) { return line.whole.substr(line.content.size()); }

// The lines joined again; line `replaced`, if given, stands as `replacement`.
std::string joined(const std::vector<Line>& lines, std::string_view mark, size_t replaced = SIZE_MAX,
                   std::string_view replacement = {})
{
    std::string text(mark);
    for (size_t i = 0; i < lines.size(); ++i) text += i == replaced ? replacement : lines[i].whole;
    return text;
}

std::string_view skipMark(std::string_view& file)
{
    if (!file.starts_with(Utf8Mark)) return {};
    file.remove_prefix(Utf8Mark.size());
    return Utf8Mark;
}

// A line of one's own that follows the given one, which then needs a break.
std::string afterLine(const Line& line, std::string_view added)
{
    std::string text(line.whole);
    if (breakOf(line).empty()) text += LineBreak;
    return text + std::string(added);
}

}  // namespace

std::optional<std::string> profileValue(std::string_view file, std::string_view section, std::string_view key)
{
    skipMark(file);
    const std::vector<Line> lines = linesOf(file);
    const auto place = findSection(lines, section);
    if (!place) return std::nullopt;
    const auto at = findKey(lines, *place, key);
    if (!at) return std::nullopt;
    return std::string(withoutQuotes(entryOf(lines[*at])->value));
}

std::string withProfileValue(std::string_view file, std::string_view section, std::optional<std::string_view> key,
                             std::optional<std::string_view> value)
{
    const std::string_view mark = skipMark(file);
    std::vector<Line> lines = linesOf(file);
    const auto place = findSection(lines, section);
    if (!key) {
        if (place) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(place->heading),
                               lines.begin() + static_cast<std::ptrdiff_t>(place->end));
        return joined(lines, mark);
    }
    const auto at = place ? findKey(lines, *place, *key) : std::nullopt;
    if (!value) {
        if (at) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*at));
        return joined(lines, mark);
    }
    if (at) {
        const Line& old = lines[*at];
        return joined(lines, mark, *at, std::string(entryOf(old)->key) + "=" + std::string(*value) + std::string(breakOf(old)));
    }
    const std::string entry = std::string(*key) + "=" + std::string(*value) + std::string(LineBreak);
    if (!place) {
        const std::string heading = "[" + std::string(section) + "]" + std::string(LineBreak);
        std::string text = joined(lines, mark);
        if (!lines.empty() && breakOf(lines.back()).empty()) text += LineBreak;
        return text + heading + entry;
    }
    // After the section's last line that holds anything, before its blank lines.
    size_t last = place->heading;
    for (size_t i = place->heading + 1; i < place->end; ++i)
        if (!trimmed(lines[i].content).empty()) last = i;
    return joined(lines, mark, last, afterLine(lines[last], entry));
}

}  // namespace tessaly
