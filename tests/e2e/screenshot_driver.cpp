// Takes a screenshot of the caption tool over a desktop picture, as the
// system composes the screen (colour-keyed pixels show what lies beneath):
//   tessaly_screenshot SOURCE_DIRECTORY DESKTOP.bmp OUTPUT.bmp
// The tool runs in a fresh program directory holding the caption and
// settings files found in SOURCE_DIRECTORY; the shot is taken once the
// screen has stopped changing, and the tool is then ended from its tray.
// Wine's stand-in tray, holding the tool's icon, shows in the top left corner.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/e2e/caption_files.h"
#include "tests/e2e/screen_image.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

bool sameImage(const Image& a, const Image& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.at(x, y) != b.at(x, y)) return false;
    return true;
}

void copyToolFiles(const std::wstring& source, const ProgramDirectory& directory)
{
    for (const std::string& name : {CaptionsFile, ConfigFile, SettingsFile}) {
        const std::wstring path = source + L"\\" + widen(name);
        HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) continue;
        std::string bytes(GetFileSize(f, nullptr), '\0');
        DWORD got = 0;
        ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(f);
        directory.write(name, bytes);
    }
}

int run(const std::wstring& source, const std::wstring& desktopPicture, const std::wstring& output)
{
    Desktop desktop(desktopPicture);
    ProgramDirectory directory;
    copyToolFiles(source, directory);
    ToolProcess tool(directory);
    if (!tool.started()) return 2;
    // Every monitor: the whole virtual screen.
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    Image shot = captureScreen(screen);
    waitUntil([&] {
        Image next = captureScreen(screen);
        const bool still = sameImage(shot, next);
        shot = std::move(next);
        return still;
    });
    const bool saved = saveBitmap(shot, output);
    tool.exitFromTray();
    return saved ? 0 : 3;
}

}  // namespace
}  // namespace tessaly::e2e

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4) {
        fwprintf(stderr, L"usage: tessaly_screenshot SOURCE_DIRECTORY DESKTOP.bmp OUTPUT.bmp\n");
        return 1;
    }
    return tessaly::e2e::run(argv[1], argv[2], argv[3]);
}
