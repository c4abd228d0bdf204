// Conversions of description values: numbers, word lists, UTF-8 texts to GBK,
// and files named "@file" relative to the description.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/ui/byte_reader.h"

namespace tessaly::pack {

// Decimal or 0x-hexadecimal, optionally negative; throws on anything else.
int64_t parseNumber(const std::string& text);
std::vector<std::string> splitWords(const std::string& text, char separator = ' ');
std::string toGbk(const std::string& utf8);
ui::Bytes readFile(const std::filesystem::path& path);

}  // namespace tessaly::pack
