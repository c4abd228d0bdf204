// Window classes that unit types register for themselves, on first use.
#pragma once

#include <windows.h>

namespace tessaly::ui {

// Registers the class once, with an arrow cursor and no background brush
// (the units paint their own background).
bool ensureUnitClass(const wchar_t* name, UINT classStyle, WNDPROC procedure);

}  // namespace tessaly::ui
