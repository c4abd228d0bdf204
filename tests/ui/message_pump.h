// Waiting in window tests: pump messages until a condition holds or a
// deadline passes, never for a fixed time. A loaded window's messages go
// through the window layer's filter, as the program's loop sends them; a
// unit a test hosts in a plain window raises the common events that filter
// would.
#pragma once

#include <windows.h>

#include <functional>

#include "runtime/ui/event_dispatch.h"
#include "runtime/ui/message_events.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/window_layer.h"

namespace tessaly::ui::testing {

inline bool inLoadedWindow(HWND window)
{
    const Unit* root = Unit::fromHandle(GetAncestor(window, GA_ROOT));
    return root != nullptr && root->type().typeId() == TypeId::Window;
}

inline void raiseCommonEvent(const MSG& msg)
{
    const Unit* unit = Unit::fromHandle(msg.hwnd);
    if (unit == nullptr) return;
    const auto call = commonEventFor(msg.message, msg.wParam, msg.lParam, 0);
    if (!call) return;
    EventRecord record = makeEvent(unit->windowId(), unit->unitId(), call->event);
    record.argumentCount = call->argumentCount;
    for (int32_t i = 0; i < call->argumentCount; ++i) record.arguments[i] = call->arguments[i];
    EventDispatcher::instance().fire(record);
}

inline void dispatchQueued()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.hwnd != nullptr && inLoadedWindow(msg.hwnd)) {
            if (WindowLayer::instance().filterMessage(&msg)) continue;
        } else {
            raiseCommonEvent(msg);
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// True once `done` holds; false when the deadline passed first.
inline bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline) return false;
        dispatchQueued();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Lets posted messages and the messages they cause run.
inline void pumpPending()
{
    int rounds = 0;
    pumpUntil([&] { return ++rounds > 5; });
}

}  // namespace tessaly::ui::testing
