// The caption store: the captions file and the configuration file, read and
// written whole, line for line in step; the records built from them; and
// the loader that rebuilds the records, the caption labels and the settings
// window's list from the two files.
#pragma once

#include <cstdint>
#include <string>

namespace tessaly::program {

// The text without a line break at its start or end and without empty lines.
std::string TrimLineBreaks(const std::string& text);

// Rebuilds everything from the two files. An empty captions file changes
// nothing: the records, the labels and the list stay as they were.
void LoadAllCaptions();

// ConfigText, or both texts (the captions first), go to their files as far
// as they can (store_files.h).
void writeConfigFile();
// Both, as one change that a kill between the two writes cannot split (see saveStore).
void writeCaptionFiles();
// The tick's share: what waits for the files is tried at most once a second,
// so scrolling captions cost the disk one write a second.
void keepStoreWhileMoving();

// Before the first change the user makes after a load: lines that the loader
// had to complete take their completed form, captions without a
// configuration line get one, and configuration lines without a caption move
// to a backup, so both files pair line for line again.
void completeStoredLines();

// Fields 8 and 9 of caption k's record take its label's position, and its
// configuration line is rebuilt from the record and written.
void storeCaptionPosition(int32_t k);

}  // namespace tessaly::program
