// Events: what a window or unit hands to the dispatcher, and the dispatcher
// that calls the program's bound routine with events suspended or not.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/core/program_header.h"

namespace tessaly::ui {

// All 32-bit words, as units build them.
struct EventRecord {
    uint32_t windowId = 0;
    uint32_t unitId = 0;  // the window's own record for window events
    int32_t event = 0;
    int32_t argumentCount = 0;
    int32_t arguments[5] = {};
    int32_t returned = 0;  // set to 1 when the routine returned a value
    int32_t value = 0;
};
static_assert(sizeof(EventRecord) == 44);

struct EventSource {
    uint32_t windowId = 0;
    uint32_t unitId = 0;
};

// Finds the routine bound to (window, unit, event); fatal errors are the
// finder's to report. Answers null when nothing is bound, and fills in the
// unit that will stand as the event's source.
using RoutineFinder = RoutineEntry (*)(uint32_t windowId, uint32_t unitId, int32_t event, EventSource& source);

class EventDispatcher {
public:
    static EventDispatcher& instance();

    void setRoutineFinder(RoutineFinder finder) { finder_ = finder; }

    // Fires the event; true when a routine ran. Fills `returned` and `value`.
    bool fire(EventRecord& record);

    // The unit that raised the event being handled, if any.
    std::optional<EventSource> currentSource() const;
    // A destroyed window can no longer be the source.
    void forgetWindow(uint32_t windowId);

private:
    RoutineFinder finder_ = nullptr;
    EventSource current_;
};

// Convenience: fires an event with up to five arguments.
EventRecord makeEvent(uint32_t windowId, uint32_t unitId, int32_t event, std::initializer_list<int32_t> arguments = {});

}  // namespace tessaly::ui
