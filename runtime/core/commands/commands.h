// The entry points of the command library, by the names the program knows
// them by. Each has the one command form: result record (zeroed by the
// caller), argument count, first argument record.
#pragma once

#include <cstdint>

#include "runtime/core/typed_value.h"

namespace tessaly::commands {

// Declares a command: `Command Name;` is `void Name(TypedValue*, int32_t, TypedValue*);`.
using Command = void(TypedValue* result, int32_t count, TypedValue* arguments);

// Text (portable).
Command TextLength;
Command LeftText;
Command RightText;
Command CharFromCode;
Command FindText;
Command ReplaceSubtext;
Command SplitText;

// Conversion (portable).
Command ToText;
Command ToInteger;
Command ToByte;
Command ToByteSet;

// Numbers (portable).
Command BitOr;

// Files and private-profile files (Windows).
Command ReadFileBytes;
Command WriteFileBytes;
Command ReadIniText;
Command WriteIniText;
Command WriteNewFileBytes;
Command FileLength;
Command RemoveFile;

// System (Windows).
Command GetRunDirectory;
Command ScreenWidth;
Command ScreenHeight;
Command CursorX;
Command CursorY;
Command ScreenDotsPerInch;
Command GetFontNames;
Command ShowMessage;
Command TickCount;
Command ClaimProgramDirectory;

// Monitors and display changes (Windows).
Command MonitorRects;
Command WatchDisplay;

// Starting with Windows (Windows): a shortcut in the user's Startup folder.
Command HasStartupShortcut;
Command SetStartupShortcut;

// Windows and units (Windows): through the window layer's runtime entries.
Command LoadWindow;
Command Destroy;
Command GetWindowHandle;
Command IsCreated;
Command GetEventUnit;
Command CopyUnit;
Command SetZOrder;
Command PopupMenu;
Command PopupTrayMenu;
Command SetTrayIcon;
Command MeasureCaption;

// Lists (Windows).
Command ListAddItem;
Command ListDeleteItem;
Command ListClear;
Command ListIsChecked;
Command ListSetChecked;
Command ComboAddItem;
Command ComboItemCount;
Command ComboItemText;

// Hotkeys (Windows).
Command RegisterHotkey;
Command UnregisterHotkey;

}  // namespace tessaly::commands
