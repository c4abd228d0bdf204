// The hotkey registry: identifiers from 33001, never reused within a run;
// the registering window is subclassed while any registration is counted,
// and each hotkey is forwarded to the target as message 0x8075.
#include <windows.h>
#include <commctrl.h>

#include "runtime/core/commands/command_arguments.h"
#include "runtime/core/commands/commands.h"

namespace tessaly::commands {
namespace {

constexpr int32_t FirstHotkeyId = 33001;
constexpr UINT HotkeyFeedback = 0x8075;

struct HotkeyRegistry {
    int32_t nextCounter = 0;
    int32_t highest = 0;
    HWND target = nullptr;
    int32_t live = 0;
    HWND subclassed = nullptr;  // the window whose hotkey messages come here
};

HotkeyRegistry g_registry;

LRESULT CALLBACK hotkeyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_HOTKEY) {
        const auto id = static_cast<int32_t>(wParam);
        if (id >= FirstHotkeyId && id <= g_registry.highest)
            SendMessageW(g_registry.target, HotkeyFeedback, static_cast<WPARAM>(id), 0);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

UINT modifierFlags(int32_t m)
{
    switch (m) {
    case 1: return MOD_CONTROL;
    case 2: return MOD_SHIFT;
    case 3: return MOD_CONTROL | MOD_SHIFT;
    case 4: return MOD_ALT;
    case 5: return MOD_ALT | MOD_CONTROL;
    case 6: return MOD_ALT | MOD_SHIFT;
    default: return static_cast<UINT>(m);
    }
}

HWND handleArgument(const TypedValue& v) { return reinterpret_cast<HWND>(static_cast<intptr_t>(v.asInt())); }

}  // namespace

void RegisterHotkey(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    HWND window = handleArgument(args.at(0));
    g_registry.target = handleArgument(args.at(1));
    const UINT flags = modifierFlags(args.at(2).asInt());
    if (g_registry.subclassed == nullptr && IsWindow(window) && SetWindowSubclass(window, &hotkeyProcedure, 0, 0))
        g_registry.subclassed = window;
    ++g_registry.live;
    const int32_t id = FirstHotkeyId + g_registry.nextCounter++;
    g_registry.highest = id;
    if (RegisterHotKey(window, id, flags, static_cast<UINT>(args.at(3).asInt()))) setIntResult(result, id);
}

void UnregisterHotkey(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    HWND window = handleArgument(args.at(0));
    bool ok = UnregisterHotKey(window, args.at(1).asInt()) != FALSE;
    --g_registry.live;
    if (g_registry.live <= 0 && g_registry.subclassed != nullptr) {
        g_registry.live = 0;
        ok = RemoveWindowSubclass(g_registry.subclassed, &hotkeyProcedure, 0) != FALSE;
        g_registry.subclassed = nullptr;
    }
    result->low = ok ? 1 : 0;
}

}  // namespace tessaly::commands
