#include "app/caption_tick.h"

#include <string>
#include <vector>

#include "app/caption_lines.h"
#include "app/caption_motion.h"
#include "app/caption_store.h"
#include "app/display_area.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "app/store_files.h"
#include "app/text_calls.h"
#include "app/unit_calls.h"

namespace tessaly::program {
namespace {

// One step in the caption's direction, wrapping round within its monitor;
// answers where it now is on the virtual screen.
Placement moveCaption(UnitRef label, const std::string& direction, int32_t speed)
{
    const Placement before = captionPlace(label);
    const Placement after = scrollStep(before, direction, speed, wrapMonitor(label, before));
    placeCaption(label, before, after.left, after.top);
    if (after.left != before.left || after.top != before.top) captionMoved(label);
    return after;
}

// The configuration line with the caption's new place: rebuilt from its
// record, so a nine-field line stays nine fields. A line the loader had to
// complete is no change of the user's: it keeps its stored fields, only its
// place changes.
std::string placedLine(const CaptionRecord& r, const std::string& storedLine, int32_t left, int32_t top)
{
    if (r.completed) return withField(withField(storedLine, Field::Left, toText(left)), Field::Top, toText(top));
    CaptionRecord placed = r;
    placed.field(Field::Left) = toText(left);
    placed.field(Field::Top) = toText(top);
    return configurationLine(placed);
}

}  // namespace

void captionTick()
{
    setZOrder(DisplayWindow, ZOrder::Topmost);
    MoveCaptions();
    keepStoreWhileMoving();
}

// Every visible scrolling caption moves one step and its position goes into
// its configuration line. The configuration text is split and joined once per
// tick, and owes the file a write only when a line changed; the tick writes
// it at most once a second.
void MoveCaptions()
{
    ProgramState& s = state();
    std::vector<std::string> lines;
    bool split = false, changed = false;
    const auto labels = static_cast<int32_t>(s.CaptionLabels.size());
    for (int32_t i = 1; i <= labels; ++i) {
        const UnitRef label = s.CaptionLabels[static_cast<size_t>(i - 1)];
        const CaptionRecord& r = s.CaptionRecords[static_cast<size_t>(i - 1)];
        if (!readBool(label, Property::Visible) || r.field(Field::Scrolls) != TrueText) continue;
        const Placement moved = moveCaption(label, r.field(Field::Direction), s.ScrollSpeed);

        if (!split) lines = splitLines(s.ConfigText), split = true;
        if (static_cast<size_t>(i) > lines.size()) continue;
        std::string& line = lines[static_cast<size_t>(i - 1)];
        std::string placed = placedLine(r, line, moved.left, moved.top);
        if (placed != line) {
            line = std::move(placed);
            changed = true;
        }
    }
    if (!changed) return;
    s.ConfigText = joinLines(lines);
    oweWrite(StoreFile::Config);
}

}  // namespace tessaly::program
