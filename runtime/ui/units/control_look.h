// What the input units share around the standard controls they wrap: their
// window text as GBK, the font a unit stores, the background brush its colour
// asks for, the colours answered to WM_CTLCOLOR*, the border rule, and the
// clamping of property values by the type's property table.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ui/unit_type.h"
#include "runtime/core/win32_handles.h"

namespace tessaly::ui {

// Every control a unit makes gets these on top of the template's style bits.
inline constexpr DWORD ChildControlStyle = WS_CHILD | WS_CLIPSIBLINGS;

std::string windowTextGbk(HWND window);
void setWindowTextGbk(HWND window, std::string_view text);

// GBK byte offsets, which the program counts in, against the UTF-16 positions
// the controls count in.
int32_t charsBeforeByte(std::string_view text, int32_t bytes);
int32_t bytesBeforeChar(std::string_view text, int32_t chars);

// The unit's own font (a stored 60-byte LOGFONT with a GBK face name), or
// the default GUI font when none is stored.
class ControlFont {
public:
    void apply(HWND window, std::span<const uint8_t> stored);
    HFONT get() const;
    // The height of a line of text in the font, on the window's display.
    int32_t height(HWND window) const;

private:
    UniqueFont own_;
};

// A solid brush of the background colour; 0xFF000000 is the system
// button-face colour, whose brush belongs to the system.
class BackgroundBrush {
public:
    void set(uint32_t colour);
    HBRUSH get() const { return own_ ? own_.get() : GetSysColorBrush(COLOR_BTNFACE); }
    COLORREF colour() const { return colour_; }

private:
    UniqueBrush own_;
    COLORREF colour_ = GetSysColor(COLOR_BTNFACE);
};

// The answer to a WM_CTLCOLOR* message: text and background colours set on
// the control's device context, and the brush for the rest.
LRESULT controlColours(HDC dc, uint32_t textColour, const BackgroundBrush& background);

// Texts a unit reads from its live control are answered from here; the
// caller copies them before the next read.
PropertyValue answerText(std::string text);

// Replaces some style bits of a live control and redraws it.
void changeStyle(HWND window, DWORD mask, DWORD bits);

}  // namespace tessaly::ui
