#include "app/caption_lines.h"

#include "app/text_calls.h"

namespace tessaly::program {

std::vector<std::string> splitLines(const std::string& text) { return splitText(text, LineBreak); }

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i != 0) text += LineBreak;
        text += lines[i];
    }
    return text;
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
