// The command tables of the three libraries that have commands, by entry
// number.
#include "runtime/core/commands/command_tables.h"

#include "runtime/core/automation/automation_commands.h"
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
    ObjectClear,      // 39
    ObjectCreate,     // 40
    ObjectWriteProperty, // 41
    VariantAssign,    // 42
    ObjectCallForObject, // 43
    ObjectIsEmpty,    // 44
    ObjectReadText,   // 45
    ObjectCallForText, // 46
    VariantClear,     // 47
    ObjectReadNumber, // 48
    ObjectReadObject, // 49
    ObjectReadVariant, // 50
    VariantToText,    // 51
    ObjectCopy,       // 52
    VariantCopy,      // 53
};

const CommandEntry applicationInterfaceCommandTable[ApplicationInterfaceCommandCount] = {
    GetFontNames,    // 0
    MeasureCaption,  // 1
    ShowMessage,     // 2
    HasStartupShortcut,  // 3
    SetStartupShortcut,  // 4
    MonitorRects,    // 5
    WatchDisplay,    // 6
    ScreenDotsPerInch,  // 7
    FileLength,      // 8
    WriteNewFileBytes, // 9
    TickCount,       // 10
    ClaimProgramDirectory, // 11
    RemoveFile,      // 12
};

const CommandEntry extensionOneCommandTable[ExtensionOneCommandCount] = {
    UnregisterHotkey, // 0
    RegisterHotkey, // 1
};

}  // namespace tessaly
