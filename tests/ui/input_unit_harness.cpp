#include "input_unit_harness.h"

namespace tessaly::ui::testing {
namespace {

constexpr uint32_t HarnessWindowId = 0x52000077;

std::vector<FiredEvent> g_fired;
std::function<std::string()> g_snapshot;

RoutineResult nothing(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) { return {}; }

RoutineEntry recordEvent(uint32_t windowId, uint32_t unitId, int32_t event, EventSource& source)
{
    source = {windowId, unitId};
    g_fired.push_back({unitId, event, g_snapshot ? g_snapshot() : std::string()});
    return &nothing;
}

HWND controlOf(UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: return reinterpret_cast<HWND>(lParam);
    default: return nullptr;
    }
}

LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND control = controlOf(message, wParam, lParam);
    if (control != nullptr && Unit::fromHandle(control) != nullptr)
        return SendMessageW(control, UnitMessage::ReflectOffset + message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* parentClass()
{
    static const wchar_t* name = [] {
        WNDCLASSW c{};
        c.lpfnWndProc = &parentProcedure;
        c.hInstance = GetModuleHandleW(nullptr);
        c.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        c.lpszClassName = L"TessalyInputHarness";
        RegisterClassW(&c);
        return L"TessalyInputHarness";
    }();
    return name;
}

}  // namespace

InputHarness::InputHarness()
{
    EventDispatcher::instance().setRoutineFinder(&recordEvent);
    parent_ = CreateWindowExW(0, parentClass(), L"input units", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 30, 30,
                              420, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(parent_);
    clearEvents();
}

InputHarness::~InputHarness()
{
    DestroyWindow(parent_);
    g_snapshot = nullptr;
    EventDispatcher::instance().setRoutineFinder(nullptr);
}

Unit* InputHarness::create(const UnitType& type, std::vector<uint8_t> typeData, uint32_t unitId, RECT at)
{
    static int32_t controlId = 100;
    UnitCreateParams params;
    params.typeData = typeData;
    params.style = WS_TABSTOP;
    params.parent = parent_;
    params.controlId = controlId += 10;
    params.left = at.left;
    params.top = at.top;
    params.width = at.right;
    params.height = at.bottom;
    params.windowId = HarnessWindowId;
    params.unitId = unitId;
    Unit* unit = type.create(params);
    if (unit != nullptr) ShowWindow(unit->handle(), SW_SHOWNA);
    return unit;
}

std::vector<FiredEvent> InputHarness::events(uint32_t unitId, int32_t event) const
{
    std::vector<FiredEvent> found;
    for (const FiredEvent& e : g_fired)
        if (e.unitId == unitId && e.event == event) found.push_back(e);
    return found;
}

void InputHarness::clearEvents() { g_fired.clear(); }

void InputHarness::snapshotWith(std::function<std::string()> snapshot) { g_snapshot = std::move(snapshot); }

}  // namespace tessaly::ui::testing
