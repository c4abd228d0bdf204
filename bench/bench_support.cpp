#include "bench/bench_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <shellapi.h>

namespace tessaly::bench {
namespace {

// Linux's USER_HZ, the unit of the times in /proc/<pid>/stat.
constexpr double ClockTicksPerSecond = 100;

uint64_t ticksOf(const FILETIME& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; }

struct PaintWatch {
    std::wstring windowClass;
    HWND painting = nullptr;
    WNDPROC original = nullptr;
    double paintedAt = 0;
    bool pending = true;
};
PaintWatch watch;

// Stands in front of the first painted window's own procedure for one WM_PAINT.
LRESULT CALLBACK timedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC original = watch.original;
    const LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
    if (message == WM_PAINT && window == watch.painting && watch.pending) {
        watch.paintedAt = millisecondsSinceProcessStart();
        watch.pending = false;
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    return result;
}

bool isWatched(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return watch.windowClass == name;
}

LRESULT CALLBACK messageHook(int code, WPARAM removal, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == WM_PAINT && watch.painting == nullptr &&
        msg->hwnd != nullptr && isWatched(msg->hwnd)) {
        watch.painting = msg->hwnd;
        watch.original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(msg->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&timedProcedure)));
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

double median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}  // namespace

double nanosecondsPerOperation(const std::function<void()>& operation)
{
    for (int i = 0; i < 100; ++i) operation();  // warm up
    double best = 1e300;
    for (int batch = 0; batch < 5; ++batch) {
        int operations = 0;
        const double start = nowMilliseconds() * 1e6;
        double elapsed = 0;
        do {
            for (int i = 0; i < 64; ++i) operation();
            operations += 64;
            elapsed = nowMilliseconds() * 1e6 - start;
        } while (elapsed < 2e7);
        best = std::min(best, elapsed / operations);
    }
    return best;
}

double nowMilliseconds()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / frequency;
}

double millisecondsSinceProcessStart()
{
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    return static_cast<double>(ticksOf(now) - ticksOf(created)) / 1e4;
}

void watchFirstPaint(const wchar_t* windowClass)
{
    watch.windowClass = windowClass;
    SetWindowsHookExW(WH_GETMESSAGE, &messageHook, nullptr, GetCurrentThreadId());
}

const bool& firstPaintPending() { return watch.pending; }
double firstPaintMilliseconds() { return watch.paintedAt; }

double processorMilliseconds()
{
    std::vector<std::string> processes = {"self"};
    char servers[256] = {};
    if (GetEnvironmentVariableA("TESSALY_BENCH_SERVERS", servers, sizeof servers) > 0) {
        for (char* id = std::strtok(servers, " "); id != nullptr; id = std::strtok(nullptr, " ")) processes.push_back(id);
    }
    double ticks = 0;
    for (const std::string& id : processes) {
        FILE* f = std::fopen(("Z:\\proc\\" + id + "\\stat").c_str(), "rb");
        if (f == nullptr) continue;
        char line[1024] = {};
        const size_t size = std::fread(line, 1, sizeof line - 1, f);
        std::fclose(f);
        line[size] = 0;
        // After the command name in parentheses: state is field 3, user and system time fields 14 and 15.
        const char* rest = std::strrchr(line, ')');
        unsigned long long user = 0, system = 0;
        if (rest != nullptr && std::sscanf(rest + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user, &system) == 2)
            ticks += static_cast<double>(user + system);
    }
    return ticks * 1000.0 / ClockTicksPerSecond;
}

ResultFile::~ResultFile()
{
    if (FILE* f = std::fopen(path_.c_str(), "wb")) {
        std::fwrite(text_.data(), 1, text_.size(), f);
        std::fclose(f);
    }
}

void ResultFile::add(const std::string& name, double value)
{
    char line[128];
    std::snprintf(line, sizeof line, "%s %.4f\n", name.c_str(), value);
    text_ += line;
}

void ResultFile::addTicks(const TickTimes& times)
{
    const auto count = static_cast<double>(times.total.size());
    add("ticks", count);
    add("tick_median_ms", median(times.total));
    add("handler_median_ms", median(times.handler));
    add("tick_mean_ms", count > 0 ? std::accumulate(times.total.begin(), times.total.end(), 0.0) / count : 0);
    add("processor_ms_per_tick", count > 0 ? times.processorMs / count : 0);
}

std::vector<std::string> arguments()
{
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 1; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_ACP, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string narrow(static_cast<size_t>(std::max(size, 1)) - 1, '\0');
        WideCharToMultiByte(CP_ACP, 0, wide[i], -1, narrow.data(), size, nullptr, nullptr);
        result.push_back(narrow);
    }
    LocalFree(wide);
    return result;
}

}  // namespace tessaly::bench
