// What the caption tool's benchmark and the minimal program measured against
// it share, so both are timed the same way: the clock, the time since the
// process was created, the moment the first caption label has painted, the
// pacing of ticks, and the result file the bench script reads.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tessaly::bench {

double nowMilliseconds();
// From the creation of this process (as the system recorded it) to now.
double millisecondsSinceProcessStart();

// Watches this thread's messages for the first WM_PAINT of a window of the
// given class and notes when that window's painting has returned. Install it
// before the windows are made.
void watchFirstPaint(const wchar_t* windowClass);
// True until that painting has returned: a loop condition.
const bool& firstPaintPending();
double firstPaintMilliseconds();  // since process start

// Processor time, in milliseconds, of this process and of the processes whose
// Linux process ids the bench script passes in TESSALY_BENCH_SERVERS
// (wineserver and the X server, which do much of a window program's work
// under Wine), read from /proc through the Z: drive.
double processorMilliseconds();

// The ticks of one run: each tick's handler (the timer message's routine)
// and the whole tick (until every message it caused, painting included, is
// handled), in milliseconds, and the processor time of the whole run.
struct TickTimes {
    std::vector<double> handler;
    std::vector<double> total;
    double processorMs = 0;
};

// Runs a tick every `periodMs` (as the 20 ms timer does), `count` times:
// `handle` delivers the timer message, `settle` handles what it caused.
template <class Handle, class Settle>
TickTimes timeTicks(int32_t count, double periodMs, Handle handle, Settle settle)
{
    TickTimes times;
    const double processorStart = processorMilliseconds();
    double next = nowMilliseconds();
    for (int32_t i = 0; i < count; ++i) {
        while (nowMilliseconds() < next) Sleep(1);
        const double start = nowMilliseconds();
        handle();
        const double handled = nowMilliseconds();
        settle();
        const double end = nowMilliseconds();
        times.handler.push_back(handled - start);
        times.total.push_back(end - start);
        next = start + periodMs;
    }
    times.processorMs = processorMilliseconds() - processorStart;
    return times;
}

// Nanoseconds per operation, the best of several batches of at least 20 ms:
// the machine is shared, and the best batch is the one least disturbed.
double nanosecondsPerOperation(const std::function<void()>& operation);

// "name value" lines, one per result, for the bench script.
class ResultFile {
public:
    explicit ResultFile(std::string path) : path_(std::move(path)) {}
    ~ResultFile();
    void add(const std::string& name, double value);
    void addTicks(const TickTimes& times);

private:
    std::string path_;
    std::string text_;
};

// Command-line arguments as narrow strings (after the program name).
std::vector<std::string> arguments();

}  // namespace tessaly::bench
