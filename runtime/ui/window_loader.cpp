// Loading a window: the window unit and its units made from the template
// while events wait, then set up, shown and announced in the order the
// program's routines expect.
#include "runtime/ui/window_layer.h"

#include <vector>

#include "runtime/core/notify_codes.h"
#include "runtime/core/runtime_app.h"
#include "runtime/ui/menu_builder.h"
#include "runtime/ui/mouse_pointer.h"
#include "runtime/ui/unit_birth.h"
#include "runtime/ui/unit_scale.h"

namespace tessaly::ui {
namespace {

DWORD styleOfFlags(uint32_t flags)
{
    DWORD style = 0;
    if (flags & UnitFlag::Disabled) style |= WS_DISABLED;
    if (flags & UnitFlag::TabStop) style |= WS_TABSTOP;
    return style;
}

}  // namespace

UnitCreateParams createParamsOf(const UnitFields& fields, HWND parent, int32_t controlId, uint32_t windowId,
                                uint32_t unitId)
{
    UnitCreateParams params;
    params.typeData = fields.typeData;
    params.style = styleOfFlags(fields.flags);
    params.parent = parent;
    params.controlId = controlId;
    params.left = fields.position.left;
    params.top = fields.position.top;
    params.width = fields.position.width;
    params.height = fields.position.height;
    params.windowId = windowId;
    params.unitId = unitId;
    return params;
}

bool WindowLayer::load(uint32_t windowId, uint32_t ownerId, bool modal)
{
    if (LoadedWindow* loaded = findWindow(windowId)) {
        if (!loaded->closePending()) {
            HWND h = loaded->handle();
            if (IsIconic(h))
                ShowWindow(h, SW_RESTORE);
            else
                SetActiveWindow(h);
            return true;
        }
        DestroyWindow(loaded->handle());  // the deferred close, carried out now
    }
    WindowTemplate* window = templates_.find(windowId);
    if (window == nullptr) return false;
    HWND owner = nullptr;
    if (!modal && ownerId != 0) {
        LoadedWindow* ownerWindow = findWindow(ownerId);
        if (ownerWindow == nullptr) return false;
        owner = ownerWindow->handle();
    }
    const auto data = readTypeData(WindowRows, window->units.unitFields(0).typeData);
    if (!data) return false;
    if (owner == nullptr && (modal || !data->showInTaskBar)) owner = RuntimeApp::instance().hiddenOwner();

    LoadedWindow* loaded = createWindowUnits(window, owner, windowId);
    if (loaded == nullptr) return false;
    finishLoading(*window, *loaded, modal);
    return true;
}

// The window and its units, made while events wait: a routine sees the
// window only once it stands whole.
LoadedWindow* WindowLayer::createWindowUnits(WindowTemplate* window, HWND owner, uint32_t windowId)
{
    const RuntimeApp::SuspendedEvents quiet;
    keepPristineCopy(*window);
    scaleUnitPlaces(window->units, static_cast<int32_t>(GetDpiForSystem()));
    const UnitFields own = window->units.unitFields(0);
    MenuBar bar = buildMenuBar(window->units, (own.flags & UnitFlag::OwnerDrawMenu) != 0);

    UnitCreateParams params = createParamsOf(own, owner, 0, windowId, window->ownRecordId());
    params.menu = bar.menu.get();
    auto* loaded = static_cast<LoadedWindow*>(windowUnitType().create(params));
    if (loaded == nullptr) {
        restorePristineCopy(*window);
        return nullptr;
    }
    loaded->setTemplate(window);
    loaded->setMenuBar(std::move(bar.menu), std::move(bar.accelerators));
    window->units.setObjectSlot(0, reinterpret_cast<uintptr_t>(static_cast<Unit*>(loaded)));
    loaded_[windowId] = loaded;
    createUnits(*window, *loaded);
    return loaded;
}

bool WindowLayer::createUnits(WindowTemplate& window, LoadedWindow& loaded)
{
    UnitTable& units = window.units;
    for (size_t i = units.size(); i-- > 1;) {
        if (units.isMenuItem(i)) continue;
        const UnitType* type = findUnitType(units.typeIdAt(i));
        if (type == nullptr) continue;
        bringUnitToLife(units, i, *type,
                        createParamsOf(units.unitFields(i), loaded.handle(), loaded.takeControlId(), window.id, units.idAt(i)));
    }
    // Units inside a container become its children; positions are already relative to it.
    for (size_t i = 1; i < units.size(); ++i) {
        Unit* unit = unitObjectAt(units, i);
        if (unit == nullptr || units.isMenuItem(i)) continue;
        const uint32_t container = units.unitFields(i).container;
        if (container == 0) continue;
        if (const auto c = units.indexOf(container); c && unitObjectAt(units, *c) != nullptr)
            SetParent(unit->handle(), unitObjectAt(units, *c)->handle());
    }
    // Stacking: behind the nearest earlier unit of the same container, else on top.
    for (size_t i = 1; i < units.size(); ++i) {
        Unit* unit = unitObjectAt(units, i);
        if (unit == nullptr || units.isMenuItem(i)) continue;
        const uint32_t container = units.unitFields(i).container;
        HWND after = HWND_TOP;
        for (size_t j = i; j-- > 1;) {
            if (units.isMenuItem(j) || unitObjectAt(units, j) == nullptr) continue;
            if (units.unitFields(j).container == container) {
                after = unitObjectAt(units, j)->handle();
                break;
            }
        }
        SetWindowPos(unit->handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    // The window's own mouse pointer; its units took theirs as they were made.
    units.setPointerSlot(0, pointerSlotWord(loadPointer(units.unitFields(0).mousePointer)));
    return true;
}

void WindowLayer::finishLoading(WindowTemplate& window, LoadedWindow& loaded, bool modal)
{
    // The window's routines may destroy it at any step from here on.
    const Unit::Hold hold(loaded);
    auto forEachUnit = [&](auto&& action, bool backwards) {
        const size_t n = window.units.size();
        for (size_t k = 1; k < n; ++k) {
            const size_t i = backwards ? n - k : k;
            if (window.units.isMenuItem(i)) continue;
            if (Unit* unit = unitObjectAt(window.units, i)) action(*unit, i);
        }
    };
    forEachUnit([](Unit& u, size_t) { finishUnitSetup(u); }, true);
    SendMessageW(loaded.handle(), UnitMessage::WindowSetup, 0, 0);
    forEachUnit(
        [&](Unit& u, size_t i) {
            const bool visible = (window.units.unitFields(i).flags & UnitFlag::Visible) != 0;
            if (visible && !(u.type().flags() & UnitTypeFlag::NeverVisible)) u.show(true);
        },
        false);

    for (const int32_t event : {WindowEvent::Created, WindowEvent::Moved, WindowEvent::Resized}) {
        if (!loaded.alive()) return;
        loaded.fire(event);
    }
    if (!loaded.alive()) return;
    if (window.units.unitFields(0).flags & UnitFlag::Visible) showAndAnnounceFocus(loaded);
    if (!loaded.alive()) return;
    if (modal) {
        loaded.setModal(true);
        loaded.disableOthers();
    }
    HWND focus = GetFocus();
    forEachUnit([](Unit& u, size_t) { announceLoaded(u); }, false);
    if (focus != nullptr && IsWindow(focus)) SetFocus(focus);
    if (!loaded.alive()) return;
    loaded.markLoaded();
    if (modal) {
        const uint32_t windowId = window.id;
        modalRunning_[windowId] = true;
        RuntimeApp::instance().runModalLoop(modalRunning_[windowId]);
        modalRunning_.erase(windowId);
    }
}

void WindowLayer::showAndAnnounceFocus(LoadedWindow& loaded)
{
    HWND before = GetFocus();
    ShowWindow(loaded.handle(), SW_SHOW);
    // Showing moves the focus, and the unit that receives it raises got focus
    // itself; a focus that stayed on a unit of this window is announced here.
    HWND focus = GetFocus();
    if (focus != before) return;
    Unit* focused = Unit::fromHandle(focus);
    if (focused != nullptr && focused->windowId() == loaded.windowId()) focused->fire(CommonEvent::GotFocus);
}

}  // namespace tessaly::ui
