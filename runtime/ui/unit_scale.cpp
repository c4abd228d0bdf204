#include "runtime/ui/unit_scale.h"

#include <cstring>
#include <optional>

#include "runtime/core/dots_per_inch.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/type_data.h"

namespace tessaly::ui {
namespace {

// A font's height (its first field) is in pixels for 96 dots per inch, like
// every place; 0, the default height, stays. Empty: nothing to scale.
template <const auto& Rows>
Bytes withScaledFont(ByteView typeData, int32_t dotsPerInch)
{
    auto data = readTypeData(Rows, typeData);
    if (!data || data->font.size() < sizeof(int32_t)) return {};
    int32_t height = 0;
    std::memcpy(&height, data->font.data(), sizeof height);
    if (height == 0) return {};
    height = scaledToDots(height, dotsPerInch);
    std::memcpy(data->font.data(), &height, sizeof height);
    return writeTypeData(Rows, *data);
}

using FontScaler = Bytes (*)(ByteView, int32_t);

// The unit types whose data holds a font.
FontScaler fontScalerOf(uint32_t type)
{
    switch (type) {
    case TypeId::Label: return &withScaledFont<LabelRows>;
    case TypeId::Button: return &withScaledFont<ButtonRows>;
    case TypeId::CheckBox: return &withScaledFont<CheckBoxRows>;
    case TypeId::ComboBox: return &withScaledFont<ComboBoxRows>;
    case TypeId::EditBox: return &withScaledFont<EditBoxRows>;
    case TypeId::GroupBox: return &withScaledFont<GroupBoxRows>;
    case TypeId::ChkListBox: return &withScaledFont<CheckListBoxRows>;
    default: return nullptr;
    }
}

}  // namespace

void scaleUnitPlaces(UnitTable& units, int32_t dotsPerInch)
{
    if (dotsPerInch == TemplateDotsPerInch) return;
    for (size_t i = 0; i < units.size(); ++i) {
        if (units.isMenuItem(i)) continue;
        const UnitPosition p = units.unitFields(i).position;
        units.setPosition(i, {scaledToDots(p.left, dotsPerInch), scaledToDots(p.top, dotsPerInch),
                              scaledToDots(p.width, dotsPerInch), scaledToDots(p.height, dotsPerInch)});
        if (const FontScaler scale = fontScalerOf(units.typeIdAt(i))) {
            const Bytes scaled = scale(units.unitFields(i).typeData, dotsPerInch);
            if (!scaled.empty()) units.replaceTypeData(i, scaled);
        }
    }
}

}  // namespace tessaly::ui
