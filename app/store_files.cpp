#include "app/store_files.h"

#include <algorithm>

#include "app/caption_journal.h"
#include "app/file_calls.h"
#include "app/notices.h"
#include "app/program_files.h"
#include "app/program_state.h"
#include "app/system_calls.h"
#include "app/text_calls.h"

namespace tessaly::program {
namespace {

constexpr uint32_t AttemptInterval = 1000;  // milliseconds between attempts while captions scroll
constexpr int32_t MostNumberedCopies = 9999;

const std::string BackupStem = "配置-备份";
const std::string CaptionsOriginalStem = "字幕-原文件";
const std::string ConfigOriginalStem = "配置-原文件";

StoredFile& stored(StoreFile file)
{
    StoreState& store = state().Store;
    return file == StoreFile::Captions ? store.captions : store.config;
}

const std::string& textOf(StoreFile file)
{
    return file == StoreFile::Captions ? state().CaptionsText : state().ConfigText;
}

std::string pathOf(StoreFile file) { return file == StoreFile::Captions ? captionsFilePath() : configFilePath(); }

const std::string& originalStem(StoreFile file)
{
    return file == StoreFile::Captions ? CaptionsOriginalStem : ConfigOriginalStem;
}

std::string numberedPath(const std::string& stem, int32_t n)
{
    return runDirectory() + "\\" + stem + (n == 1 ? std::string{} : toText(n)) + ".ini";
}

// The bytes go into the first of "stem.ini", "stem2.ini", ... that nothing
// has: a file already there, readable or not, is never written over. On
// failure `failed` names the file that could not be written.
bool writeBeside(const std::string& stem, const std::string& bytes, std::string& failed)
{
    for (int32_t n = 1; n <= MostNumberedCopies; ++n) {
        const std::string path = numberedPath(stem, n);
        if (fileExists(path)) continue;
        if (writeNewFile(path, bytes)) return true;
        // Taken in the meantime: the next name. Otherwise it cannot be written.
        if (!fileExists(path)) {
            failed = path;
            return false;
        }
    }
    failed = numberedPath(stem, MostNumberedCopies + 1);
    return false;
}

void tellOnce(bool& told, const std::string& path)
{
    if (told || state().Store.ending) return;
    told = true;
    tellUser(unwritableNotice(path));
}

bool writeBackups()
{
    StoreState& store = state().Store;
    while (!store.backups.empty()) {
        std::string failed;
        if (!writeBeside(BackupStem, store.backups.front(), failed)) {
            tellOnce(store.toldBackupUnwritable, failed);
            return false;
        }
        store.backups.erase(store.backups.begin());
    }
    return true;
}

// A file that could not be read is read again before anything is written
// over it; only a file that reads may be replaced.
bool readableAgain(StoreFile file)
{
    StoredFile& f = stored(file);
    if (!f.unreadable) return true;
    const StoreRead read = readStoreFile(file);
    if (read.failed) return false;
    f.unreadable = false;
    if (read.bytes != read.text) {
        f.original = read.bytes;
        f.originalToKeep = true;
    }
    return true;
}

bool keepOriginal(StoreFile file)
{
    StoredFile& f = stored(file);
    if (!f.originalToKeep) return true;
    std::string failed;
    if (!writeBeside(originalStem(file), f.original, failed)) {
        tellOnce(f.toldUnwritable, failed);
        return false;
    }
    f.original.clear();
    f.originalToKeep = false;
    return true;
}

// What the store last read or wrote, still there as it left it (a file that
// was taken away or rewritten by someone else is written again).
bool holdsText(StoreFile file, const std::string& text)
{
    const StoredFile& f = stored(file);
    return f.disk == StoredFile::Disk::Holds && f.text == text && fileLength(pathOf(file)) == f.length;
}

bool needsWriting(StoreFile file) { return stored(file).owed && !holdsText(file, textOf(file)); }

bool writeOwed(StoreFile file)
{
    StoredFile& f = stored(file);
    if (!f.owed) return true;
    const std::string& text = textOf(file);
    if (holdsText(file, text)) {
        f.owed = false;
        return true;
    }
    if (!readableAgain(file)) {
        tellOnce(f.toldUnwritable, pathOf(file));
        return false;
    }
    if (!keepOriginal(file)) return false;
    if (!writeFileText(pathOf(file), text)) {
        tellOnce(f.toldUnwritable, pathOf(file));
        return false;
    }
    f.disk = StoredFile::Disk::Holds;
    f.text = text;
    f.length = static_cast<int64_t>(text.size());
    f.owed = false;
    return true;
}

// The captions file and the configuration file, the pair through the journal
// when both change: a process stopped between the two writes leaves the
// journal, which the next start writes out before it reads the files.
bool writeCaptionFilePair()
{
    const bool pair = needsWriting(StoreFile::Captions) && needsWriting(StoreFile::Config);
    if (pair && !writeFileText(journalFilePath(), journalText({state().CaptionsText, state().ConfigText}))) {
        tellOnce(state().Store.toldJournalUnwritable, journalFilePath());
        return false;
    }
    if (!writeOwed(StoreFile::Captions) || !writeOwed(StoreFile::Config)) return false;
    if (pair) removeFile(journalFilePath());
    return true;
}

}  // namespace

StoreRead readStoreFile(StoreFile file)
{
    state().Store.lastAttempt = tickCount();
    const FileContent content = readWholeFile(pathOf(file));
    StoreRead read;
    read.failed = content.outcome == FileContent::Outcome::Failed;
    read.missing = content.outcome == FileContent::Outcome::Missing;
    read.bytes = content.bytes;
    read.text = content.bytes;
    std::erase(read.text, '\0');
    return read;
}

void acceptRead(StoreFile file, const StoreRead& read)
{
    StoredFile& f = stored(file);
    f.disk = read.missing ? StoredFile::Disk::Missing : StoredFile::Disk::Holds;
    f.text = read.text;
    f.length = read.missing ? -1 : static_cast<int64_t>(read.bytes.size());
    f.unreadable = false;
    f.originalToKeep = read.bytes != read.text;
    f.original = f.originalToKeep ? read.bytes : std::string{};
}

void noteUnreadable(StoreFile file) { stored(file).unreadable = true; }

bool storeWantsReload()
{
    const StoreState& store = state().Store;
    return (store.captions.unreadable || store.config.unreadable) && !storeOwesWrites();
}

bool storeKnowsItsFiles()
{
    const StoreState& store = state().Store;
    return store.captions.disk != StoredFile::Disk::Unknown && store.config.disk != StoredFile::Disk::Unknown;
}

// A file never read holds what the store does not know, and the store's text
// of it is no change of the user's: nothing goes over it, and the next load
// takes what it holds.
void oweWrite(StoreFile file)
{
    StoredFile& f = stored(file);
    if (f.disk != StoredFile::Disk::Unknown) f.owed = true;
}

void oweBackup(const std::string& lines) { state().Store.backups.push_back(lines); }

bool storeOwesWrites()
{
    const StoreState& store = state().Store;
    return store.captions.owed || store.config.owed || !store.backups.empty();
}

// The settings file is a file of its own: whether it can be written or not,
// the caption files are.
bool saveStore()
{
    StoreState& store = state().Store;
    store.lastAttempt = tickCount();
    writeWaitingSettings();
    ProgramState& s = state();
    backUpOrphanedLines(s.Kept, s.ConfigText, store.config.owed, store.backups);
    return writeBackups() && writeCaptionFilePair();
}

void finishInterruptedWrite()
{
    const FileContent journal = readWholeFile(journalFilePath());
    if (journal.outcome != FileContent::Outcome::Read) return;
    if (const auto pending = readJournal(journal.bytes)) {
        if (!writeFileText(captionsFilePath(), pending->captions) || !writeFileText(configFilePath(), pending->configuration))
            return;  // the journal stays for the next start
    }
    removeFile(journalFilePath());
}

// Unsigned differences of the tick count stay right when it wraps round.
bool storeAttemptDue()
{
    const StoreState& store = state().Store;
    const bool waiting = storeOwesWrites() || !store.settings.empty() || store.captions.unreadable || store.config.unreadable;
    return waiting && tickCount() - store.lastAttempt >= AttemptInterval;
}

}  // namespace tessaly::program
