#include "runtime/ui/units/control_look.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/type_data_io.h"
#include "runtime/ui/units/unit_paint.h"

namespace tessaly::ui {

std::string windowTextGbk(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return narrowToGbk(text);
}

void setWindowTextGbk(HWND window, std::string_view text) { SetWindowTextW(window, widenGbk(text).c_str()); }

int32_t charsBeforeByte(std::string_view text, int32_t bytes)
{
    bytes = std::clamp<int32_t>(bytes, 0, static_cast<int32_t>(text.size()));
    return static_cast<int32_t>(widenGbk(text.substr(0, static_cast<size_t>(bytes))).size());
}

int32_t bytesBeforeChar(std::string_view text, int32_t chars)
{
    const std::wstring wide = widenGbk(text);
    chars = std::clamp<int32_t>(chars, 0, static_cast<int32_t>(wide.size()));
    return static_cast<int32_t>(narrowToGbk(std::wstring_view(wide).substr(0, static_cast<size_t>(chars))).size());
}

PropertyValue answerText(std::string text)
{
    static std::string answer;
    answer = std::move(text);
    return PropertyValue::bytes(answer.data(), answer.size());
}

void ControlFont::apply(HWND window, std::span<const uint8_t> stored)
{
    UniqueFont font = createStoredFont(stored);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font.get() : GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    own_ = std::move(font);  // the old font goes only once the control has let go of it
}

HFONT ControlFont::get() const
{
    return own_ ? own_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int32_t ControlFont::height(HWND window) const
{
    const WindowDC dc(window);
    const SelectedObject font(dc.get(), get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmHeight;
}

void BackgroundBrush::set(uint32_t colour)
{
    if (colour == 0xFF000000) {
        own_.reset();
        colour_ = GetSysColor(COLOR_BTNFACE);
        return;
    }
    colour_ = colour & 0x00FFFFFF;
    own_.reset(CreateSolidBrush(colour_));
}

LRESULT controlColours(HDC dc, uint32_t textColour, const BackgroundBrush& background)
{
    SetTextColor(dc, textColour & 0x00FFFFFF);
    SetBkColor(dc, background.colour());
    return reinterpret_cast<LRESULT>(background.get());
}

void changeStyle(HWND window, DWORD mask, DWORD bits)
{
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>((style & ~mask) | (bits & mask)));
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace tessaly::ui
