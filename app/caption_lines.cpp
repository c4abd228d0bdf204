#include "app/caption_lines.h"

#include "app/text_calls.h"

namespace tessaly::program {

namespace {

// Whether the walk from the start of the line ends on a first byte whose partner is missing.
bool endsInHalfCharacter(const std::string& line)
{
    size_t at = 0;
    while (at < line.size()) at += (static_cast<unsigned char>(line[at]) & 0x80) != 0 ? 2 : 1;
    return at > line.size();
}

// Appends a line break to a text that ends with `lastLine`.
void breakLine(std::string& text, const std::string& lastLine)
{
    if (endsInHalfCharacter(lastLine)) text.pop_back();
    text += LineBreak;
}

}  // namespace

std::vector<std::string> splitLines(const std::string& text) { return splitText(text, LineBreak); }

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i != 0) breakLine(text, lines[i - 1]);
        text += lines[i];
    }
    return text;
}

std::string withLineAppended(const std::string& text, const std::string& line)
{
    std::string appended = text;
    breakLine(appended, text);
    return appended + line;
}

std::string GetLine(const std::string& text, int32_t n)
{
    const std::vector<std::string> lines = splitLines(text);
    if (n < 1 || static_cast<size_t>(n) > lines.size()) return {};
    return lines[static_cast<size_t>(n - 1)];
}

std::string ReplaceLine(const std::string& text, int32_t n, const std::string& line)
{
    std::vector<std::string> lines = splitLines(text);
    if (n < 1 || static_cast<size_t>(n) > lines.size()) return text;
    lines[static_cast<size_t>(n - 1)] = line;
    return joinLines(lines);
}

std::string DeleteLine(const std::string& text, int32_t n)
{
    std::vector<std::string> lines = splitLines(text);
    if (n < 1 || static_cast<size_t>(n) > lines.size()) return text;
    lines.erase(lines.begin() + (n - 1));
    return joinLines(lines);
}

std::string trimOuterLineBreaks(std::string text)
{
    if (text.starts_with(LineBreak)) text.erase(0, LineBreak.size());
    if (text.ends_with(LineBreak)) text.erase(text.size() - LineBreak.size());
    return text;
}

}  // namespace tessaly::program
