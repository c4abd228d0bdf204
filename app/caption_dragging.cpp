#include "app/caption_dragging.h"

#include "app/caption_motion.h"
#include "app/caption_store.h"
#include "app/caption_windows.h"
#include "app/display_area.h"
#include "app/program_state.h"
#include "app/system_calls.h"
#include "app/text_calls.h"
#include "app/unit_calls.h"

namespace tessaly::program {
namespace {

bool isCaption(int32_t k) { return k >= 1 && k <= state().CaptionCount && hasCaptionLabel(k); }

UnitRef captionLabel(int32_t k) { return state().CaptionLabels[static_cast<size_t>(k - 1)]; }

// The caption number a label carries in its tag.
int32_t captionOfEventUnit() { return toInteger(readText(eventUnit(), Property::Tag)); }

}  // namespace

// The caption is held at the spot the press fell on, which the press itself
// carries: a caption label has no border, so its coordinates start at its
// corner. The pointer's position when the routine runs may be later, and a
// press handled late would then grab the caption where the pointer has gone
// since, so that the spot the user took slips from under the pointer.
void pressCaption(int32_t x, int32_t y)
{
    ProgramState& s = state();
    const int32_t k = captionOfEventUnit();
    if (!isCaption(k)) return;
    s.DragIndex = k;
    s.Dragging = 1;
    s.GrabOffsetX = x;
    s.GrabOffsetY = y;
}

void dragCaption()
{
    ProgramState& s = state();
    if (s.Dragging != 1 || !isCaption(s.DragIndex)) return;
    const UnitRef label = captionLabel(s.DragIndex);
    const Placement current = captionPlace(label);
    const int32_t x = cursorX(), y = cursorY();
    // Kept on the monitor under the pointer, so a caption crosses to another with it.
    const Placement moved = dragPlacement(current, x - s.GrabOffsetX, y - s.GrabOffsetY, monitorAt(currentMonitors(), x, y));
    placeCaption(label, current, moved.left, moved.top);
}

// A release that no press on a caption began does nothing.
void releaseCaption()
{
    ProgramState& s = state();
    if (s.Dragging != 1) return;
    s.Dragging = 0;
    if (!isCaption(s.DragIndex)) return;
    // A dragged caption wraps within the monitor it was left on, and is stored where it is.
    forgetWrapMonitor(captionLabel(s.DragIndex));
    captionMoved(captionLabel(s.DragIndex));
    storeCaptionPosition(s.DragIndex);
}

void bringCaptionToFront()
{
    const int32_t k = captionOfEventUnit();
    if (isCaption(k)) setZOrder(captionLabel(k), ZOrder::Top);
}

}  // namespace tessaly::program
