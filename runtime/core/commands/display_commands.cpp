// The monitors and their changes: the rectangle of every monitor on the
// virtual screen, and a watcher that tells a unit when the displays change
// (a resolution, a monitor added or removed, the taskbar moved). The
// watcher is a hidden top-level window of its own, since only top-level
// windows hear the system's display broadcasts; it forwards each as the
// feedback message 0x8075 that a label turns into its event 0.
#include <windows.h>

#include <cstring>
#include <vector>

#include "runtime/core/commands/command_arguments.h"
#include "runtime/core/commands/commands.h"

namespace tessaly::commands {
namespace {

constexpr UINT Feedback = 0x8075;
constexpr wchar_t WatcherClass[] = L"TessalyDisplayWatcher";

// The primary monitor first: its top left corner is the screen's origin.
std::vector<RECT> monitorRectangles()
{
    std::vector<RECT> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT area, LPARAM list) -> BOOL {
            auto& found = *reinterpret_cast<std::vector<RECT>*>(list);
            MONITORINFO info{};
            info.cbSize = sizeof info;
            const bool primary = GetMonitorInfoW(monitor, &info) && (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
            found.insert(primary ? found.begin() : found.end(), *area);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

class DisplayWatcher {
public:
    static DisplayWatcher& instance()
    {
        static DisplayWatcher watcher;
        return watcher;
    }
    ~DisplayWatcher()
    {
        if (window_ != nullptr) DestroyWindow(window_);
    }
    DisplayWatcher(const DisplayWatcher&) = delete;
    DisplayWatcher& operator=(const DisplayWatcher&) = delete;

    bool watchFor(HWND target)
    {
        target_ = target;
        return ensureWindow();
    }

private:
    DisplayWatcher() = default;

    bool ensureWindow()
    {
        if (window_ != nullptr) return true;
        WNDCLASSW type{};
        type.lpfnWndProc = &procedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = WatcherClass;
        RegisterClassW(&type);
        window_ = CreateWindowExW(WS_EX_TOOLWINDOW, WatcherClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  type.hInstance, nullptr);
        return window_ != nullptr;
    }

    // Posted: the unit's routine runs from the message loop, not inside the
    // broadcast of whoever changed the display.
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        const bool workArea = message == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA;
        if ((message == WM_DISPLAYCHANGE || workArea) && IsWindow(instance().target_))
            PostMessageW(instance().target_, Feedback, static_cast<WPARAM>(message), 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    HWND target_ = nullptr;
};

}  // namespace

// → an Int array of four numbers a monitor: left, top, right and bottom on
// the virtual screen, the primary monitor first.
void MonitorRects(TypedValue* result, int32_t, TypedValue*)
{
    const std::vector<RECT> monitors = monitorRectangles();
    void* block = makeResultArray(static_cast<int32_t>(monitors.size() * 4), sizeof(int32_t));
    std::byte* element = arrayElements(block).first;
    for (const RECT& r : monitors) {
        const int32_t corners[4] = {r.left, r.top, r.right, r.bottom};
        std::memcpy(element, corners, sizeof corners);
        element += sizeof corners;
    }
    setPointerResult(result, block);
}

// (target unit handle): from now on every display change reaches the target
// as the feedback message, its parameter the system message that told of it
// (WM_DISPLAYCHANGE, or WM_SETTINGCHANGE when the work area changed). A
// second call moves the watch to another target.
void WatchDisplay(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    const auto target = reinterpret_cast<HWND>(static_cast<intptr_t>(a.at(0).asInt()));
    setIntResult(result, DisplayWatcher::instance().watchFor(target) ? 1 : 0);
}

}  // namespace tessaly::commands
