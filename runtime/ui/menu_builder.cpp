#include "runtime/ui/menu_builder.h"

#include <string>

#include "runtime/core/text_encoding.h"

namespace tessaly::ui {
namespace {

struct Item {
    size_t position;  // in the unit table
    UINT command;
    MenuItemFields fields;
};

std::vector<Item> menuItems(const UnitTable& units)
{
    std::vector<Item> items;
    for (size_t i = 0; i < units.size(); ++i)
        if (units.isMenuItem(i))
            items.push_back({i, FirstMenuCommand + static_cast<UINT>(items.size()), units.menuItemFields(i)});
    return items;
}

UINT itemFlags(const MenuItemFields& f, bool ownerDrawn)
{
    UINT flags = ownerDrawn ? MF_OWNERDRAW : MF_STRING;
    if (f.state & MenuState::Disabled) flags |= MF_GRAYED;
    if (f.state & MenuState::Checked) flags |= MF_CHECKED;
    return flags;
}

// One entry that opens no sub-menu: a separator or a command.
void appendEntry(HMENU menu, const Item& item, bool ownerDrawn, std::vector<ACCEL>& accelerators)
{
    if (item.fields.isSeparator()) {
        AppendMenuW(menu, MF_SEPARATOR | (ownerDrawn ? MF_OWNERDRAW : 0), 0, nullptr);
        return;
    }
    const std::wstring caption = widenGbk(item.fields.caption);
    AppendMenuW(menu, itemFlags(item.fields, ownerDrawn), item.command, caption.c_str());
    if (item.fields.shortcut != 0)
        accelerators.push_back({FVIRTKEY, static_cast<WORD>(item.fields.shortcut & 0xFFFF), static_cast<WORD>(item.command)});
}

// Appends items[first, end) at `level` and deeper to `menu`; answers the index after them.
size_t appendEntries(HMENU menu, const std::vector<Item>& items, size_t first, uint32_t level, bool ownerDrawn,
                     std::vector<ACCEL>& accelerators)
{
    size_t i = first;
    while (i < items.size() && items[i].fields.level >= level) {
        const Item& item = items[i];
        const bool opensSubMenu = i + 1 < items.size() && items[i + 1].fields.level > item.fields.level;
        if (opensSubMenu) {
            HMENU sub = CreatePopupMenu();
            const size_t next = appendEntries(sub, items, i + 1, item.fields.level + 1, ownerDrawn, accelerators);
            if (item.fields.state & MenuState::Hidden) {
                DestroyMenu(sub);
            } else {
                const std::wstring caption = widenGbk(item.fields.caption);
                AppendMenuW(menu, itemFlags(item.fields, ownerDrawn) | MF_POPUP, reinterpret_cast<UINT_PTR>(sub),
                            caption.c_str());
            }
            i = next;
            continue;
        }
        // Hidden entries are left out, separators too.
        if (!(item.fields.state & MenuState::Hidden)) appendEntry(menu, item, ownerDrawn, accelerators);
        ++i;
    }
    return i;
}

}  // namespace

std::vector<size_t> menuItemPositions(const UnitTable& units)
{
    std::vector<size_t> positions;
    for (size_t i = 0; i < units.size(); ++i)
        if (units.isMenuItem(i)) positions.push_back(i);
    return positions;
}

std::optional<UINT> menuCommandOf(const UnitTable& units, uint32_t menuItemId)
{
    UINT command = FirstMenuCommand;
    for (size_t i = 0; i < units.size(); ++i) {
        if (!units.isMenuItem(i)) continue;
        if (units.idAt(i) == menuItemId) return command;
        ++command;
    }
    return std::nullopt;
}

std::optional<uint32_t> menuItemOfCommand(const UnitTable& units, UINT command)
{
    if (command < FirstMenuCommand || command >= MenuCommandLimit) return std::nullopt;
    const std::vector<size_t> positions = menuItemPositions(units);
    const size_t index = command - FirstMenuCommand;
    if (index >= positions.size()) return std::nullopt;
    return units.idAt(positions[index]);
}

MenuBar buildMenuBar(const UnitTable& units, bool ownerDrawn)
{
    const std::vector<Item> items = menuItems(units);
    MenuBar bar;
    if (items.empty()) return bar;
    HMENU menu = CreateMenu();
    std::vector<ACCEL> accelerators;
    appendEntries(menu, items, 0, 0, ownerDrawn, accelerators);
    if (GetMenuItemCount(menu) > 0)
        bar.menu.reset(menu);
    else
        DestroyMenu(menu);
    if (!accelerators.empty())
        bar.accelerators.reset(CreateAcceleratorTableW(accelerators.data(), static_cast<int>(accelerators.size())));
    return bar;
}

UniqueMenu buildPopupMenu(const UnitTable& units, uint32_t menuId, bool ownerDrawn)
{
    const std::vector<Item> items = menuItems(units);
    for (size_t i = 0; i < items.size(); ++i) {
        if (units.idAt(items[i].position) != menuId) continue;
        const uint32_t level = items[i].fields.level;
        if (i + 1 >= items.size() || items[i + 1].fields.level <= level) return {};
        UniqueMenu popup(CreatePopupMenu());
        std::vector<ACCEL> unused;
        appendEntries(popup.get(), items, i + 1, level + 1, ownerDrawn, unused);
        return popup;
    }
    return {};
}

}  // namespace tessaly::ui
