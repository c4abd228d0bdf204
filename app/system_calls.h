// The screen, the mouse pointer, the installed fonts and the system hotkeys,
// as the runtime's commands report and register them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/caption_motion.h"

namespace tessaly::program {

ScreenSize screenSize();
int32_t cursorX();
int32_t cursorY();
// The installed font families, as the system lists them.
std::vector<std::string> fontNames();

// The hotkey's identifier, or 0 when the system refused it. `modifiers`: 1
// Ctrl, 2 Shift, 4 Alt, summed.
int32_t registerHotkey(int32_t windowHandle, int32_t targetHandle, int32_t modifiers, int32_t keyCode);
void unregisterHotkey(int32_t windowHandle, int32_t identifier);

// A warning in front of the owner window, confirmed by the user.
void showMessage(int32_t ownerHandle, const std::string& text, const std::string& title);

// Milliseconds since the system started; differences are right across its wrap.
uint32_t tickCount();

// True when this is the one tool running from its directory; otherwise the
// one that runs there has been asked to come forward. `anotherStart` is what
// a later start in this directory runs here.
bool claimProgramDirectory(void (*anotherStart)());

}  // namespace tessaly::program
