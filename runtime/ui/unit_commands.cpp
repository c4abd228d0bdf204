#include "runtime/ui/unit_commands.h"

#include <algorithm>

#include "runtime/core/runtime_app.h"
#include "runtime/ui/icon_data.h"
#include "runtime/ui/menu_builder.h"
#include "runtime/ui/unit_birth.h"
#include "runtime/ui/window_layer.h"

namespace tessaly::ui {
namespace {

constexpr uint32_t NewUnitBase = 0x16000000;  // class 1 (unit), kind 6

Unit* liveAt(const UnitTable& units, size_t index)
{
    auto* unit = reinterpret_cast<Unit*>(units.objectSlot(index));
    return unit != nullptr && IsWindow(unit->handle()) ? unit : nullptr;
}

std::optional<UnitRecord> copiedRecord(const WindowTemplate& window, uint32_t sourceId)
{
    const UnitTable& table = window.pristine ? *window.pristine : window.units;
    const auto index = table.indexOf(sourceId);
    if (!index || *index == 0 || table.isMenuItem(*index)) return std::nullopt;
    auto record = decodeUnitRecord(table.bodyAt(*index));
    if (!record) return std::nullopt;
    record->eventSource = sourceId;  // the copy raises its source's events
    record->objectSlot = 0;
    record->pointerSlot = 0;
    record->children.clear();
    record->bindings.clear();
    return record;
}

// Changes the child list of a container's record.
template <class Change>
void changeChildren(UnitTable& units, uint32_t containerId, Change change)
{
    const auto index = units.indexOf(containerId);
    if (!index || units.isMenuItem(*index)) return;
    std::vector<uint32_t> children = units.unitFields(*index).childIds();
    change(children);
    units.setChildren(*index, children);
}

void addChild(UnitTable& units, uint32_t containerId, uint32_t childId)
{
    changeChildren(units, containerId, [&](std::vector<uint32_t>& children) { children.push_back(childId); });
}

void removeChild(UnitTable& units, uint32_t containerId, uint32_t childId)
{
    changeChildren(units, containerId, [&](std::vector<uint32_t>& children) { std::erase(children, childId); });
}

// True when the window already stands where `after` would put it, so that
// moving it there would change nothing. The caption tool re-makes its display
// window topmost at every tick, and under Wine even a move that changes
// nothing costs a round of window-position messages and X requests.
bool alreadyStacked(HWND window, HWND after)
{
    const bool topmost = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (after == HWND_NOTOPMOST) return !topmost;
    if (after == HWND_TOPMOST) return topmost && GetWindow(window, GW_HWNDPREV) == nullptr;
    if (after == HWND_TOP) return GetWindow(window, GW_HWNDPREV) == nullptr;
    // The bottom also takes a topmost window out of the topmost band.
    return after == HWND_BOTTOM && !topmost && GetWindow(window, GW_HWNDNEXT) == nullptr;
}

}  // namespace

intptr_t windowHandleOf(WindowLayer& layer, const UnitCall& call)
{
    Unit* unit = layer.findUnitStrict(call.windowId, call.unitId);
    // Whoever holds the handle may ask the system where the window stands.
    unit->applyPendingPlacement();
    return reinterpret_cast<intptr_t>(unit->handle());
}

bool copyUnit(WindowLayer& layer, UnitCall& call)
{
    WindowTemplate* window = layer.templates().find(call.windowId);
    if (window == nullptr) return false;
    const UnitType* type = findUnitType(layer.unitTypeOf(call.windowId, call.unitId));
    if (type == nullptr || type->typeId() == TypeId::Window || !(type->flags() & UnitTypeFlag::WindowControl) ||
        (type->flags() & UnitTypeFlag::NoCopy))
        return false;
    auto record = copiedRecord(*window, call.unitId);
    if (!record) return false;

    const uint32_t newId = NewUnitBase | (RuntimeApp::instance().nextIdentifier() & 0x00FFFFFF);
    if (!window->units.addRecord(newId, encodeUnitRecord(*record))) return false;
    const size_t index = *window->units.indexOf(newId);

    if (LoadedWindow* loaded = layer.findWindow(call.windowId)) {
        const UnitFields f = window->units.unitFields(index);
        // Made inside its container straight away: a window that paints its
        // labels itself takes each new one in as it is made.
        Unit* container = nullptr;
        if (record->container != 0)
            if (const auto c = window->units.indexOf(record->container)) container = liveAt(window->units, *c);
        HWND parent = container != nullptr ? container->handle() : loaded->handle();
        Unit* unit = bringUnitToLife(window->units, index, *type,
                                     createParamsOf(f, parent, loaded->takeControlId(), call.windowId, newId));
        // The window system refused the copy (a process has only so many
        // windows): no record stays behind without a unit.
        if (unit == nullptr) {
            window->units.removeRecord(index);
            return false;
        }
        if (record->container != 0) addChild(window->units, record->container, newId);
        // The copy stands just above its source.
        const Unit* source = layer.findUnit(call.windowId, call.unitId);
        settleUnit(*unit, source != nullptr ? source->handle() : HWND_TOP, (f.flags & UnitFlag::Visible) != 0);
    } else if (record->container != 0) {
        addChild(window->units, record->container, newId);
    }
    call.result = newId;
    return true;
}

void destroyUnit(WindowLayer& layer, const UnitCall& call)
{
    LoadedWindow* window = layer.findWindow(call.windowId);
    if (window == nullptr) {
        layer.findUnitStrict(call.windowId, call.unitId);  // reports
        return;
    }
    if (call.unitId == 0 || call.unitId == window->unitId()) {
        window->requestClose(call.a != 0);
        return;
    }
    Unit* unit = layer.findUnitStrict(call.windowId, call.unitId);
    HWND handle = unit->handle();
    const bool hadChildren = GetWindow(handle, GW_CHILD) != nullptr;
    DestroyWindow(handle);
    if (hadChildren) return;
    UnitTable& units = window->windowTemplate()->units;
    const auto index = units.indexOf(call.unitId);
    if (!index) return;
    const uint32_t container = units.unitFields(*index).container;
    units.removeRecord(*index);
    if (container != 0) removeChild(units, container, call.unitId);
}

void setZOrder(WindowLayer& layer, const UnitCall& call)
{
    Unit* unit = layer.findUnitStrict(call.windowId, call.unitId);
    const int32_t position = (call.given & 1) ? call.a : 0;
    HWND after = HWND_TOP;
    if (position == 2) after = HWND_BOTTOM;
    if (unit->type().typeId() == TypeId::Window) {
        auto* window = static_cast<LoadedWindow*>(unit);
        if (position == 3) window->data().alwaysOnTop = 1;
        if (position >= 4) window->data().alwaysOnTop = 0;
        if (position == 3 || (position <= 1 && window->data().alwaysOnTop)) after = HWND_TOPMOST;
        if (position >= 4) after = HWND_NOTOPMOST;
    }
    if (alreadyStacked(unit->handle(), after)) return;
    SetWindowPos(unit->handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void popupMenu(WindowLayer& layer, const UnitCall& call, bool trayForm)
{
    LoadedWindow* window = layer.findWindow(call.windowId);
    if (window == nullptr) {
        layer.findUnitStrict(call.windowId, 0);
        return;
    }
    const UnitTable& units = window->windowTemplate()->units;
    const bool ownerDrawn = (units.unitFields(0).flags & UnitFlag::OwnerDrawMenu) != 0;
    const auto index = units.indexOf(call.unitId);
    if (!index || !units.isMenuItem(*index) || units.menuItemFields(*index).level != 0) return;
    UniqueMenu menu = buildPopupMenu(units, call.unitId, ownerDrawn);
    if (!menu) return;
    POINT at;
    GetCursorPos(&at);
    HWND h = window->handle();
    if (trayForm) {
        SetForegroundWindow(h);
        TrackPopupMenu(menu.get(), TPM_RIGHTALIGN | TPM_RIGHTBUTTON, at.x - 5, at.y - 5, 0, h, nullptr);
        PostMessageW(h, WM_NULL, 0, 0);
        return;
    }
    const int x = (call.given & 1) ? call.a : at.x + 3;
    const int y = (call.given & 2) ? call.b : at.y + 3;
    TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, x, y, 0, h, nullptr);
}

bool measureCaption(WindowLayer& layer, UnitCall& call)
{
    Unit* unit = layer.findUnitStrict(call.windowId, call.unitId);
    SIZE size{};
    if (SendMessageW(unit->handle(), UnitMessage::MeasureCaption, 0, reinterpret_cast<LPARAM>(&size)) == 0) return false;
    call.a = size.cx;
    call.b = size.cy;
    return true;
}

void setTrayIcon(WindowLayer& layer, const UnitCall& call)
{
    LoadedWindow* window = layer.findWindow(call.windowId);
    if (window == nullptr) {
        layer.findUnitStrict(call.windowId, 0);
        return;
    }
    UniqueIcon icon = iconFromFileBytes({call.data, static_cast<size_t>(call.length)}, GetSystemMetrics(SM_CXSMICON),
                                        GetSystemMetrics(SM_CYSMICON));
    std::optional<std::string_view> tip;
    if (call.text != nullptr) tip = std::string_view(call.text);
    window->trayIcon().set(window->handle(), std::move(icon), tip);
}

}  // namespace tessaly::ui
