#include "app/tray_menu.h"

#include <string>

#include "app/caption_store.h"
#include "app/program_windows.h"
#include "app/system_calls.h"

namespace tessaly::program {
namespace {

constexpr int32_t RightButton = 3;
// The shortcut's name in the Startup folder, as the user sees it there.
const std::string ShortcutName = "Tessaly字幕";

}  // namespace

// The check mark is read from the Startup folder each time the menu opens,
// so a shortcut the user removed by hand shows as removed.
void trayEvent(int32_t action)
{
    if (action != RightButton) return;
    writeBool(StartWithWindowsItem, MenuProperty::Checked, hasStartupShortcut(ShortcutName));
    popupTrayMenu(DisplayWindow, TrayMenu);
}

// Loading an open settings window only brings it forward; the captions and
// the list are rebuilt from the files either way.
void showSettings()
{
    writeInt(CaptionTimer, TimerProperty::Interval, 0);
    loadWindow(SettingsWindow);
    LoadAllCaptions();
    writeBool(SettingsWindow, Property::Visible, true);
}

void toggleStartWithWindows() { setStartupShortcut(ShortcutName, !hasStartupShortcut(ShortcutName)); }

// Each close is posted, so the settings window's closing routine has saved
// before the display window goes and the program ends.
void exitProgram()
{
    if (isCreated(SettingsWindow)) destroy(SettingsWindow);
    if (isCreated(EditorWindow)) destroy(EditorWindow);
    destroy(DisplayWindow);
}

}  // namespace tessaly::program
