// The common events -1 to -12 that input messages become, with their
// arguments, before the message reaches the unit's own handling.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "runtime/core/notify_codes.h"
#include "runtime/ui/event_dispatch.h"

namespace tessaly::ui {

namespace CommonEvent = ::tessaly::CommonEvent;

// Bit 0 Ctrl, bit 1 Shift, bit 2 Alt, as they stand at the time of the message.
int32_t currentKeyState();

struct CommonEventCall {
    int32_t event;
    int32_t argumentCount;
    int32_t arguments[3];
};

// The common event an input message raises, if any. `keyState` is passed in
// so the mapping is testable without a keyboard.
std::optional<CommonEventCall> commonEventFor(UINT message, WPARAM wParam, LPARAM lParam, int32_t keyState);

// How a routine's answer acts on the message: for WM_CHAR a returned 0
// swallows the character and another value replaces it; for the other input
// events a returned false swallows the message.
enum class MessageFate { Pass, Swallow, Replace };
MessageFate fateOf(UINT message, const EventRecord& record);

}  // namespace tessaly::ui
