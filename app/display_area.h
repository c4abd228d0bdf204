// The display window on the virtual screen. It covers every monitor, and the
// caption labels, its children, stand at their place on the virtual screen
// less the window's origin (the top left corner of the leftmost and topmost
// monitors): stored places stay screen places, as they always were. When the
// displays change, the window covers them again and every caption keeps its
// place, or comes onto the nearest monitor when its place lies off them all;
// its stored place changes only when it next moves.
#pragma once

#include <cstdint>

#include "app/monitor_layout.h"
#include "app/unit_calls.h"

namespace tessaly::program {

// Reads the monitors and puts the display window over all of them.
void coverVirtualScreen();
const Monitors& currentMonitors();

// A caption label's place and size on the virtual screen.
Placement captionPlace(UnitRef label);
// Puts the label at (left, top) on the virtual screen; only what changed is written.
void placeCaption(UnitRef label, const Placement& before, int32_t left, int32_t top);

// Shows the label at its stored place or, when that lies off every monitor,
// at the nearest place on one; the stored place is kept for the next display
// change, which may bring its monitor back.
void showAtStoredPlace(UnitRef label, const Placement& stored);
// The caption moved (it scrolled or was dragged): where it is now is what is stored.
void captionMoved(UnitRef label);

// The monitor a scrolling caption wraps in: the one that held most of it at
// its first step, kept while it scrolls across others, until it is dragged,
// rebuilt or the displays change.
Area wrapMonitor(UnitRef label, const Placement& caption);
void forgetWrapMonitor(UnitRef label);
// Forgets what is kept of every label, as they are all destroyed.
void forgetCaptionLabels();

// Has `target` (a hidden label) told of every display change, as its event 0.
void watchDisplayChanges(UnitRef target);
// The routine of that event.
void displayChanged();

}  // namespace tessaly::program
