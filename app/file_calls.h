// The program's files: the run directory, whole files read as their bytes
// and written from texts or bytes, and the private-profile settings file.
#pragma once

#include <cstdint>
#include <string>

namespace tessaly::program {

// The executable's directory, without a trailing backslash. A character of
// its name that GBK cannot hold stands as "?".
std::string runDirectory();

// A whole file as read: every byte of it, zero bytes included; a file that
// is not there reads as Missing, one that is there but could not be read
// (held open by another program, an I/O error, too long) as Failed.
struct FileContent {
    enum class Outcome { Missing, Read, Failed };
    Outcome outcome = Outcome::Missing;
    std::string bytes;
};
FileContent readWholeFile(const std::string& path);
// The file's length in bytes; -1 when there is no such file, -2 when
// something of that name cannot be sized.
int64_t fileLength(const std::string& path);
bool fileExists(const std::string& path);

// Replaces the file's whole content with the text's bytes (no terminator);
// false when it could not, and the file is then as it was.
bool writeFileText(const std::string& path, const std::string& text);
// Writes the bytes (zero bytes included) into a new file of that name; false
// when a file of that name exists or it could not be written.
bool writeNewFile(const std::string& path, const std::string& bytes);
// True when the file is gone, also when there was none.
bool removeFile(const std::string& path);

std::string readIniText(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& fallback);
bool writeIniText(const std::string& path, const std::string& section, const std::string& key, const std::string& value);

}  // namespace tessaly::program
