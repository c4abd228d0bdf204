// The caption tool soaked in its own process: this program carries the
// tool's real program header, window templates and routines, starts them on
// 50 scrolling captions, and runs ticks (WM_TIMER to the timer unit, then the
// runtime's loop until idle) with the settings window and the caption editor
// opened and closed between them, as the tray entry and the button open them.
// After a warm-up the GDI objects, USER objects and private memory of the
// process must end where they settled.
//
//   caption_soak TICKS CYCLES      exit code 0 when nothing grew
//
// With TESSALY_SOAK=long it runs 30,000 ticks and 200 cycles whatever it is
// given: `TESSALY_SOAK=long bash scripts/test.sh -R caption_soak -V`.
//
// Under Wine GetGuiResources and the private-usage counter answer 0; there
// the GDI objects are counted in the process's own GDI handle table, USER
// objects as the process's windows, and private memory as its commit charge.
#include <windows.h>

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program_entry.h"
#include "app/program_windows.h"
#include "app/tray_menu.h"
#include "app/unit_calls.h"
#include "bench/bench_support.h"
#include "bench/caption_set.h"
#include "bench/in_process_tool.h"
#include "runtime/core/runtime_app.h"
#include "runtime/ui/units/timer.h"

namespace tessaly::soak {
namespace {

constexpr int32_t Captions = 50;

struct Resources {
    size_t gdi = 0;
    size_t user = 0;
    size_t privateBytes = 0;
};

// The entries of the GDI handle table the process environment block points to.
// GCC 12 takes the system header's read of the thread block through the gs
// segment for a read of a zero-length array, and warns.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
size_t gdiTableEntries()
{
    struct Entry {
        uint64_t object;
        uint32_t owner;
        uint16_t unique;
        uint8_t type;
        uint8_t flags;
        uint64_t user;
    };
    static_assert(sizeof(Entry) == 24);
    constexpr size_t TableOffset = 0xF8, TableSize = 0x10000;
    const auto* environment = reinterpret_cast<const uint8_t*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const auto* table = *reinterpret_cast<const Entry* const*>(environment + TableOffset);
    size_t used = 0;
    for (size_t i = 0; table != nullptr && i < TableSize; ++i) used += table[i].type != 0;
    return used;
}
#pragma GCC diagnostic pop

size_t windowsOfThisProcess()
{
    size_t count = 0;
    EnumWindows(
        [](HWND window, LPARAM counter) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != GetCurrentProcessId()) return TRUE;
            auto* n = reinterpret_cast<size_t*>(counter);
            ++*n;
            EnumChildWindows(window, [](HWND, LPARAM c) -> BOOL { return ++*reinterpret_cast<size_t*>(c), TRUE; }, counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

Resources measure()
{
    const HANDLE self = GetCurrentProcess();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    Resources r;
    r.gdi = GetGuiResources(self, GR_GDIOBJECTS);
    if (r.gdi == 0) r.gdi = gdiTableEntries();
    r.user = GetGuiResources(self, GR_USEROBJECTS);
    if (r.user == 0) r.user = windowsOfThisProcess();
    r.privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    return r;
}

HWND handleIfCreated(program::UnitRef unit) { return program::isCreated(unit) ? bench::handleOf(unit) : nullptr; }

struct Soak {
    int32_t ticks = 0;
    int32_t cycles = 0;
};
Soak g_soak;

// The runtime's messages, handled until the window has gone.
void handleUntilClosed(HWND window)
{
    MSG msg;
    while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The soak drives the ticks itself, as fast as they are handled: a timer
// that fires faster than 50 captions move would never let the loop go idle.
void stopTimer() { program::writeInt(program::CaptionTimer, program::TimerProperty::Interval, 0); }

// The settings window as the tray entry opens it, the editor as its button
// does, then both closed by their close boxes.
bool openAndCloseWindows(bench::IdleWait& idle)
{
    program::showSettings();
    idle.run();
    const HWND settings = handleIfCreated(program::SettingsWindow);
    const HWND add = handleIfCreated(program::AddCaptionButton);
    if (settings == nullptr || add == nullptr) return false;
    PostMessageW(add, BM_CLICK, 0, 0);
    idle.run();
    const HWND editor = handleIfCreated(program::EditorWindow);
    if (editor == nullptr) return false;
    PostMessageW(editor, WM_SYSCOMMAND, SC_CLOSE, 0);
    idle.run();
    PostMessageW(settings, WM_SYSCOMMAND, SC_CLOSE, 0);
    // Closing the settings window starts the timer again.
    handleUntilClosed(settings);
    stopTimer();
    idle.run();
    return !IsWindow(editor) && !IsWindow(settings);
}

// Ticks and cycles spread evenly over `rounds` rounds.
bool run(bench::IdleWait& idle, HWND timer, int32_t ticks, int32_t cycles)
{
    const int32_t rounds = std::max(cycles, 1);
    for (int32_t round = 0; round < rounds; ++round) {
        const int32_t share = ticks / rounds + (round < ticks % rounds ? 1 : 0);
            for (int32_t t = 0; t < share; ++t) {
            SendMessageW(timer, WM_TIMER, ui::Timer::TimerId, 0);
            idle.run();
        }
        if (round < cycles && !openAndCloseWindows(idle)) return false;
    }
    return true;
}

void print(const char* when, const Resources& r)
{
    static const DWORD started = GetTickCount();
    std::printf("%s (%lu s): GDI objects %zu, USER objects %zu, private memory %zu KiB\n", when,
                (GetTickCount() - started) / 1000, r.gdi, r.user, r.privateBytes / 1024);
    std::fflush(stdout);
}

int soakEntry()
{
    program::startProgram();
    handleUntilClosed(handleIfCreated(program::SettingsWindow));
    stopTimer();
    const HWND timer = handleIfCreated(program::CaptionTimer);
    bench::IdleWait idle(timer);
    idle.run();

    const Resources start = measure();
    print("start", start);
    // A tenth of the work warms caches, pools and the heap up.
    const bool warmed = run(idle, timer, g_soak.ticks / 10, std::max(g_soak.cycles / 10, 2));
    const Resources settled = measure();
    print("settled", settled);
    const bool soaked = run(idle, timer, g_soak.ticks - g_soak.ticks / 10, g_soak.cycles - std::max(g_soak.cycles / 10, 2));
    const Resources end = measure();
    print("end", end);

    // Objects come back to the count they settled at; memory within what a
    // heap's own bookkeeping may keep.
    constexpr size_t MemoryAllowance = 4u << 20;
    const bool steady = end.gdi <= settled.gdi && end.user <= settled.user &&
                        end.privateBytes <= settled.privateBytes + MemoryAllowance;
    std::printf("%s\n", !warmed || !soaked ? "a window did not open or close" : steady ? "steady" : "GREW");
    std::fflush(stdout);
    RuntimeApp::instance().endProgram(warmed && soaked && steady ? 0 : 1);
    return 0;
}

}  // namespace
}  // namespace tessaly::soak

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using namespace tessaly;
    const std::vector<std::string> a = bench::arguments();
    if (a.size() < 2) return 2;
    soak::g_soak = {std::atoi(a[0].c_str()), std::atoi(a[1].c_str())};
    if (const char* form = std::getenv("TESSALY_SOAK"); form != nullptr && std::string(form) == "long")
        soak::g_soak = {30000, 200};
    bench::writeCaptionFiles(soak::Captions);
    RuntimeApp& app = RuntimeApp::instance();
    app.initInstance(programHeader(), &soak::soakEntry);
    app.exitInstance();
    return 0;
}
