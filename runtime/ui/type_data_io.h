// Pieces shared by the type-data codecs: the font blob (empty, or one 60-byte
// LOGFONT), the list-items form, and the version check every reader starts with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/byte_reader.h"
#include "runtime/ui/byte_writer.h"

namespace tessaly::ui {

inline constexpr size_t LogFontSize = 60;
// 0xFF000000 stands for the system button-face colour.
inline constexpr uint32_t ButtonFaceColour = 0xFF000000;

// Reads the leading version word; none when it is 0 or above `highest`.
std::optional<uint32_t> readVersion(ByteReader& in, uint32_t highest);
// A font blob of any length but 0 or 60 fails the reader.
Bytes readFontBlob(ByteReader& in);
// A 16-bit count, then each item as a counted string.
std::vector<std::string> readListItems(ByteReader& in);
void writeListItems(ByteWriter& out, const std::vector<std::string>& items);

// A LOGFONT of the given height, weight and character set, face name cut to 31 bytes.
Bytes makeLogFont(int32_t height, int32_t weight, uint8_t charSet, std::string_view faceName);

}  // namespace tessaly::ui
