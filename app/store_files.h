// Every read and write of the caption store's two files and of the copies it
// keeps beside them. The store writes a file only when its text differs from
// what the file holds as far as the store knows; never over a file it could
// not read; a file whose bytes it could not hold exactly (zero bytes) only
// after a copy of the original lies beside it; and, when a write fails, keeps
// the change in memory, tells the user once, and tries again.
#pragma once

#include <string>

namespace tessaly::program {

enum class StoreFile { Captions, Config };

// A caption file as read: its text is its bytes without zero bytes, which no
// text can hold.
struct StoreRead {
    bool failed = false;
    bool missing = false;
    std::string text;
    std::string bytes;
};
StoreRead readStoreFile(StoreFile file);
// A load has taken the text read: the store knows what the file holds.
void acceptRead(StoreFile file, const StoreRead& read);
// A load could not read the file: nothing is written over it until it can.
void noteUnreadable(StoreFile file);
// Some file could not be read at the last load and nothing waits to be written.
bool storeWantsReload();
// Both files have been read (or written) at least once.
bool storeKnowsItsFiles();

// The store's text of the file has changed; saveStore writes it.
void oweWrite(StoreFile file);
// Lines the store drops go to a backup of their own, written before any file
// that no longer holds them.
void oweBackup(const std::string& lines);
bool storeOwesWrites();

// Writes what is owed: backups, then the captions file, then the
// configuration file, stopping at the first that cannot be written so that
// the files on the disk still pair line for line; and settings that wait.
// A change to both files goes whole into a journal beside them first, since
// the two cannot be replaced in one step. True when the caption files owe
// nothing any more.
bool saveStore();
// At start-up, before the files are read: writes out a pair that a process
// stopped between the two writes left in the journal, and removes it.
void finishInterruptedWrite();
// Something waits (a write, or a read that failed) and a second has passed
// since the store last tried its files.
bool storeAttemptDue();

}  // namespace tessaly::program
