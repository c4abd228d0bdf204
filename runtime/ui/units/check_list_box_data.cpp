#include "runtime/ui/units/check_list_box_data.h"

#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {

std::optional<CheckListBoxData> readCheckListBoxData(ByteView data)
{
    ByteReader in(data);
    if (!readVersion(in, CheckListBoxData::HighestVersion)) return std::nullopt;
    CheckListBoxData d;
    d.border = in.i32();
    d.multiColumn = in.i32();
    d.listSwitch = in.i32();
    d.extraItemHeight = in.i32();
    d.singleCheck = in.i32();
    d.currentItem = in.i32();
    d.font = readFontBlob(in);
    d.items = readListItems(in);
    d.itemValues = in.countedBlob();
    if (!in.ok()) return std::nullopt;
    return d;
}

Bytes writeCheckListBoxData(const CheckListBoxData& d)
{
    ByteWriter out;
    out.u32(CheckListBoxData::HighestVersion);
    out.i32(d.border);
    out.i32(d.multiColumn);
    out.i32(d.listSwitch);
    out.i32(d.extraItemHeight);
    out.i32(d.singleCheck);
    out.i32(d.currentItem);
    out.counted(ByteView(d.font));
    writeListItems(out, d.items);
    out.counted(ByteView(d.itemValues));
    return out.take();
}

}  // namespace tessaly::ui
