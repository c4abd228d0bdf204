#include "runtime/ui/units/combo_box_data.h"

#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {

std::optional<ComboBoxData> readComboBoxData(ByteView data)
{
    ByteReader in(data);
    const auto version = readVersion(in, ComboBoxData::HighestVersion);
    if (!version) return std::nullopt;
    ComboBoxData d;
    d.type = in.i32();
    d.maximumLength = in.i32();
    d.selectionStart = in.i32();
    d.selectionLength = in.i32();
    d.sorted = in.i32();
    d.extraItemHeight = in.i32();
    d.textColour = in.u32();
    d.backgroundColour = in.u32();
    d.currentItem = in.i32();
    d.font = readFontBlob(in);
    d.itemValues = in.countedBlob();
    d.content = in.countedString();
    d.items = readListItems(in);
    if (*version >= 2) {
        d.storedText1 = in.countedString();
        d.storedText2 = in.countedString();
    }
    if (*version >= 3) {
        d.storedSwitch = in.i32();
    }
    if (!in.ok()) return std::nullopt;
    return d;
}

Bytes writeComboBoxData(const ComboBoxData& d)
{
    ByteWriter out;
    out.u32(ComboBoxData::HighestVersion);
    out.i32(d.type);
    out.i32(d.maximumLength);
    out.i32(d.selectionStart);
    out.i32(d.selectionLength);
    out.i32(d.sorted);
    out.i32(d.extraItemHeight);
    out.u32(d.textColour);
    out.u32(d.backgroundColour);
    out.i32(d.currentItem);
    out.counted(ByteView(d.font));
    out.counted(ByteView(d.itemValues));
    out.counted(d.content);
    writeListItems(out, d.items);
    out.counted(d.storedText1);
    out.counted(d.storedText2);
    out.i32(d.storedSwitch);
    return out.take();
}

}  // namespace tessaly::ui
