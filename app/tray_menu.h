// The tray icon, the tool's one permanent handle: its right button opens the
// tray menu, whose entries open the settings window, make the tool start
// with Windows or not, and end the program.
#pragma once

#include <cstdint>

namespace tessaly::program {

// The display window's tray event; `action` 1 left button up, 2 left
// double-click, 3 right button up or the context-menu key.
void trayEvent(int32_t action);
void showSettings();
// "开机启动": adds the tool's shortcut to the Startup folder, or removes it.
void toggleStartWithWindows();
void exitProgram();

}  // namespace tessaly::program
