// Menus from a window's menu item records: the menu bar with its accelerator
// table, and the pop-up menu of one hidden top-level menu.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/ui/unit_table.h"
#include "runtime/core/win32_handles.h"

namespace tessaly::ui {

inline constexpr UINT FirstMenuCommand = 20000;
inline constexpr UINT MenuCommandLimit = 57600;

struct MenuBar {
    UniqueMenu menu;  // null when the window has no visible top-level menu
    UniqueAccelerators accelerators;
};

// The menu item records of a table in table order, with their unit-table positions.
std::vector<size_t> menuItemPositions(const UnitTable& units);

// The command identifier of a menu item: 20000 + its index among the menu items.
std::optional<UINT> menuCommandOf(const UnitTable& units, uint32_t menuItemId);
// The menu item a command identifier selects.
std::optional<uint32_t> menuItemOfCommand(const UnitTable& units, UINT command);

MenuBar buildMenuBar(const UnitTable& units, bool ownerDrawn);
// The entries under the top-level menu `menuId`, or none when it has no entries.
UniqueMenu buildPopupMenu(const UnitTable& units, uint32_t menuId, bool ownerDrawn);

}  // namespace tessaly::ui
