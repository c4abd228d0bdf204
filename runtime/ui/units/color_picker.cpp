#include "runtime/ui/units/color_picker.h"

#include <vssym32.h>
#include <windowsx.h>

#include <algorithm>

#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/colour_popup.h"
#include "runtime/core/win32_handles.h"

namespace tessaly::ui {
namespace {

constexpr int32_t ArrowWidth = 12;
constexpr int32_t FaceInset = 4;
constexpr wchar_t NoColourText[] = L"透明";

void registerPickerClass(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = ColorPickerClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

ColorPicker::ColorPicker(const UnitType& type, uint32_t windowId, uint32_t unitId, ColorPickerData data)
    : RowUnit(type, windowId, unitId, std::move(data))
{
    applyChange(propertyIndex(ColorPickerRows, "colour"));
}

bool ColorPicker::create(const UnitCreateParams& params)
{
    registerPickerClass(&Unit::unitProcedure);
    if (!createWindow(0, ColorPickerClass, L"", WS_CHILD | WS_CLIPSIBLINGS, params)) return false;
    theme_.reset(IsAppThemed() ? OpenThemeData(handle(), L"BUTTON") : nullptr);
    return true;
}

void ColorPicker::applyChange(int32_t)
{
    if (data_.colour == NoColour && !data_.allowNoColour) data_.colour = 0;
    if (handle() != nullptr) InvalidateRect(handle(), nullptr, FALSE);
}

void ColorPicker::openPopup()
{
    if (popup() != nullptr || !IsWindowEnabled(handle())) return;
    popup_ = openColourPopup(handle(), data_.colour, data_.allowNoColour != 0);
}

void ColorPicker::onChosen(uint32_t colour)
{
    popup_ = nullptr;
    data_.colour = colour;
    applyChange(propertyIndex(ColorPickerRows, "colour"));
    fire(ColorPickerEvent::ColourChosen);
}

void ColorPicker::setPressed(bool pressed)
{
    if (pressed_ == pressed) return;
    pressed_ = pressed;
    InvalidateRect(handle(), nullptr, FALSE);
}

void ColorPicker::onButtonUp(LPARAM position)
{
    // Read before releasing the capture: losing it un-presses the button.
    const bool wasPressed = pressed_;
    if (GetCapture() == handle()) ReleaseCapture();
    setPressed(false);
    RECT client;
    GetClientRect(handle(), &client);
    const POINT p = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    if (wasPressed && PtInRect(&client, p)) openPopup();
}

bool ColorPicker::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message) {
    case WM_PAINT: {
        const PaintDC dc(handle());
        paint(dc.get());
        return true;
    }
    case WM_ERASEBKGND: result = 1; return true;  // the face covers everything
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(handle());
        SetCapture(handle());
        setPressed(true);
        return true;
    case WM_LBUTTONUP: onButtonUp(lParam); return true;
    case WM_CAPTURECHANGED: setPressed(false); return true;
    case WM_KEYDOWN:
        if (wParam != VK_SPACE && wParam != VK_RETURN && wParam != VK_DOWN && wParam != VK_F4) return false;
        openPopup();
        return true;
    case WM_GETDLGCODE: result = DLGC_BUTTON | DLGC_WANTARROWS; return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        InvalidateRect(handle(), nullptr, FALSE);
        return false;
    case WM_THEMECHANGED:
        theme_.reset(IsAppThemed() ? OpenThemeData(handle(), L"BUTTON") : nullptr);
        return false;
    case WM_DESTROY:
        // A pop-up must not outlive its picker (a re-created unit, say).
        // WM_CANCELMODE closes it the ordinary way, as a pop-up left without a choice.
        if (popup() != nullptr) SendMessageW(popup_, WM_CANCELMODE, 0, 0);
        return false;
    case ColourPopupMessage::Chosen: onChosen(static_cast<uint32_t>(wParam)); return true;
    case ColourPopupMessage::Left:
        popup_ = nullptr;
        InvalidateRect(handle(), nullptr, FALSE);
        return true;
    default: return false;
    }
}

// ---- drawing ----

void ColorPicker::paint(HDC dc)
{
    RECT client;
    GetClientRect(handle(), &client);
    paintFace(dc, client);
    RECT inner = client;
    InflateRect(&inner, -FaceInset, -FaceInset);
    if (pressed_) OffsetRect(&inner, 1, 1);
    RECT swatch = inner;
    swatch.right = std::max(swatch.left, inner.right - ArrowWidth);
    RECT arrow = inner;
    arrow.left = swatch.right;
    paintSwatch(dc, swatch);
    paintArrow(dc, arrow);
    if (GetFocus() == handle()) {
        RECT focus = client;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void ColorPicker::paintFace(HDC dc, const RECT& client)
{
    const bool disabled = !IsWindowEnabled(handle());
    if (theme_) {
        const int state = disabled ? PBS_DISABLED : pressed_ ? PBS_PRESSED : PBS_NORMAL;
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        DrawThemeBackground(theme_.get(), dc, BP_PUSHBUTTON, state, &client, nullptr);
        return;
    }
    RECT r = client;
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0));
}

void ColorPicker::paintSwatch(HDC dc, const RECT& swatch)
{
    const bool disabled = !IsWindowEnabled(handle());
    if (data_.colour == NoColour) {
        SelectedObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        RECT r = swatch;
        DrawTextW(dc, NoColourText, -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    } else {
        UniqueBrush brush(CreateSolidBrush(disabled ? GetSysColor(COLOR_BTNSHADOW) : data_.colour));
        FillRect(dc, &swatch, brush.get());
    }
    FrameRect(dc, &swatch, GetSysColorBrush(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
}

void ColorPicker::paintArrow(HDC dc, const RECT& area)
{
    // A small downward triangle: the face says a pop-up opens here.
    const int32_t cx = (area.left + area.right) / 2;
    const int32_t cy = (area.top + area.bottom) / 2;
    const POINT points[3] = {{cx - 3, cy - 1}, {cx + 4, cy - 1}, {cx, cy + 3}};
    const int colour = IsWindowEnabled(handle()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
    SelectedObject brush(dc, GetSysColorBrush(colour));
    SelectedObject pen(dc, GetStockObject(NULL_PEN));
    Polygon(dc, points, 3);
}

template class RowUnitType<ColorPicker>;

}  // namespace tessaly::ui
