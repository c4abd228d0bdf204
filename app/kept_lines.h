// Configuration lines the caption store keeps although no caption pairs with
// them as they stand: the lines of records the loader had to complete, the
// lines beyond the last caption, and the whole configuration while the
// captions file is empty. None of them is ever dropped: a completed line
// reaches the file with the user's first change and not before (reading a
// file changes nothing in it), and a line no caption pairs with goes to a
// backup before a write would leave it out.
#pragma once

#include <string>
#include <vector>

#include "app/caption_record.h"

namespace tessaly::program {

struct KeptLines {
    // Records completed at the last load whose stored lines still lack
    // fields, or configuration lines beyond the last caption.
    bool completionPending = false;
    // The configuration as found while the captions file was empty.
    std::string orphanedConfigText;
};

// The captions file was found empty: the configuration it pairs with is
// held apart, the first one found so, until a write would drop it.
void holdOrphanedLines(KeptLines& kept, const std::string& configText);

// Records were read from both files: whether the configuration has lines to
// complete or to set apart.
void noteLoadedRecords(KeptLines& kept, const std::vector<CaptionRecord>& records, size_t configLineCount);

// The configuration lines, one per record: a completed record's line in its
// completed form, a line for each caption that had none, the other lines as
// they are. Lines beyond the last caption pair with no caption; they come
// back apart, in `unpaired`.
std::vector<std::string> completedConfigLines(const std::string& configText, const std::vector<CaptionRecord>& records,
                                              std::vector<std::string>& unpaired);

// Before the user's first change: the configuration text takes the completed
// lines, lines no caption pairs with join the backups, and nothing is pending.
void completePendingLines(KeptLines& kept, std::string& configText, std::vector<CaptionRecord>& records,
                          std::vector<std::string>& backups);

// Before the configuration file is written: lines held while the captions
// file was empty join the backups, unless the text written is the same.
void backUpOrphanedLines(KeptLines& kept, const std::string& configText, bool configOwed,
                         std::vector<std::string>& backups);

}  // namespace tessaly::program
