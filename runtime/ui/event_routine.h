// Which program routine an event of a unit runs: the event source chain is
// followed, a menu item has its one routine, any other unit its first binding
// of the event number.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/ui/window_templates.h"

namespace tessaly::ui {

// What the unit type's descriptor says about events: 0 none, 1 window control, 2 menu.
using UnitKindOf = int32_t (*)(uint32_t typeId);

struct EventRoutine {
    uintptr_t routine = 0;
    uint32_t windowId = 0;
    uint32_t unitId = 0;  // the own record's identifier when 0 was asked
};

// None when nothing is bound. A missing window, a missing unit or a type
// without events is a fatal runtime error.
std::optional<EventRoutine> findEventRoutine(const TemplateTable& table, uint32_t windowId, uint32_t unitId,
                                             int32_t event, UnitKindOf kindOf);

}  // namespace tessaly::ui
