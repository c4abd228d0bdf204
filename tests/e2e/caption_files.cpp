#include "tests/e2e/caption_files.h"

#include <cstdlib>

namespace tessaly::e2e {
namespace {

const std::string LineBreak = "\r\n";

std::string joined(const std::vector<std::string>& parts, const std::string& separator)
{
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i != 0) text += separator;
        text += parts[i];
    }
    return text;
}

std::vector<std::string> split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

const std::string& logical(bool value) { return value ? TrueText : FalseText; }

}  // namespace

std::string joinLines(const std::vector<std::string>& lines) { return joined(lines, LineBreak); }

std::vector<std::string> splitLines(const std::string& text)
{
    if (text.empty()) return {};
    std::vector<std::string> lines = split(text, LineBreak);
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

std::string joinFields(const std::vector<std::string>& fields) { return joined(fields, RecordSeparator); }

std::vector<std::string> fieldsOf(const std::string& line) { return split(line, RecordSeparator); }

std::vector<std::string> CaptionLook::fields() const
{
    std::vector<std::string> all = {font,
            std::to_string(size),
            std::to_string(textColour),
            std::to_string(background),
            logical(scrolls),
            direction,
            logical(shown),
            std::to_string(left),
            std::to_string(top),
            logical(strikeOut),
            logical(underline),
            style};
    if (!effect.empty()) all.insert(all.end(), {effect, std::to_string(effectColour)});
    return all;
}

std::string CaptionLook::line() const { return joinFields(fields()); }

std::string CaptionLook::earlierLine() const
{
    std::vector<std::string> all = fields();
    all.resize(9);
    return joinFields(all);
}

void writeCaptions(const ProgramDirectory& directory, const std::vector<StoredCaption>& captions)
{
    std::vector<std::string> texts, lines;
    for (const StoredCaption& caption : captions) {
        texts.push_back(caption.text);
        lines.push_back(caption.line);
    }
    directory.write(CaptionsFile, joinLines(texts));
    directory.write(ConfigFile, joinLines(lines));
}

std::string storedLine(const ProgramDirectory& directory, size_t n)
{
    // The tool truncates the file before it writes it again: a read may come between.
    std::string text;
    waitUntil([&] { return !(text = directory.read(ConfigFile).value_or("")).empty(); }, 1000);
    const std::vector<std::string> lines = splitLines(text);
    return n >= 1 && n <= lines.size() ? lines[n - 1] : std::string{};
}

int storedNumber(const ProgramDirectory& directory, size_t n, size_t field)
{
    const std::vector<std::string> fields = fieldsOf(storedLine(directory, n));
    return field >= 1 && field <= fields.size() ? std::atoi(fields[field - 1].c_str()) : 0;
}

}  // namespace tessaly::e2e
