// Line work on the two caption texts: lines are separated by CR LF, empty
// lines between separators are lines of their own, and a line break after
// the last line ends it without making another. Joined again, lines get
// CR LF between them and none after the last. Line numbers count from 1.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly::program {

inline const std::string LineBreak = "\r\n";

std::vector<std::string> splitLines(const std::string& text);
// Lines split, as the runtime's walk reads text, where any byte with its top
// bit set opens a two-byte character. A line that ends in such a byte alone
// (a file cut inside a character) would take the CR of a following line
// break as its partner and swallow the break, so before another line
// follows, that lone byte is dropped: what is written splits back line for
// line.
std::string joinLines(const std::vector<std::string>& lines);
// The text with one more line after its last (an empty text gets a leading
// line break, which trimming takes off again).
std::string withLineAppended(const std::string& text, const std::string& line);

// Line n, or empty when there is no line n.
std::string GetLine(const std::string& text, int32_t n);
// The text with line n replaced; a text without line n comes back unchanged,
// so a stale line number can never lose or shift the other lines.
std::string ReplaceLine(const std::string& text, int32_t n, const std::string& line);
// The text without line n; unchanged when there is no line n.
std::string DeleteLine(const std::string& text, int32_t n);

// The first two steps of trimming a text's line breaks: one CR LF dropped at
// its start, then one at its end. The empty lines inside are the regular
// expression's part (TrimLineBreaks).
std::string trimOuterLineBreaks(std::string text);

}  // namespace tessaly::program
