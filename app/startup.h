// The caption tool's beginning: the start routine that creates its windows
// in order, and the display window's creation routine that reads the
// settings file, covers the screen and puts the tray icon up.
#pragma once

namespace tessaly::program {

void startRoutine();
void displayCreated();

}  // namespace tessaly::program
