// Each unit type's description keys, named after the fields of its type-data
// struct, and the type data built from them with the runtime's own writers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "runtime/ui/byte_reader.h"

namespace tessaly::pack {

using Entries = std::vector<std::pair<std::string, std::string>>;

// The unit type identifier of a section kind ("Label", "Timer", ...); 0 when unknown.
uint32_t unitTypeOf(const std::string& kind);

// Type data of a unit (or of a window, for ui::TypeId::Window) from its type
// keys; throws on an unknown key or a malformed value. Texts are UTF-8 and
// stored as GBK; "@file" values name files relative to baseDir.
ui::Bytes buildTypeData(uint32_t typeId, const Entries& entries, const std::filesystem::path& baseDir);

}  // namespace tessaly::pack
