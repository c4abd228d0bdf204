// The monitors and their changes, the mouse pointer, the installed fonts, the system hotkeys and
// the Startup folder, as the runtime's commands report and change them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/monitor_layout.h"

namespace tessaly::program {

// The monitors on the virtual screen, the primary one first.
Monitors monitors();
// From now on every display change reaches the unit with this window handle
// as its feedback event.
void watchDisplay(int32_t targetHandle);
// The screen's dots per inch: 96 at 100 %, which window descriptions are laid out for.
int32_t screenDotsPerInch();
int32_t cursorX();
int32_t cursorY();
// The installed font families, as the system lists them.
std::vector<std::string> fontNames();

// The hotkey's identifier, or 0 when the system refused it. `modifiers`: 1
// Ctrl, 2 Shift, 4 Alt, summed.
int32_t registerHotkey(int32_t windowHandle, int32_t targetHandle, int32_t modifiers, int32_t keyCode);
void unregisterHotkey(int32_t windowHandle, int32_t identifier);

// Starting with Windows: the shortcut "name.lnk" to the running program in
// the user's Startup folder. `has` is true only for one that leads here;
// `set` answers whether the folder is then as asked.
bool hasStartupShortcut(const std::string& name);
bool setStartupShortcut(const std::string& name, bool on);

// A warning in front of the owner window, confirmed by the user.
void showMessage(int32_t ownerHandle, const std::string& text, const std::string& title);

// Milliseconds since the system started; differences are right across its wrap.
uint32_t tickCount();

// True when this is the one tool running from its directory; otherwise the
// one that runs there has been asked to come forward. `anotherStart` is what
// a later start in this directory runs here.
bool claimProgramDirectory(void (*anotherStart)());

}  // namespace tessaly::program
