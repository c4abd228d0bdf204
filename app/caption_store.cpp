#include "app/caption_store.h"

#include <optional>
#include <vector>

#include "app/caption_journal.h"
#include "app/caption_lines.h"
#include "app/caption_record.h"
#include "app/caption_windows.h"
#include "app/file_calls.h"
#include "app/program_files.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "app/regex_helper.h"
#include "app/text_calls.h"

namespace tessaly::program {
namespace {

std::optional<std::string> lineIfAny(const std::vector<std::string>& lines, size_t index)
{
    if (index < lines.size()) return lines[index];
    return std::nullopt;
}

// Configuration lines that no caption pairs with any more are kept in a
// backup of their own before the first write that would drop them; an
// earlier backup is never overwritten.
void backUpOrphanedLines(const std::string& lines)
{
    for (int32_t n = 1;; ++n) {
        const std::string path = runDirectory() + "\\配置-备份" + (n == 1 ? std::string{} : toText(n)) + ".ini";
        if (!readFileText(path).empty()) continue;
        writeFileText(path, lines);
        return;
    }
}

// The settings window is always loaded when captions load; should it not be,
// its list is simply filled at its next load.
void fillCaptionList()
{
    ProgramState& s = state();
    if (!isCreated(SettingsWindow)) return;
    listClear(CaptionList);
    for (int32_t i = 1; i <= s.CaptionCount; ++i) {
        const CaptionRecord& record = s.CaptionRecords[static_cast<size_t>(i - 1)];
        listAddItem(CaptionList, listEntryText(record), i);
        if (record.field(Field::Shown) == TrueText) listSetChecked(CaptionList, i - 1, true);
    }
}

}  // namespace

std::string TrimLineBreaks(const std::string& text)
{
    const std::string trimmed = trimOuterLineBreaks(text);
    RegexHelper helper;
    helper.Search("(?:^\r|\n$)", trimmed);
    return helper.ReplaceMatches("");
}

void LoadAllCaptions()
{
    ProgramState& s = state();
    s.CaptionsText = readFileText(captionsFilePath());
    if (s.CaptionsText.empty()) {
        if (s.OrphanedConfigText.empty()) s.OrphanedConfigText = readFileText(configFilePath());
        return;
    }
    const std::vector<std::string> captionLines = splitLines(s.CaptionsText);
    s.CaptionCount = static_cast<int32_t>(captionLines.size());
    destroyCaptionLabels();

    s.ConfigText = readFileText(configFilePath());
    const std::vector<std::string> configLines = splitLines(s.ConfigText);
    s.CaptionRecords.clear();
    s.CompletionPending = false;
    for (size_t i = 0; i < captionLines.size(); ++i) {
        s.CaptionRecords.push_back(readCaptionRecord(captionLines[i], lineIfAny(configLines, i)));
        s.CompletionPending = s.CompletionPending || s.CaptionRecords.back().completed;
    }
    s.CompletionPending = s.CompletionPending || configLines.size() > captionLines.size();
    fillCaptionList();
    for (int32_t i = 1; i <= s.CaptionCount; ++i) CreateCaptionLabel(i);
}

void writeCaptionsFile() { writeFileText(captionsFilePath(), state().CaptionsText); }

void writeConfigFile()
{
    ProgramState& s = state();
    if (!s.OrphanedConfigText.empty() && s.OrphanedConfigText != s.ConfigText) backUpOrphanedLines(s.OrphanedConfigText);
    s.OrphanedConfigText.clear();
    writeFileText(configFilePath(), s.ConfigText);
}

void writeCaptionFiles()
{
    const ProgramState& s = state();
    writeFileText(journalFilePath(), journalText({s.CaptionsText, s.ConfigText}));
    writeCaptionsFile();
    writeConfigFile();
    writeFileText(journalFilePath(), "");
}

void finishInterruptedWrite()
{
    const auto pending = readJournal(readFileText(journalFilePath()));
    if (!pending) return;
    writeFileText(captionsFilePath(), pending->captions);
    writeFileText(configFilePath(), pending->configuration);
    writeFileText(journalFilePath(), "");
}

void completeStoredLines()
{
    ProgramState& s = state();
    if (!s.CompletionPending) return;
    std::vector<std::string> unpaired;
    s.ConfigText = joinLines(completedConfigLines(s.ConfigText, s.CaptionRecords, unpaired));
    if (!unpaired.empty()) backUpOrphanedLines(joinLines(unpaired));
    for (CaptionRecord& record : s.CaptionRecords) record.completed = false;
    s.CompletionPending = false;
}

void storeCaptionPosition(int32_t k)
{
    ProgramState& s = state();
    CaptionRecord& record = s.CaptionRecords[static_cast<size_t>(k - 1)];
    const UnitRef label = s.CaptionLabels[static_cast<size_t>(k - 1)];
    record.field(Field::Left) = toText(readInt(label, Property::Left));
    record.field(Field::Top) = toText(readInt(label, Property::Top));
    completeStoredLines();
    s.ConfigText = ReplaceLine(s.ConfigText, k, configurationLine(record));
    writeConfigFile();
}

}  // namespace tessaly::program
