#include "runtime/ui/units/edit_box_data.h"

#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {

std::optional<EditBoxData> readEditBoxData(ByteView data)
{
    ByteReader in(data);
    const auto version = readVersion(in, EditBoxData::HighestVersion);
    if (!version) return std::nullopt;
    EditBoxData d;
    d.border = in.i32();
    d.textColour = in.u32();
    d.backgroundColour = in.u32();
    d.hideSelection = in.i32();
    d.maximumLength = in.i32();
    d.multiLine = in.i32();
    d.scrollBars = in.i32();
    d.alignment = in.i32();
    d.inputMode = in.i32();
    d.passwordChar = in.u16();
    d.letterCase = in.i32();
    d.upDownMode = in.i32();
    d.upDownLower = in.i32();
    d.upDownUpper = in.i32();
    d.selectionStart = in.i32();
    d.selectionLength = in.i32();
    d.font = readFontBlob(in);
    d.content = in.countedString();
    if (*version >= 2) {
        d.storedText1 = in.countedString();
        d.storedText2 = in.countedString();
    }
    if (!in.ok()) return std::nullopt;
    return d;
}

Bytes writeEditBoxData(const EditBoxData& d)
{
    ByteWriter out;
    out.u32(EditBoxData::HighestVersion);
    out.i32(d.border);
    out.u32(d.textColour);
    out.u32(d.backgroundColour);
    out.i32(d.hideSelection);
    out.i32(d.maximumLength);
    out.i32(d.multiLine);
    out.i32(d.scrollBars);
    out.i32(d.alignment);
    out.i32(d.inputMode);
    out.u16(d.passwordChar);
    out.i32(d.letterCase);
    out.i32(d.upDownMode);
    out.i32(d.upDownLower);
    out.i32(d.upDownUpper);
    out.i32(d.selectionStart);
    out.i32(d.selectionLength);
    out.counted(ByteView(d.font));
    out.counted(d.content);
    out.counted(d.storedText1);
    out.counted(d.storedText2);
    return out.take();
}

}  // namespace tessaly::ui
