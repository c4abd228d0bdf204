// How a hotkey is stored in the settings file and shown in its box: "无" for
// none, a bare virtual-key code ("65"), or a modifier digit, "+" and the code
// ("1+65"), with 1 Ctrl, 2 Shift and 4 Alt. The display text is the
// modifier's name, "+", the key's character and " 键" ("Ctrl+A 键").
#pragma once

#include <cstdint>
#include <string>

namespace tessaly::program {

inline constexpr int32_t EscapeKey = 27;

struct CapturedHotkey {
    std::string display;
    std::string stored;
};
// The forms of key `keyCode` pressed with modifier state `modifiers`; a state
// of two or more modifiers has no name, so only the key is kept.
CapturedHotkey captureForms(int32_t keyCode, int32_t modifiers);

// What the box shows for a stored value.
std::string displayTextOf(const std::string& stored);

struct ParsedHotkey {
    int32_t modifiers = 0;
    int32_t keyCode = 0;
};
ParsedHotkey parseHotkey(const std::string& stored);

}  // namespace tessaly::program
