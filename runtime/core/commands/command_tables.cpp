// Entries that stand empty belong to commands that need the window layer
// (windows, units, lists), automation objects or hotkeys; they are filled in
// as those parts of the runtime arrive.
#include "runtime/core/commands/command_tables.h"

#include "runtime/core/commands/commands.h"

namespace tessaly {

using namespace commands;

const CommandEntry coreCommandTable[CoreCommandCount] = {
    nullptr,          // 0 LoadWindow
    nullptr,          // 1 Destroy
    GetRunDirectory,  // 2
    ReadFileBytes,    // 3
    ToText,           // 4
    SplitText,        // 5
    nullptr,          // 6 ListClear
    nullptr,          // 7 ListAddItem
    ToInteger,        // 8
    nullptr,          // 9 ListSetChecked
    nullptr,          // 10 CopyUnit
    TextLength,       // 11
    nullptr,          // 12 GetWindowHandle
    WriteIniText,     // 13
    CharFromCode,     // 14
    ReadIniText,      // 15
    LeftText,         // 16
    RightText,        // 17
    FindText,         // 18
    ToByte,           // 19
    BitOr,            // 20
    ScreenWidth,      // 21
    ScreenHeight,     // 22
    nullptr,          // 23 SetTrayIcon
    ToByteSet,        // 24
    WriteFileBytes,   // 25
    nullptr,          // 26 SetZOrder
    nullptr,          // 27 ListIsChecked
    ReplaceSubtext,   // 28
    CursorX,          // 29
    CursorY,          // 30
    nullptr,          // 31 PopupMenu
    nullptr,          // 32 ComboItemText
    nullptr,          // 33 IsCreated
    nullptr,          // 34 PopupTrayMenu
    nullptr,          // 35 ListDeleteItem
    nullptr,          // 36 GetEventUnit
    nullptr,          // 37 ComboAddItem
    nullptr,          // 38 ComboItemCount
    nullptr,          // 39 ObjectClear
    nullptr,          // 40 ObjectCreate
    nullptr,          // 41 ObjectWriteProperty
    nullptr,          // 42 VariantAssign
    nullptr,          // 43 ObjectCallForObject
    nullptr,          // 44 ObjectIsEmpty
    nullptr,          // 45 ObjectReadText
    nullptr,          // 46 ObjectCallForText
    nullptr,          // 47 VariantClear
    nullptr,          // 48 ObjectReadNumber
    nullptr,          // 49 ObjectReadObject
    nullptr,          // 50 ObjectReadVariant
    nullptr,          // 51 VariantToText
    nullptr,          // 52 ObjectCopy
    nullptr,          // 53 VariantCopy
};

const CommandEntry applicationInterfaceCommandTable[ApplicationInterfaceCommandCount] = {
    GetFontNames,  // 0
};

const CommandEntry extensionOneCommandTable[ExtensionOneCommandCount] = {
    nullptr,  // 0 UnregisterHotkey
    nullptr,  // 1 RegisterHotkey
};

}  // namespace tessaly
