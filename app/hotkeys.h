// The two global hotkeys: captured in the settings window's read-only boxes,
// stored in the settings file, registered on the display window, and fed
// back through the hidden label "标签1" to hide or show the captions.
#pragma once

#include <cstdint>

namespace tessaly::program {

// Removes both registrations and registers the stored hotkeys again.
void RegisterHotkeys();

// Shows the stored values in the settings window's two boxes.
void showStoredHotkeys();

void hideHotkeyFocus();
void showHotkeyFocus();
void hideHotkeyKeyDown(int32_t keyCode, int32_t modifiers);
void showHotkeyKeyDown(int32_t keyCode, int32_t modifiers);

// "标签1"'s feedback event: a registered hotkey was pressed.
void hotkeyFeedback(int32_t identifier);

}  // namespace tessaly::program
