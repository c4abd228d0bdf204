#include "runtime/ui/window_layer.h"

#include <vector>

#include "runtime/core/notify_codes.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/runtime_error.h"
#include "runtime/ui/event_routine.h"
#include "runtime/ui/mouse_pointer.h"
#include "runtime/ui/property_access.h"

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


}  // namespace

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
    Unit* unit = unitObjectAt(units, *index);
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
