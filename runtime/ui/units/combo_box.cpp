#include "runtime/ui/units/combo_box.h"

#include <algorithm>
#include <utility>

#include "runtime/core/notify_codes.h"
#include "runtime/core/text_encoding.h"
#include "runtime/ui/byte_writer.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/type_data_io.h"

namespace tessaly::ui {
namespace {

// Room below a drop-down box for its list when it opens.
constexpr int32_t DroppedListHeight = 160;

constexpr DWORD kindStyle(int32_t kind)
{
    switch (kind) {
    case ComboBoxKind::Simple: return CBS_SIMPLE;
    case ComboBoxKind::DropDownList: return CBS_DROPDOWNLIST;
    default: return CBS_DROPDOWN;
    }
}

HWND editFieldOf(HWND combo)
{
    COMBOBOXINFO info{sizeof info};
    return GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

}  // namespace

DWORD ComboBox::creationStyle() const
{
    return ChildControlStyle | WS_VSCROLL | CBS_AUTOHSCROLL | kindStyle(data_.type) | (data_.sorted ? CBS_SORT : 0);
}

bool ComboBox::create(const UnitCreateParams& params)
{
    background_.set(data_.backgroundColour);
    UnitCreateParams sized = params;
    if (data_.type != ComboBoxKind::Simple) sized.height += DroppedListHeight;
    if (!createWindow(0, L"COMBOBOX", L"", creationStyle(), sized)) return false;
    applyFont();
    setItems(data_.items);
    if (hasEditField()) {
        setWindowTextGbk(handle(), data_.content);
        applyMaximumLength();
        applyEditSelection();
    }
    setCurrentItem(data_.currentItem);
    return true;
}

std::vector<std::string> ComboBox::items() const
{
    std::vector<std::string> all;
    const auto count = SendMessageW(handle(), CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendMessageW(handle(), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
        all.push_back(narrowToGbk(text));
    }
    return all;
}

void ComboBox::setItems(const std::vector<std::string>& items)
{
    settingSelection_ = true;
    SendMessageW(handle(), CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widenGbk(item).c_str()));
    settingSelection_ = false;
    applyItemValues();
}

void ComboBox::applyItemValues()
{
    const auto count = static_cast<size_t>(SendMessageW(handle(), CB_GETCOUNT, 0, 0));
    const size_t values = std::min(count, data_.itemValues.size() / 4);
    for (size_t i = 0; i < values; ++i)
        SendMessageW(handle(), CB_SETITEMDATA, i, static_cast<LPARAM>(loadU32(data_.itemValues.data() + 4 * i)));
}

void ComboBox::setCurrentItem(int32_t item)
{
    const auto count = static_cast<int32_t>(SendMessageW(handle(), CB_GETCOUNT, 0, 0));
    item = item < 0 ? -1 : std::min(item, count - 1);
    settingSelection_ = true;
    SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    settingSelection_ = false;
}

void ComboBox::applyEditSelection()
{
    const std::string text = windowTextGbk(handle());
    const int32_t start = data_.selectionStart < 0 ? static_cast<int32_t>(text.size()) : data_.selectionStart;
    const int32_t first = charsBeforeByte(text, start);
    const int32_t last = data_.selectionLength < 0 ? -1 : charsBeforeByte(text, start + data_.selectionLength);
    SendMessageW(handle(), CB_SETEDITSEL, 0, MAKELPARAM(first, last));
}

void ComboBox::replaceEditSelection(std::string_view text)
{
    if (HWND edit = editFieldOf(handle()))
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(widenGbk(text).c_str()));
}

// The height the font needs, plus the extra height the unit asks for.
void ComboBox::applyItemHeight()
{
    const auto total = static_cast<LPARAM>(font_.height(handle()) + data_.extraItemHeight);
    SendMessageW(handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), total);
    SendMessageW(handle(), CB_SETITEMHEIGHT, 0, total);
}

void ComboBox::applyFont()
{
    font_.apply(handle(), data_.font);
    applyItemHeight();
}

void ComboBox::applyBackground()
{
    background_.set(data_.backgroundColour);
    InvalidateRect(handle(), nullptr, TRUE);
    if (HWND edit = editFieldOf(handle())) InvalidateRect(edit, nullptr, TRUE);
}

ComboBoxData ComboBox::currentData() const
{
    ComboBoxData d = data_;
    d.items = items();
    d.currentItem = currentItem();
    if (hasEditField()) d.content = windowTextGbk(handle());
    return d;
}

void ComboBox::applyChange(int32_t index)
{
    switch (index) {
    case propertyIndex(ComboBoxRows, "selectionStart"):
    case propertyIndex(ComboBoxRows, "selectionLength"): applyEditSelection(); break;
    case propertyIndex(ComboBoxRows, "extraItemHeight"): applyItemHeight(); break;
    case propertyIndex(ComboBoxRows, "font"): applyFont(); break;
    default: applyBackground(); break;  // a colour
    }
}

// Content and maximum length mean nothing to a drop-down list.
bool ComboBox::writeOwn(int32_t index, const PropertyValue& value)
{
    switch (index) {
    case propertyIndex(ComboBoxRows, "type"): return changeType(std::clamp(value.asInt(), 0, 2));
    case propertyIndex(ComboBoxRows, "content"):
        if (hasEditField()) setWindowTextGbk(handle(), value.asText());
        break;
    case propertyIndex(ComboBoxRows, "maximumLength"):
        if (!hasEditField()) break;
        data_.maximumLength = std::clamp(value.asInt(), 0, 32767);
        applyMaximumLength();
        break;
    case propertyIndex(ComboBoxRows, "currentItem"): setCurrentItem(std::max(value.asInt(), -1)); break;
    case propertyIndex(ComboBoxRows, "items"): {
        ByteReader in(value.asBytes());
        std::vector<std::string> items = value.asBytes().empty() ? std::vector<std::string>{} : readListItems(in);
        if (in.ok()) setItems(items);
        break;
    }
    default: replaceEditSelection(value.asText()); break;  // the selected text
    }
    return false;
}

bool ComboBox::readLive(int32_t index, PropertyValue& out) const
{
    switch (index) {
    case propertyIndex(ComboBoxRows, "content"): out = answerText(windowTextGbk(handle())); return true;
    case propertyIndex(ComboBoxRows, "selectedText"): out = answerText(selectedText()); return true;
    case propertyIndex(ComboBoxRows, "currentItem"): out = PropertyValue::number(currentItem()); return true;
    case propertyIndex(ComboBoxRows, "items"): {
        ByteWriter items;
        writeListItems(items, this->items());
        itemsAnswer_ = items.take();
        out = PropertyValue::bytes(itemsAnswer_.data(), itemsAnswer_.size());
        return true;
    }
    default: return false;
    }
}

// A simple box and a drop-down list show their field on white, never on button-face.
bool ComboBox::changeType(int32_t type)
{
    if (type == data_.type) return false;
    data_.type = type;
    if (type != ComboBoxKind::DropDown && data_.backgroundColour == ButtonFaceColour) data_.backgroundColour = 0xFFFFFF;
    return true;
}

std::string ComboBox::selectedText() const
{
    DWORD first = 0, last = 0;
    SendMessageW(handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    const std::wstring text = widenGbk(windowTextGbk(handle()));
    if (first >= last || last > text.size()) return {};
    return narrowToGbk(std::wstring_view(text).substr(first, last - first));
}

void ComboBox::onNotification(WORD code)
{
    switch (code) {
    case CBN_SELENDOK:
        // The edit field and the current item settle only after this
        // notification; the event waits for them.
        if (!settingSelection_) PostMessageW(handle(), SelectionMadeMessage, 0, 0);
        break;
    case CBN_EDITCHANGE: fire(ComboBoxEvent::EditChanged); break;
    case CBN_DROPDOWN: fire(ComboBoxEvent::DroppedDown); break;
    case CBN_CLOSEUP: fire(ComboBoxEvent::ClosedUp); break;
    case CBN_DBLCLK: fire(ComboBoxEvent::DoubleClicked); break;
    case CBN_SETFOCUS: fire(CommonEvent::GotFocus); break;
    case CBN_KILLFOCUS: fire(CommonEvent::LostFocus); break;
    default: break;
    }
}

bool ComboBox::handleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case UnitMessage::ReflectOffset + WM_COMMAND:
        onNotification(HIWORD(wParam));
        result = 0;
        return true;
    case SelectionMadeMessage:
        fire(ComboBoxEvent::SelectionMade);
        result = 0;
        return true;
    // The edit field and the list ask the combo box itself; the box asks its window.
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case UnitMessage::ReflectOffset + WM_CTLCOLOREDIT:
    case UnitMessage::ReflectOffset + WM_CTLCOLORLISTBOX:
    case UnitMessage::ReflectOffset + WM_CTLCOLORSTATIC:
        result = controlColours(reinterpret_cast<HDC>(wParam), data_.textColour, background_);
        return true;
    default: return false;
    }
}

template class RowUnitType<ComboBox>;

}  // namespace tessaly::ui
