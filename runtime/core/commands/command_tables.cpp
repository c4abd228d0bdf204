// Entries that stand empty belong to commands that need the window layer
// (windows, units, lists), automation objects or hotkeys; they are filled in
// as those parts of the runtime arrive.
#include "runtime/core/commands/command_tables.h"

#include "runtime/core/commands/commands.h"

namespace tessaly {

using namespace commands;

const CommandEntry coreCommandTable[CoreCommandCount] = {
    LoadWindow,       // 0
    Destroy,          // 1
    GetRunDirectory,  // 2
    ReadFileBytes,    // 3
    ToText,           // 4
    SplitText,        // 5
    ListClear,        // 6
    ListAddItem,      // 7
    ToInteger,        // 8
    ListSetChecked,   // 9
    CopyUnit,         // 10
    TextLength,       // 11
    GetWindowHandle,  // 12
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
    SetTrayIcon,      // 23
    ToByteSet,        // 24
    WriteFileBytes,   // 25
    SetZOrder,        // 26
    ListIsChecked,    // 27
    ReplaceSubtext,   // 28
    CursorX,          // 29
    CursorY,          // 30
    PopupMenu,        // 31
    ComboItemText,    // 32
    IsCreated,        // 33
    PopupTrayMenu,    // 34
    ListDeleteItem,   // 35
    GetEventUnit,     // 36
    ComboAddItem,     // 37
    ComboItemCount,   // 38
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
    UnregisterHotkey, // 0
    RegisterHotkey, // 1
};

}  // namespace tessaly
