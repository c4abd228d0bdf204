// The program's files: the run directory, whole files read and written as
// text, and the private-profile settings file.
#pragma once

#include <string>

namespace tessaly::program {

// The executable's directory, without a trailing backslash.
std::string runDirectory();

// The file's bytes up to its first zero byte; empty when missing or unreadable.
std::string readFileText(const std::string& path);
// Replaces the file's whole content with the text's bytes (no terminator).
bool writeFileText(const std::string& path, const std::string& text);

std::string readIniText(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& fallback);
void writeIniText(const std::string& path, const std::string& section, const std::string& key, const std::string& value);

}  // namespace tessaly::program
