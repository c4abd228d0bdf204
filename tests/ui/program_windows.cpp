#include "tests/ui/program_windows.h"

#include <algorithm>
#include <array>
#include <utility>

#include "app/routine_names.h"
#include "resources/window_template_block.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/runtime_app.h"
#include "runtime/ui/core_library.h"
#include "runtime/ui/property_access.h"
#include "tests/ui/message_pump.h"

namespace tessaly::ui::testing {

std::vector<Call> g_calls;
std::function<void()> g_duringPress;

namespace {

using program::Routine;
using program::RoutineNames;

template <size_t I>
RoutineResult logRoutine(intptr_t a, intptr_t b, intptr_t c, intptr_t, intptr_t)
{
    g_calls.push_back({std::string(RoutineNames[I]), {a, b, c}});
    if (I == static_cast<size_t>(Routine::labelPress) && g_duringPress) g_duringPress();
    return {};
}

template <size_t... I>
constexpr std::array<void*, sizeof...(I)> makeTable(std::index_sequence<I...>)
{
    return {reinterpret_cast<void*>(&logRoutine<I>)...};
}

}  // namespace
}  // namespace tessaly::ui::testing

extern "C" {
extern char test_program_thunks[];
std::array<void*, tessaly::program::RoutineNames.size()> test_program_table =
    tessaly::ui::testing::makeTable(std::make_index_sequence<tessaly::program::RoutineNames.size()>{});
}

namespace tessaly::ui::testing {

size_t countOf(const std::string& routine)
{
    return static_cast<size_t>(std::count_if(g_calls.begin(), g_calls.end(), [&](const Call& c) { return c.routine == routine; }));
}

const Call* lastOf(const std::string& routine)
{
    for (auto it = g_calls.rbegin(); it != g_calls.rend(); ++it)
        if (it->routine == routine) return &*it;
    return nullptr;
}

TypedValue call(void (*command)(TypedValue*, int32_t, TypedValue*), std::vector<TypedValue> args)
{
    return callCommand(command, static_cast<int32_t>(args.size()), args.data());
}

void ProgramWindows::SetUpTestSuite()
{
    static bool started = false;
    if (std::exchange(started, true)) return;
    static const char* noNames[] = {nullptr};
    static const ProgramHeader header = {
        .mode = 3,
        .highestIdentifier = 0x1b238,
        .startRoutine = reinterpret_cast<StartRoutine>(test_program_thunks),
        .windowTemplates = program::windowTemplateBlock,
        .windowTemplateSize = program::windowTemplateBlockSize,
        .dllLibraryNames = noNames,
        .dllExportNames = noNames,
    };
    coreLibraryNotify(1, reinterpret_cast<intptr_t>(&runtimeNotify), 0);
    RuntimeApp::instance().setHeader(&header);
    RuntimeApp::instance().startUp();
}

void ProgramWindows::SetUp()
{
    g_calls.clear();
    g_duringPress = nullptr;
}

void ProgramWindows::TearDown()
{
    for (const uint32_t id : {EditorWindow, SettingsWindow, DisplayWindow})
        if (LoadedWindow* w = layer().findWindow(id)) DestroyWindow(w->handle());
    pumpUntil([] { return false; }, 50);
}

void CaptionLabels::SetUp()
{
    ProgramWindows::SetUp();
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
}

uint32_t CaptionLabels::copyOfHotkeyLabel()
{
    uint32_t copy[2] = {};
    const TypedValue source = unitValue(DisplayWindow, HotkeyLabel, TypeCode::Label);
    const TypedValue target = TypedValue::ofPointer(copy, TypeCode::Label | ArgumentFlag);
    return call(commands::CopyUnit, {source, target}).asBool() ? copy[1] : 0;
}

TypedValue CaptionLabels::property(uint32_t unit, int32_t index, int32_t field)
{
    return readUnitProperty(layer(), {DisplayWindow, unit, index, field});
}

void CaptionLabels::write(uint32_t unit, int32_t index, TypedValue value, int32_t field)
{
    writeUnitProperty(layer(), {DisplayWindow, unit, index, field}, value);
}

}  // namespace tessaly::ui::testing
