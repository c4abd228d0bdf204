// Waiting in window tests: pump messages until a condition holds or a
// deadline passes, never for a fixed time.
#pragma once

#include <windows.h>

#include <functional>

#include "runtime/ui/window_layer.h"

namespace tessaly::ui::testing {

// A loaded window's messages go through the window layer's filter, as the
// program's loop sends them; that raises the common events.
inline void dispatchQueued()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (WindowLayer::instance().filterMessage(&msg)) continue;
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
