#include "app/tray_menu.h"

#include "app/caption_store.h"
#include "app/program_windows.h"

namespace tessaly::program {
namespace {

constexpr int32_t RightButton = 3;

}  // namespace

void trayEvent(int32_t action)
{
    if (action == RightButton) popupTrayMenu(DisplayWindow, TrayMenu);
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

// Each close is posted, so the settings window's closing routine has saved
// before the display window goes and the program ends.
void exitProgram()
{
    if (isCreated(SettingsWindow)) destroy(SettingsWindow);
    if (isCreated(EditorWindow)) destroy(EditorWindow);
    destroy(DisplayWindow);
}

}  // namespace tessaly::program
