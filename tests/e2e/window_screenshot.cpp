// Takes a screenshot of one of the caption tool's windows, opened the way a
// user opens it, for the README:
//   tessaly_window_screenshot SCENE OUTPUT.bmp
// SCENE is settings (the settings window as it opens), settings-expanded
// (after its button "设置") or editor (the caption editor on a caption).
// The tool runs in a fresh program directory on a few sample captions; the
// window is shot, as the system composes the screen, once it has stopped
// changing, and the tool is then ended from its tray.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

// Where the shot windows are put: whole on a 1280 x 1024 screen, clear of the captions.
constexpr int WindowLeft = 80;
constexpr int WindowTop = 140;

// A font with Chinese letters, as the installed families name it; the first family otherwise.
std::string chineseFont()
{
    struct Found {
        std::string first, chinese;
    } found;
    HDC screen = GetDC(nullptr);
    LOGFONTA request{};
    request.lfCharSet = GB2312_CHARSET;
    EnumFontFamiliesExA(
        screen, &request,
        [](const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM p) -> int {
            auto* f = reinterpret_cast<Found*>(p);
            const std::string name = font->lfFaceName;
            if (name.empty() || name[0] == '@') return 1;
            if (f->first.empty()) f->first = name;
            const bool wenQuanYi = name.find("WenQuanYi") != std::string::npos || name.find("文泉驿") != std::string::npos;
            if (f->chinese.empty() && wenQuanYi) f->chinese = name;
            return 1;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found.chinese.empty() ? found.first : found.chinese;
}

void writeSampleFiles(const ProgramDirectory& directory)
{
    const std::string font = chineseFont();
    directory.write(CaptionsFile, joinedLines({"早上好，今天也要加油！", "Tessaly字幕", "会议室：三楼 301"}));
    directory.write(ConfigFile,
                    joinedLines({
                        configurationLine({font, "36", "33023", "4194368", "真", "2", "真", "120", "24", "假", "假", "1", "2", "0"}),
                        configurationLine({font, "24", "16777215", "8404992", "假", "1", "真", "820", "900", "假", "假", "0"}),
                        configurationLine({font, "18", "65535", "4194368", "真", "4", "假", "60", "960", "假", "真", "0"}),
                    }));
    directory.write(SettingsFile, "[透明度]\r\n值=230\r\n[滚动速度]\r\n值=3\r\n[隐藏快捷键]\r\n值=1+72\r\n"
                                  "[显示快捷键]\r\n值=1+74\r\n");
}

// 32-bit pixels of the screen within `area`, as the system composes it.
std::vector<uint32_t> capture(const RECT& area)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width * height);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The window's pixels once two shots in a row agree.
std::vector<uint32_t> steadyShot(const RECT& area)
{
    std::vector<uint32_t> shot = capture(area);
    waitUntil([&] {
        std::vector<uint32_t> next = capture(area);
        const bool still = next == shot;
        shot = std::move(next);
        return still;
    });
    return shot;
}

// A 24-bit bottom-up BMP file.
bool saveBitmap(const std::vector<uint32_t>& pixels, int width, int height, const std::wstring& path)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    std::vector<uint8_t> rows(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(height - 1 - y) * width + x];
            uint8_t* out = &rows[static_cast<size_t>(y) * stride + x * 3];
            out[0] = p & 0xFF;
            out[1] = (p >> 8) & 0xFF;
            out[2] = (p >> 16) & 0xFF;
        }
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(f, &file, sizeof file, &written, nullptr) && WriteFile(f, &info, sizeof info, &written, nullptr) &&
                    WriteFile(f, rows.data(), static_cast<DWORD>(rows.size()), &written, nullptr);
    CloseHandle(f);
    return ok;
}

// Opens the scene's window; none when the scene is unknown or did not open.
HWND openScene(const std::wstring& scene, ToolProcess& tool)
{
    const HWND settings = tool.openSettings();
    if (settings == nullptr) return nullptr;
    SetWindowPos(settings, nullptr, WindowLeft, WindowTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const SettingsUnits units = settingsUnits(settings);
    selectListItem(units.list, 0);
    waitUntil([&] { return listSelection(units.list) == 0; });
    if (scene == L"settings") return settings;
    if (scene == L"settings-expanded") {
        clickButton(units.settings);
        waitUntil([&] { return windowSize(settings).cx == 628; });
        return settings;
    }
    if (scene != L"editor") return nullptr;
    bringToFront(settings);
    waitForPostedMessages(units.hideHotkey);
    postListMenuClick(units.list);
    chooseMenuEntry(tool.id(), EditEntry);
    HWND editor = nullptr;
    waitUntil([&] { return (editor = tool.editorWindow()) != nullptr && !controlTextGbk(editorUnits(editor).content).empty(); });
    if (editor != nullptr)
        SetWindowPos(editor, nullptr, WindowLeft + 640, WindowTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return editor;
}

int run(const std::wstring& scene, const std::wstring& output)
{
    ProgramDirectory directory;
    writeSampleFiles(directory);
    ToolProcess tool(directory);
    if (!tool.started()) return 2;
    const HWND window = openScene(scene, tool);
    if (window == nullptr) return 3;
    waitForPostedMessages(settingsUnits(tool.settingsWindow()).hideHotkey);
    RECT area;
    GetWindowRect(window, &area);
    const bool saved = saveBitmap(steadyShot(area), area.right - area.left, area.bottom - area.top, output);
    tool.exitFromTray();
    return saved ? 0 : 4;
}

}  // namespace
}  // namespace tessaly::e2e

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        fwprintf(stderr, L"usage: tessaly_window_screenshot settings|settings-expanded|editor OUTPUT.bmp\n");
        return 1;
    }
    return tessaly::e2e::run(argv[1], argv[2]);
}
