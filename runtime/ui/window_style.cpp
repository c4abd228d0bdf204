#include "runtime/ui/window_style.h"

namespace tessaly::ui {

FrameStyle frameStyle(const FrameSettings& s)
{
    FrameStyle f;
    if (s.border == 0) return f;  // neither frame nor caption bar
    f.style |= WS_DLGFRAME;
    const bool resizable = s.border == 1 || s.border == 3 || s.border == 5;
    if (resizable) f.style |= WS_THICKFRAME;
    if (s.border == 3 || s.border == 4) f.extendedStyle |= WS_EX_TOOLWINDOW;
    if (s.border == 5 || s.border == 6) f.extendedStyle |= WS_EX_CLIENTEDGE;
    if (s.hasTitle || s.controlBox) {
        f.style |= WS_CAPTION;
        if (s.controlBox) f.style |= WS_SYSMENU;
    }
    if (s.maximiseBox) f.style |= WS_MAXIMIZEBOX;
    if (s.minimiseBox) f.style |= WS_MINIMIZEBOX;
    return f;
}

}  // namespace tessaly::ui
