#include "runtime/ui/units/color_picker_data.h"

#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {

std::optional<ColorPickerData> readColorPickerData(ByteView data)
{
    ByteReader in(data);
    if (!readVersion(in, ColorPickerData::HighestVersion)) return std::nullopt;
    ColorPickerData d;
    d.colour = in.u32();
    d.allowNoColour = in.i32();
    if (!in.ok()) return std::nullopt;
    return d;
}

Bytes writeColorPickerData(const ColorPickerData& d)
{
    ByteWriter out;
    out.u32(ColorPickerData::HighestVersion);
    out.u32(d.colour);
    out.i32(d.allowNoColour);
    return out.take();
}

}  // namespace tessaly::ui
