// System commands: the answers come from the live system, so the tests hold
// them against what the system itself reports.
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "runtime/core/commands/commands.h"
#include "runtime/core/runtime_app.h"
#include "tests/commands/command_harness.h"

namespace tessaly {
namespace {

using namespace commands;
using namespace tessaly::testing;

TEST(SystemCommands, ScreenSizeAndCursorPosition)
{
    EXPECT_EQ(call(ScreenWidth, {}).asInt(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(call(ScreenHeight, {}).asInt(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(call(ScreenWidth, {}).asInt(), 0);
    SetCursorPos(37, 41);
    POINT p{};
    GetCursorPos(&p);
    EXPECT_EQ(call(CursorX, {}).asInt(), p.x);
    EXPECT_EQ(call(CursorY, {}).asInt(), p.y);
}

TEST(SystemCommands, RunDirectoryIsTheRecordedProgramDirectory)
{
    const std::string& directory = RuntimeApp::instance().programDirectory();
    const auto result = takeText(call(GetRunDirectory, {}));
    if (directory.empty()) {
        EXPECT_EQ(result, std::nullopt);
    } else {
        EXPECT_EQ(result, directory);
    }
}

TEST(SystemCommands, FontNamesHaveNoAdjacentRepeatsAndFitTheirBlocks)
{
    const auto names = takeTextArray(call(GetFontNames, {}));
    ASSERT_FALSE(names.empty());
    for (size_t i = 0; i < names.size(); ++i) {
        ASSERT_TRUE(names[i].has_value());
        EXPECT_FALSE(names[i]->empty());
        EXPECT_LT(names[i]->size(), 32u);
        if (i > 0) {
            EXPECT_NE(names[i], names[i - 1]);
        }
    }
}

int CALLBACK noteFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM families)
{
    char name[LF_FACESIZE * 2] = {};
    WideCharToMultiByte(936, 0, font->lfFaceName, -1, name, sizeof name, nullptr, nullptr);
    reinterpret_cast<std::vector<std::string>*>(families)->push_back(name);
    return 1;
}

// Every family for every character set, in the order the system reports them.
std::vector<std::string> reportedFamilies()
{
    std::vector<std::string> families;
    HDC screen = GetDC(nullptr);
    LOGFONTW request{};
    request.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen, &request, noteFamily, reinterpret_cast<LPARAM>(&families), 0);
    ReleaseDC(nullptr, screen);
    return families;
}

TEST(SystemCommands, FontNamesComeInReverseReportOrderWithEachRunOfOneNameOnce)
{
    std::vector<std::string> expected = reportedFamilies();
    ASSERT_FALSE(expected.empty());
    // One family is reported once per character set, one report after another.
    const auto repeats = std::adjacent_find(expected.begin(), expected.end());
    EXPECT_NE(repeats, expected.end()) << "no family was reported twice in a row: nothing to drop";
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    std::reverse(expected.begin(), expected.end());

    std::vector<std::string> names;
    for (const auto& name : takeTextArray(call(GetFontNames, {}))) names.push_back(name.value_or("(null)"));
    EXPECT_EQ(names, expected);
}

TEST(SystemCommands, MonitorsAreTheSystemsWithThePrimaryFirst)
{
    void* block = call(MonitorRects, {}).pointer();
    ASSERT_NE(block, nullptr);
    const ArrayView elements = arrayElements(block);
    std::vector<int32_t> corners(static_cast<size_t>(elements.count));
    std::memcpy(corners.data(), elements.first, corners.size() * sizeof(int32_t));
    release(block);
    ASSERT_EQ(corners.size(), static_cast<size_t>(4 * GetSystemMetrics(SM_CMONITORS)));
    EXPECT_EQ(corners[0], 0) << "the primary monitor holds the origin";
    EXPECT_EQ(corners[1], 0);
    EXPECT_EQ(corners[2], GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(corners[3], GetSystemMetrics(SM_CYSCREEN));
}

// A display broadcast reaches the watched unit as its feedback message,
// posted, and a second watch takes the place of the first.
TEST(SystemCommands, DisplayChangesReachTheWatchingUnit)
{
    struct Target {
        static LRESULT CALLBACK procedure(HWND w, UINT m, WPARAM wp, LPARAM lp)
        {
            if (m == 0x8075) heard().push_back({w, static_cast<UINT>(wp)});
            return DefWindowProcW(w, m, wp, lp);
        }
        static std::vector<std::pair<HWND, UINT>>& heard()
        {
            static std::vector<std::pair<HWND, UINT>> list;
            return list;
        }
    };
    WNDCLASSW type{};
    type.lpfnWndProc = &Target::procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"DisplayWatchTarget";
    RegisterClassW(&type);
    HWND first = CreateWindowW(L"DisplayWatchTarget", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, type.hInstance, nullptr);
    HWND second = CreateWindowW(L"DisplayWatchTarget", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, type.hInstance, nullptr);
    auto handle = [](HWND w) { return TypedValue::ofInt(static_cast<int32_t>(reinterpret_cast<intptr_t>(w))); };
    auto pump = [] {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    };

    ASSERT_TRUE(call(WatchDisplay, {handle(first)}).asBool());
    SendMessageTimeoutW(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024), SMTO_ABORTIFHUNG, 2000, nullptr);
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_TRUE(Target::heard().empty()) << "posted, not sent within the broadcast";
    pump();
    ASSERT_TRUE(call(WatchDisplay, {handle(second)}).asBool());
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    pump();
    const std::vector<std::pair<HWND, UINT>> expected = {{first, WM_DISPLAYCHANGE}, {second, WM_SETTINGCHANGE}};
    EXPECT_EQ(Target::heard(), expected) << "other settings are no display change";
    DestroyWindow(first);
    DestroyWindow(second);
}

// A shortcut's stored target, read back through the shell.
std::wstring linkTarget(const std::wstring& file)
{
    IShellLinkW* link = nullptr;
    IPersistFile* persisted = nullptr;
    wchar_t target[MAX_PATH] = {};
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persisted))) &&
            SUCCEEDED(persisted->Load(file.c_str(), STGM_READ)))
            link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        if (persisted != nullptr) persisted->Release();
        link->Release();
    }
    return target;
}

void writeLink(const std::wstring& file, const wchar_t* target)
{
    IShellLinkW* link = nullptr;
    IPersistFile* persisted = nullptr;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                              reinterpret_cast<void**>(&link)));
    link->SetPath(target);
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persisted)))) {
        EXPECT_HRESULT_SUCCEEDED(persisted->Save(file.c_str(), TRUE));
        persisted->Release();
    }
    link->Release();
}

std::wstring startupFolder()
{
    wchar_t* folder = nullptr;
    SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &folder);
    std::wstring path = folder == nullptr ? L"" : folder;
    CoTaskMemFree(folder);
    return path;
}

std::wstring thisProgram()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// Only a shortcut that leads to this program counts as its own: one of the
// same name left by a copy elsewhere is replaced, not taken for it.
TEST(SystemCommands, StartupShortcutLeadsToThisProgramAndGoesAgain)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::string name = "tessaly-test-" + std::to_string(GetCurrentProcessId());
    const std::wstring file = startupFolder() + L"\\" + std::wstring(name.begin(), name.end()) + L".lnk";
    auto has = [&] { return call(HasStartupShortcut, {text(name.c_str())}).asBool(); };
    auto set = [&](bool on) { return call(SetStartupShortcut, {text(name.c_str()), TypedValue::ofBool(on)}).asBool(); };

    EXPECT_TRUE(set(false)) << "no shortcut is what was asked";
    EXPECT_FALSE(has());
    ASSERT_TRUE(set(true));
    EXPECT_TRUE(has());
    EXPECT_EQ(linkTarget(file), thisProgram());

    writeLink(file, L"C:\\windows\\notepad.exe");
    EXPECT_FALSE(has()) << "a shortcut of the name that leads elsewhere";
    ASSERT_TRUE(set(true));
    EXPECT_EQ(linkTarget(file), thisProgram());

    EXPECT_TRUE(set(false));
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(has());
    CoUninitialize();
}

}  // namespace
}  // namespace tessaly
