#include "app/display_area.h"

#include <map>

#include "app/program_state.h"
#include "app/program_windows.h"
#include "app/system_calls.h"

namespace tessaly::program {
namespace {

struct DisplayLayout {
    Monitors monitors;
    Area screen;  // the display window's place: its origin is the labels'
};

DisplayLayout g_layout;
// By label unit: the labels of one load have identifiers of their own.
std::map<uint32_t, Area> g_wrapMonitors;
// The stored places of the captions shown elsewhere, off every monitor.
std::map<uint32_t, Placement> g_storedPlaces;

bool samePlace(const Placement& a, const Placement& b) { return a.left == b.left && a.top == b.top; }

}  // namespace

void coverVirtualScreen()
{
    g_layout.monitors = monitors();
    g_layout.screen = virtualScreen(g_layout.monitors);
    writeInt(DisplayWindow, Property::Left, g_layout.screen.left);
    writeInt(DisplayWindow, Property::Width, g_layout.screen.width());
    writeInt(DisplayWindow, Property::Height, g_layout.screen.height());
    writeInt(DisplayWindow, Property::Top, g_layout.screen.top);
}

const Monitors& currentMonitors() { return g_layout.monitors; }

Placement captionPlace(UnitRef label)
{
    return {readInt(label, Property::Left) + g_layout.screen.left, readInt(label, Property::Top) + g_layout.screen.top,
            readInt(label, Property::Width), readInt(label, Property::Height)};
}

void placeCaption(UnitRef label, const Placement& before, int32_t left, int32_t top)
{
    if (left != before.left) writeInt(label, Property::Left, left - g_layout.screen.left);
    if (top != before.top) writeInt(label, Property::Top, top - g_layout.screen.top);
}

Area wrapMonitor(UnitRef label, const Placement& caption)
{
    const auto [kept, added] = g_wrapMonitors.try_emplace(label.unitId);
    if (added) kept->second = monitorOf(g_layout.monitors, caption);
    return kept->second;
}

void forgetWrapMonitor(UnitRef label) { g_wrapMonitors.erase(label.unitId); }

void showAtStoredPlace(UnitRef label, const Placement& stored)
{
    const Placement shown = shownPlace(g_layout.monitors, stored);
    if (samePlace(shown, stored))
        g_storedPlaces.erase(label.unitId);
    else
        g_storedPlaces[label.unitId] = stored;
    placeCaption(label, captionPlace(label), shown.left, shown.top);
}

void captionMoved(UnitRef label)
{
    if (!g_storedPlaces.empty()) g_storedPlaces.erase(label.unitId);
}

void forgetCaptionLabels()
{
    g_wrapMonitors.clear();
    g_storedPlaces.clear();
}

void watchDisplayChanges(UnitRef target) { watchDisplay(windowHandle(target)); }

// Places are taken before the window moves, as the old origin gives them: a
// caption shown elsewhere goes back to its stored place where it can.
void displayChanged()
{
    const std::vector<UnitRef>& labels = state().CaptionLabels;
    std::vector<Placement> places;
    for (const UnitRef& label : labels) {
        Placement place = captionPlace(label);
        if (const auto stored = g_storedPlaces.find(label.unitId); stored != g_storedPlaces.end())
            place.left = stored->second.left, place.top = stored->second.top;
        places.push_back(place);
    }
    coverVirtualScreen();
    g_wrapMonitors.clear();
    // Each label is where it was on the window, so the new origin has moved
    // it on the screen; showing it compares with that.
    for (size_t i = 0; i < labels.size(); ++i) showAtStoredPlace(labels[i], places[i]);
}

}  // namespace tessaly::program
