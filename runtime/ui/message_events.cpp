#include "runtime/ui/message_events.h"

namespace tessaly::ui {
namespace {

CommonEventCall mouse(int32_t event, LPARAM lParam, int32_t keyState)
{
    // Low and high halves of the position, signed: a drag may leave the client area.
    const auto x = static_cast<int16_t>(LOWORD(lParam));
    const auto y = static_cast<int16_t>(HIWORD(lParam));
    return {event, 3, {x, y, keyState}};
}

CommonEventCall key(int32_t event, WPARAM wParam, int32_t keyState)
{
    return {event, 2, {static_cast<int32_t>(wParam & 0x1FFF), keyState, 0}};
}

}  // namespace

int32_t currentKeyState()
{
    int32_t state = 0;
    if (GetKeyState(VK_CONTROL) < 0) state |= 1;
    if (GetKeyState(VK_SHIFT) < 0) state |= 2;
    if (GetKeyState(VK_MENU) < 0) state |= 4;
    return state;
}

std::optional<CommonEventCall> commonEventFor(UINT message, WPARAM wParam, LPARAM lParam, int32_t keyState)
{
    switch (message) {
    case WM_LBUTTONDOWN: return mouse(CommonEvent::LeftDown, lParam, keyState);
    case WM_LBUTTONUP: return mouse(CommonEvent::LeftUp, lParam, keyState);
    case WM_LBUTTONDBLCLK: return mouse(CommonEvent::DoubleClick, lParam, keyState);
    case WM_RBUTTONDOWN: return mouse(CommonEvent::RightDown, lParam, keyState);
    case WM_RBUTTONUP: return mouse(CommonEvent::RightUp, lParam, keyState);
    case WM_MOUSEMOVE: return mouse(CommonEvent::MouseMove, lParam, keyState);
    case WM_SETFOCUS: return CommonEventCall{CommonEvent::GotFocus, 0, {}};
    case WM_KILLFOCUS: return CommonEventCall{CommonEvent::LostFocus, 0, {}};
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: return key(CommonEvent::KeyDown, wParam, keyState);
    case WM_KEYUP:
    case WM_SYSKEYUP: return key(CommonEvent::KeyUp, wParam, keyState);
    case WM_CHAR: return CommonEventCall{CommonEvent::Character, 1, {static_cast<int32_t>(wParam), 0, 0}};
    case WM_MOUSEWHEEL:
        return CommonEventCall{CommonEvent::Wheel, 2,
                               {static_cast<int16_t>(HIWORD(wParam)) / WHEEL_DELTA, keyState, 0}};
    default: return std::nullopt;
    }
}

MessageFate fateOf(UINT message, const EventRecord& record)
{
    if (record.returned == 0) return MessageFate::Pass;
    if (message == WM_CHAR) return record.value == 0 ? MessageFate::Swallow : MessageFate::Replace;
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) return MessageFate::Pass;
    return record.value == 0 ? MessageFate::Swallow : MessageFate::Pass;
}

}  // namespace tessaly::ui
