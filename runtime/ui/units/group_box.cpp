#include "runtime/ui/units/group_box.h"

#include <memory>
#include <string>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/unit_paint.h"

namespace tessaly::ui {
namespace {

constexpr int32_t CaptionIndex = propertyIndex(GroupBoxRows, "caption");
constexpr int32_t AlignmentIndex = propertyIndex(GroupBoxRows, "captionAlignment");
constexpr int32_t BackgroundIndex = propertyIndex(GroupBoxRows, "backgroundColour");
constexpr int32_t FontIndex = propertyIndex(GroupBoxRows, "font");
constexpr DWORD AlignmentBits = BS_LEFT | BS_CENTER | BS_RIGHT;
constexpr int32_t CaptionIndent = 8;
constexpr int32_t CaptionPadding = 2;

DWORD alignmentStyle(int32_t alignment)
{
    static constexpr DWORD Styles[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
    return Styles[alignment >= 0 && alignment <= 2 ? alignment : 0];
}

// Units inside the box are its child windows, so their notifications come
// here; the window above answers them as if the units were its own.
bool isChildNotification(UINT message)
{
    switch (message) {
    case WM_COMMAND: case WM_NOTIFY: case WM_DRAWITEM: case WM_MEASUREITEM: case WM_COMPAREITEM:
    case WM_DELETEITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_HSCROLL: case WM_VSCROLL:
    case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR: return true;
    default: return false;
    }
}

// Where the caption sits on the top edge of the frame.
RECT captionPlace(const RECT& client, SIZE text, int32_t alignment)
{
    const LONG width = text.cx + 2 * CaptionPadding;
    LONG left = client.left + CaptionIndent;
    if (alignment == 1) left = client.left + (client.right - client.left - width) / 2;
    if (alignment == 2) left = client.right - CaptionIndent - width;
    return {left, client.top, left + width, client.top + text.cy};
}

}  // namespace

GroupBox::GroupBox(const UnitType& type, uint32_t windowId, uint32_t unitId, GroupBoxData data)
    : RowUnit(type, windowId, unitId, std::move(data)), background_(CreateSolidBrush(displayColour(data_.backgroundColour))),
      font_(createStoredFont(data_.font))
{
}

bool GroupBox::create(const UnitCreateParams& params)
{
    // Clipping its children keeps the box's own painting from wiping the units inside it.
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | BS_GROUPBOX | alignmentStyle(data_.captionAlignment);
    return createWindow(0, L"BUTTON", widenGbk(data_.caption).c_str(), style, params);
}

void GroupBox::applyChange(int32_t index)
{
    switch (index) {
    case CaptionIndex: SetWindowTextW(handle(), widenGbk(data_.caption).c_str()); break;
    case AlignmentIndex: {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_STYLE));
        SetWindowLongPtrW(handle(), GWL_STYLE, (style & ~AlignmentBits) | alignmentStyle(data_.captionAlignment));
        break;
    }
    case BackgroundIndex: background_.reset(CreateSolidBrush(displayColour(data_.backgroundColour))); break;
    case FontIndex: font_ = createStoredFont(data_.font); break;
    default: break;
    }
    InvalidateRect(handle(), nullptr, TRUE);
}

// The etched frame with its top edge through the middle of the caption, and
// the caption on a patch of background that interrupts the edge.
void GroupBox::paintFrame(HDC dc, const RECT& client)
{
    const std::wstring text = widenGbk(data_.caption);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE extent{0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    extent.cy = metrics.tmHeight;
    RECT frame = client;
    frame.top += extent.cy / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (text.empty()) return;
    RECT place = captionPlace(client, extent, data_.captionAlignment);
    FillRect(dc, &place, background_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, displayColour(data_.textColour));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, DT_SINGLELINE | DT_CENTER | DT_TOP | DT_NOPREFIX);
}

void GroupBox::paint(HDC target)
{
    RECT client{};
    GetClientRect(handle(), &client);
    BackBuffer buffer(target, client.right, client.bottom);
    if (!buffer.ok()) return;
    FillRect(buffer.dc(), &client, background_.get());
    {
        SelectedObject selected(buffer.dc(), fontOrDefault(font_));
        paintFrame(buffer.dc(), client);
    }
    buffer.copyTo(target, 0, 0);
}

void GroupBox::onPaint()
{
    const PaintDC dc(handle());
    paint(dc.get());
}

bool GroupBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (isChildNotification(message)) {
        result = SendMessageW(GetParent(handle()), message, wParam, lParam);
        return true;
    }
    switch (message) {
    case WM_PAINT: onPaint(); return true;
    case WM_PRINTCLIENT: paint(reinterpret_cast<HDC>(wParam)); return true;
    case WM_ERASEBKGND: result = 1; return true;  // painting covers every pixel
    // The standard control draws itself straight away on these; paint over it.
    case WM_SETTEXT: case WM_ENABLE: case WM_SETFONT: case WM_UPDATEUISTATE:
        result = callDefault(message, wParam, lParam);
        InvalidateRect(handle(), nullptr, FALSE);
        return true;
    default: return false;
    }
}

template class RowUnitType<GroupBox>;

}  // namespace tessaly::ui
