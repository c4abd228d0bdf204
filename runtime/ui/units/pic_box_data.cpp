#include "runtime/ui/units/pic_box_data.h"

#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {

std::optional<PicBoxData> readPicBoxData(ByteView data)
{
    ByteReader in(data);
    const auto version = readVersion(in, PicBoxData::HighestVersion);
    if (!version) return std::nullopt;
    PicBoxData d;
    d.border = in.i32();
    d.backgroundColour = in.u32();
    d.displayMode = in.i32();
    d.animate = in.i32();
    d.picture = in.countedBlob();
    if (*version >= 2) {
        d.storedText1 = in.countedString();
        d.storedText2 = in.countedString();
    }
    if (!in.ok()) return std::nullopt;
    return d;
}

Bytes writePicBoxData(const PicBoxData& d)
{
    ByteWriter out;
    out.u32(PicBoxData::HighestVersion);
    out.i32(d.border);
    out.u32(d.backgroundColour);
    out.i32(d.displayMode);
    out.i32(d.animate);
    out.counted(ByteView(d.picture));
    out.counted(d.storedText1);
    out.counted(d.storedText2);
    return out.take();
}

}  // namespace tessaly::ui
