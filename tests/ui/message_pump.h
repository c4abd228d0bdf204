// Waiting in window tests: pump messages (through the window layer's filter,
// as the program's loop does) until a condition holds or a deadline passes.
#pragma once

#include <windows.h>

#include <functional>

#include "runtime/ui/window_layer.h"

namespace tessaly::ui::testing {

inline void pumpUntil(const std::function<bool()>& done, DWORD milliseconds = 3000)
{
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (WindowLayer::instance().filterMessage(&msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Lets posted messages and the messages they cause run.
inline void pumpPending()
{
    int rounds = 0;
    pumpUntil([&] { return ++rounds > 5; });
}

}  // namespace tessaly::ui::testing
