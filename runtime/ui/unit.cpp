#include "runtime/ui/unit.h"

#include <commctrl.h>

#include <unordered_map>
#include <utility>

#include "runtime/core/notify_codes.h"

namespace tessaly::ui {
namespace {

UnitDestroyedHandler g_destroyed = nullptr;
UnitCursorLookup g_cursorLookup = nullptr;

std::unordered_map<uint32_t, const UnitType*>& unitTypes()
{
    static std::unordered_map<uint32_t, const UnitType*> types;
    return types;
}

// Every live unit by its window's handle. The lookup runs for every message a
// unit receives; a window property would serve too, but under Wine reading
// one is a round trip to the window server.
std::unordered_map<HWND, Unit*>& unitsByHandle()
{
    static std::unordered_map<HWND, Unit*> units;
    return units;
}

}  // namespace

void registerUnitType(const UnitType& type) { unitTypes()[type.typeId()] = &type; }

const UnitType* findUnitType(uint32_t typeId)
{
    const auto found = unitTypes().find(typeId);
    return found == unitTypes().end() ? nullptr : found->second;
}

void setUnitDestroyedHandler(UnitDestroyedHandler handler) { g_destroyed = handler; }
void setUnitCursorLookup(UnitCursorLookup lookup) { g_cursorLookup = lookup; }

Unit* Unit::fromHandle(HWND handle)
{
    const auto found = unitsByHandle().find(handle);
    return found == unitsByHandle().end() ? nullptr : found->second;
}

EventRecord Unit::fire(int32_t event, std::initializer_list<int32_t> arguments) const
{
    EventRecord record = makeEvent(windowId_, unitId_, event, arguments);
    if (alive()) EventDispatcher::instance().fire(record);
    return record;
}

bool Unit::createWindow(DWORD extendedStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                        const UnitCreateParams& params)
{
    HWND handle = CreateWindowExW(extendedStyle, className, text, style | params.style, params.left, params.top,
                                  params.width, params.height, params.parent,
                                  reinterpret_cast<HMENU>(static_cast<intptr_t>(params.controlId)),
                                  GetModuleHandleW(nullptr), this);
    if (handle == nullptr) return false;
    if (handle_ == nullptr) attach(handle);  // a standard control: subclass it now
    return true;
}

void Unit::attach(HWND handle)
{
    if (creator_ != nullptr) std::exchange(creator_, nullptr)->release();  // the window owns the unit now
    handle_ = handle;
    unitsByHandle()[handle] = this;
    const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle, GWLP_WNDPROC));
    if (procedure != &Unit::unitProcedure)
        subclassed_ = SetWindowSubclass(handle, &Unit::subclassProcedure, 0, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

Unit::~Unit() { forget(); }

void Unit::forget()
{
    const auto found = unitsByHandle().find(handle_);
    if (found != unitsByHandle().end() && found->second == this) unitsByHandle().erase(found);
}

void Unit::detach()
{
    forget();
    if (std::exchange(subclassed_, false)) RemoveWindowSubclass(handle_, &Unit::subclassProcedure, 0);
    handle_ = nullptr;
}

RECT Unit::placement() const
{
    if (pendingPlacement_) return *pendingPlacement_;
    RECT r;
    GetWindowRect(handle_, &r);
    HWND parent = GetParent(handle_);
    const bool popup = (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) == 0;
    if (parent != nullptr && !popup) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Unit::moveWindowTo(const RECT& rect, UINT flags)
{
    SetWindowPos(handle_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 flags | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Unit::place(const RECT& rect, UINT unchanged)
{
    const RECT from = placement();
    if (keepsPlacementWhileHidden() && (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_VISIBLE) == 0)
        pendingPlacement_ = rect;
    else
        moveWindowTo(rect, unchanged);
    placementChanged(from, rect);
}

void Unit::placementChanged(const RECT&, const RECT&) {}

bool Unit::shown() const { return IsWindowVisible(handle_) != FALSE; }

void Unit::show(bool visible)
{
    ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
    // Showing moves a waiting placement along, except in a hidden window,
    // where showing the unit moves nothing.
    if (visible) applyPendingPlacement();
}

HCURSOR Unit::cursor() const { return g_cursorLookup != nullptr ? g_cursorLookup(windowId_, unitId_) : nullptr; }

void Unit::applyPendingPlacement()
{
    if (pendingPlacement_) moveWindowTo(*std::exchange(pendingPlacement_, std::nullopt), 0);
}

void Unit::takePendingPlacement(WINDOWPOS& change)
{
    const RECT r = *std::exchange(pendingPlacement_, std::nullopt);
    if (change.flags & SWP_NOMOVE) {
        change.x = r.left;
        change.y = r.top;
        change.flags &= ~SWP_NOMOVE;
    }
    if (change.flags & SWP_NOSIZE) {
        change.cx = r.right - r.left;
        change.cy = r.bottom - r.top;
        change.flags &= ~SWP_NOSIZE;
    }
}

bool Unit::handleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT Unit::callDefault(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (subclassed_) return DefSubclassProc(handle_, message, wParam, lParam);
    return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT Unit::dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A routine run from here may destroy this unit's window; the object
    // stays until the message is handled, and deletes itself then.
    const Hold hold(*this);
    if (message == WM_NCDESTROY) {
        const LRESULT result = callDefault(message, wParam, lParam);
        detach();
        destroyed_ = true;
        if (g_destroyed != nullptr) g_destroyed(windowId_, unitId_, this);
        return result;
    }
    // Focus changes are sent, never posted, so they are raised here rather
    // than in the window's message filter.
    if (!reportsFocusByNotification()) {
        if (message == WM_SETFOCUS) fire(CommonEvent::GotFocus);
        if (message == WM_KILLFOCUS) fire(CommonEvent::LostFocus);
        if (!alive()) return 0;
    }
    if (message == WM_WINDOWPOSCHANGING && pendingPlacement_) takePendingPlacement(*reinterpret_cast<WINDOWPOS*>(lParam));
    if (message == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == handle_ && LOWORD(lParam) == HTCLIENT) {
        if (HCURSOR own = cursorAtPointer()) {
            SetCursor(own);
            return TRUE;
        }
    }
    LRESULT result = 0;
    if (handleMessage(message, wParam, lParam, result) || !alive()) return result;
    return callDefault(message, wParam, lParam);
}

LRESULT CALLBACK Unit::unitProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Unit* unit = fromHandle(window);
    if (unit == nullptr && message == WM_NCCREATE) {
        unit = static_cast<Unit*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (unit != nullptr) unit->attach(window);
    }
    if (unit == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return unit->dispatch(message, wParam, lParam);
}

LRESULT CALLBACK Unit::subclassProcedure(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR unit)
{
    return reinterpret_cast<Unit*>(unit)->dispatch(message, wParam, lParam);
}

}  // namespace tessaly::ui
