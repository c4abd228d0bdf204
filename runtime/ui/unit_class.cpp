#include "runtime/ui/unit_class.h"

namespace tessaly::ui {

bool ensureUnitClass(const wchar_t* name, UINT classStyle, WNDPROC procedure)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{sizeof(existing)};
    if (GetClassInfoExW(instance, name, &existing)) return true;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = classStyle;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

}  // namespace tessaly::ui
