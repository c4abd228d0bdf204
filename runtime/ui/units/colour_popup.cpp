#include "runtime/ui/units/colour_popup.h"

#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "runtime/core/win32_handles.h"

namespace tessaly::ui {
namespace {

constexpr std::array<COLORREF, 40> Palette = {
    RGB(0, 0, 0),       RGB(153, 51, 0),    RGB(51, 51, 0),     RGB(0, 51, 0),
    RGB(0, 51, 102),    RGB(0, 0, 128),     RGB(51, 51, 153),   RGB(51, 51, 51),
    RGB(128, 0, 0),     RGB(255, 102, 0),   RGB(128, 128, 0),   RGB(0, 128, 0),
    RGB(0, 128, 128),   RGB(0, 0, 255),     RGB(102, 102, 153), RGB(128, 128, 128),
    RGB(255, 0, 0),     RGB(255, 153, 0),   RGB(153, 204, 0),   RGB(51, 153, 102),
    RGB(51, 204, 204),  RGB(51, 102, 255),  RGB(128, 0, 128),   RGB(153, 153, 153),
    RGB(255, 0, 255),   RGB(255, 204, 0),   RGB(255, 255, 0),   RGB(0, 255, 0),
    RGB(0, 255, 255),   RGB(0, 204, 255),   RGB(153, 51, 102),  RGB(192, 192, 192),
    RGB(255, 153, 204), RGB(255, 204, 153), RGB(255, 255, 153), RGB(204, 255, 204),
    RGB(204, 255, 255), RGB(153, 204, 255), RGB(204, 153, 255), RGB(255, 255, 255),
};
constexpr int32_t PaletteRows = static_cast<int32_t>(Palette.size()) / PaletteColumns;

constexpr int32_t Cell = 18;
constexpr int32_t Margin = 4;
constexpr int32_t EntryHeight = 22;
constexpr int32_t PopupWidth = PaletteColumns * Cell + 2 * Margin;
constexpr int32_t PopupHeight = 2 * EntryHeight + PaletteRows * Cell + 4 * Margin;

constexpr wchar_t NoColourText[] = L"透明";
constexpr wchar_t OtherColourText[] = L"其它颜色...";

// Items: the no-colour entry, the palette cells, the other-colour entry.
constexpr int32_t NoColourItem = 0;
constexpr int32_t FirstCell = 1;
constexpr int32_t OtherItem = FirstCell + static_cast<int32_t>(Palette.size());

// The custom colours of the system dialog, kept for the whole run.
COLORREF g_customColours[16] = {};

class ColourPopup {
public:
    ColourPopup(HWND picker, uint32_t current, bool allowNoColour)
        : picker_(picker), current_(current), allowNoColour_(allowNoColour), hot_(initialItem())
    {
    }

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    int32_t initialItem() const;
    bool enabled(int32_t item) const { return item != NoColourItem || allowNoColour_; }
    RECT itemRect(int32_t item) const;
    int32_t itemAt(POINT p) const;
    void setHot(int32_t item);
    void move(int32_t columns, int32_t rows);
    void choose(int32_t item);
    std::optional<COLORREF> askSystemDialog();
    void finish(std::optional<uint32_t> colour);
    void paint(HDC dc);
    void paintEntry(HDC dc, int32_t item, const wchar_t* text);

    HWND window_ = nullptr;
    HWND picker_;
    uint32_t current_;
    bool allowNoColour_;
    int32_t hot_;
    bool finished_ = false;
    bool inDialog_ = false;  // the system colour dialog is open
};

int32_t ColourPopup::initialItem() const
{
    if (current_ == NoColour) return allowNoColour_ ? NoColourItem : FirstCell;
    const auto found = std::find(Palette.begin(), Palette.end(), current_);
    return found == Palette.end() ? FirstCell : FirstCell + static_cast<int32_t>(found - Palette.begin());
}

RECT ColourPopup::itemRect(int32_t item) const
{
    if (item == NoColourItem) return {Margin, Margin, PopupWidth - Margin, Margin + EntryHeight};
    if (item == OtherItem) {
        const int32_t top = PopupHeight - Margin - EntryHeight;
        return {Margin, top, PopupWidth - Margin, top + EntryHeight};
    }
    const int32_t cell = item - FirstCell;
    const int32_t left = Margin + (cell % PaletteColumns) * Cell;
    const int32_t top = 2 * Margin + EntryHeight + (cell / PaletteColumns) * Cell;
    return {left, top, left + Cell, top + Cell};
}

int32_t ColourPopup::itemAt(POINT p) const
{
    for (int32_t item = NoColourItem; item <= OtherItem; ++item) {
        const RECT r = itemRect(item);
        if (PtInRect(&r, p)) return item;
    }
    return -1;
}

void ColourPopup::setHot(int32_t item)
{
    if (item == hot_ || item < 0 || !enabled(item)) return;
    hot_ = item;
    InvalidateRect(window_, nullptr, FALSE);
}

// Arrow keys walk the grid; above the first row is the no-colour entry and
// below the last row the other-colour entry.
void ColourPopup::move(int32_t columns, int32_t rows)
{
    if (hot_ == NoColourItem || hot_ == OtherItem) {
        if (rows > 0 && hot_ == NoColourItem) setHot(FirstCell);
        if (rows < 0 && hot_ == OtherItem) setHot(OtherItem - PaletteColumns);
        return;
    }
    const int32_t cell = hot_ - FirstCell;
    const int32_t column = std::clamp(cell % PaletteColumns + columns, 0, PaletteColumns - 1);
    const int32_t row = cell / PaletteColumns + rows;
    if (row < 0) setHot(NoColourItem);
    else if (row >= PaletteRows) setHot(OtherItem);
    else setHot(FirstCell + row * PaletteColumns + column);
}

void ColourPopup::choose(int32_t item)
{
    if (item < 0 || !enabled(item)) return;
    if (item == NoColourItem) return finish(NoColour);
    if (item == OtherItem) return finish(askSystemDialog());
    finish(Palette[static_cast<size_t>(item - FirstCell)]);
}

std::optional<COLORREF> ColourPopup::askSystemDialog()
{
    // The pop-up stays out of the way while the dialog runs: losing the
    // activation to it must not count as leaving.
    inDialog_ = true;
    ShowWindow(window_, SW_HIDE);
    CHOOSECOLORW choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = GetAncestor(picker_, GA_ROOT);
    choice.rgbResult = current_ == NoColour ? 0 : current_;
    choice.lpCustColors = g_customColours;
    choice.Flags = CC_RGBINIT | CC_FULLOPEN;
    const BOOL chosen = ChooseColorW(&choice);
    inDialog_ = false;
    if (!chosen) return std::nullopt;
    return choice.rgbResult;
}

void ColourPopup::finish(std::optional<uint32_t> colour)
{
    if (finished_) return;
    finished_ = true;
    HWND picker = picker_;
    DestroyWindow(window_);  // deletes this object
    if (colour) SendMessageW(picker, ColourPopupMessage::Chosen, *colour, 0);
    else SendMessageW(picker, ColourPopupMessage::Left, 0, 0);
}

void ColourPopup::paintEntry(HDC dc, int32_t item, const wchar_t* text)
{
    RECT r = itemRect(item);
    const bool hot = item == hot_;
    if (hot) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    }
    if (!enabled(item)) return;  // the no-colour entry stays empty when it is not offered
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    DrawTextW(dc, text, -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

void ColourPopup::paint(HDC dc)
{
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    SelectedObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    paintEntry(dc, NoColourItem, NoColourText);
    paintEntry(dc, OtherItem, OtherColourText);
    for (size_t i = 0; i < Palette.size(); ++i) {
        const int32_t item = FirstCell + static_cast<int32_t>(i);
        RECT r = itemRect(item);
        if (item == hot_) {
            FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
        InflateRect(&r, -3, -3);
        UniqueBrush brush(CreateSolidBrush(Palette[i]));
        FillRect(dc, &r, brush.get());
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    }
}

LRESULT ColourPopup::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        const PaintDC dc(window_);
        paint(dc.get());
        return 0;
    }
    case WM_MOUSEMOVE: setHot(itemAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})); return 0;
    case WM_LBUTTONUP: choose(itemAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})); return 0;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_LEFT: move(-1, 0); break;
        case VK_RIGHT: move(1, 0); break;
        case VK_UP: move(0, -1); break;
        case VK_DOWN: move(0, 1); break;
        case VK_RETURN:
        case VK_SPACE: choose(hot_); break;
        case VK_ESCAPE: finish(std::nullopt); break;
        default: break;
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && !inDialog_) finish(std::nullopt);
        return 0;
    case WM_CANCELMODE: finish(std::nullopt); return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        delete this;
        return 0;
    default: return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK ColourPopup::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* popup = reinterpret_cast<ColourPopup*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (popup == nullptr && message == WM_NCCREATE) {
        // The window takes the popup over from its creator here.
        auto* creator = static_cast<std::unique_ptr<ColourPopup>*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        popup = creator->release();
        popup->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(popup));
    }
    if (popup == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return popup->handle(message, wParam, lParam);
}

void registerPopupClass()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DROPSHADOW;
        wc.lpfnWndProc = &ColourPopup::procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = ColourPopupClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

std::span<const COLORREF> colourPalette() { return Palette; }

HWND openColourPopup(HWND picker, uint32_t current, bool allowNoColour)
{
    registerPopupClass();
    RECT below;
    GetWindowRect(picker, &below);
    // Under the picker, kept on the screen it is on.
    HMONITOR monitor = MonitorFromWindow(picker, MONITOR_DEFAULTTONEAREST);
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    GetMonitorInfoW(monitor, &screen);
    int32_t left = std::clamp<int32_t>(below.left, screen.rcWork.left, screen.rcWork.right - PopupWidth - 2);
    int32_t top = below.bottom;
    if (top + PopupHeight + 2 > screen.rcWork.bottom) top = below.top - PopupHeight - 2;

    // Owned here until WM_NCCREATE; a window that fails after that deletes it itself.
    auto popup = std::make_unique<ColourPopup>(picker, current, allowNoColour);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, ColourPopupClass, L"", WS_POPUP | WS_BORDER,
                                  left, top, PopupWidth + 2, PopupHeight + 2, GetAncestor(picker, GA_ROOT), nullptr,
                                  GetModuleHandleW(nullptr), &popup);
    if (window == nullptr) return nullptr;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    return window;
}

}  // namespace tessaly::ui
