#include "runtime/ui/units/combo_box.h"

#include <algorithm>
#include <array>
#include <utility>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/byte_writer.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {
namespace {

enum ComboProperty : int32_t {
    Type = 8, Content, MaximumLength, SelectionStart, SelectionLength, SelectedText, Sorted, ExtraItemHeight,
    TextColour, BackgroundColour, Font, CurrentItem, ListItems, ItemValues, StoredText1, StoredText2, StoredSwitch,
};

// Type and sorted re-create the box when they change, item values always;
// the rest is applied live (content and lengths not to a drop-down list).
constexpr std::array<PropertyInfo, 17> Properties = {{
    {Type, PropertyKind::Choice, "type", 0, 2},
    {Content, PropertyKind::Text, "content"},
    {MaximumLength, PropertyKind::Integer, "maximum text length", 0, 32767},
    {SelectionStart, PropertyKind::Integer, "selection start", -1, INT32_MAX},
    {SelectionLength, PropertyKind::Integer, "selection length", -1, INT32_MAX},
    {SelectedText, PropertyKind::Text, "selected text"},
    {Sorted, PropertyKind::Logical, "sorted"},
    {ExtraItemHeight, PropertyKind::Integer, "extra item height", 0, 32767},
    {TextColour, PropertyKind::Colour, "text colour"},
    {BackgroundColour, PropertyKind::Colour, "background colour"},
    {Font, PropertyKind::Font, "font"},
    {CurrentItem, PropertyKind::Integer, "current item", -1, INT32_MAX},
    {ListItems, PropertyKind::ListData, "list items"},
    {ItemValues, PropertyKind::Data, "item values"},
    {StoredText1, PropertyKind::StoredText, "stored text 1"},
    {StoredText2, PropertyKind::StoredText2, "stored text 2"},
    {StoredSwitch, PropertyKind::Logical, "stored switch"},
}};

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

ComboBox::ComboBox(const UnitType& type, uint32_t windowId, uint32_t unitId, ComboBoxData data)
    : Unit(type, windowId, unitId), data_(std::move(data))
{
}

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
    HDC dc = GetDC(handle());
    TEXTMETRICW metrics{};
    {
        SelectedObject font(dc, font_.get());
        GetTextMetricsW(dc, &metrics);
    }
    ReleaseDC(handle(), dc);
    const auto total = static_cast<LPARAM>(metrics.tmHeight + data_.extraItemHeight);
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

const Bytes& ComboBox::itemsAnswer() const
{
    ByteWriter out;
    writeListItems(out, items());
    itemsAnswer_ = out.take();
    return itemsAnswer_;
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
    case CBN_SETFOCUS: fire(-7); break;
    case CBN_KILLFOCUS: fire(-8); break;
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

namespace {

class ComboBoxType final : public UnitType {
public:
    uint32_t typeId() const override { return TypeId::ComboBox; }
    std::string_view name() const override { return "combo box"; }
    uint32_t flags() const override { return UnitTypeFlag::WindowControl; }
    std::span<const PropertyInfo> properties() const override { return Properties; }

    Unit* create(const UnitCreateParams& params) const override
    {
        auto data = readComboBoxData(params.typeData);
        if (!data) return nullptr;
        return Unit::bringToLife(std::make_unique<ComboBox>(*this, params.windowId, params.unitId, std::move(*data)), params);
    }

    bool setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const override
    {
        auto& box = static_cast<ComboBox&>(unit);
        ComboBoxData& d = box.data();
        const PropertyInfo* info = property(ownIndex + 8);
        if (info == nullptr) return false;
        const int32_t n = info->maximum > info->minimum ? clampToRange(*info, value.asInt()) : value.asInt();
        const int32_t on = n != 0 ? 1 : 0;
        switch (info->index) {
        case Type: return changeType(d, n);
        case Content:
            if (box.hasEditField()) setWindowTextGbk(box.handle(), value.asText());
            return false;
        case MaximumLength:
            if (!box.hasEditField()) return false;
            d.maximumLength = n;
            box.applyMaximumLength();
            return false;
        case SelectionStart: d.selectionStart = n; box.applyEditSelection(); return false;
        case SelectionLength: d.selectionLength = n; box.applyEditSelection(); return false;
        case SelectedText: box.replaceEditSelection(value.asText()); return false;
        case Sorted: return std::exchange(d.sorted, on) != on;
        case ExtraItemHeight: d.extraItemHeight = n; box.applyItemHeight(); return false;
        case TextColour: d.textColour = static_cast<uint32_t>(value.asInt()); box.applyBackground(); return false;
        case BackgroundColour: d.backgroundColour = static_cast<uint32_t>(value.asInt()); box.applyBackground(); return false;
        case Font: assignFont(d.font, value); box.applyFont(); return false;
        case CurrentItem: box.setCurrentItem(n); return false;
        case ListItems: {
            ByteReader in(value.asBytes());
            std::vector<std::string> items = value.asBytes().empty() ? std::vector<std::string>{} : readListItems(in);
            if (in.ok()) box.setItems(items);
            return false;
        }
        case ItemValues: assignBytes(d.itemValues, value); return true;
        case StoredText1: d.storedText1 = std::string(value.asText()); return false;
        case StoredText2: d.storedText2 = std::string(value.asText()); return false;
        case StoredSwitch: d.storedSwitch = on; return false;
        default: return false;
        }
    }

    std::vector<uint8_t> currentTypeData(const Unit& unit) const override
    {
        return writeComboBoxData(static_cast<const ComboBox&>(unit).currentData());
    }

    bool getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const override
    {
        const auto& box = static_cast<const ComboBox&>(unit);
        const ComboBoxData& d = box.data();
        switch (ownIndex + 8) {
        case Type: out = PropertyValue::number(d.type); break;
        case Content: out = answerText(windowTextGbk(box.handle())); break;
        case MaximumLength: out = PropertyValue::number(d.maximumLength); break;
        case SelectionStart: out = PropertyValue::number(d.selectionStart); break;
        case SelectionLength: out = PropertyValue::number(d.selectionLength); break;
        case SelectedText: out = answerText(selectedText(box)); break;
        case Sorted: out = PropertyValue::number(d.sorted); break;
        case ExtraItemHeight: out = PropertyValue::number(d.extraItemHeight); break;
        case TextColour: out = PropertyValue::number(d.textColour); break;
        case BackgroundColour: out = PropertyValue::number(d.backgroundColour); break;
        case Font: out = PropertyValue::bytes(d.font.data(), d.font.size()); break;
        case CurrentItem: out = PropertyValue::number(box.currentItem()); break;
        case ListItems: {
            const Bytes& items = box.itemsAnswer();
            out = PropertyValue::bytes(items.data(), items.size());
            break;
        }
        case ItemValues: out = PropertyValue::bytes(d.itemValues.data(), d.itemValues.size()); break;
        case StoredText1: out = textValue(d.storedText1); break;
        case StoredText2: out = textValue(d.storedText2); break;
        case StoredSwitch: out = PropertyValue::number(d.storedSwitch); break;
        default: return false;
        }
        return true;
    }

private:
    // A simple box and a drop-down list show their field on white, never on button-face.
    static bool changeType(ComboBoxData& d, int32_t type)
    {
        if (type == d.type) return false;
        d.type = type;
        if (type != ComboBoxKind::DropDown && d.backgroundColour == ButtonFaceColour) d.backgroundColour = 0xFFFFFF;
        return true;
    }

    static std::string selectedText(const ComboBox& box)
    {
        DWORD first = 0, last = 0;
        SendMessageW(box.handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
        const std::wstring text = widenGbk(windowTextGbk(box.handle()));
        if (first >= last || last > text.size()) return {};
        return narrowToGbk(std::wstring_view(text).substr(first, last - first));
    }
};

}  // namespace

const UnitType& comboBoxType()
{
    static const ComboBoxType type;
    return type;
}

}  // namespace tessaly::ui
