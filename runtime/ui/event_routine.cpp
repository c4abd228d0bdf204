#include "runtime/ui/event_routine.h"

#include "runtime/core/runtime_error.h"

namespace tessaly::ui {
namespace {

constexpr int32_t ControlKind = 1;
constexpr int32_t MenuKind = 2;

// Follows event sources to the record whose bindings serve the unit; a
// cycle ends where it would repeat.
size_t eventSourceRecord(const UnitTable& units, size_t index)
{
    const uint32_t type = units.typeIdAt(index);
    for (size_t steps = 0; steps < units.size(); ++steps) {
        const uint32_t source = loadU32(units.bodyAt(index).data() + 4);
        if (source == 0) break;
        const auto next = units.indexOf(source);
        if (!next || units.typeIdAt(*next) != type) break;
        index = *next;
    }
    return index;
}

uintptr_t boundRoutine(const UnitTable& units, size_t index, int32_t event)
{
    if (units.isMenuItem(index)) return units.routineAt(index);
    const ByteView body = units.bodyAt(index);
    const UnitFields fields = units.unitFields(index);
    for (size_t i = 0; i < fields.bindingCount; ++i) {
        if (bindingAt(body, fields, i).event == event) return units.routineAt(index, i);
    }
    return 0;
}

}  // namespace

std::optional<EventRoutine> findEventRoutine(const TemplateTable& table, uint32_t windowId, uint32_t unitId,
                                             int32_t event, UnitKindOf kindOf)
{
    const WindowTemplate* window = table.find(windowId);
    if (!window) reportRuntimeError("未找到引发事件的窗口", 0, static_cast<int32_t>(windowId), 0);
    const UnitTable& units = window->units;
    const auto asked = units.indexOf(unitId);
    if (!asked) reportRuntimeError("未找到引发事件的窗口组件", 0, static_cast<int32_t>(windowId), static_cast<int32_t>(unitId));
    const size_t index = eventSourceRecord(units, *asked);
    const int32_t kind = kindOf ? kindOf(units.typeIdAt(index)) : 0;
    if (kind != ControlKind && kind != MenuKind) reportRuntimeError("引发事件的窗口组件无效", 0, static_cast<int32_t>(windowId), static_cast<int32_t>(unitId));
    const uintptr_t routine = boundRoutine(units, index, event);
    if (routine == 0) return std::nullopt;
    return EventRoutine{routine, windowId, units.idAt(*asked)};
}

}  // namespace tessaly::ui
