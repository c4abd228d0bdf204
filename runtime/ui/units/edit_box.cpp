#include "runtime/ui/units/edit_box.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <climits>
#include <utility>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/border_rule.h"
#include "runtime/ui/units/numeric_input.h"

namespace tessaly::ui {
namespace {

enum EditProperty : int32_t {
    Content = 8, Border, TextColour, BackgroundColour, Font, HideSelection, MaximumLength, MultiLine, ScrollBars,
    Alignment, Mode, PasswordChar, LetterCase, UpDownMode, UpDownLower, UpDownUpper, SelectionStart,
    SelectionLength, SelectedText, StoredText1, StoredText2,
};

// Index, kind, name and the range a written value is clamped to. Hide
// selection and multi-line re-create the box when they change; scroll bars,
// alignment, letter case and up-down mode always do (they are creation styles).
constexpr std::array<PropertyInfo, 21> Properties = {{
    {Content, PropertyKind::Text, "content"},
    {Border, PropertyKind::Choice, "border", 0, 5},
    {TextColour, PropertyKind::Colour, "text colour"},
    {BackgroundColour, PropertyKind::Colour, "background colour"},
    {Font, PropertyKind::Font, "font"},
    {HideSelection, PropertyKind::Logical, "hide selection"},
    {MaximumLength, PropertyKind::Integer, "maximum length", 0, INT32_MAX},
    {MultiLine, PropertyKind::Logical, "multi-line"},
    {ScrollBars, PropertyKind::Choice, "scroll bars", 0, 3},
    {Alignment, PropertyKind::Choice, "alignment", 0, 2},
    {Mode, PropertyKind::Choice, "input mode", 0, 11},
    {PasswordChar, PropertyKind::Text, "password character"},
    {LetterCase, PropertyKind::Choice, "letter case", 0, 2},
    {UpDownMode, PropertyKind::Choice, "up-down mode", 0, 2},
    {UpDownLower, PropertyKind::Integer, "up-down lower bound", INT32_MIN, INT32_MAX},
    {UpDownUpper, PropertyKind::Integer, "up-down upper bound", INT32_MIN, INT32_MAX},
    {SelectionStart, PropertyKind::Integer, "selection start", -1, INT32_MAX},
    {SelectionLength, PropertyKind::Integer, "selection length", -1, INT32_MAX},
    {SelectedText, PropertyKind::Text, "selected text"},
    {StoredText1, PropertyKind::StoredText, "stored text 1"},
    {StoredText2, PropertyKind::StoredText2, "stored text 2"},
}};

constexpr int32_t ScrollHorizontal = 1, ScrollVertical = 2, ScrollBoth = 3;

wchar_t passwordGlyph(uint16_t stored) { return stored != 0 && stored < 0x80 ? static_cast<wchar_t>(stored) : L'*'; }

}  // namespace

EditBox::EditBox(const UnitType& type, uint32_t windowId, uint32_t unitId, EditBoxData data)
    : Unit(type, windowId, unitId), data_(std::move(data))
{
}

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
    case EN_SETFOCUS: fire(-7); break;
    case EN_KILLFOCUS:
        if (isNumericInputMode(data_.inputMode)) rewriteNumber();
        fire(-8);
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

namespace {

class EditBoxType final : public UnitType {
public:
    uint32_t typeId() const override { return TypeId::EditBox; }
    std::string_view name() const override { return "edit box"; }
    uint32_t flags() const override { return UnitTypeFlag::WindowControl; }
    std::span<const PropertyInfo> properties() const override { return Properties; }

    Unit* create(const UnitCreateParams& params) const override
    {
        auto data = readEditBoxData(params.typeData);
        if (!data) return nullptr;
        return Unit::bringToLife(std::make_unique<EditBox>(*this, params.windowId, params.unitId, std::move(*data)), params);
    }

    bool setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const override
    {
        auto& box = static_cast<EditBox&>(unit);
        EditBoxData& d = box.data();
        const int32_t index = ownIndex + 8;
        const PropertyInfo* info = property(index);
        if (info == nullptr) return false;
        const int32_t n = info->maximum > info->minimum ? clampToRange(*info, value.asInt()) : value.asInt();
        const int32_t on = n != 0 ? 1 : 0;
        switch (index) {
        case Content: box.setContent(value.asText()); return false;
        case Border: d.border = n; box.applyBorder(); return false;
        case TextColour: d.textColour = static_cast<uint32_t>(value.asInt()); InvalidateRect(box.handle(), nullptr, TRUE); return false;
        case BackgroundColour: d.backgroundColour = static_cast<uint32_t>(value.asInt()); box.applyBackground(); return false;
        case Font: assignFont(d.font, value); box.applyFont(); return false;
        case HideSelection: return std::exchange(d.hideSelection, on) != on;
        case MaximumLength: d.maximumLength = n; box.applyMaximumLength(); return false;
        case MultiLine: return std::exchange(d.multiLine, on) != on;
        case ScrollBars: d.scrollBars = n; return true;
        case Alignment: d.alignment = n; return true;
        case Mode: d.inputMode = n; box.applyInputMode(); return false;
        case PasswordChar: {
            const std::string_view text = value.asText();
            d.passwordChar = text.empty() ? 0 : static_cast<uint8_t>(text.front());
            if (d.inputMode == InputMode::Password) box.applyInputMode();
            return false;
        }
        case LetterCase: d.letterCase = n; return true;
        case UpDownMode: d.upDownMode = n; return true;
        case UpDownLower: d.upDownLower = n; box.applyUpDownRange(); return false;
        case UpDownUpper: d.upDownUpper = n; box.applyUpDownRange(); return false;
        case SelectionStart: d.selectionStart = n; box.applySelection(); return false;
        case SelectionLength: d.selectionLength = n; box.applySelection(); return false;
        case SelectedText: box.replaceSelection(value.asText()); return false;
        case StoredText1: d.storedText1 = std::string(value.asText()); return false;
        case StoredText2: d.storedText2 = std::string(value.asText()); return false;
        default: return false;
        }
    }

    std::vector<uint8_t> currentTypeData(const Unit& unit) const override
    {
        return writeEditBoxData(static_cast<const EditBox&>(unit).currentData());
    }

    bool getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const override
    {
        const auto& box = static_cast<const EditBox&>(unit);
        const EditBoxData& d = box.data();
        switch (ownIndex + 8) {
        case Content: out = answerText(box.content()); break;
        case Border: out = PropertyValue::number(d.border); break;
        case TextColour: out = PropertyValue::number(d.textColour); break;
        case BackgroundColour: out = PropertyValue::number(d.backgroundColour); break;
        case Font: out = PropertyValue::bytes(d.font.data(), d.font.size()); break;
        case HideSelection: out = PropertyValue::number(d.hideSelection); break;
        case MaximumLength: out = PropertyValue::number(d.maximumLength); break;
        case MultiLine: out = PropertyValue::number(d.multiLine); break;
        case ScrollBars: out = PropertyValue::number(d.scrollBars); break;
        case Alignment: out = PropertyValue::number(d.alignment); break;
        case Mode: out = PropertyValue::number(d.inputMode); break;
        case PasswordChar: out = answerText(d.passwordChar == 0 ? std::string() : std::string(1, static_cast<char>(d.passwordChar))); break;
        case LetterCase: out = PropertyValue::number(d.letterCase); break;
        case UpDownMode: out = PropertyValue::number(d.upDownMode); break;
        case UpDownLower: out = PropertyValue::number(d.upDownLower); break;
        case UpDownUpper: out = PropertyValue::number(d.upDownUpper); break;
        case SelectionStart: out = PropertyValue::number(box.selection().first); break;
        case SelectionLength: out = PropertyValue::number(box.selection().second); break;
        case SelectedText: {
            const auto [start, length] = box.selection();
            out = answerText(box.content().substr(static_cast<size_t>(start), static_cast<size_t>(length)));
            break;
        }
        case StoredText1: out = textValue(d.storedText1); break;
        case StoredText2: out = textValue(d.storedText2); break;
        default: return false;
        }
        return true;
    }

};

}  // namespace

const UnitType& editBoxType()
{
    static const EditBoxType type;
    return type;
}

}  // namespace tessaly::ui
