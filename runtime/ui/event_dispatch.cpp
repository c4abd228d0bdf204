#include "runtime/ui/event_dispatch.h"

#include <algorithm>
#include <initializer_list>

#include "runtime/core/runtime_app.h"

namespace tessaly::ui {

EventDispatcher& EventDispatcher::instance()
{
    static EventDispatcher dispatcher;
    return dispatcher;
}

bool EventDispatcher::fire(EventRecord& record)
{
    if (RuntimeApp::instance().eventsSuspended() || finder_ == nullptr) return false;
    EventSource source{record.windowId, record.unitId};
    const RoutineEntry routine = finder_(record.windowId, record.unitId, record.event, source);
    if (routine == nullptr) return false;

    current_ = source;
    intptr_t a[5] = {};
    const int count = std::clamp(record.argumentCount, 0, 5);
    for (int i = 0; i < count; ++i) a[i] = record.arguments[i];
    const RoutineResult result = routine(a[0], a[1], a[2], a[3], a[4]);
    // Cleared, not restored: a nested event overwrites the source and clears it.
    current_ = {};
    if (result.returned != 0) {
        record.returned = 1;
        record.value = result.value;
    }
    return true;
}

std::optional<EventSource> EventDispatcher::currentSource() const
{
    if (current_.windowId == 0) return std::nullopt;
    return current_;
}

void EventDispatcher::forgetWindow(uint32_t windowId)
{
    if (current_.windowId == windowId) current_ = {};
}

EventRecord makeEvent(uint32_t windowId, uint32_t unitId, int32_t event, std::initializer_list<int32_t> arguments)
{
    EventRecord record;
    record.windowId = windowId;
    record.unitId = unitId;
    record.event = event;
    for (const int32_t argument : arguments) {
        if (record.argumentCount == 5) break;
        record.arguments[record.argumentCount++] = argument;
    }
    return record;
}

}  // namespace tessaly::ui
