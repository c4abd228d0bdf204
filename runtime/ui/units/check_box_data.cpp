#include "runtime/ui/units/check_box_data.h"

#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {

std::optional<CheckBoxData> readCheckBoxData(ByteView data)
{
    ByteReader in(data);
    const auto version = readVersion(in, CheckBoxData::HighestVersion);
    if (!version) return std::nullopt;
    CheckBoxData d;
    d.pushLike = in.i32();
    d.flat = in.i32();
    d.textOnLeft = in.i32();
    d.horizontalAlignment = in.i32();
    d.verticalAlignment = in.i32();
    d.textColour = in.u32();
    d.backgroundColour = in.u32();
    d.checked = in.i32();
    d.picture = in.countedBlob();
    d.font = readFontBlob(in);
    d.caption = in.countedString();
    if (*version >= 2) {
        d.storedText1 = in.countedString();
        d.storedText2 = in.countedString();
    }
    if (!in.ok()) return std::nullopt;
    return d;
}

Bytes writeCheckBoxData(const CheckBoxData& d)
{
    ByteWriter out;
    out.u32(CheckBoxData::HighestVersion);
    out.i32(d.pushLike);
    out.i32(d.flat);
    out.i32(d.textOnLeft);
    out.i32(d.horizontalAlignment);
    out.i32(d.verticalAlignment);
    out.u32(d.textColour);
    out.u32(d.backgroundColour);
    out.i32(d.checked);
    out.counted(ByteView(d.picture));
    out.counted(ByteView(d.font));
    out.counted(d.caption);
    out.counted(d.storedText1);
    out.counted(d.storedText2);
    return out.take();
}

}  // namespace tessaly::ui
