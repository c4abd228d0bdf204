#include "runtime/ui/units/check_list_box.h"

#include <vssym32.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "runtime/core/text_encoding.h"
#include "runtime/core/unit_requests.h"
#include "runtime/ui/byte_writer.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/type_data_io.h"
#include "runtime/ui/units/border_rule.h"

namespace tessaly::ui {
namespace {

// Room left and right of the check box inside an item.
constexpr int32_t BoxMargin = 2;
constexpr int32_t TextGap = 4;

DWORD listStyle(const CheckListBoxData& d)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_USETABSTOPS |
                  LBS_NOINTEGRALHEIGHT | borderStyles(d.border).style;
    style |= d.multiColumn ? (LBS_MULTICOLUMN | WS_HSCROLL) : WS_VSCROLL;
    if (d.listSwitch) style |= LBS_SORT;
    return style;
}

}  // namespace

CheckListBox* CheckListBox::from(Unit* unit)
{
    return unit != nullptr && unit->type().typeId() == TypeId::ChkListBox ? static_cast<CheckListBox*>(unit) : nullptr;
}

bool CheckListBox::create(const UnitCreateParams& params)
{
    if (!createWindow(borderStyles(data_.border).extendedStyle, L"LISTBOX", L"", listStyle(data_), params)) return false;
    openTheme();
    applyChange(propertyIndex(CheckListBoxRows, "font"));
    replaceItems(data_.items);
    applyItemValues();
    setCurrentItem(data_.currentItem);
    return true;
}

// ---- the list, as the list commands use it ----

int32_t CheckListBox::addItem(std::string_view text, int32_t itemData)
{
    const std::wstring wide = widenGbk(text);
    // LB_ADDSTRING: at the end, or at its sorted place.
    const auto index = static_cast<int32_t>(SendMessageW(handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
    if (index < 0) return -1;
    SendMessageW(handle(), LB_SETITEMDATA, index, itemData);
    return index;
}

bool CheckListBox::deleteItem(int32_t index)
{
    return SendMessageW(handle(), LB_DELETESTRING, index, 0) != LB_ERR;
}

void CheckListBox::clear() { SendMessageW(handle(), LB_RESETCONTENT, 0, 0); }

int32_t CheckListBox::count() const { return static_cast<int32_t>(SendMessageW(handle(), LB_GETCOUNT, 0, 0)); }

std::string CheckListBox::itemText(int32_t index) const
{
    const LRESULT length = SendMessageW(handle(), LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return narrowToGbk(text);
}

int32_t CheckListBox::itemData(int32_t index) const
{
    return static_cast<int32_t>(SendMessageW(handle(), LB_GETITEMDATA, index, 0));
}

bool CheckListBox::setChecked(int32_t index, bool checked)
{
    if (index < 0 || index >= static_cast<int32_t>(checked_.size())) return false;
    if (checked && data_.singleCheck) {
        for (size_t i = 0; i < checked_.size(); ++i)
            if (checked_[i] && static_cast<int32_t>(i) != index) {
                checked_[i] = 0;
                invalidateItem(static_cast<int32_t>(i));
            }
    }
    checked_[static_cast<size_t>(index)] = checked ? 1 : 0;
    invalidateItem(index);
    return true;
}

bool CheckListBox::isChecked(int32_t index) const
{
    return index >= 0 && index < static_cast<int32_t>(checked_.size()) && checked_[static_cast<size_t>(index)] != 0;
}

int32_t CheckListBox::currentItem() const { return static_cast<int32_t>(SendMessageW(handle(), LB_GETCURSEL, 0, 0)); }

void CheckListBox::setCurrentItem(int32_t index)
{
    // Above the last item means the last; below -1 means none.
    const int32_t last = count() - 1;
    index = std::max(-1, std::min(index, last));
    SendMessageW(handle(), LB_SETCURSEL, index, 0);  // LB_SETCURSEL with -1 clears the selection
}

void CheckListBox::replaceItems(const std::vector<std::string>& items)
{
    SendMessageW(handle(), WM_SETREDRAW, FALSE, 0);
    clear();
    for (const std::string& item : items) addItem(item);
    SendMessageW(handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle(), nullptr, TRUE);
}

// ---- properties that change the look ----

void CheckListBox::applyChange(int32_t index)
{
    switch (index) {
    case propertyIndex(CheckListBoxRows, "border"): applyBorder(handle(), data_.border); break;
    case propertyIndex(CheckListBoxRows, "singleCheck"):
        if (data_.singleCheck) keepFirstCheckOnly();
        InvalidateRect(handle(), nullptr, TRUE);
        break;
    case propertyIndex(CheckListBoxRows, "font"):
        font_.apply(handle(), data_.font);
        applyItemHeight();
        break;
    default: applyItemHeight(); break;  // the extra item height
    }
}

void CheckListBox::keepFirstCheckOnly()
{
    const auto first = std::find(checked_.begin(), checked_.end(), 1);
    if (first != checked_.end()) std::fill(first + 1, checked_.end(), 0);
}

// Item values take effect on the re-created unit, which they always ask for.
bool CheckListBox::writeOwn(int32_t index, const PropertyValue& value)
{
    switch (index) {
    case propertyIndex(CheckListBoxRows, "currentItem"): setCurrentItem(value.asInt()); return false;
    case propertyIndex(CheckListBoxRows, "items"): {
        ByteReader in(value.asBytes());
        std::vector<std::string> items = value.asBytes().empty() ? std::vector<std::string>{} : readListItems(in);
        if (in.ok()) replaceItems(items);
        return false;
    }
    default:  // the item values
        data_.itemValues.assign(value.asBytes().begin(), value.asBytes().end());
        itemValuesPending_ = true;
        return true;
    }
}

void CheckListBox::applyItemHeight()
{
    const int32_t height = std::min<int32_t>(font_.height(handle()) + data_.extraItemHeight + 2, 255);
    SendMessageW(handle(), LB_SETITEMHEIGHT, 0, height);
    InvalidateRect(handle(), nullptr, TRUE);
}

void CheckListBox::applyItemValues()
{
    const size_t n = std::min(data_.itemValues.size() / 4, static_cast<size_t>(std::max(0, count())));
    for (size_t i = 0; i < n; ++i)
        SendMessageW(handle(), LB_SETITEMDATA, i, static_cast<int32_t>(loadU32(data_.itemValues.data() + i * 4)));
}

bool CheckListBox::readLive(int32_t index, PropertyValue& out) const
{
    switch (index) {
    case propertyIndex(CheckListBoxRows, "currentItem"): out = PropertyValue::number(currentItem()); return true;
    case propertyIndex(CheckListBoxRows, "items"): {
        ByteWriter items;
        writeListItems(items, itemTexts());
        answer_ = items.take();
        break;
    }
    case propertyIndex(CheckListBoxRows, "itemValues"): answer_ = itemWords(); break;
    default: return false;
    }
    out = PropertyValue::bytes(answer_.data(), answer_.size());
    return true;
}

std::vector<std::string> CheckListBox::itemTexts() const
{
    std::vector<std::string> texts;
    for (int32_t i = 0; i < count(); ++i) texts.push_back(itemText(i));
    return texts;
}

Bytes CheckListBox::itemWords() const
{
    ByteWriter out;
    for (int32_t i = 0; i < count(); ++i) out.i32(itemData(i));
    return out.take();
}

CheckListBoxData CheckListBox::currentData() const
{
    CheckListBoxData d = data_;
    d.items = itemTexts();
    // Item values just written take effect on the re-created unit.
    if (!itemValuesPending_) d.itemValues = itemWords();
    d.currentItem = currentItem();
    return d;
}

void CheckListBox::openTheme()
{
    theme_.reset(IsAppThemed() ? OpenThemeData(handle(), L"BUTTON") : nullptr);
}

void CheckListBox::invalidateItem(int32_t index)
{
    RECT r;
    if (SendMessageW(handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) != LB_ERR)
        InvalidateRect(handle(), &r, FALSE);
}

// ---- messages ----

bool CheckListBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (trackItemMessage(message, wParam, lParam, result)) return true;
    switch (message) {
    case UnitMessage::ReflectOffset + WM_COMMAND:
        result = 0;
        return onNotification(HIWORD(wParam));
    case UnitMessage::ReflectOffset + WM_DRAWITEM:
        onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case UnitMessage::ReflectOffset + WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
            static_cast<UINT>(SendMessageW(handle(), LB_GETITEMHEIGHT, 0, 0));
        result = TRUE;
        return true;
    case UnitMessage::ReflectOffset + WM_CTLCOLORLISTBOX:
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The list reports the press first; that routine may destroy the window.
        result = callDefault(message, wParam, lParam);
        if (alive()) onClick(lParam);
        return true;
    case WM_KEYDOWN:
        if (wParam != VK_SPACE) return false;
        toggleByUser(currentItem());
        result = 0;
        return true;
    case WM_CHAR:
        // The space toggled the box; it must not start an incremental search too.
        return wParam == L' ';
    case WM_ENABLE:
        InvalidateRect(handle(), nullptr, TRUE);
        return false;
    case WM_THEMECHANGED:
        openTheme();
        return false;
    // The list commands reach check states through the control's handle.
    case ListMessage::GetChecked:
        result = isChecked(static_cast<int32_t>(wParam)) ? 1 : 0;
        return true;
    case ListMessage::SetChecked:
        result = setChecked(static_cast<int32_t>(wParam), lParam != 0) ? 1 : 0;
        return true;
    default: return false;
    }
}

// Keeps one check state per item whoever adds or removes items.
bool CheckListBox::trackItemMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
        result = callDefault(message, wParam, lParam);
        if (result >= 0 && static_cast<size_t>(result) <= checked_.size())
            checked_.insert(checked_.begin() + result, 0);
        return true;
    case LB_DELETESTRING:
        result = callDefault(message, wParam, lParam);
        if (result != LB_ERR && wParam < checked_.size()) checked_.erase(checked_.begin() + static_cast<ptrdiff_t>(wParam));
        return true;
    case LB_RESETCONTENT:
        result = callDefault(message, wParam, lParam);
        checked_.clear();
        return true;
    default: return false;
    }
}

bool CheckListBox::onNotification(WORD code)
{
    switch (code) {
    case LBN_SELCHANGE: fire(CheckListBoxEvent::SelectionChanged); return true;
    case LBN_DBLCLK: fire(CheckListBoxEvent::DoubleClicked); return true;
    default: return false;
    }
}

bool CheckListBox::onClick(LPARAM position)
{
    const auto hit = static_cast<DWORD>(SendMessageW(handle(), LB_ITEMFROMPOINT, 0, position));
    if (HIWORD(hit) != 0) return false;  // below the last item
    const int32_t index = LOWORD(hit);
    RECT item;
    if (SendMessageW(handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR) return false;
    const RECT box = checkBoxRect(item);
    const POINT p = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    // The whole strip in front of the text counts, not only the box itself.
    if (p.x < item.left || p.x >= box.right + BoxMargin) return false;
    toggleByUser(index);
    return true;
}

void CheckListBox::toggleByUser(int32_t index)
{
    if (!setChecked(index, !isChecked(index))) return;
    fire(CheckListBoxEvent::CheckChanged);
}

RECT CheckListBox::checkBoxRect(const RECT& item) const
{
    const int32_t height = item.bottom - item.top;
    const int32_t size = std::max<int32_t>(1, std::min<int32_t>(GetSystemMetrics(SM_CXMENUCHECK), height - 2));
    const int32_t top = item.top + (height - size) / 2;
    return {item.left + BoxMargin, top, item.left + BoxMargin + size, top + size};
}

// ---- drawing ----

void CheckListBox::onDrawItem(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    if (item.itemID == static_cast<UINT>(-1)) {
        FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
        return;
    }
    const auto index = static_cast<int32_t>(item.itemID);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = !IsWindowEnabled(handle());
    const RECT box = checkBoxRect(item.rcItem);
    RECT text = item.rcItem;
    text.left = box.right + TextGap;

    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    if (selected) FillRect(dc, &text, GetSysColorBrush(disabled ? COLOR_BTNFACE : COLOR_HIGHLIGHT));
    drawCheckBox(dc, box, isChecked(index), disabled);

    const std::wstring wide = widenGbk(itemText(index));
    SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT label = text;
    label.left += BoxMargin;
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &label,
              DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &text);
}

void CheckListBox::drawCheckBox(HDC dc, const RECT& box, bool checked, bool disabled)
{
    if (theme_) {
        const int state = checked ? (disabled ? CBS_CHECKEDDISABLED : CBS_CHECKEDNORMAL)
                                  : (disabled ? CBS_UNCHECKEDDISABLED : CBS_UNCHECKEDNORMAL);
        DrawThemeBackground(theme_.get(), dc, BP_CHECKBOX, state, &box, nullptr);
        return;
    }
    RECT r = box;
    DrawFrameControl(dc, &r, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0) | (disabled ? DFCS_INACTIVE : 0));
}

template class RowUnitType<CheckListBox>;

}  // namespace tessaly::ui
