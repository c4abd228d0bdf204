// What the tool tells its user when something around it fails: a warning in
// the tool's language, in front of the settings window when that is open.
#pragma once

#include <string>

namespace tessaly::program {

void tellUser(const std::string& text);

// The file `path` cannot be written; what the tool does about it.
std::string unwritableNotice(const std::string& path);

}  // namespace tessaly::program
