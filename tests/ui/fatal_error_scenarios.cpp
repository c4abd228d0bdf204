// A program on the whole runtime (frame, window layer, unit types) whose
// start routine raises one fatal runtime error, chosen by its command line,
// the way a program or a library would. Its report hook prints the report
// between "report[" and "]"; fatal_errors_test.cpp checks that text and the
// exit code from outside.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>

#include "runtime/core/commands/commands.h"
#include "runtime/core/notify_codes.h"
#include "runtime/core/program_header.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/service_table.h"
#include "runtime/ui/core_library.h"
#include "runtime/ui/event_dispatch.h"
#include "tests/ui/test_templates.h"

namespace tessaly {
namespace {

using namespace ui::testing;

// Window 0x52000001 (never loaded) holds a label and a unit of a type no
// library defines; no window 0x52000099 exists.
constexpr uint32_t KnownWindow = 0x52000001;
constexpr uint32_t LabelUnit = 0x16000002;
constexpr uint32_t UntypedUnit = 0x16000007;
constexpr uint32_t UnknownWindow = 0x52000099;
constexpr uint32_t UnknownUnit = 0x16000099;

ui::Bytes templates()
{
    ui::WindowTemplate w = window(KnownWindow, 0x06000001);
    w.units.addRecord(LabelUnit, ui::encodeUnitRecord(unit(ui::TypeId::Label, {{-1, 0x10}})));
    w.units.addRecord(UntypedUnit, ui::encodeUnitRecord(unit(0x00010099, {{0, 0x10}})));
    return block({&w});
}
const ui::Bytes g_templates = templates();
const uint8_t g_brokenTemplates[8] = {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4};

// DLL command 0 names a missing export of a real library, 1 one without a library.
const char* const dllLibraries[] = {"kernel32.dll", ""};
const char* const dllExports[] = {"NoSuchExport", "NoSuchExportEither"};

LibraryInfo coreLibrary()
{
    LibraryInfo info;
    info.notify = &ui::coreLibraryNotify;
    return info;
}
const LibraryInfo g_core = coreLibrary();
const LibraryInfo* const g_libraries[] = {&g_core};

void startRoutine() {}

ProgramHeader g_header = {
    .mode = 3,
    .highestIdentifier = 0x100,
    .startRoutine = &startRoutine,
    .windowTemplates = g_templates.data(),
    .windowTemplateSize = static_cast<uint32_t>(g_templates.size()),
    .libraryCount = 1,
    .libraries = g_libraries,
    .dllCommandCount = 2,
    .dllLibraryNames = dllLibraries,
    .dllExportNames = dllExports,
};

TypedValue unitValue(uint32_t window, uint32_t unit) { return TypedValue::ofUnit(window, unit, ui::TypeId::Label); }

void runCommand(commands::Command* command, TypedValue argument)
{
    TypedValue result{};
    command(&result, 1, &argument);
}

void fireEvent(uint32_t window, uint32_t unit)
{
    ui::EventRecord record{window, unit, 0};
    runtimeNotify(RuntimeNotify::FireEvent, reinterpret_cast<intptr_t>(&record), 0);
}

TypedValue readProperty(uint32_t window, uint32_t unit, int32_t property)
{
    return callService<Service::GetProperty>(PropertyAccess{window, unit, property, -1});
}

void writeProperty(uint32_t window, uint32_t unit, int32_t property, TypedValue value)
{
    callService<Service::SetProperty>(PropertyAccess{window, unit, property, -1}, value);
}

const TypedValue NotANumber = TypedValue::ofPointer("12", TypeCode::Text);

// Each raises its error once the runtime has started.
const std::map<std::string, std::function<void()>> g_scenarios = {
    {"out-of-memory", [] { callService<Service::Allocate>(intptr_t{0x7FFFFFFF0000}); }},
    {"event-unit-outside-event", [] { runCommand(&commands::GetEventUnit, TypedValue::omitted()); }},
    {"command-on-unloaded-unit", [] { runCommand(&commands::GetWindowHandle, unitValue(KnownWindow, LabelUnit)); }},
    {"library-converts-text", [] { runtimeNotify(RuntimeNotify::NumberToInteger, reinterpret_cast<intptr_t>(&NotANumber), 0); }},
    {"property-gets-text-for-number", [] { writeProperty(KnownWindow, LabelUnit, 0, NotANumber); }},
    {"startup-window-missing", [] { callService<Service::LoadStartupWindow>(UnknownWindow); }},
    {"dll-export-missing", [] { callService<Service::CallDllCommand>(0); }},
    {"dll-export-missing-without-library", [] { callService<Service::CallDllCommand>(1); }},
    {"event-of-unknown-window", [] { fireEvent(UnknownWindow, LabelUnit); }},
    {"event-of-unknown-unit", [] { fireEvent(KnownWindow, UnknownUnit); }},
    {"event-of-unit-without-events", [] { fireEvent(KnownWindow, UntypedUnit); }},
    {"read-own-property-of-unloaded-unit", [] { readProperty(KnownWindow, LabelUnit, 8); }},
    {"write-own-property-of-unloaded-unit", [] { writeProperty(KnownWindow, LabelUnit, 8, TypedValue::ofInt(1)); }},
    {"property-of-unknown-window", [] { readProperty(UnknownWindow, LabelUnit, 0); }},
};

void printReport(const std::string& report)
{
    std::printf("report[%s]\n", report.c_str());
    std::fflush(stdout);
}

}  // namespace
}  // namespace tessaly

extern "C" const tessaly::ProgramHeader* tessaly::programHeader() { return &g_header; }

// Scenarios: "code N" raises coded error N through service slot 0,
// "broken-templates" starts with a template block that cannot be read, and
// the names of g_scenarios raise theirs after a normal start.
extern "C" int tessaly::programEntry()
{
    using namespace tessaly;
    _setmode(_fileno(stdout), _O_BINARY);  // reports carry CR LF of their own
    const std::string commandLine = GetCommandLineA();
    const std::string scenario = commandLine.substr(commandLine.find("\" ") + 2);
    setErrorReportHook(&printReport);
    if (scenario == "broken-templates") {
        g_header.windowTemplates = g_brokenTemplates;
        g_header.windowTemplateSize = sizeof g_brokenTemplates;
    }
    callRequest(Request::StartUp);
    if (scenario.starts_with("code ")) callService<Service::ReportError>(std::stoi(scenario.substr(5)), 17, -3);
    if (const auto found = g_scenarios.find(scenario); found != g_scenarios.end()) found->second();
    std::printf("no fatal error\n");
    return 0;
}
