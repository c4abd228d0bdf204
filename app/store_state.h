// What the caption store knows of its files beyond their texts: what each
// file holds as far as the store knows, what it owes them, which could not be
// read, and which the user has been told cannot be written.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tessaly::program {

struct StoredFile {
    enum class Disk { Unknown, Missing, Holds };
    // Unknown until a read or a write of it succeeds.
    Disk disk = Disk::Unknown;
    std::string text;  // what it holds, when Holds
    // Its length in bytes when the store last read or wrote it: a file of
    // another length, or none, has been changed since by someone else.
    int64_t length = -1;
    // A change of the store waits to reach the file.
    bool owed = false;
    // Its last read failed: nothing is written over it until a read succeeds.
    bool unreadable = false;
    // Its bytes as read, kept until a copy of them lies beside the store,
    // when they were not what the store holds (zero bytes dropped).
    std::string original;
    bool originalToKeep = false;
    bool toldUnwritable = false;
};

struct StoreState {
    StoredFile captions;
    StoredFile config;
    // Texts of backups that wait to be written, oldest first.
    std::vector<std::string> backups;
    bool toldBackupUnwritable = false;
    bool toldJournalUnwritable = false;
    // Values of the settings file that it could not take yet, by section:
    // they read back from here until it does.
    std::map<std::string, std::string> settings;
    bool toldSettingsUnwritable = false;
    // When the store last read or tried to write (the system's tick count).
    uint32_t lastAttempt = 0;
    // The program ends: a write that fails is no longer told, nobody is
    // left to act on it.
    bool ending = false;
};

}  // namespace tessaly::program
