// The program's routines in thunk order: entry i of the table is what thunk
// i jumps to, and the window templates bind events to thunk offsets. The
// first thunk is the start routine and the code base.
#include <array>
#include <cstdint>

#include "app/caption_dragging.h"
#include "app/caption_editor.h"
#include "app/caption_tick.h"
#include "app/caption_windows.h"
#include "app/display_area.h"
#include "app/hotkeys.h"
#include "app/settings_window.h"
#include "app/startup.h"
#include "app/tray_menu.h"
#include "app/routine_names.h"
#include "runtime/core/program_header.h"

namespace tessaly::program {
namespace {

// Event routines take pointer-wide words; the program's routines take what they use.
template <void (*Routine)()>
RoutineResult withoutArguments(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    Routine();
    return {};
}

template <void (*Routine)(int32_t)>
RoutineResult withOneArgument(intptr_t a, intptr_t, intptr_t, intptr_t, intptr_t)
{
    Routine(static_cast<int32_t>(a));
    return {};
}

template <void (*Routine)(int32_t, int32_t)>
RoutineResult withTwoArguments(intptr_t a, intptr_t b, intptr_t, intptr_t, intptr_t)
{
    Routine(static_cast<int32_t>(a), static_cast<int32_t>(b));
    return {};
}

using Table = std::array<void*, RoutineNames.size()>;

template <class Entry>
void bind(Table& table, Routine routine, Entry entry)
{
    table[static_cast<size_t>(routine)] = reinterpret_cast<void*>(entry);
}

Table routineTable()
{
    Table t{};
    bind(t, Routine::start, &startRoutine);
    bind(t, Routine::displayCreated, &withoutArguments<displayCreated>);
    bind(t, Routine::trayEvent, &withOneArgument<trayEvent>);
    bind(t, Routine::showSettings, &withoutArguments<showSettings>);
    bind(t, Routine::exitProgram, &withoutArguments<exitProgram>);
    bind(t, Routine::labelPress, &withTwoArguments<pressCaption>);
    bind(t, Routine::labelRelease, &withoutArguments<releaseCaption>);
    bind(t, Routine::labelBringToFront, &withoutArguments<bringCaptionToFront>);
    bind(t, Routine::labelMove, &withoutArguments<dragCaption>);
    bind(t, Routine::hotkeyFeedback, &withOneArgument<hotkeyFeedback>);
    bind(t, Routine::captionTick, &withoutArguments<captionTick>);
    bind(t, Routine::settingsCreated, &withoutArguments<settingsCreated>);
    bind(t, Routine::settingsClosing, &withoutArguments<settingsClosing>);
    bind(t, Routine::checkChanged, &withoutArguments<checkChanged>);
    bind(t, Routine::operationMenu, &withoutArguments<operationMenu>);
    bind(t, Routine::addCaption, &withoutArguments<addCaption>);
    bind(t, Routine::toggleSettings, &withoutArguments<toggleSettings>);
    bind(t, Routine::editCaption, &withoutArguments<editCaption>);
    bind(t, Routine::deleteCaption, &withoutArguments<deleteCaption>);
    bind(t, Routine::transparencyChanged, &withoutArguments<transparencyChanged>);
    bind(t, Routine::speedChanged, &withoutArguments<speedChanged>);
    bind(t, Routine::hideHotkeyFocus, &withoutArguments<hideHotkeyFocus>);
    bind(t, Routine::hideHotkeyKeyDown, &withTwoArguments<hideHotkeyKeyDown>);
    bind(t, Routine::showHotkeyFocus, &withoutArguments<showHotkeyFocus>);
    bind(t, Routine::showHotkeyKeyDown, &withTwoArguments<showHotkeyKeyDown>);
    bind(t, Routine::editorCreated, &withoutArguments<editorCreated>);
    bind(t, Routine::editorClosing, &withoutArguments<editorClosing>);
    bind(t, Routine::transparentClicked, &withoutArguments<transparentClicked>);
    bind(t, Routine::scrollClicked, &withoutArguments<scrollClicked>);
    bind(t, Routine::confirmCaption, &withoutArguments<confirmCaption>);
    bind(t, Routine::toggleStartWithWindows, &withoutArguments<toggleStartWithWindows>);
    bind(t, Routine::displayChanged, &withoutArguments<displayChanged>);
    return t;
}

}  // namespace
}  // namespace tessaly::program

extern "C" {
std::array<void*, tessaly::program::RoutineNames.size()> program_table = tessaly::program::routineTable();
}
