// The program's constant data block: literals that the program may hand to
// the runtime as values. Everything in it belongs to the program image and is
// never freed or resized.
#pragma once

#include <cstdint>

namespace tessaly::program {

// The icon file: one 128 x 128 image of 32 bits per pixel.
inline constexpr int32_t TrayIconFileSize = 67646;

struct ConstantData {
    // Stand-ins for a null text or byte-set passed as an argument.
    char emptyText[4];
    int32_t emptyByteSet[2];
    // The tray icon as a byte set: {1, length}, then the icon file's bytes.
    int32_t trayIconHeader[2];
    uint8_t trayIcon[TrayIconFileSize];
};

extern const ConstantData constants;

inline const char* emptyText() { return constants.emptyText; }
inline const void* emptyByteSet() { return constants.emptyByteSet; }
inline const void* trayIconByteSet() { return constants.trayIconHeader; }

}  // namespace tessaly::program
