// Turns the parsed description into window templates in block form and the
// ordered routine list. A routine's word is its index times ThunkSize: the
// code base is a table of equal-sized thunks whose entry 0 is the start routine.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/ui/window_templates.h"
#include "tools/packer/description.h"

namespace tessaly::pack {

inline constexpr uint32_t ThunkSize = 16;

struct PackedProgram {
    std::vector<ui::WindowTemplate> windows;
    std::vector<std::string> routines;

    ui::Bytes block() const;
};

// Throws std::runtime_error naming the section of a mistake.
PackedProgram buildProgram(const std::vector<Section>& sections, const std::filesystem::path& baseDir);

}  // namespace tessaly::pack
