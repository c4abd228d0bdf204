// The caption tool measured in its own process: this program carries the
// tool's real program header, window templates and routines, starts them as
// tessaly.exe does (runtime start-up, program state, start routine, which
// loads the captions from the caption files beside this executable), and then
// drives the real tick: WM_TIMER to the timer unit "时钟1", whose event runs
// the tick routine, then the runtime's own message loop until it has handled
// everything the tick caused, painting included, and reaches idle time.
//
//   caption_tick_bench files N               writes the caption files of N captions
//   caption_tick_bench tick TICKS RESULT     times TICKS ticks
//   caption_tick_bench startup RESULT        time to the first painted caption
//   caption_tick_bench writes TICKS RESULT   counts the configuration file's writes over TICKS ticks
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/program_entry.h"
#include "app/program_windows.h"
#include "app/unit_calls.h"
#include "bench/bench_support.h"
#include "bench/caption_set.h"
#include "bench/in_process_tool.h"
#include "runtime/core/runtime_app.h"
#include "runtime/ui/units/timer.h"
#include "runtime/ui/window_layer.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::bench {
namespace {

// The display window paints the captions: its first paint shows the first.
constexpr wchar_t DisplayClass[] = L"WTWindow";

// The start routine has posted the settings window's close, whose routine
// starts the timer; the runtime's messages are handled until it has gone.
void closeSettingsWindow()
{
    const HWND settings = handleOf(program::SettingsWindow);
    MSG msg;
    while (IsWindow(settings) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (ui::WindowLayer::instance().filterMessage(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct Run {
    int32_t ticks = 0;
    std::string result;
};
Run current;

int tickEntry()
{
    program::startProgram();
    closeSettingsWindow();
    // The bench drives the ticks itself, as regularly as the timer would.
    program::writeInt(program::CaptionTimer, program::TimerProperty::Interval, 0);
    IdleWait idle(handleOf(program::CaptionTimer));
    idle.run();  // the first painting
    const HWND timer = handleOf(program::CaptionTimer);
    ResultFile result(current.result);
    result.addTicks(timeTicks(
        current.ticks, 20.0, [&] { SendMessageW(timer, WM_TIMER, ui::Timer::TimerId, 0); }, [&] { idle.run(); }));
    return 0;
}

// The ticks the timer would run, counted, against the writes of the
// configuration file the directory reports meanwhile: a store that writes at
// every tick that moves a caption makes the two equal.
int writesEntry()
{
    program::startProgram();
    closeSettingsWindow();
    program::writeInt(program::CaptionTimer, program::TimerProperty::Interval, 0);
    IdleWait idle(handleOf(program::CaptionTimer));
    idle.run();
    const HWND timer = handleOf(program::CaptionTimer);
    const e2e::WriteCounter counter(e2e::widen(programDirectory()), "配置.ini");
    const double start = nowMilliseconds();
    const TickTimes times = timeTicks(
        current.ticks, 20.0, [&] { SendMessageW(timer, WM_TIMER, ui::Timer::TimerId, 0); }, [&] { idle.run(); });
    const double minutes = (nowMilliseconds() - start) / 60000.0;
    Sleep(1000);  // the directory reports its changes a moment late
    ResultFile result(current.result);
    result.add("ticks", static_cast<double>(times.total.size()));
    result.add("writes", counter.writes());
    result.add("ticks_per_minute", static_cast<double>(times.total.size()) / minutes);
    result.add("writes_per_minute", counter.writes() / minutes);
    return 0;
}

int startUpEntry()
{
    program::startProgram();
    // The runtime's loop, left as soon as the first caption has painted.
    RuntimeApp::instance().runModalLoop(firstPaintPending());
    ResultFile(current.result).add("first_paint_ms", firstPaintMilliseconds());
    return 0;
}

}  // namespace
}  // namespace tessaly::bench

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using namespace tessaly;
    using namespace tessaly::bench;
    const std::vector<std::string> a = arguments();
    if (a.size() >= 2 && a[0] == "files") return writeCaptionFiles(std::atoi(a[1].c_str()));
    int (*entry)() = nullptr;
    if (a.size() >= 3 && a[0] == "tick") {
        current = {std::atoi(a[1].c_str()), a[2]};
        entry = &tickEntry;
    } else if (a.size() >= 3 && a[0] == "writes") {
        current = {std::atoi(a[1].c_str()), a[2]};
        entry = &writesEntry;
    } else if (a.size() >= 2 && a[0] == "startup") {
        current = {0, a[1]};
        watchFirstPaint(DisplayClass);
        entry = &startUpEntry;
    } else {
        return 2;
    }
    RuntimeApp& app = RuntimeApp::instance();
    app.initInstance(programHeader(), entry);
    app.exitInstance();
    return 0;
}
