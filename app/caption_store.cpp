#include "app/caption_store.h"

#include <optional>
#include <vector>

#include "app/caption_lines.h"
#include "app/caption_record.h"
#include "app/caption_windows.h"
#include "app/display_area.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "app/regex_helper.h"
#include "app/store_files.h"
#include "app/text_calls.h"

namespace tessaly::program {
namespace {

std::optional<std::string> lineIfAny(const std::vector<std::string>& lines, size_t index)
{
    if (index < lines.size()) return lines[index];
    return std::nullopt;
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

// Both files read and taken as the store's texts; false, with the texts as
// they were, when either could not be read. An empty captions file leaves
// the configuration text alone, its lines held apart as orphans.
bool takeStoreFiles()
{
    ProgramState& s = state();
    const StoreRead captions = readStoreFile(StoreFile::Captions);
    const StoreRead config = readStoreFile(StoreFile::Config);
    if (captions.failed) noteUnreadable(StoreFile::Captions);
    if (config.failed) noteUnreadable(StoreFile::Config);
    if (captions.failed || config.failed) return false;
    acceptRead(StoreFile::Captions, captions);
    acceptRead(StoreFile::Config, config);
    s.CaptionsText = captions.text;
    if (s.CaptionsText.empty())
        holdOrphanedLines(s.Kept, config.text);
    else
        s.ConfigText = config.text;
    return true;
}

// Records, list and labels from the two texts.
void rebuildCaptions()
{
    ProgramState& s = state();
    const std::vector<std::string> captionLines = splitLines(s.CaptionsText);
    s.CaptionCount = static_cast<int32_t>(captionLines.size());
    destroyCaptionLabels();

    const std::vector<std::string> configLines = splitLines(s.ConfigText);
    s.CaptionRecords.clear();
    for (size_t i = 0; i < captionLines.size(); ++i)
        s.CaptionRecords.push_back(readCaptionRecord(captionLines[i], lineIfAny(configLines, i)));
    noteLoadedRecords(s.Kept, s.CaptionRecords, configLines.size());
    fillCaptionList();
    createCaptionLabels();
}

}  // namespace

std::string TrimLineBreaks(const std::string& text)
{
    const std::string trimmed = trimOuterLineBreaks(text);
    RegexHelper helper;
    helper.Search("(?:^\r|\n$)", trimmed);
    return helper.ReplaceMatches("");
}

// What the store owes its files goes there first. When it cannot, or a file
// cannot be read, the captions are rebuilt from what the store holds: the
// files are not what the user last saw, and the store keeps trying.
void LoadAllCaptions()
{
    if (saveStore()) takeStoreFiles();
    if (state().CaptionsText.empty()) return;
    rebuildCaptions();
}

// A file that could not be read is read again, with the whole store, as long
// as the store has nothing of its own to write over it.
void keepStoreWhileMoving()
{
    if (!storeAttemptDue()) return;
    if (!storeWantsReload()) {
        saveStore();
        return;
    }
    const ProgramState& s = state();
    const std::string captions = s.CaptionsText, config = s.ConfigText;
    // Captions hidden by the hotkey stay hidden when the files read as before.
    if (takeStoreFiles() && !s.CaptionsText.empty() && (s.CaptionsText != captions || s.ConfigText != config))
        rebuildCaptions();
}

void writeConfigFile()
{
    oweWrite(StoreFile::Config);
    saveStore();
}

void writeCaptionFiles()
{
    oweWrite(StoreFile::Captions);
    oweWrite(StoreFile::Config);
    saveStore();
}

void completeStoredLines()
{
    ProgramState& s = state();
    completePendingLines(s.Kept, s.ConfigText, s.CaptionRecords, s.Store.backups);
}

void storeCaptionPosition(int32_t k)
{
    ProgramState& s = state();
    if (!hasCaptionLabel(k)) return;
    CaptionRecord& record = s.CaptionRecords[static_cast<size_t>(k - 1)];
    const UnitRef label = s.CaptionLabels[static_cast<size_t>(k - 1)];
    const Placement place = captionPlace(label);
    record.field(Field::Left) = toText(place.left);
    record.field(Field::Top) = toText(place.top);
    completeStoredLines();
    s.ConfigText = ReplaceLine(s.ConfigText, k, configurationLine(record));
    writeConfigFile();
}

}  // namespace tessaly::program
