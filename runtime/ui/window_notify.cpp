// The window layer's answers to the runtime's notify codes and to the unit
// requests of the command library.
#include "runtime/ui/window_layer.h"

#include "runtime/core/notify_codes.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/unit_requests.h"
#include "runtime/ui/event_dispatch.h"
#include "runtime/ui/unit_commands.h"

namespace tessaly::ui {
namespace {

// 2 the window type, 1 another unit type (the menu item's included: it has
// no unit object of its own), 0 anything else.
int32_t dataTypeClass(uint32_t type)
{
    if (type == TypeId::Window) return 2;
    return type == TypeId::MenuItem || findUnitType(type) != nullptr ? 1 : 0;
}

}  // namespace

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

}  // namespace tessaly::ui
