#include "runtime/ui/window_layer.h"

#include <vector>

#include "runtime/core/notify_codes.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/runtime_error.h"
#include "runtime/ui/event_routine.h"
#include "runtime/ui/menu_builder.h"
#include "runtime/ui/mouse_pointer.h"
#include "runtime/ui/property_access.h"
#include "runtime/ui/unit_commands.h"
#include "runtime/ui/unit_scale.h"

namespace tessaly::ui {
namespace {

constexpr char UnitMissing[] = "指定窗口或窗口组件不存在或尚未载入";

RoutineEntry findRoutine(uint32_t windowId, uint32_t unitId, int32_t event, EventSource& source)
{
    const auto found = findEventRoutine(WindowLayer::instance().templates(), windowId, unitId, event,
                                        &WindowLayer::unitKind);
    if (!found) return nullptr;
    source = {found->windowId, found->unitId};
    return reinterpret_cast<RoutineEntry>(found->routine);
}

DWORD styleOfFlags(uint32_t flags)
{
    DWORD style = 0;
    if (flags & UnitFlag::Disabled) style |= WS_DISABLED;
    if (flags & UnitFlag::TabStop) style |= WS_TABSTOP;
    return style;
}

// 2 the window type, 1 another unit type (the menu item's included: it has
// no unit object of its own), 0 anything else.
int32_t dataTypeClass(uint32_t type)
{
    if (type == TypeId::Window) return 2;
    return type == TypeId::MenuItem || findUnitType(type) != nullptr ? 1 : 0;
}

Unit* objectOf(const UnitTable& units, size_t index)
{
    return reinterpret_cast<Unit*>(units.objectSlot(index));
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

WindowLayer& WindowLayer::instance()
{
    static WindowLayer layer;
    return layer;
}

HCURSOR WindowLayer::cursorOf(uint32_t windowId, uint32_t unitId)
{
    const WindowTemplate* window = instance().templates_.find(windowId);
    if (window == nullptr) return nullptr;
    const auto index = window->units.indexOf(unitId);
    return index ? cursorOfSlot(window->units.pointerSlot(*index)) : nullptr;
}

void WindowLayer::install()
{
    registerUnitType(windowUnitType());
    setUnitCursorLookup(&WindowLayer::cursorOf);
    EventDispatcher::instance().setRoutineFinder(&findRoutine);
    setUnitDestroyedHandler(&WindowLayer::onUnitDestroyed);
    RuntimeApp::instance().setWindowSystem(this);
}

int32_t WindowLayer::unitKind(uint32_t typeId)
{
    if (typeId == TypeId::MenuItem) return 2;
    const UnitType* type = findUnitType(typeId);
    if (type == nullptr) return 0;
    if (type->flags() & UnitTypeFlag::Menu) return 2;
    return (type->flags() & UnitTypeFlag::WindowControl) ? 1 : 0;
}

void WindowLayer::loadTemplates(std::span<const uint8_t> block, uintptr_t codeBase)
{
    templates_ = loadTemplateBlock(block, codeBase);
}

void WindowLayer::releaseTemplates()
{
    std::vector<HWND> windows;
    for (const auto& [id, window] : loaded_) windows.push_back(window->handle());
    for (HWND window : windows)
        if (IsWindow(window)) DestroyWindow(window);
    loaded_.clear();
    templates_ = {};
}

bool WindowLayer::anyWindowLoaded() const
{
    for (const auto& [id, window] : loaded_)
        if (IsWindow(window->handle())) return true;
    return false;
}

LoadedWindow* WindowLayer::findWindow(uint32_t windowId) const
{
    const auto found = loaded_.find(windowId);
    if (found == loaded_.end() || !IsWindow(found->second->handle())) return nullptr;
    return found->second;
}

Unit* WindowLayer::findUnit(uint32_t windowId, uint32_t unitId) const
{
    LoadedWindow* window = findWindow(windowId);
    if (window == nullptr) return nullptr;
    if (unitId == 0 || unitId == window->unitId()) return window;
    const UnitTable& units = window->windowTemplate()->units;
    const auto index = units.indexOf(unitId);
    if (!index || units.isMenuItem(*index)) return nullptr;
    Unit* unit = objectOf(units, *index);
    return unit != nullptr && IsWindow(unit->handle()) ? unit : nullptr;
}

Unit* WindowLayer::findUnitStrict(uint32_t windowId, uint32_t unitId) const
{
    Unit* unit = findUnit(windowId, unitId);
    if (unit == nullptr) reportRuntimeError(UnitMissing, 0, static_cast<int32_t>(windowId), static_cast<int32_t>(unitId));
    return unit;
}

uint32_t WindowLayer::unitTypeOf(uint32_t windowId, uint32_t unitId) const
{
    const WindowTemplate* window = templates_.find(windowId);
    if (window == nullptr) return 0;
    const auto index = window->units.indexOf(unitId);
    return index ? window->units.typeIdAt(*index) : 0;
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
        const UnitCreateParams params =
            createParamsOf(units.unitFields(i), loaded.handle(), loaded.takeControlId(), window.id, units.idAt(i));
        if (Unit* unit = type->create(params)) units.setObjectSlot(i, reinterpret_cast<uintptr_t>(unit));
    }
    // Units inside a container become its children; positions are already relative to it.
    for (size_t i = 1; i < units.size(); ++i) {
        Unit* unit = objectOf(units, i);
        if (unit == nullptr || units.isMenuItem(i)) continue;
        const uint32_t container = units.unitFields(i).container;
        if (container == 0) continue;
        if (const auto c = units.indexOf(container); c && objectOf(units, *c) != nullptr)
            SetParent(unit->handle(), objectOf(units, *c)->handle());
    }
    // Stacking: behind the nearest earlier unit of the same container, else on top.
    for (size_t i = 1; i < units.size(); ++i) {
        Unit* unit = objectOf(units, i);
        if (unit == nullptr || units.isMenuItem(i)) continue;
        const uint32_t container = units.unitFields(i).container;
        HWND after = HWND_TOP;
        for (size_t j = i; j-- > 1;) {
            if (units.isMenuItem(j) || objectOf(units, j) == nullptr) continue;
            if (units.unitFields(j).container == container) {
                after = objectOf(units, j)->handle();
                break;
            }
        }
        SetWindowPos(unit->handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    // Mouse pointers, the window's own included.
    for (size_t i = 0; i < units.size(); ++i) {
        if (units.isMenuItem(i) || objectOf(units, i) == nullptr) continue;
        units.setPointerSlot(i, pointerSlotWord(loadPointer(units.unitFields(i).mousePointer)));
    }
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
            if (Unit* unit = objectOf(window.units, i)) action(*unit, i);
        }
    };
    forEachUnit([](Unit& u, size_t) { SendMessageW(u.handle(), UnitMessage::FinishSetup, 0, 0); }, true);
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
    forEachUnit([](Unit& u, size_t) { SendMessageW(u.handle(), UnitMessage::Loaded, 0, 0); }, false);
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

void WindowLayer::onUnitDestroyed(uint32_t windowId, uint32_t unitId, const Unit* unit)
{
    instance().unitDestroyed(windowId, unitId, unit);
}

void WindowLayer::unitDestroyed(uint32_t windowId, uint32_t unitId, const Unit* unit)
{
    WindowTemplate* window = templates_.find(windowId);
    if (window == nullptr) return;
    const auto index = window->units.indexOf(unitId);
    // A re-created unit has already taken the slot of the one going away.
    if (!index || window->units.objectSlot(*index) != reinterpret_cast<uintptr_t>(unit)) return;
    window->units.setObjectSlot(*index, 0);
    releasePointer(window->units.pointerSlot(*index));
    window->units.setPointerSlot(*index, 0);
    if (*index != 0) return;

    // The window itself: the next load starts from the template as compiled.
    restorePristineCopy(*window);
    loaded_.erase(windowId);
    if (auto running = modalRunning_.find(windowId); running != modalRunning_.end()) running->second = false;
    EventDispatcher::instance().forgetWindow(windowId);
    RuntimeApp::instance().onWindowDestroyed();
}

bool WindowLayer::filterMessage(void* message)
{
    MSG& msg = *static_cast<MSG*>(message);
    if (msg.hwnd == nullptr) return false;
    Unit* root = Unit::fromHandle(GetAncestor(msg.hwnd, GA_ROOT));
    if (root == nullptr || root->type().typeId() != TypeId::Window) return false;
    return static_cast<LoadedWindow*>(root)->filterMessage(msg);
}

bool WindowLayer::idle(int32_t count)
{
    if (count == 0) idleStart_ = GetTickCount();
    const auto elapsed = static_cast<int32_t>(GetTickCount() - idleStart_);
    std::vector<uint32_t> ids;
    for (const auto& [id, window] : loaded_) ids.push_back(id);
    bool more = false;
    for (const uint32_t id : ids) {
        LoadedWindow* window = findWindow(id);
        if (window == nullptr) continue;
        const EventRecord r = window->fire(WindowEvent::Idle, {elapsed});
        more = more || (r.returned && r.value != 0);
    }
    return more;
}

intptr_t WindowLayer::notify(int32_t code, intptr_t value1, intptr_t value2, bool& handled)
{
    handled = true;
    const auto windowId = static_cast<uint32_t>(value1);
    const auto unitId = static_cast<uint32_t>(value2);
    switch (code) {
    case RuntimeNotify::WindowDestroyed: RuntimeApp::instance().onWindowDestroyed(); return 0;
    case RuntimeNotify::LoadWindow: return load(windowId, unitId, false) ? 1 : 0;
    case RuntimeNotify::FindUnit: return reinterpret_cast<intptr_t>(findUnit(windowId, unitId));
    case RuntimeNotify::FindUnitStrict: return reinterpret_cast<intptr_t>(findUnitStrict(windowId, unitId));
    case RuntimeNotify::FireEvent: return EventDispatcher::instance().fire(*reinterpret_cast<EventRecord*>(value1)) ? 1 : 0;
    case RuntimeNotify::CurrentEventSource: {
        const auto source = EventDispatcher::instance().currentSource();
        if (!source) return 0;
        *reinterpret_cast<EventSource*>(value1) = *source;
        return 1;
    }
    case RuntimeNotify::UnitTypeOf: return unitTypeOf(windowId, unitId);
    case RuntimeNotify::ClassifyType: return dataTypeClass(static_cast<uint32_t>(value1));
    case RuntimeNotify::WindowList: {
        // The window list: the count of loaded windows, and up to value 2
        // of their identifiers written where value 1 points.
        auto* out = reinterpret_cast<uint32_t*>(value1);
        intptr_t count = 0;
        for (const auto& [id, window] : loaded_) {
            if (!IsWindow(window->handle())) continue;
            if (out != nullptr && count < value2) out[count] = id;
            ++count;
        }
        return count;
    }
    case RuntimeNotify::FindUnitType: return reinterpret_cast<intptr_t>(findUnitType(static_cast<uint32_t>(value1)));
    default: break;
    }
    if (code < UnitRequest::WindowHandle || code > UnitRequest::MeasureCaption || value1 == 0) {
        handled = false;
        return 0;
    }
    auto& call = *reinterpret_cast<UnitCall*>(value1);
    switch (code) {
    case UnitRequest::WindowHandle: return windowHandleOf(*this, call);
    case UnitRequest::CopyUnit: return copyUnit(*this, call) ? 1 : 0;
    case UnitRequest::Destroy: destroyUnit(*this, call); return 0;
    case UnitRequest::SetZOrder: setZOrder(*this, call); return 0;
    case UnitRequest::PopupMenu: popupMenu(*this, call, false); return 0;
    case UnitRequest::PopupTrayMenu: popupMenu(*this, call, true); return 0;
    case UnitRequest::SetTrayIcon: setTrayIcon(*this, call); return 0;
    case UnitRequest::LoadWindow: return load(call.windowId, call.unitId, call.a != 0) ? 1 : 0;
    case UnitRequest::MeasureCaption: return measureCaption(*this, call) ? 1 : 0;
    default: handled = false; return 0;
    }
}

std::optional<std::string> WindowLayer::windowTag(uint32_t windowId) const
{
    const LoadedWindow* window = findWindow(windowId);
    if (window == nullptr) return std::nullopt;
    return std::string(window->windowTemplate()->units.unitFields(0).tag);
}

std::optional<std::string> WindowLayer::unitTag(uint32_t windowId, uint32_t unitId) const
{
    const LoadedWindow* window = findWindow(windowId);
    if (window == nullptr) return std::nullopt;
    const UnitTable& units = window->windowTemplate()->units;
    const auto index = units.indexOf(unitId);
    if (!index || units.isMenuItem(*index)) return std::nullopt;
    return std::string(units.unitFields(*index).tag);
}

bool WindowLayer::loadStartupWindow(uint32_t windowId) { return load(windowId, 0, false); }

TypedValue WindowLayer::getProperty(const PropertyAccess& access) { return readUnitProperty(*this, access); }

void WindowLayer::setProperty(const PropertyAccess& access, const TypedValue& value)
{
    writeUnitProperty(*this, access, value);
}

intptr_t WindowLayer::readObjectProperty(uint32_t, void* object, int32_t property, TypedValue* out)
{
    auto* unit = static_cast<Unit*>(object);
    if (unit == nullptr || out == nullptr) return 0;
    *out = readUnitProperty(*this, {unit->windowId(), unit->unitId(), property, -1});
    return 1;
}

intptr_t WindowLayer::writeObjectProperty(uint32_t, void* object, int32_t property, const TypedValue& value)
{
    auto* unit = static_cast<Unit*>(object);
    if (unit == nullptr) return 0;
    writeUnitProperty(*this, {unit->windowId(), unit->unitId(), property, -1}, value);
    return 1;
}

}  // namespace tessaly::ui
