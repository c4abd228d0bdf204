#include "runtime/ui/units/button.h"

#include <array>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/identifiers.h"

namespace tessaly::ui {
namespace {

enum ButtonProperty : int32_t { Picture = 8, DefaultButton, Caption, HorizontalAlignment, VerticalAlignment, Font };

// The picture re-creates the button; everything else is applied to it live.
constexpr std::array<PropertyInfo, 6> Properties = {{
    {Picture, PropertyKind::Picture, "picture"},
    {DefaultButton, PropertyKind::Choice, "default button", 0, 1},
    {Caption, PropertyKind::Text, "caption"},
    {HorizontalAlignment, PropertyKind::Choice, "horizontal alignment", 0, 2},
    {VerticalAlignment, PropertyKind::Choice, "vertical alignment", 0, 2},
    {Font, PropertyKind::Font, "font"},
}};

}  // namespace

DWORD horizontalAlignmentStyle(int32_t choice)
{
    constexpr DWORD Styles[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
    return choice >= 0 && choice <= 2 ? Styles[choice] : BS_LEFT;
}

DWORD verticalAlignmentStyle(int32_t choice)
{
    constexpr DWORD Styles[] = {BS_TOP, BS_VCENTER, BS_BOTTOM};
    return choice >= 0 && choice <= 2 ? Styles[choice] : BS_VCENTER;
}

Button::Button(const UnitType& type, uint32_t windowId, uint32_t unitId, ButtonData data)
    : Unit(type, windowId, unitId), data_(std::move(data))
{
}

bool Button::create(const UnitCreateParams& params)
{
    const DWORD style = ChildControlStyle | BS_MULTILINE | (data_.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                        horizontalAlignmentStyle(data_.horizontalAlignment) |
                        verticalAlignmentStyle(data_.verticalAlignment);
    if (!createWindow(0, L"BUTTON", widenGbk(data_.caption).c_str(), style, params)) return false;
    applyFont();
    return true;
}

void Button::applyDefault()
{
    SendMessageW(handle(), BM_SETSTYLE, data_.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Button::applyAlignment()
{
    changeStyle(handle(), AlignmentStyleMask,
                horizontalAlignmentStyle(data_.horizontalAlignment) | verticalAlignmentStyle(data_.verticalAlignment));
}

ButtonData Button::currentData() const
{
    ButtonData d = data_;
    d.caption = windowTextGbk(handle());
    return d;
}

bool Button::handleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message != UnitMessage::ReflectOffset + WM_COMMAND) return false;
    if (HIWORD(wParam) == BN_CLICKED) fire(ButtonEvent::Clicked);
    result = 0;
    return true;
}

namespace {

class ButtonType final : public UnitType {
public:
    uint32_t typeId() const override { return TypeId::Button; }
    std::string_view name() const override { return "button"; }
    uint32_t flags() const override { return UnitTypeFlag::WindowControl; }
    std::span<const PropertyInfo> properties() const override { return Properties; }

    Unit* create(const UnitCreateParams& params) const override
    {
        auto data = readButtonData(params.typeData);
        if (!data) return nullptr;
        return Unit::bringToLife(std::make_unique<Button>(*this, params.windowId, params.unitId, std::move(*data)), params);
    }

    bool setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const override
    {
        auto& button = static_cast<Button&>(unit);
        ButtonData& d = button.data();
        const PropertyInfo* info = property(ownIndex + 8);
        if (info == nullptr) return false;
        switch (info->index) {
        case Picture: assignBytes(d.picture, value); return true;
        case DefaultButton: d.defaultButton = clampToRange(*info, value.asInt()); button.applyDefault(); return false;
        case Caption: d.caption = std::string(value.asText()); setWindowTextGbk(button.handle(), d.caption); return false;
        case HorizontalAlignment: d.horizontalAlignment = clampToRange(*info, value.asInt()); button.applyAlignment(); return false;
        case VerticalAlignment: d.verticalAlignment = clampToRange(*info, value.asInt()); button.applyAlignment(); return false;
        case Font: assignFont(d.font, value); button.applyFont(); return false;
        default: return false;
        }
    }

    std::vector<uint8_t> currentTypeData(const Unit& unit) const override
    {
        return writeButtonData(static_cast<const Button&>(unit).currentData());
    }

    bool getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const override
    {
        const auto& button = static_cast<const Button&>(unit);
        const ButtonData& d = button.data();
        switch (ownIndex + 8) {
        case Picture: out = PropertyValue::bytes(d.picture.data(), d.picture.size()); break;
        case DefaultButton: out = PropertyValue::number(d.defaultButton); break;
        case Caption: out = answerText(windowTextGbk(button.handle())); break;
        case HorizontalAlignment: out = PropertyValue::number(d.horizontalAlignment); break;
        case VerticalAlignment: out = PropertyValue::number(d.verticalAlignment); break;
        case Font: out = PropertyValue::bytes(d.font.data(), d.font.size()); break;
        default: return false;
        }
        return true;
    }
};

}  // namespace

const UnitType& buttonType()
{
    static const ButtonType type;
    return type;
}

}  // namespace tessaly::ui
