// The visual-style handle units draw their parts with (check boxes, push
// buttons); none when styles are off, and the unit falls back to the classic look.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include "runtime/core/win32_handles.h"

namespace tessaly::ui {

namespace detail {
inline void closeTheme(HTHEME h) { CloseThemeData(h); }
}  // namespace detail

using UniqueTheme = UniqueHandle<HTHEME, &detail::closeTheme>;

}  // namespace tessaly::ui
