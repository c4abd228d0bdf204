#include "runtime/ui/units/check_box.h"

#include <array>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/button.h"

namespace tessaly::ui {
namespace {

enum CheckBoxProperty : int32_t {
    Picture = 8, PushLike, Flat, Caption, TextOnLeft, HorizontalAlignment, VerticalAlignment, TextColour,
    BackgroundColour, Font, Checked, StoredText1, StoredText2,
};

// The picture re-creates the box; everything else is applied to it live.
constexpr std::array<PropertyInfo, 13> Properties = {{
    {Picture, PropertyKind::Picture, "picture"},
    {PushLike, PropertyKind::Logical, "push-like"},
    {Flat, PropertyKind::Logical, "flat"},
    {Caption, PropertyKind::Text, "caption"},
    {TextOnLeft, PropertyKind::Logical, "text on the left"},
    {HorizontalAlignment, PropertyKind::Choice, "horizontal alignment", 0, 2},
    {VerticalAlignment, PropertyKind::Choice, "vertical alignment", 0, 2},
    {TextColour, PropertyKind::Colour, "text colour"},
    {BackgroundColour, PropertyKind::Colour, "background colour"},
    {Font, PropertyKind::Font, "font"},
    {Checked, PropertyKind::Logical, "checked"},
    {StoredText1, PropertyKind::StoredText, "stored text 1"},
    {StoredText2, PropertyKind::StoredText2, "stored text 2"},
}};

constexpr DWORD LookStyleMask = BS_PUSHLIKE | BS_FLAT | BS_LEFTTEXT | AlignmentStyleMask;

}  // namespace

CheckBox::CheckBox(const UnitType& type, uint32_t windowId, uint32_t unitId, CheckBoxData data)
    : Unit(type, windowId, unitId), data_(std::move(data))
{
}

DWORD CheckBox::lookStyle() const
{
    DWORD style = horizontalAlignmentStyle(data_.horizontalAlignment) | verticalAlignmentStyle(data_.verticalAlignment);
    if (data_.pushLike) style |= BS_PUSHLIKE;
    if (data_.flat) style |= BS_FLAT;
    if (data_.textOnLeft) style |= BS_LEFTTEXT;
    return style;
}

bool CheckBox::create(const UnitCreateParams& params)
{
    background_.set(data_.backgroundColour);
    const DWORD style = ChildControlStyle | BS_AUTOCHECKBOX | BS_MULTILINE | lookStyle();
    if (!createWindow(0, L"BUTTON", widenGbk(data_.caption).c_str(), style, params)) return false;
    applyFont();
    setChecked(data_.checked != 0);
    return true;
}

void CheckBox::applyLook() { changeStyle(handle(), LookStyleMask, lookStyle()); }

void CheckBox::applyBackground()
{
    background_.set(data_.backgroundColour);
    InvalidateRect(handle(), nullptr, TRUE);
}

CheckBoxData CheckBox::currentData() const
{
    CheckBoxData d = data_;
    d.caption = windowTextGbk(handle());
    d.checked = checked() ? 1 : 0;
    return d;
}

bool CheckBox::handleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case UnitMessage::ReflectOffset + WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) fire(CheckBoxEvent::Clicked);
        result = 0;
        return true;
    case UnitMessage::ReflectOffset + WM_CTLCOLORSTATIC:
    case UnitMessage::ReflectOffset + WM_CTLCOLORBTN:
        result = controlColours(reinterpret_cast<HDC>(wParam), data_.textColour, background_);
        return true;
    default: return false;
    }
}

namespace {

class CheckBoxType final : public UnitType {
public:
    uint32_t typeId() const override { return TypeId::CheckBox; }
    std::string_view name() const override { return "check box"; }
    uint32_t flags() const override { return UnitTypeFlag::WindowControl; }
    std::span<const PropertyInfo> properties() const override { return Properties; }

    Unit* create(const UnitCreateParams& params) const override
    {
        auto data = readCheckBoxData(params.typeData);
        if (!data) return nullptr;
        return Unit::bringToLife(std::make_unique<CheckBox>(*this, params.windowId, params.unitId, std::move(*data)), params);
    }

    bool setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const override
    {
        auto& box = static_cast<CheckBox&>(unit);
        CheckBoxData& d = box.data();
        const PropertyInfo* info = property(ownIndex + 8);
        if (info == nullptr) return false;
        const int32_t on = value.asInt() != 0 ? 1 : 0;
        switch (info->index) {
        case Picture: assignBytes(d.picture, value); return true;
        case PushLike: d.pushLike = on; box.applyLook(); return false;
        case Flat: d.flat = on; box.applyLook(); return false;
        case Caption: d.caption = std::string(value.asText()); setWindowTextGbk(box.handle(), d.caption); return false;
        case TextOnLeft: d.textOnLeft = on; box.applyLook(); return false;
        case HorizontalAlignment: d.horizontalAlignment = clampToRange(*info, value.asInt()); box.applyLook(); return false;
        case VerticalAlignment: d.verticalAlignment = clampToRange(*info, value.asInt()); box.applyLook(); return false;
        case TextColour: d.textColour = static_cast<uint32_t>(value.asInt()); InvalidateRect(box.handle(), nullptr, TRUE); return false;
        case BackgroundColour: d.backgroundColour = static_cast<uint32_t>(value.asInt()); box.applyBackground(); return false;
        case Font: assignFont(d.font, value); box.applyFont(); return false;
        case Checked: d.checked = on; box.setChecked(on != 0); return false;
        case StoredText1: d.storedText1 = std::string(value.asText()); return false;
        case StoredText2: d.storedText2 = std::string(value.asText()); return false;
        default: return false;
        }
    }

    std::vector<uint8_t> currentTypeData(const Unit& unit) const override
    {
        return writeCheckBoxData(static_cast<const CheckBox&>(unit).currentData());
    }

    bool getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const override
    {
        const auto& box = static_cast<const CheckBox&>(unit);
        const CheckBoxData& d = box.data();
        switch (ownIndex + 8) {
        case Picture: out = PropertyValue::bytes(d.picture.data(), d.picture.size()); break;
        case PushLike: out = PropertyValue::number(d.pushLike); break;
        case Flat: out = PropertyValue::number(d.flat); break;
        case Caption: out = answerText(windowTextGbk(box.handle())); break;
        case TextOnLeft: out = PropertyValue::number(d.textOnLeft); break;
        case HorizontalAlignment: out = PropertyValue::number(d.horizontalAlignment); break;
        case VerticalAlignment: out = PropertyValue::number(d.verticalAlignment); break;
        case TextColour: out = PropertyValue::number(d.textColour); break;
        case BackgroundColour: out = PropertyValue::number(d.backgroundColour); break;
        case Font: out = PropertyValue::bytes(d.font.data(), d.font.size()); break;
        case Checked: out = PropertyValue::number(box.checked() ? 1 : 0); break;
        case StoredText1: out = textValue(d.storedText1); break;
        case StoredText2: out = textValue(d.storedText2); break;
        default: return false;
        }
        return true;
    }
};

}  // namespace

const UnitType& checkBoxType()
{
    static const CheckBoxType type;
    return type;
}

}  // namespace tessaly::ui
