// The caption tool's two caption files as a test writes and reads them: GBK
// lines joined by CR LF with no break after the last, and configuration lines
// whose fields are joined by the record separator.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {

inline const std::string RecordSeparator = "*-ZPMek-*";
inline const std::string TrueText = "真";
inline const std::string FalseText = "假";
inline constexpr COLORREF ColourKey = 0x400040;

std::string joinLines(const std::vector<std::string>& lines);
// An empty text has no lines; a closing CR LF ends the last line.
std::vector<std::string> splitLines(const std::string& text);
std::string joinFields(const std::vector<std::string>& fields);
std::vector<std::string> fieldsOf(const std::string& line);

// How a caption looks and moves: the fields of its configuration line.
struct CaptionLook {
    std::string font = "DejaVu Sans";
    int size = 20;
    COLORREF textColour = 0xFFFFFF;
    COLORREF background = ColourKey;
    bool scrolls = false;
    std::string direction = "1";
    bool shown = true;
    int left = 10;
    int top = 10;
    bool strikeOut = false;
    bool underline = false;
    std::string style = "0";  // "1" bold, "2" italic, "3" both
    // "1" shadow, "2" outline: the line then has fourteen fields.
    std::string effect;
    COLORREF effectColour = 0;

    std::vector<std::string> fields() const;
    // The current line, and the earlier nine-field one.
    std::string line() const;
    std::string earlierLine() const;
};

struct StoredCaption {
    std::string text;
    std::string line;  // its configuration line as stored
};

// Writes both caption files, line i of each for caption i.
void writeCaptions(const ProgramDirectory& directory, const std::vector<StoredCaption>& captions);

// The configuration file's line n (1-based), empty when there is none; a
// read that meets the file between its truncation and its write is repeated.
std::string storedLine(const ProgramDirectory& directory, size_t n);
// Field `field` (1-based) of stored line n, as an integer.
int storedNumber(const ProgramDirectory& directory, size_t n, size_t field);

}  // namespace tessaly::e2e
