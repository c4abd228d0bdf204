// The runtime entry points through which the command library acts on
// windows and units. The window layer answers them (RuntimeNotify), so the
// commands never name its types: they pass identifiers and get back
// handles and results.
#pragma once

#include <cstdint>

namespace tessaly {

namespace UnitRequest {
inline constexpr int32_t WindowHandle = 3000;   // (window, unit): the live control's handle, or 0
inline constexpr int32_t CopyUnit = 3001;       // source -> new unit id in `result`
inline constexpr int32_t Destroy = 3002;        // a = destroy at once
inline constexpr int32_t SetZOrder = 3003;      // a = layer
inline constexpr int32_t PopupMenu = 3004;      // unit = menu, a/b = x/y, given = which were given
inline constexpr int32_t PopupTrayMenu = 3005;  // unit = menu
inline constexpr int32_t SetTrayIcon = 3006;    // data/length = icon bytes, text = tip or null
inline constexpr int32_t LoadWindow = 3007;     // unit = owner window (0 none), a = modal
inline constexpr int32_t MeasureCaption = 3008; // -> a/b = width/height of the unit's caption; 0 when it has none
}  // namespace UnitRequest

// The one argument record of a unit request (passed as value 1).
struct UnitCall {
    uint32_t windowId = 0;
    uint32_t unitId = 0;
    int32_t a = 0;
    int32_t b = 0;
    uint32_t given = 0;  // bit 0: a given, bit 1: b given
    const uint8_t* data = nullptr;
    intptr_t length = 0;
    const char* text = nullptr;
    uint32_t result = 0;
};

// A unit request to the window layer, through the runtime.
intptr_t requestUnit(int32_t code, UnitCall& call);

// Private messages a check-list box answers for the list commands.
namespace ListMessage {
inline constexpr unsigned GetChecked = 0x8110;  // wParam index -> 0 or 1
inline constexpr unsigned SetChecked = 0x8111;  // wParam index, lParam state
}  // namespace ListMessage

}  // namespace tessaly
