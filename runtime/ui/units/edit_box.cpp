#include "runtime/ui/units/edit_box.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "runtime/core/notify_codes.h"
#include "runtime/core/text_encoding.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/border_rule.h"
#include "runtime/ui/units/numeric_input.h"

namespace tessaly::ui {
namespace {

constexpr int32_t ScrollHorizontal = 1, ScrollVertical = 2, ScrollBoth = 3;

wchar_t passwordGlyph(uint16_t stored) { return stored != 0 && stored < 0x80 ? static_cast<wchar_t>(stored) : L'*'; }

}  // namespace

DWORD EditBox::creationStyle() const
{
    DWORD style = ChildControlStyle;
    if (!data_.hideSelection) style |= ES_NOHIDESEL;
    const bool horizontal = data_.scrollBars == ScrollHorizontal || data_.scrollBars == ScrollBoth;
    const bool vertical = data_.scrollBars == ScrollVertical || data_.scrollBars == ScrollBoth;
    if (data_.multiLine) {
        style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
        if (horizontal) style |= ES_AUTOHSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (horizontal) style |= WS_HSCROLL;
    if (vertical) style |= WS_VSCROLL;
    if (data_.alignment == 1) style |= ES_CENTER;
    if (data_.alignment == 2) style |= ES_RIGHT;
    if (data_.inputMode == InputMode::ReadOnly) style |= ES_READONLY;
    if (data_.inputMode == InputMode::Password) style |= ES_PASSWORD;
    if (data_.letterCase == 1) style |= ES_LOWERCASE;
    if (data_.letterCase == 2) style |= ES_UPPERCASE;
    return style;
}

bool EditBox::create(const UnitCreateParams& params)
{
    background_.set(data_.backgroundColour);
    if (!createWindow(0, L"EDIT", widenGbk(data_.content).c_str(), creationStyle(), params)) return false;
    applyFont();
    applyMaximumLength();
    applyInputMode();
    applySelection();
    applyBorder();
    if (!data_.multiLine && data_.upDownMode != 0) createUpDown(params);
    SendMessageW(handle(), EM_SCROLLCARET, 0, 0);
    return true;
}

void EditBox::createUpDown(const UnitCreateParams& params)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    const DWORD style = ChildControlStyle | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS |
                        (GetWindowLongPtrW(handle(), GWL_STYLE) & WS_VISIBLE);
    upDown_.reset(CreateWindowExW(0, UPDOWN_CLASSW, L"", style, 0, 0, 0, 0, params.parent,
                                  reinterpret_cast<HMENU>(static_cast<intptr_t>(params.controlId + 4)),
                                  GetModuleHandleW(nullptr), nullptr));
    if (!upDown_) return;
    SendMessageW(upDown(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(handle()), 0);
    applyUpDownRange();
    applyBorder();
    placeUpDown();
}

// The buddy sits outside the box, on its right (mode 1) or its left (mode 2),
// so the box keeps the size its template gives it.
void EditBox::placeUpDown()
{
    if (!upDown_) return;
    RECT r;
    GetWindowRect(handle(), &r);
    MapWindowPoints(nullptr, GetParent(handle()), reinterpret_cast<POINT*>(&r), 2);
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    const int left = data_.upDownMode == 2 ? r.left - width : r.right;
    const UINT show = IsWindowVisible(handle()) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    SetWindowPos(upDown(), handle(), left, r.top, width, r.bottom - r.top, SWP_NOACTIVATE | show);
}

void EditBox::applyUpDownRange()
{
    if (!upDown_) return;
    const int32_t lower = std::min(data_.upDownLower, data_.upDownUpper);
    const int32_t upper = std::max(data_.upDownLower, data_.upDownUpper);
    SendMessageW(upDown(), UDM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
}

void EditBox::applyBorder()
{
    ui::applyBorder(handle(), data_.border);
    // Beside a box with a sunken or static edge or none, the buddy keeps a static edge.
    if (upDown_) ui::applyBorder(upDown(), data_.border == 0 || data_.border == 1 || data_.border == 3 ? 3 : 0);
}

void EditBox::applyBackground()
{
    background_.set(data_.backgroundColour);
    RedrawWindow(handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

void EditBox::applyInputMode()
{
    SendMessageW(handle(), EM_SETREADONLY, data_.inputMode == InputMode::ReadOnly, 0);
    const wchar_t glyph = data_.inputMode == InputMode::Password ? passwordGlyph(data_.passwordChar) : 0;
    SendMessageW(handle(), EM_SETPASSWORDCHAR, glyph, 0);
    InvalidateRect(handle(), nullptr, TRUE);
}

void EditBox::applySelection()
{
    const std::string text = content();
    const int32_t start = data_.selectionStart < 0 ? static_cast<int32_t>(text.size()) : data_.selectionStart;
    const int32_t first = charsBeforeByte(text, start);
    const int32_t last = data_.selectionLength < 0 ? -1 : charsBeforeByte(text, start + data_.selectionLength);
    SendMessageW(handle(), EM_SETSEL, static_cast<WPARAM>(first), static_cast<LPARAM>(last));
}

std::pair<int32_t, int32_t> EditBox::selection() const
{
    DWORD first = 0, last = 0;
    SendMessageW(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    const std::string text = content();
    const int32_t start = bytesBeforeChar(text, static_cast<int32_t>(first));
    return {start, bytesBeforeChar(text, static_cast<int32_t>(last)) - start};
}

void EditBox::setContent(std::string_view text)
{
    // The control reports its own change too; the write raises one event, not two.
    writingContent_ = true;
    setWindowTextGbk(handle(), text);
    writingContent_ = false;
    fire(EditBoxEvent::ContentChanged);
}

void EditBox::replaceSelection(std::string_view text)
{
    SendMessageW(handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(widenGbk(text).c_str()));
}

void EditBox::applyChange(int32_t index)
{
    switch (index) {
    case propertyIndex(EditBoxRows, "border"): applyBorder(); break;
    case propertyIndex(EditBoxRows, "textColour"): InvalidateRect(handle(), nullptr, TRUE); break;
    case propertyIndex(EditBoxRows, "backgroundColour"): applyBackground(); break;
    case propertyIndex(EditBoxRows, "font"): applyFont(); break;
    case propertyIndex(EditBoxRows, "maximumLength"): applyMaximumLength(); break;
    case propertyIndex(EditBoxRows, "inputMode"): applyInputMode(); break;
    case propertyIndex(EditBoxRows, "upDownLower"):
    case propertyIndex(EditBoxRows, "upDownUpper"): applyUpDownRange(); break;
    default: applySelection(); break;  // its start or length
    }
}

bool EditBox::writeOwn(int32_t index, const PropertyValue& value)
{
    switch (index) {
    case propertyIndex(EditBoxRows, "content"): setContent(value.asText()); break;
    case propertyIndex(EditBoxRows, "passwordChar"): {
        const std::string_view text = value.asText();
        data_.passwordChar = text.empty() ? 0 : static_cast<uint8_t>(text.front());
        if (data_.inputMode == InputMode::Password) applyInputMode();
        break;
    }
    default: replaceSelection(value.asText()); break;  // the selected text
    }
    return false;
}

bool EditBox::readLive(int32_t index, PropertyValue& out) const
{
    switch (index) {
    case propertyIndex(EditBoxRows, "content"): out = answerText(content()); return true;
    case propertyIndex(EditBoxRows, "passwordChar"):
        out = answerText(data_.passwordChar == 0 ? std::string() : std::string(1, static_cast<char>(data_.passwordChar)));
        return true;
    case propertyIndex(EditBoxRows, "selectionStart"): out = PropertyValue::number(selection().first); return true;
    case propertyIndex(EditBoxRows, "selectionLength"): out = PropertyValue::number(selection().second); return true;
    case propertyIndex(EditBoxRows, "selectedText"): {
        const auto [start, length] = selection();
        out = answerText(content().substr(static_cast<size_t>(start), static_cast<size_t>(length)));
        return true;
    }
    default: return false;
    }
}

EditBoxData EditBox::currentData() const
{
    EditBoxData d = data_;
    d.content = content();
    return d;
}

// A numeric box shows what it holds in the number's own form once the user
// leaves it; the caret stays where it was.
void EditBox::rewriteNumber()
{
    const std::string typed = content();
    const auto canonical = canonicalInputText(data_.inputMode, typed);
    if (!canonical || *canonical == typed) return;
    DWORD first = 0, last = 0;
    SendMessageW(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    setWindowTextGbk(handle(), *canonical);
    SendMessageW(handle(), EM_SETSEL, first, last);
}

void EditBox::onNotification(WORD code)
{
    switch (code) {
    case EN_CHANGE:
        if (!writingContent_) fire(EditBoxEvent::ContentChanged);
        break;
    case EN_SETFOCUS: fire(CommonEvent::GotFocus); break;
    case EN_KILLFOCUS:
        if (isNumericInputMode(data_.inputMode)) rewriteNumber();
        fire(CommonEvent::LostFocus);
        break;
    default: break;
    }
}

bool EditBox::handleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case UnitMessage::ReflectOffset + WM_COMMAND:
        onNotification(HIWORD(wParam));
        result = 0;
        return true;
    case UnitMessage::ReflectOffset + WM_CTLCOLOREDIT:
    case UnitMessage::ReflectOffset + WM_CTLCOLORSTATIC:  // a read-only box asks this
        result = controlColours(reinterpret_cast<HDC>(wParam), data_.textColour, background_);
        return true;
    case WM_WINDOWPOSCHANGED: placeUpDown(); return false;
    case WM_DESTROY:
        // The buddy is the parent's child too; the parent may have destroyed it first.
        if (IsWindow(upDown())) upDown_.reset();
        else upDown_.release();
        return false;
    default: return false;
    }
}

template class RowUnitType<EditBox>;

}  // namespace tessaly::ui
