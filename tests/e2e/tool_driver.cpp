#include "tests/e2e/tool_driver.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>

#include <commctrl.h>

#include "runtime/core/commands/profile_text.h"
#include "tests/e2e/caption_files.h"
#include "tests/e2e/screen_image.h"

namespace tessaly::e2e {
namespace {

constexpr UINT TrayCallbackMessage = 0x8064;
constexpr WPARAM TrayIconId = 100;
constexpr UINT GbkCodePage = 936;
const std::wstring ToolTitle = L"Tessaly字幕";
const std::wstring EditorTitle = L"字幕设置";
const std::wstring WindowClass = L"WTWindow";
const std::wstring LabelClass = L"_QX_Label";

}  // namespace

std::wstring widen(const std::string& gbk)
{
    if (gbk.empty()) return {};
    const int n = MultiByteToWideChar(GbkCodePage, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(GbkCodePage, 0, gbk.data(), static_cast<int>(gbk.size()), wide.data(), n);
    return wide;
}

std::string narrow(const std::wstring& wide)
{
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(GbkCodePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string gbk(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(GbkCodePage, 0, wide.data(), static_cast<int>(wide.size()), gbk.data(), n, nullptr, nullptr);
    return gbk;
}

namespace {

std::wstring directoryOfThisProgram()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    return p.substr(0, p.find_last_of(L'\\'));
}

// The tool as built, found from this test program's place in the build tree.
std::wstring builtProgram()
{
    std::wstring relative = widen(TESSALY_PROGRAM);
    std::replace(relative.begin(), relative.end(), L'/', L'\\');
    return directoryOfThisProgram() + L"\\" + relative;
}

void removeTree(const std::wstring& directory)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = directory + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(directory.c_str());
}

bool isVisible(HWND window) { return IsWindowVisible(window) != FALSE; }
bool isLayered(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

HWND findTopLevel(DWORD processId, const std::function<bool(HWND)>& wanted)
{
    for (HWND window : topLevelWindows(processId))
        if (wanted(window)) return window;
    return nullptr;
}

// Another process's full-screen display window, as a started tool shows it.
HANDLE openDisplayingProcess()
{
    DWORD found = 0;
    waitUntil([&] {
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == GetCurrentProcessId() || className(w) != WindowClass || !isLayered(w)) return TRUE;
                *reinterpret_cast<DWORD*>(p) = owner;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found != 0;
    });
    if (found == 0) return nullptr;
    return OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, found);
}

void sendInputs(std::vector<INPUT> inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT keyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT mouseInput(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

LPARAM pointWord(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

std::atomic<int> g_directoryCount{0};

// A message sent to the tool, answered or not: a tool that has crashed or
// hangs makes the asking test fail instead of waiting for ever.
LRESULT ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT unanswered = 0)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &answer)) return unanswered;
    return static_cast<LRESULT>(answer);
}

// The middle of item `index`'s row, in the list's client area.
int listItemMiddle(HWND list, int index)
{
    const auto height = static_cast<int>(ask(list, LB_GETITEMHEIGHT));
    const auto top = static_cast<int>(ask(list, LB_GETTOPINDEX));
    return (index - top) * height + height / 2;
}

// The check box strip lies in front of an item's text.
constexpr int CheckStripX = 6;
constexpr int ItemTextX = 60;

}  // namespace

bool waitUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= milliseconds) return done();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

ProgramDirectory::ProgramDirectory(const std::wstring& name)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"tessaly-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++g_directoryCount) + name;
    removeTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
    CopyFileW(builtProgram().c_str(), program().c_str(), FALSE);
}

ProgramDirectory::ProgramDirectory(ExistingDirectory existing) : path_(std::move(existing.path)), owned_(false) {}

ProgramDirectory::~ProgramDirectory()
{
    if (owned_) removeTree(path_);
}

std::wstring ProgramDirectory::program() const { return path_ + L"\\tessaly.exe"; }

std::wstring ProgramDirectory::file(const std::string& name) const { return path_ + L"\\" + widen(name); }

void ProgramDirectory::write(const std::string& name, const std::string& bytes) const
{
    HANDLE f = CreateFileW(file(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

std::optional<std::string> ProgramDirectory::read(const std::string& name) const
{
    HANDLE f = CreateFileW(file(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(f);
    return bytes;
}

void ProgramDirectory::remove(const std::string& name) const { DeleteFileW(file(name).c_str()); }

FileVersion ProgramDirectory::version(const std::string& name) const
{
    HANDLE f = CreateFileW(file(name).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    BY_HANDLE_FILE_INFORMATION info{};
    GetFileInformationByHandle(f, &info);
    CloseHandle(f);
    return {(uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow,
            (uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) | info.ftLastWriteTime.dwLowDateTime};
}

std::set<std::string> ProgramDirectory::fileNames() const
{
    std::set<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.insert(narrow(name));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::string awaitFile(const ProgramDirectory& directory, const std::string& name, const std::string& expected)
{
    waitUntil([&] { return directory.read(name) == expected; });
    return directory.read(name).value_or("");
}

// The system's reader stands beside the tool's own where it can: it takes the
// file's bytes through the ANSI code page, which is GBK only under a Chinese
// locale; elsewhere the bytes are read by the same rules.
std::string readSetting(const ProgramDirectory& directory, const std::string& section, const std::string& fallback)
{
    if (GetACP() != GbkCodePage)
        return profileValue(directory.read(SettingsFile).value_or(""), section, "值").value_or(fallback);
    wchar_t value[1024] = {};
    const std::wstring path = directory.path() + L"\\" + widen(SettingsFile);
    GetPrivateProfileStringW(widen(section).c_str(), L"值", widen(fallback).c_str(), value, 1024, path.c_str());
    return narrow(value);
}

namespace {

// A process that still runs when its test is done is ended, so that no test
// leaves a tool behind.
void endProcess(PROCESS_INFORMATION& process)
{
    if (process.hProcess == nullptr) return;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 0xDEAD);
        WaitForSingleObject(process.hProcess, 5000);
    }
    if (process.hThread != nullptr) CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    process = {};
}

// The environment block of this process with the given variables added.
std::wstring environmentWith(const std::vector<std::pair<std::wstring, std::wstring>>& added)
{
    std::wstring block;
    wchar_t* own = GetEnvironmentStringsW();
    for (const wchar_t* entry = own; *entry != L'\0'; entry += wcslen(entry) + 1) block += std::wstring(entry) + L'\0';
    FreeEnvironmentStringsW(own);
    for (const auto& [name, value] : added) block += name + L"=" + value + L'\0';
    return block + L'\0';
}

}  // namespace

ToolProcess::ToolProcess(const ProgramDirectory& directory, const ToolLaunch& launch)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + directory.program() + L"\"";
    std::wstring environment = environmentWith(launch.environment);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT,
                        environment.data(), directory.path().c_str(), &startup, &process_)) {
        // Said, so that a test that finds no tool tells why.
        std::fprintf(stderr, "the tool did not start: error %lu\n", GetLastError());
        return;
    }
    if (!launch.cbtHookLibrary.empty()) {
        hookLibrary_ = LoadLibraryW((directoryOfThisProgram() + L"\\" + launch.cbtHookLibrary).c_str());
        const auto procedure = reinterpret_cast<HOOKPROC>(
            reinterpret_cast<void*>(GetProcAddress(hookLibrary_, "windowQuotaHook")));
        if (procedure != nullptr) hook_ = SetWindowsHookExW(WH_CBT, procedure, hookLibrary_, process_.dwThreadId);
        if (hook_ == nullptr) std::fprintf(stderr, "the hook was not set: error %lu\n", GetLastError());
    }
    ResumeThread(process_.hThread);
    if (launch.awaitStartUp) awaitStartUp();
}

ToolProcess::ToolProcess(const std::wstring& shortcut)
{
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    run.lpVerb = L"open";
    run.lpFile = shortcut.c_str();
    run.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&run)) {
        std::fprintf(stderr, "the shell started no tool from the shortcut: error %lu\n", GetLastError());
        return;
    }
    // Wine's shell hands back no process for a shortcut: the tool is then
    // found by its display window.
    if (run.hProcess == nullptr) run.hProcess = openDisplayingProcess();
    if (run.hProcess == nullptr) {
        std::fprintf(stderr, "no tool came up from the shortcut\n");
        return;
    }
    process_.hProcess = run.hProcess;
    process_.dwProcessId = GetProcessId(run.hProcess);
    awaitStartUp();
    if (display_ != nullptr) process_.dwThreadId = GetWindowThreadProcessId(display_, nullptr);
}

bool ToolProcess::awaitStartUp(DWORD milliseconds)
{
    // Start-up loads the display window, then the settings window hidden,
    // then the captions, and ends with the settings window's close, posted.
    // Between the first two there is a display window and no settings window
    // too, and the tool may seem idle there (a message it sends to the shell
    // lets it take messages sent to it), so neither says start-up is over. A
    // timer tick does: timer messages come only from its message loop.
    const auto settingsWindowThere = [&] {
        return findTopLevel(id(), [](HWND w) { return className(w) == WindowClass && !isLayered(w); }) != nullptr;
    };
    waitUntil([&] {
        display_ = findTopLevel(id(), [](HWND w) { return className(w) == WindowClass && isLayered(w); });
        return display_ != nullptr;
    }, milliseconds);
    WaitForInputIdle(process_.hProcess, milliseconds);
    const bool up = display_ != nullptr && waitForTicks(1) && waitUntil([&] { return !settingsWindowThere(); }, milliseconds);
    if (!up) std::fprintf(stderr, "the tool's start-up did not end: display window %p\n", static_cast<void*>(display_));
    return up;
}

ToolProcess::~ToolProcess()
{
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    if (hookLibrary_ != nullptr) FreeLibrary(hookLibrary_);
    endProcess(process_);
}

void ToolProcess::kill()
{
    if (!running()) return;
    TerminateProcess(process_.hProcess, 0xDEAD);
    WaitForSingleObject(process_.hProcess, 5000);
}

HWND ToolProcess::settingsWindow() const
{
    return findTopLevel(id(), [](HWND w) {
        return className(w) == WindowClass && !isLayered(w) && windowTitle(w) == ToolTitle && isVisible(w);
    });
}

HWND ToolProcess::editorWindow() const
{
    return findTopLevel(id(), [](HWND w) { return className(w) == WindowClass && windowTitle(w) == EditorTitle; });
}

std::vector<HWND> ToolProcess::captionLabels() const
{
    std::vector<HWND> labels;
    for (HWND child = GetWindow(display_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (className(child) != LabelClass) continue;
        // The hidden template every caption is copied from.
        const RECT r = rectInParent(child);
        if (!isVisible(child) && windowTextGbk(child) == "标签" && r.left == 48 && r.top == 16) continue;
        labels.push_back(child);
    }
    return labels;
}

std::vector<HWND> ToolProcess::visibleCaptionLabels() const
{
    std::vector<HWND> visible;
    for (HWND label : captionLabels())
        if (showsOver(BackdropColour, label)) visible.push_back(label);
    return visible;
}

bool ToolProcess::awaitCaptionShown(HWND label, bool shown) const
{
    return waitUntil([&] { return showsOver(BackdropColour, label) == shown; });
}

HWND ToolProcess::captionLabel(const std::string& caption) const
{
    for (HWND label : captionLabels())
        if (windowTextGbk(label) == caption) return label;
    return nullptr;
}

void ToolProcess::trayEvent(UINT mouseMessage) const
{
    PostMessageW(display_, TrayCallbackMessage, TrayIconId, mouseMessage);
}

void ToolProcess::chooseTrayEntry(int index) const
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        trayEvent(WM_RBUTTONUP);
        if (chooseMenuEntry(id(), index)) return;
    }
}

// A menu can take the keys that choose an entry before its loop runs, and
// close with nothing chosen: a choice that opens nothing is made again.
HWND ToolProcess::openSettings(DWORD milliseconds) const
{
    constexpr int Attempts = 2;
    HWND settings = nullptr;
    for (int attempt = 0; attempt < Attempts && settings == nullptr; ++attempt) {
        chooseTrayEntry(ShowSettingsEntry);
        waitUntil([&] { return (settings = settingsWindow()) != nullptr; }, milliseconds / Attempts);
    }
    // The window shows while the routine that opened it may still be filling
    // it; the tool answers a sent message only once that routine is over.
    if (settings != nullptr) SendMessageTimeoutW(settings, WM_NULL, 0, 0, SMTO_NORMAL, milliseconds, nullptr);
    return settings;
}

// An exit that does not end the process is chosen again.
std::optional<DWORD> ToolProcess::exitFromTray()
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        chooseTrayEntry(ExitEntry);
        if (const std::optional<DWORD> code = waitForExit(7500)) return code;
    }
    return std::nullopt;
}

std::optional<DWORD> ToolProcess::waitForExit(DWORD milliseconds)
{
    if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

bool ToolProcess::running() const
{
    return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool ToolProcess::waitForTicks(int ticks) const
{
    const int corner = GetSystemMetrics(SM_CXSCREEN) - 1;
    HWND marker = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP,
                                  corner, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(marker, SW_SHOWNOACTIVATE);
    bool ticked = true;
    for (int i = 0; i < ticks && ticked; ++i) {
        // Once the marker is on top, the display window above it means a tick has begun since.
        ticked = SetWindowPos(marker, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) &&
                 waitUntil([&] { return isAbove(display_, marker); });
    }
    DestroyWindow(marker);
    return ticked;
}

bool ToolProcess::hasTrayIcon() const
{
    // Modifying nothing succeeds only for an icon the shell holds.
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = display_;
    icon.uID = static_cast<UINT>(TrayIconId);
    return Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE;
}

HWND ToolProcess::mouseCapture() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(process_.dwThreadId, &info)) return nullptr;
    return info.hwndCapture;
}

bool ToolProcess::finishHandling() const
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(display_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer) != 0;
}

// Under Wine the tool takes the pointer's moves from the X server when it
// next looks at its events, and an older move taken late puts the pointer
// back there for a moment: a press read then would grab the caption at the
// wrong spot. The pointer is pressed once the tool has taken every move and
// the pointer is still where it was sent.
bool ToolProcess::settleCursor(POINT at) const
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        moveCursor(at.x, at.y);
        POINT now{};
        if (finishHandling() && finishHandling() && GetCursorPos(&now) && now.x == at.x && now.y == at.y) return true;
    }
    return false;
}

// Under Wine a press now and then reaches no window; it is given again a few
// pixels aside, so that the two presses do not make a double-click.
bool ToolProcess::pressOnCaption(HWND label, POINT& at) const
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0) at.x += 6;
        if (!settleCursor(at)) continue;
        pressLeft();
        // The label takes the mouse before the press routine reads the pointer.
        if (waitUntil([&] { return mouseCapture() == label; }, 3000)) return finishHandling();
        releaseLeft();
    }
    return false;
}

void ToolProcess::whileHeld(const std::function<void()>& inputs) const
{
    const bool held = process_.hThread != nullptr && SuspendThread(process_.hThread) != static_cast<DWORD>(-1);
    inputs();
    if (held) ResumeThread(process_.hThread);
}

// A release that reached no window (see dragHeldLabel) is given again.
bool ToolProcess::releaseUntilStored(const ProgramDirectory& directory, int line, POINT topLeft) const
{
    const auto stored = [&] {
        return mouseCapture() == nullptr && storedNumber(directory, static_cast<size_t>(line), 8) == topLeft.x &&
               storedNumber(directory, static_cast<size_t>(line), 9) == topLeft.y;
    };
    for (int attempt = 0; attempt < 2; ++attempt) {
        releaseLeft();
        if (waitUntil(stored, 5000)) return true;
    }
    return false;
}

std::wstring startupShortcut()
{
    wchar_t* folder = nullptr;
    SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &folder);
    std::wstring path = folder == nullptr ? L"" : folder;
    CoTaskMemFree(folder);
    return path + L"\\" + ToolTitle + L".lnk";
}

void nudgeCaption(ToolProcess& tool, HWND label)
{
    RECT r;
    GetWindowRect(label, &r);
    POINT grab{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (!tool.pressOnCaption(label, grab)) return;
    moveAndRelease(grab.x + 30, grab.y);
    waitUntil([&] { return tool.mouseCapture() == nullptr; });
}

std::vector<HWND> topLevelWindows(DWORD processId)
{
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == s->processId) s->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring windowTitle(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring className(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::string windowTextGbk(HWND window) { return narrow(windowTitle(window)); }

std::string controlTextGbk(HWND control)
{
    wchar_t text[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
    return narrow(text);
}

HWND findChild(HWND parent, const std::wstring& cls, const std::string& textGbk)
{
    struct Search {
        std::wstring cls;
        std::string text;
        HWND found;
    } search{cls, textGbk, nullptr};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (lstrcmpiW(className(w).c_str(), s->cls.c_str()) != 0) return TRUE;
            if (!s->text.empty() && windowTextGbk(w) != s->text) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT rectInParent(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND childAt(HWND parent, int left, int top)
{
    struct Search {
        int left, top;
        HWND found;
    } search{left, top, nullptr};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            const RECT r = rectInParent(w);
            if (r.left != s->left || r.top != s->top) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND openMenu(DWORD processId)
{
    return findTopLevel(processId, [](HWND w) { return className(w) == L"#32768" && isVisible(w); });
}

HWND unitAt(HWND window, int left, int top)
{
    struct Search {
        HWND window;
        POINT place;
        HWND found;
    } search{window, {left, top}, nullptr};
    EnumChildWindows(
        window,
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            RECT r;
            GetWindowRect(w, &r);
            MapWindowPoints(nullptr, s->window, reinterpret_cast<POINT*>(&r), 2);
            if (r.left != s->place.x || r.top != s->place.y) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::string> listEntries(HWND list)
{
    std::vector<std::string> entries;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(wcslen(text.c_str()));
        entries.push_back(narrow(text));
    }
    return entries;
}

bool isAbove(HWND upper, HWND lower)
{
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w != nullptr; w = GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

void postClick(HWND window, int x, int y)
{
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, pointWord(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, pointWord(x, y));
}

void postRightClick(HWND window, int x, int y)
{
    PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, pointWord(x, y));
    PostMessageW(window, WM_RBUTTONUP, 0, pointWord(x, y));
}

void sendKey(WORD key) { sendInputs({keyInput(key, false), keyInput(key, true)}); }

void sendChord(std::initializer_list<WORD> modifiers, WORD key)
{
    std::vector<INPUT> inputs;
    for (WORD m : modifiers) inputs.push_back(keyInput(m, false));
    inputs.push_back(keyInput(key, false));
    inputs.push_back(keyInput(key, true));
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) inputs.push_back(keyInput(*m, true));
    sendInputs(inputs);
}

namespace {

INPUT moveInput(int x, int y)
{
    INPUT input = mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    return input;
}

}  // namespace

void moveCursor(int x, int y) { sendInputs({moveInput(x, y)}); }

void moveAndRelease(int x, int y) { sendInputs({moveInput(x, y), mouseInput(MOUSEEVENTF_LEFTUP)}); }

void pressLeft() { sendInputs({mouseInput(MOUSEEVENTF_LEFTDOWN)}); }
void releaseLeft() { sendInputs({mouseInput(MOUSEEVENTF_LEFTUP)}); }

void clickAt(int x, int y)
{
    moveCursor(x, y);
    pressLeft();
    releaseLeft();
}

// In one piece of input, so that a busy machine cannot stretch the clicks
// beyond the double-click time.
void doubleClickAt(int x, int y)
{
    const INPUT down = mouseInput(MOUSEEVENTF_LEFTDOWN), up = mouseInput(MOUSEEVENTF_LEFTUP);
    sendInputs({moveInput(x, y), down, up, down, up});
}

bool hotkeyTaken(UINT modifiers, UINT key)
{
    constexpr int ProbeId = 0xBFFF;
    if (!RegisterHotKey(nullptr, ProbeId, modifiers, key)) return true;
    UnregisterHotKey(nullptr, ProbeId);
    return false;
}

// The tool reads the pointer when it handles the press, so the pointer stays
// put until the label has taken the mouse.
void dragLabel(HWND label, int dx, int dy)
{
    RECT start;
    GetWindowRect(label, &start);
    const RECT placed = rectInParent(label);
    const int x = (start.left + start.right) / 2;
    const int y = (start.top + start.bottom) / 2;
    moveCursor(x, y);
    pressLeft();
    waitUntil([&] {
        GUITHREADINFO thread{sizeof thread};
        return GetGUIThreadInfo(GetWindowThreadProcessId(label, nullptr), &thread) && thread.hwndCapture == label;
    });
    moveCursor(x + dx / 2, y + dy / 2);
    dragHeldLabel(label, {x + dx, y + dy}, {placed.left + dx, placed.top + dy});
    releaseLeft();
}

// Under Wine a long jump of the pointer now and then reaches no window; the
// pointer then goes a pixel aside and back, as a hand would.
bool dragHeldLabel(HWND label, POINT to, POINT expectedTopLeft)
{
    const auto followed = [&] {
        const RECT r = rectInParent(label);
        return r.left == expectedTopLeft.x && r.top == expectedTopLeft.y;
    };
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0) moveCursor(to.x - 1, to.y - 1);
        moveCursor(to.x, to.y);
        if (waitUntil(followed, 3000)) return true;
    }
    return false;
}

bool bringToFront(HWND window)
{
    SetForegroundWindow(window);
    return waitUntil([&] { return GetForegroundWindow() == window; }, 3000);
}

BYTE layeredAlpha(HWND window)
{
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(window, &key, &alpha, &flags);
    return alpha;
}

COLORREF screenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::string configurationLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) line += (i == 0 ? "" : FieldSeparator) + fields[i];
    return line;
}

std::string joinedLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i == 0 ? "" : "\r\n") + lines[i];
    return text;
}

// A text limit nobody reads is set by a posted message and read back by a
// sent one: once it reads back, every message posted before it was handled.
bool waitForPostedMessages(HWND editBox)
{
    static std::atomic<LPARAM> marker{0x100000};
    const LPARAM limit = ++marker;
    PostMessageW(editBox, EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
    return waitUntil([&] { return ask(editBox, EM_GETLIMITTEXT) == limit; });
}

// The keys are posted to the menu's own window, where the menu's loop reads
// them whichever window has the keyboard: typed keys would go to the
// foreground window, and a menu that a late activation closed would leave
// them to whatever window had the focus (an Enter there confirms an editor).
// Home selects the first entry whatever the pointer has highlighted; Down
// steps over separators; the character CR chooses.
bool chooseMenuEntry(DWORD processId, int index)
{
    HWND menu = nullptr;
    if (!waitUntil([&] { return (menu = openMenu(processId)) != nullptr; })) return false;
    // Home and End select the first and the last entry whatever the pointer
    // has highlighted; Down steps over separators. The keys go to the menu's
    // own window, so none can land in another.
    bool delivered = PostMessageW(menu, WM_KEYDOWN, index == LastMenuEntry ? VK_END : VK_HOME, 1) != FALSE;
    for (int i = 0; i < index; ++i) delivered = delivered && PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1) != FALSE;
    delivered = delivered && PostMessageW(menu, WM_CHAR, '\r', 1) != FALSE;
    waitUntil([&] { return openMenu(processId) == nullptr; });
    return delivered;
}

void closeWindow(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

SIZE windowSize(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

void clickButton(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool isChecked(HWND checkBox) { return ask(checkBox, BM_GETCHECK) == BST_CHECKED; }

void setText(HWND edit, const std::string& textGbk)
{
    const std::wstring text = widen(textGbk);
    ask(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND messageBox(DWORD processId)
{
    return findTopLevel(processId, [](HWND w) { return className(w) == L"#32770" && isVisible(w); });
}

std::string messageBoxText(HWND box)
{
    constexpr int MessageTextId = 0xFFFF;  // the static that holds a message box's text
    return windowTextGbk(GetDlgItem(box, MessageTextId));
}

void dismissMessageBox(HWND box) { clickButton(GetDlgItem(box, IDOK)); }

int listCount(HWND list) { return static_cast<int>(ask(list, LB_GETCOUNT)); }

std::string listText(HWND list, int index)
{
    const LRESULT length = ask(list, LB_GETTEXTLEN, index, 0, LB_ERR);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(ask(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return narrow(text);
}

bool listChecked(HWND list, int index)
{
    constexpr UINT GetChecked = 0x8110;  // the check-list box's own: wParam index -> 0 or 1
    return ask(list, GetChecked, index) == 1;
}

int listSelection(HWND list) { return static_cast<int>(ask(list, LB_GETCURSEL, 0, 0, LB_ERR)); }

void selectListItem(HWND list, int index) { postClick(list, ItemTextX, listItemMiddle(list, index)); }

void clickListCheckBox(HWND list, int index) { postClick(list, CheckStripX, listItemMiddle(list, index)); }

void postListMenuClick(HWND list)
{
    RECT client;
    GetClientRect(list, &client);
    postRightClick(list, client.right / 2, client.bottom - 4);
}

int comboCount(HWND combo) { return static_cast<int>(ask(combo, CB_GETCOUNT)); }

std::string comboText(HWND combo, int index)
{
    const LRESULT length = ask(combo, CB_GETLBTEXTLEN, index, 0, CB_ERR);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(ask(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return narrow(text);
}

int comboSelection(HWND combo) { return static_cast<int>(ask(combo, CB_GETCURSEL, 0, 0, CB_ERR)); }

void selectComboItem(HWND combo, int index) { PostMessageW(combo, CB_SETCURSEL, index, 0); }

int sliderPosition(HWND slider) { return static_cast<int>(ask(slider, TBM_GETPOS)); }

void postSliderKey(HWND slider, WORD key)
{
    PostMessageW(slider, WM_KEYDOWN, key, 0);
    PostMessageW(slider, WM_KEYUP, key, 0);
}

void setSliderSilently(HWND slider, int position) { PostMessageW(slider, TBM_SETPOS, TRUE, position); }

void chooseColour(HWND picker, COLORREF colour)
{
    constexpr UINT ColourChosen = 0x83EC;  // what the picker's pop-up sends it: wParam the colour
    PostMessageW(picker, ColourChosen, colour, 0);
}

// Places are the units' left and top in their parents, as the templates give them.
SettingsUnits settingsUnits(HWND settingsWindow)
{
    return {
        .list = findChild(settingsWindow, L"ListBox"),
        .addCaption = childAt(settingsWindow, 8, 216),
        .settings = childAt(settingsWindow, 96, 216),
        .slider = findChild(settingsWindow, TRACKBAR_CLASSW),
        .speed = childAt(settingsWindow, 64, 56),
        .hideHotkey = childAt(settingsWindow, 64, 112),
        .showHotkey = childAt(settingsWindow, 64, 136),
    };
}

EditorUnits editorUnits(HWND editor)
{
    return {
        .content = childAt(editor, 8, 8),
        .font = childAt(editor, 56, 40),
        .style = childAt(editor, 56, 64),
        .size = childAt(editor, 56, 88),
        .colour = childAt(editor, 56, 112),
        .background = childAt(editor, 56, 136),
        .strikeOut = childAt(editor, 176, 40),
        .underline = childAt(editor, 176, 64),
        .transparent = childAt(editor, 136, 136),
        .scrolls = childAt(editor, 56, 161),
        .direction = childAt(editor, 56, 184),
        .effect = childAt(editor, 56, 208),
        .effectColour = childAt(editor, 80, 232),
        .confirm = childAt(editor, -2, 264),
    };
}

SettingsSession::SettingsSession(const std::string& captions, const std::string& configuration,
                                 const std::string& settingsIni)
{
    if (!captions.empty()) directory.write(CaptionsFile, captions);
    if (!configuration.empty()) directory.write(ConfigFile, configuration);
    if (!settingsIni.empty()) directory.write(SettingsFile, settingsIni);
    tool.emplace(directory);
    if (!tool->started()) return;
    const HWND window = tool->openSettings();
    if (window == nullptr) return;
    SetWindowPos(window, nullptr, 900, 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    units = settingsUnits(window);
    settings = window;
}

// The editor's creation routine disables "添加字幕" once its units are there.
HWND SettingsSession::add() const
{
    clickButton(units.addCaption);
    HWND editor = nullptr;
    waitUntil([&] { return (editor = tool->editorWindow()) != nullptr && !IsWindowEnabled(units.addCaption); });
    return editor;
}

void SettingsSession::chooseFromMenu(int listEntry, int menuEntry) const
{
    chooseListMenuEntry(*tool, settings, listEntry, menuEntry);
}

void chooseListMenuEntry(const ToolProcess& tool, HWND settings, int listEntry, int menuEntry)
{
    const SettingsUnits units = settingsUnits(settings);
    if (listEntry >= 0) {
        selectListItem(units.list, listEntry);
        waitUntil([&] { return listSelection(units.list) == listEntry; });
    }
    // A menu that opens while an activation is still being handled closes at
    // once; it is opened again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        bringToFront(settings);
        waitForPostedMessages(units.hideHotkey);
        postListMenuClick(units.list);
        if (chooseMenuEntry(tool.id(), menuEntry)) return;
    }
}

// Filled when the text box holds the caption, the list entry without its direction label.
HWND SettingsSession::edit(int listEntry) const
{
    const std::string entry = listText(units.list, listEntry);
    const std::string caption = entry.substr(0, entry.rfind(" ("));
    chooseFromMenu(listEntry, EditEntry);
    HWND editor = nullptr;
    waitUntil([&] {
        editor = tool->editorWindow();
        return editor != nullptr && controlTextGbk(editorUnits(editor).content) == caption;
    });
    return editor;
}

bool SettingsSession::confirm(HWND editor) const
{
    clickButton(editorUnits(editor).confirm);
    return waitUntil([&] { return tool->editorWindow() == nullptr; });
}

std::string selectedFont(HWND editor)
{
    const HWND font = editorUnits(editor).font;
    const int selected = comboSelection(font);
    return selected >= 0 ? comboText(font, selected) : "";
}

}  // namespace tessaly::e2e

namespace tessaly::e2e {
namespace {

constexpr UINT_PTR CaptionTimerId = 1000;  // the timer unit's own timer
const std::wstring TimerClass = L"_QX_Timer";

std::wstring fileNameOf(const std::string& name) { return widen(name); }

struct WatchStart {
    WriteCounter* counter;
    HANDLE started;
};

}  // namespace

bool ToolProcess::runOneTick(HWND editBox) const
{
    const HWND timer = findChild(display_, TimerClass);
    if (timer == nullptr) return false;
    PostMessageW(timer, WM_TIMER, CaptionTimerId, 0);
    return waitForPostedMessages(editBox);
}

StartedProgram::StartedProgram(const std::wstring& program)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        std::fprintf(stderr, "the program did not start: error %lu\n", GetLastError());
}

StartedProgram::~StartedProgram() { endProcess(process_); }

std::optional<DWORD> StartedProgram::waitForExit(DWORD milliseconds)
{
    if (process_.hProcess == nullptr || WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

HeldFile::HeldFile(const ProgramDirectory& directory, const std::string& name, DWORD share)
{
    const std::wstring path = directory.path() + L"\\" + fileNameOf(name);
    handle_ = CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void HeldFile::release()
{
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

WriteCounter::WriteCounter(const std::wstring& path, const std::string& name) : name_(fileNameOf(name))
{
    directory_ = CreateFileW(path.c_str(), FILE_LIST_DIRECTORY,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    WatchStart start{this, started};
    thread_ = CreateThread(nullptr, 0, &WriteCounter::watch, &start, 0, nullptr);
    // The first request is made before anything is counted: changes from then on are kept.
    WaitForSingleObject(started, 10000);
    CloseHandle(started);
}

WriteCounter::~WriteCounter()
{
    SetEvent(stop_);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    CloseHandle(stop_);
    CloseHandle(directory_);
}

DWORD WINAPI WriteCounter::watch(void* argument)
{
    const WatchStart given = *static_cast<WatchStart*>(argument);
    WriteCounter& self = *given.counter;
    alignas(DWORD) char buffer[64 * 1024];
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool first = true;
    for (;;) {
        ResetEvent(overlapped.hEvent);
        const BOOL asked = ReadDirectoryChangesW(self.directory_, buffer, sizeof buffer, FALSE,
                                                 FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE, nullptr,
                                                 &overlapped, nullptr);
        if (first) SetEvent(given.started), first = false;
        if (!asked) break;
        const HANDLE waits[2] = {overlapped.hEvent, self.stop_};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
            CancelIo(self.directory_);
            WaitForSingleObject(overlapped.hEvent, 1000);
            break;
        }
        DWORD got = 0;
        if (!GetOverlappedResult(self.directory_, &overlapped, &got, FALSE)) continue;
        for (DWORD at = 0; got != 0;) {
            const auto* change = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer + at);
            const std::wstring name(change->FileName, change->FileNameLength / sizeof(wchar_t));
            if (change->Action == FILE_ACTION_RENAMED_NEW_NAME && lstrcmpiW(name.c_str(), self.name_.c_str()) == 0) ++self.writes_;
            if (change->NextEntryOffset == 0) break;
            at += change->NextEntryOffset;
        }
    }
    CloseHandle(overlapped.hEvent);
    return 0;
}

}  // namespace tessaly::e2e
