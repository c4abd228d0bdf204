#include "runtime/ui/units/group_box_data.h"

#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {

std::optional<GroupBoxData> readGroupBoxData(ByteView data)
{
    ByteReader in(data);
    if (!readVersion(in, GroupBoxData::HighestVersion)) return std::nullopt;
    GroupBoxData d;
    d.captionAlignment = in.i32();
    d.textColour = in.u32();
    d.backgroundColour = in.u32();
    d.font = readFontBlob(in);
    d.caption = in.countedString();
    if (!in.ok()) return std::nullopt;
    return d;
}

Bytes writeGroupBoxData(const GroupBoxData& d)
{
    ByteWriter out;
    out.u32(GroupBoxData::HighestVersion);
    out.i32(d.captionAlignment);
    out.u32(d.textColour);
    out.u32(d.backgroundColour);
    out.counted(ByteView(d.font));
    out.counted(d.caption);
    return out.take();
}

}  // namespace tessaly::ui
