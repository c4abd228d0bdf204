// The text and conversion commands the program uses, as plain functions over
// the program's own strings. Positions are 1-based byte positions; every
// length counts bytes of GBK text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly::program {

std::string toText(int32_t value);
std::string toText(bool value);  // "真" or "假"
int32_t toInteger(const std::string& text);
uint8_t toByte(const std::string& text);
std::string charFromCode(uint8_t code);
int32_t textLength(const std::string& text);
std::string leftText(const std::string& text, int32_t count);
std::string rightText(const std::string& text, int32_t count);
// The 1-based position of `sought` from the 1-based `start`, or -1.
int32_t findText(const std::string& text, const std::string& sought, int32_t start = 1, bool ignoreCase = false);
// Every occurrence replaced, letters compared exactly.
std::string replaceAll(const std::string& text, const std::string& sought, const std::string& replacement);
// The parts between separators; an empty text gives none, and a separator
// at the very end gives no empty last part.
std::vector<std::string> splitText(const std::string& text, const std::string& separator);

}  // namespace tessaly::program
