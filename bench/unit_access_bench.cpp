// Times the property accesses of a caption tick against the number of
// labels in a window: reading a label's left, writing its tag (kept in the
// record only) and writing its left (which moves its window), in four windows
// holding 10, 100, 1000 and 5000 labels made by CopyUnit, as the caption tool
// makes them. Each figure is also given as a ratio to 10 labels in the same
// run: an access that does not grow with the window keeps its ratio near 1.
// The windows are timed in turn, round after round, so a change in the
// machine's load falls on all of them alike.
// Run by hand under Wine on a display (not a ctest test):
//   bash bench/unit_access_bench.sh
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/bench_support.h"
#include "runtime/core/command_call.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/memory.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/service_table.h"
#include "runtime/ui/core_library.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/window_templates.h"

namespace {

using namespace tessaly;
using namespace tessaly::ui;

constexpr uint32_t FirstWindow = 0x52000001;
constexpr uint32_t WindowOwn = 0x06000001;
constexpr uint32_t SourceLabel = 0x16000002;
constexpr size_t LabelCounts[] = {10, 100, 1000, 5000};
constexpr int Rounds = 5;
constexpr double AllowedRatio = 1.5;

void noRoutine() {}

// Full-screen borderless windows, each holding one visible label, the
// source of its copies.
Bytes templateBlock()
{
    WindowData data;
    data.border = 0;
    data.showInTaskBar = 0;
    UnitRecord own;
    own.typeId = TypeId::Window;
    own.position = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    own.flags = UnitFlag::Visible;
    own.typeData = writeTypeData(WindowRows, data);

    LabelData labelData;
    labelData.caption = "字幕";
    UnitRecord label;
    label.typeId = TypeId::Label;
    label.name = "标签1";
    label.position = {0, 0, 120, 24};
    label.flags = UnitFlag::Visible;
    label.typeData = writeTypeData(LabelRows, labelData);

    std::vector<WindowTemplate> windows(std::size(LabelCounts));
    std::vector<const WindowTemplate*> block;
    for (size_t i = 0; i < windows.size(); ++i) {
        windows[i].id = FirstWindow + static_cast<uint32_t>(i);
        windows[i].units.addRecord(WindowOwn, encodeUnitRecord(own));
        windows[i].units.addRecord(SourceLabel, encodeUnitRecord(label));
        block.push_back(&windows[i]);
    }
    return writeTemplateBlock(block);
}

void startRuntime(const Bytes& block)
{
    static const char* noNames[] = {nullptr};
    static ProgramHeader header{};
    header = {
        .mode = 3,
        .highestIdentifier = 0x100,
        .startRoutine = &noRoutine,
        .windowTemplates = block.data(),
        .windowTemplateSize = static_cast<uint32_t>(block.size()),
        .dllLibraryNames = noNames,
        .dllExportNames = noNames,
    };
    coreLibraryNotify(1, reinterpret_cast<intptr_t>(&runtimeNotify), 0);
    RuntimeApp::instance().setHeader(&header);
    RuntimeApp::instance().startUp();
}

TypedValue runCommand(CommandEntry command, std::vector<TypedValue> arguments)
{
    return callCommand(command, static_cast<int32_t>(arguments.size()), arguments.data());
}

// A new label copied from the source, placed like a caption; its identifier.
uint32_t copyLabel(uint32_t window, size_t serial)
{
    uint32_t copy[2] = {};
    runCommand(commands::CopyUnit, {TypedValue::ofUnit(window, SourceLabel, TypeCode::Label),
                                    TypedValue::ofPointer(copy, TypeCode::Label | ArgumentFlag)});
    const auto x = static_cast<int32_t>(serial % 50 * 20);
    const auto y = static_cast<int32_t>(serial / 50 % 40 * 20);
    callService<Service::SetProperty>(PropertyAccess{window, copy[1], 0, -1}, TypedValue::ofInt(x));
    callService<Service::SetProperty>(PropertyAccess{window, copy[1], 1, -1}, TypedValue::ofInt(y));
    return copy[1];
}

// Loads a window and fills it with copies; the last copy made.
uint32_t windowOfLabels(uint32_t window, size_t labels)
{
    if (!runCommand(commands::LoadWindow, {TypedValue::ofUnit(window, 0, TypeCode::Window)}).asBool()) return 0;
    uint32_t last = 0;
    for (size_t i = 0; i < labels; ++i) last = copyLabel(window, i);
    return last;
}

double nowNanoseconds() { return bench::nowMilliseconds() * 1e6; }
using bench::nanosecondsPerOperation;

// Lets the messages the writes caused run, so they do not pile up.
void pumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

struct Timings {
    double readLeft = 1e300;
    double writeTag = 1e300;
    double writeLeft = 1e300;

    void keepBest(const Timings& t)
    {
        readLeft = std::min(readLeft, t.readLeft);
        writeTag = std::min(writeTag, t.writeTag);
        writeLeft = std::min(writeLeft, t.writeLeft);
    }
};

Timings timeAccesses(uint32_t window, uint32_t label)
{
    const PropertyAccess left{window, label, 0, -1};
    const PropertyAccess tag{window, label, 4, -1};
    volatile int32_t sink = 0;
    Timings t;
    t.readLeft = nanosecondsPerOperation([&] { sink = callService<Service::GetProperty>(left).asInt(); });
    int flip = 0;
    const TypedValue tags[] = {TypedValue::ofPointer("第一条", TypeCode::Text), TypedValue::ofPointer("2", TypeCode::Text)};
    t.writeTag = nanosecondsPerOperation([&] { callService<Service::SetProperty>(tag, tags[++flip & 1]); });
    t.writeLeft = nanosecondsPerOperation([&] { callService<Service::SetProperty>(left, TypedValue::ofInt(++flip & 255)); });
    pumpPending();
    return t;
}

void printRow(size_t labels, const Timings& t, const Timings& base)
{
    std::printf("%6zu %11.0f %6.2f %11.0f %6.2f %11.0f %6.2f\n", labels, t.readLeft, t.readLeft / base.readLeft,
                t.writeTag, t.writeTag / base.writeTag, t.writeLeft, t.writeLeft / base.writeLeft);
    std::fflush(stdout);
}

}  // namespace

int main()
{
    const Bytes block = templateBlock();
    startRuntime(block);
    std::vector<uint32_t> lastLabels;
    const double start = nowNanoseconds();
    for (size_t i = 0; i < std::size(LabelCounts); ++i) {
        lastLabels.push_back(windowOfLabels(FirstWindow + static_cast<uint32_t>(i), LabelCounts[i]));
        if (lastLabels.back() == 0) {
            std::fprintf(stderr, "the window of %zu labels could not be made\n", LabelCounts[i]);
            return 2;
        }
        pumpPending();
        std::printf("made a window of %zu labels (%.0f s in all)\n", LabelCounts[i], (nowNanoseconds() - start) / 1e9);
        std::fflush(stdout);
    }
    std::vector<Timings> best(std::size(LabelCounts));
    for (int round = 0; round < Rounds; ++round) {
        for (size_t i = 0; i < best.size(); ++i)
            best[i].keepBest(timeAccesses(FirstWindow + static_cast<uint32_t>(i), lastLabels[i]));
    }

    std::printf("%6s %18s %18s %18s\n", "labels", "read left", "write tag", "write left");
    std::printf("%6s %11s %6s %11s %6s %11s %6s\n", "", "ns/op", "ratio", "ns/op", "ratio", "ns/op", "ratio");
    for (size_t i = 0; i < best.size(); ++i) printRow(LabelCounts[i], best[i], best[0]);
    const Timings& largest = best.back();
    const bool flat = largest.readLeft / best[0].readLeft <= AllowedRatio && largest.writeTag / best[0].writeTag <= AllowedRatio;
    std::printf("read and tag-write ratios at %zu labels %s %.1f\n", LabelCounts[std::size(LabelCounts) - 1],
                flat ? "within" : "ABOVE", AllowedRatio);
    return flat ? 0 : 1;
}
