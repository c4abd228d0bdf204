// Unit operations the commands ask for: copy a unit, destroy a window or a
// unit, change stacking, pop up menus, set the notification icon.
#pragma once

#include <cstdint>

#include "runtime/core/unit_requests.h"

namespace tessaly::ui {

class WindowLayer;

intptr_t windowHandleOf(WindowLayer& layer, const UnitCall& call);
bool copyUnit(WindowLayer& layer, UnitCall& call);
void destroyUnit(WindowLayer& layer, const UnitCall& call);
void setZOrder(WindowLayer& layer, const UnitCall& call);
void popupMenu(WindowLayer& layer, const UnitCall& call, bool trayForm);
bool measureCaption(WindowLayer& layer, UnitCall& call);
void setTrayIcon(WindowLayer& layer, const UnitCall& call);

}  // namespace tessaly::ui
