// A caption as the program holds it: its text (a line of the captions file)
// and the fields of its configuration line (a line of the configuration
// file), joined by the record separator. Current lines have 12 fields, 14
// once the caption has an effect (outline or shadow), lines of the earlier
// layout the first 9; each loads and is written back as it came, with any
// parts after the fourteenth, which are the user's. A shorter line, or a
// caption without a configuration line, is completed with a new caption's
// values, hidden, keeping every field that was there.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaly::program {

inline const std::string RecordSeparator = "*-ZPMek-*";

inline const std::string TrueText = "真";
inline const std::string FalseText = "假";

// Field numbers of a configuration line.
namespace Field {
inline constexpr int FontName = 1;
inline constexpr int FontSize = 2;
inline constexpr int TextColour = 3;
inline constexpr int BackgroundColour = 4;
inline constexpr int Scrolls = 5;
inline constexpr int Direction = 6;
inline constexpr int Shown = 7;
inline constexpr int Left = 8;
inline constexpr int Top = 9;
inline constexpr int StrikeOut = 10;
inline constexpr int Underline = 11;
inline constexpr int Style = 12;
inline constexpr int Effect = 13;        // 0 none, 1 shadow, 2 outline
inline constexpr int EffectColour = 14;
}  // namespace Field

inline constexpr int KnownFieldCount = 14;
inline constexpr int EffectFieldCount = 14;
inline constexpr int CurrentFieldCount = 12;
inline constexpr int EarlierFieldCount = 9;

namespace Effect {
inline constexpr int32_t None = 0;
inline constexpr int32_t Shadow = 1;
inline constexpr int32_t Outline = 2;
}  // namespace Effect

struct CaptionRecord {
    std::string text;
    std::array<std::string, KnownFieldCount> fields;
    int fieldCount = CurrentFieldCount;  // 9, 12, 13 or 14: how many the line is written back with
    std::vector<std::string> laterParts;  // after the fourteenth field, written back as they came
    bool completed = false;               // fields were missing from the stored line

    const std::string& field(int n) const { return fields[static_cast<size_t>(n - 1)]; }
    std::string& field(int n) { return fields[static_cast<size_t>(n - 1)]; }
};

// The fields a new caption starts with: the caption editor's own start
// values, without an effect.
const std::array<std::string, KnownFieldCount>& newCaptionFields();

// The record of a caption from its line and its configuration line (none
// when the configuration file has no line for it).
CaptionRecord readCaptionRecord(const std::string& caption, const std::optional<std::string>& configurationLine);

// The configuration line of a record, with as many fields as it was loaded with.
std::string configurationLine(const CaptionRecord& record);

// The caption's effect: field 13 when it names one, none otherwise.
int32_t captionEffect(const CaptionRecord& record);
// A record the caption editor has filled in is written in the current
// layout at least, and with the effect's two fields once it has an effect;
// a line that had them keeps them.
void fitEditedFieldCount(CaptionRecord& record);

// Fields joined by the record separator.
std::string joinFields(const std::vector<std::string>& fields);
// The line with field n set to `value`, every other field as it was; a line
// too short for field n is lengthened with empty fields.
std::string withField(const std::string& line, int n, const std::string& value);

// The caption's entry in the settings window's list: its text and how it moves.
std::string listEntryText(const CaptionRecord& record);

// True exactly for the text "真".
bool ToLogical(const std::string& text);

}  // namespace tessaly::program
