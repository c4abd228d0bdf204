// A program built on the runtime frame whose start routine plays one scenario,
// chosen by its command line, and logs what the frame does to standard output.
// frame_test.cpp runs it and reads the log and the exit code.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "runtime/core/memory.h"
#include "runtime/core/notify_codes.h"
#include "runtime/core/program_header.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/service_table.h"

namespace tessaly {
namespace {

void log(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// A bare window layer: plain windows that report their destruction.
class ScenarioWindows : public WindowSystem {
public:
    HWND create(const char* name)
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA c{};
            c.lpfnWndProc = &procedure;
            c.lpszClassName = "ScenarioWindow";
            RegisterClassA(&c);
            registered = true;
        }
        HWND window = CreateWindowExA(0, "ScenarioWindow", name, WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                      nullptr, nullptr);
        windows_.push_back(window);
        return window;
    }
    void loadTemplates(std::span<const uint8_t>, uintptr_t) override { log("templates loaded"); }
    void releaseTemplates() override { log("templates released"); }
    bool anyWindowLoaded() const override { return !windows_.empty(); }
    bool filterMessage(void*) override { return false; }
    bool idle(int32_t) override { return false; }
    intptr_t notify(int32_t, intptr_t, intptr_t, bool& handled) override
    {
        handled = false;
        return 0;
    }
    intptr_t readObjectProperty(uint32_t, void*, int32_t, TypedValue*) override { return 0; }
    intptr_t writeObjectProperty(uint32_t, void*, int32_t, const TypedValue&) override { return 0; }
    TypedValue getProperty(const PropertyAccess&) override { return {}; }
    void setProperty(const PropertyAccess&, const TypedValue&) override {}
    bool loadStartupWindow(uint32_t) override { return false; }
    std::optional<std::string> windowTag(uint32_t) const override { return std::nullopt; }
    std::optional<std::string> unitTag(uint32_t, uint32_t) const override { return std::nullopt; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    std::vector<HWND> windows_;
    friend LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
};

ScenarioWindows g_windows;

LRESULT CALLBACK ScenarioWindows::procedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_DESTROY) {
        char name[64] = {};
        GetWindowTextA(window, name, sizeof name);
        log(std::string("destroyed ") + name);
        std::erase(g_windows.windows_, window);
        RuntimeApp::instance().onWindowDestroyed();
    }
    return DefWindowProcA(window, message, w, l);
}

std::string g_scenario;

intptr_t notifyLibrary(const char* name, int32_t code, intptr_t value1)
{
    if (code == 1) log(std::string(name) + " notified 1 entry=" + (value1 != 0 ? "set" : "null"));
    if (code == 6) log(std::string(name) + " notified 6 value=" + std::to_string(value1));
    return code == 1 ? 0 : -1;
}
intptr_t firstNotify(int32_t code, intptr_t v1, intptr_t) { return notifyLibrary("first", code, v1); }
intptr_t secondNotify(int32_t code, intptr_t v1, intptr_t) { return notifyLibrary("second", code, v1); }

LibraryInfo makeLibrary(NotifyEntry notify)
{
    LibraryInfo info;
    info.notify = notify;
    return info;
}
const LibraryInfo firstLibrary = makeLibrary(&firstNotify);
const LibraryInfo secondLibrary = makeLibrary(&secondNotify);
const LibraryInfo* const libraries[] = {&firstLibrary, nullptr, &secondLibrary};

const char constantBlock[16] = "scenario";
const uint8_t templateBlock[8] = {};
const char* const noNames[] = {nullptr};

void exitRoutineA() { log("exit routine A"); }
void exitRoutineB() { log("exit routine B"); }

void idleOf(intptr_t argument)
{
    static int calls[2] = {};
    ++calls[argument];
    log("idle " + std::to_string(argument));
    // Window 1 goes away on its first call; window 0 ends the program after
    // three, posting a message each time so that idle time comes round again.
    if (argument == 1) DestroyWindow(FindWindowA("ScenarioWindow", "idle-1"));
    HWND zero = FindWindowA("ScenarioWindow", "idle-0");
    if (argument == 0 && calls[0] == 3) DestroyWindow(zero);
    else if (argument == 0) PostMessageA(zero, WM_USER, 0, 0);
}

void startRoutine();

const ProgramHeader header = {
    .mode = 3,
    .reserved = 0,
    .highestIdentifier = 0x100,
    .startRoutine = &startRoutine,
    .constantData = constantBlock,
    .constantDataSize = sizeof constantBlock,
    .windowTemplates = templateBlock,
    .windowTemplateSize = sizeof templateBlock,
    .libraryCount = 3,
    .libraries = libraries,
    .dllCommandCount = 0,
    .dllLibraryNames = noNames,
    .dllExportNames = noNames,
};

void startRoutine()
{
    RuntimeApp& app = RuntimeApp::instance();
    log("start routine " + g_scenario);
    log("identifier " + std::to_string(app.nextIdentifier()));
    if (g_scenario == "no-window") return;
    if (g_scenario == "close-before-loop") {
        DestroyWindow(g_windows.create("early"));
        HWND later = g_windows.create("later");
        PostMessageA(later, WM_CLOSE, 0, 0);
        return;
    }
    if (g_scenario == "idle") {
        const IdleCallbackRecord zero{g_windows.create("idle-0"), &idleOf, 0};
        const IdleCallbackRecord one{g_windows.create("idle-1"), &idleOf, 1};
        runtimeNotify(RuntimeNotify::AddIdleCallback, reinterpret_cast<intptr_t>(&zero), 0);
        runtimeNotify(RuntimeNotify::AddIdleCallback, reinterpret_cast<intptr_t>(&one), 0);
        // A second registration for the same window and a null routine are ignored.
        const IdleCallbackRecord again{zero.window, &idleOf, 1};
        const IdleCallbackRecord none{g_windows.create("no-routine"), nullptr, 0};
        runtimeNotify(RuntimeNotify::AddIdleCallback, reinterpret_cast<intptr_t>(&again), 0);
        runtimeNotify(RuntimeNotify::AddIdleCallback, reinterpret_cast<intptr_t>(&none), 0);
        DestroyWindow(none.window);
        log("idle callbacks " + std::to_string(app.idleCallbackCount()));
        return;
    }
    if (g_scenario == "runtime-error") {
        setErrorReportHook([](const std::string& report) { log("report[" + report + "]"); });
        g_windows.create("open");
        callService<Service::ReportError>(1, 7, 3);
    }
    if (g_scenario == "text-error") {
        setErrorReportHook([](const std::string& report) { log("report[" + report + "]"); });
        runtimeNotify(RuntimeNotify::ReportError, reinterpret_cast<intptr_t>("自定义错误"), 0);
    }
    if (g_scenario == "other-thread") {
        HWND window = g_windows.create("waiting");
        (void)window;
        std::thread([] {
            Sleep(50);
            RuntimeApp::instance().shutdown(7);
            log("other thread returned");
        }).detach();
        return;
    }
    if (g_scenario == "end-program") {
        callService<Service::EndProgram>(42);
    }
    log("scenario not handled");
}

}  // namespace
}  // namespace tessaly

extern "C" const tessaly::ProgramHeader* tessaly::programHeader() { return &header; }

extern "C" int tessaly::programEntry()
{
    using namespace tessaly;
    _setmode(_fileno(stdout), _O_BINARY);  // reports carry CR LF of their own
    const char* commandLine = GetCommandLineA();
    const char* last = std::strrchr(commandLine, ' ');
    g_scenario = last != nullptr ? last + 1 : "";
    RuntimeApp::instance().setWindowSystem(&g_windows);
    log("entry");
    callRequest(Request::StartUp);
    RuntimeApp& app = RuntimeApp::instance();
    log("mode " + std::to_string(app.mode()));
    log(std::string("constant literal ") + (constantRange().contains(constantBlock + 15) ? "inside" : "outside"));
    log(std::string("current directory is program directory ") +
        (GetCurrentDirectoryA(0, nullptr) == app.programDirectory().size() + 1 ? "yes" : "no"));
    log(std::string("hidden owner ") + (IsWindow(app.hiddenOwner()) ? "exists" : "missing"));
    callRequest(Request::RegisterExitRoutine, reinterpret_cast<intptr_t>(&exitRoutineA));
    callRequest(Request::RegisterExitRoutine, reinterpret_cast<intptr_t>(&exitRoutineB));
    callRequest(Request::RegisterExitRoutine, reinterpret_cast<intptr_t>(&exitRoutineA));
    programHeader()->startRoutine();
    log("message loop");
    callService<Service::MessageLoop>();
    log("message loop returned");
    return 0;
}
