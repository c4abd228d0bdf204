// The readable description of the program's windows: sections of
// "key = value" lines. A section header is "[kind identifier name]"; the kind
// is "routines", "window", "menu" or a unit type name. Lines starting with
// "#" are comments. The file is UTF-8; texts are turned into GBK when the
// templates are built.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tessaly::pack {

struct Section {
    std::string kind;
    std::string id;    // as written, e.g. "0x16012A37"
    std::string name;  // may be empty
    int line = 0;
    std::vector<std::pair<std::string, std::string>> entries;
    std::vector<std::string> plainLines;  // lines without "=" (the routine list)
};

// Throws std::runtime_error naming the line of a malformed header.
std::vector<Section> parseDescription(const std::string& text);

}  // namespace tessaly::pack
