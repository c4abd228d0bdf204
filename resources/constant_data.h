// The program's constant data block: literals that the program may hand to
// the runtime as values. Everything in it belongs to the program image and is
// never freed or resized.
#pragma once

#include <cstdint>

namespace tessaly::program {

struct ConstantData {
    // Stand-ins for a null text or byte-set passed as an argument.
    char emptyText[4];
    int32_t emptyByteSet[2];
};

extern const ConstantData constants;

inline const char* emptyText() { return constants.emptyText; }
inline const void* emptyByteSet() { return constants.emptyByteSet; }

}  // namespace tessaly::program
