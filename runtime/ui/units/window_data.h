// The window's own type data: its stored properties (window property index in
// brackets). Older versions lack the later fields, which keep their defaults.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

struct WindowData {
    static constexpr uint32_t HighestVersion = 6;

    int32_t border = 1;                // [9]
    int32_t backgroundPictureMode = 0; // [12]
    uint32_t backgroundColour = 0xFF000000;  // [10]
    int32_t maximiseBox = 0;           // [16]
    int32_t minimiseBox = 1;           // [17]
    int32_t controlBox = 1;            // [15]
    int32_t windowState = 0;           // [18]
    int32_t movable = 1;               // [19]
    int32_t soundRepetition = 0;       // [14]
    int32_t enterMovesFocus = 0;       // [21]
    int32_t escCloses = 0;             // [22]
    int32_t f1OpensHelp = 0;           // [23]
    int32_t helpContext = 0;           // [25]
    int32_t showInTaskBar = 1;         // [26], from version 2
    int32_t moveByDragging = 0;        // [27], from version 3
    int32_t shape = 0;                 // [28], from version 3
    int32_t alwaysOnTop = 0;           // [29], from version 4
    int32_t storedSwitch = 0;          // [30], from version 5
    std::string className;             // [31], version 6
    Bytes backgroundPicture;           // [11]
    Bytes icon;                        // [20]
    Bytes backgroundSound;             // [13]
    std::string title;                 // [8]
    std::string helpFile;              // [24]
};

std::optional<WindowData> readWindowData(ByteView data);
Bytes writeWindowData(const WindowData& d);

}  // namespace tessaly::ui
