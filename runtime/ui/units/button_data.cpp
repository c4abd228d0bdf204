#include "runtime/ui/units/button_data.h"

#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {

std::optional<ButtonData> readButtonData(ByteView data)
{
    ByteReader in(data);
    if (!readVersion(in, ButtonData::HighestVersion)) return std::nullopt;
    ButtonData d;
    d.defaultButton = in.i32();
    d.horizontalAlignment = in.i32();
    d.verticalAlignment = in.i32();
    d.picture = in.countedBlob();
    d.font = readFontBlob(in);
    d.caption = in.countedString();
    if (!in.ok()) return std::nullopt;
    return d;
}

Bytes writeButtonData(const ButtonData& d)
{
    ByteWriter out;
    out.u32(ButtonData::HighestVersion);
    out.i32(d.defaultButton);
    out.i32(d.horizontalAlignment);
    out.i32(d.verticalAlignment);
    out.counted(ByteView(d.picture));
    out.counted(ByteView(d.font));
    out.counted(d.caption);
    return out.take();
}

}  // namespace tessaly::ui
