#include "app/startup.h"

#include "app/caption_store.h"
#include "app/caption_windows.h"
#include "app/constant_data.h"
#include "app/display_area.h"
#include "app/file_calls.h"
#include "app/hotkeys.h"
#include "app/notices.h"
#include "app/program_files.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "app/store_files.h"
#include "app/system_calls.h"
#include "app/text_calls.h"
#include "app/tray_menu.h"
#include "runtime/core/service_table.h"

namespace tessaly::program {
namespace {

constexpr int32_t CompactWidth = 320;
const std::string TrayTip = "Tessaly字幕";

constexpr int32_t CannotRun = 1;

// The program's files are named in GBK: a folder whose name GBK cannot hold
// (it reads with a "?", which no file name has) would send every read and
// write to no file at all.
bool folderNameFits(const std::string& folder) { return folder.find('?') == std::string::npos; }

std::string folderNotice(const std::string& folder)
{
    return "程序所在文件夹“" + folder +
           "”的名称里有 GBK 编码无法表示的字符（上面显示为“?”），程序无法在这里读写自己的文件，因此不能运行。\r\n\r\n"
           "请把 tessaly.exe 放到名称只含中文、英文字母或数字的文件夹里，再启动它。";
}

}  // namespace

// The settings window is loaded hidden so the caption list exists while the
// captions load, and closed again once this routine has returned. A second
// start in the same folder brings the running tool's settings window forward
// instead and ends (the message loop has no window to wait for).
void startRoutine()
{
    const std::string folder = runDirectory();
    if (!folderNameFits(folder)) {
        tellUser(folderNotice(folder));
        callService<Service::EndProgram>(CannotRun);
    }
    if (!claimProgramDirectory(&showSettings)) return;
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
    coverVirtualScreen();
    watchDisplayChanges(DisplayWatchLabel);
    ApplyWindowTransparency(windowHandle(DisplayWindow), s.Transparency, displayColourKey(), true);
    setTrayIcon(DisplayWindow, trayIconByteSet(), TrayTip);
}

}  // namespace tessaly::program
