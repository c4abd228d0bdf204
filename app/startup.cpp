#include "app/startup.h"

#include "app/caption_store.h"
#include "app/caption_windows.h"
#include "app/hotkeys.h"
#include "app/program_files.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "app/system_calls.h"
#include "app/text_calls.h"
#include "resources/constant_data.h"

namespace tessaly::program {
namespace {

constexpr int32_t CompactWidth = 320;
const std::string TrayTip = "Tessaly字幕";

void coverTheScreen()
{
    const ScreenSize screen = screenSize();
    writeInt(DisplayWindow, Property::Left, 0);
    writeInt(DisplayWindow, Property::Width, screen.width);
    writeInt(DisplayWindow, Property::Height, screen.height);
    writeInt(DisplayWindow, Property::Top, 0);
}

}  // namespace

// The settings window is loaded hidden so the caption list exists while the
// captions load, and closed again once this routine has returned.
void startRoutine()
{
    loadWindow(DisplayWindow);
    writeInt(SettingsWindow, Property::Width, CompactWidth);
    loadWindow(SettingsWindow);
    finishInterruptedWrite();
    LoadAllCaptions();
    destroy(SettingsWindow);
}

void displayCreated()
{
    ProgramState& s = state();
    RegisterHotkeys();
    s.Transparency = toInteger(readSetting(SettingsSection::Transparency, "255"));
    s.ScrollSpeed = toInteger(readSetting(SettingsSection::ScrollSpeed, "5"));
    coverTheScreen();
    ApplyWindowTransparency(windowHandle(DisplayWindow), s.Transparency, displayColourKey(), true);
    setTrayIcon(DisplayWindow, trayIconByteSet(), TrayTip);
}

}  // namespace tessaly::program
