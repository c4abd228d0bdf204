#include "tools/packer/description.h"

#include <sstream>
#include <stdexcept>

namespace tessaly::pack {
namespace {

std::string trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

Section parseHeader(const std::string& line, int number)
{
    if (line.back() != ']') throw std::runtime_error("line " + std::to_string(number) + ": unclosed section header");
    std::istringstream words(line.substr(1, line.size() - 2));
    Section s;
    s.line = number;
    words >> s.kind >> s.id >> s.name;
    if (s.kind.empty()) throw std::runtime_error("line " + std::to_string(number) + ": empty section header");
    return s;
}

}  // namespace

std::vector<Section> parseDescription(const std::string& text)
{
    std::vector<Section> sections;
    std::istringstream lines(text);
    std::string raw;
    int number = 0;
    while (std::getline(lines, raw)) {
        ++number;
        const std::string line = trim(raw);
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            sections.push_back(parseHeader(line, number));
            continue;
        }
        if (sections.empty()) throw std::runtime_error("line " + std::to_string(number) + ": text before any section");
        const auto eq = line.find('=');
        if (eq == std::string::npos) {
            sections.back().plainLines.push_back(line);
        } else {
            sections.back().entries.emplace_back(trim(line.substr(0, eq)), trim(line.substr(eq + 1)));
        }
    }
    return sections;
}

}  // namespace tessaly::pack
