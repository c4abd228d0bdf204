#include "app/kept_lines.h"

#include "app/caption_lines.h"

namespace tessaly::program {

void holdOrphanedLines(KeptLines& kept, const std::string& configText)
{
    if (kept.orphanedConfigText.empty()) kept.orphanedConfigText = configText;
}

void noteLoadedRecords(KeptLines& kept, const std::vector<CaptionRecord>& records, size_t configLineCount)
{
    kept.completionPending = configLineCount > records.size();
    for (const CaptionRecord& record : records) kept.completionPending = kept.completionPending || record.completed;
}

std::vector<std::string> completedConfigLines(const std::string& configText, const std::vector<CaptionRecord>& records,
                                              std::vector<std::string>& unpaired)
{
    std::vector<std::string> lines = splitLines(configText);
    if (lines.size() > records.size()) unpaired.assign(lines.begin() + static_cast<std::ptrdiff_t>(records.size()), lines.end());
    lines.resize(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        if (records[i].completed) lines[i] = configurationLine(records[i]);
    return lines;
}

void completePendingLines(KeptLines& kept, std::string& configText, std::vector<CaptionRecord>& records,
                          std::vector<std::string>& backups)
{
    if (!kept.completionPending) return;
    std::vector<std::string> unpaired;
    configText = joinLines(completedConfigLines(configText, records, unpaired));
    if (!unpaired.empty()) backups.push_back(joinLines(unpaired));
    for (CaptionRecord& record : records) record.completed = false;
    kept.completionPending = false;
}

void backUpOrphanedLines(KeptLines& kept, const std::string& configText, bool configOwed,
                         std::vector<std::string>& backups)
{
    if (!configOwed || kept.orphanedConfigText.empty()) return;
    if (kept.orphanedConfigText != configText) backups.push_back(kept.orphanedConfigText);
    kept.orphanedConfigText.clear();
}

}  // namespace tessaly::program
