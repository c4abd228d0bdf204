#include "runtime/ui/units/label_data.h"

#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {

std::optional<LabelData> readLabelData(ByteView data)
{
    ByteReader in(data);
    const auto version = readVersion(in, LabelData::HighestVersion);
    if (!version) return std::nullopt;
    LabelData d;
    d.textEffect = in.i32();
    d.frameWidth = in.i32();
    d.border = in.i32();
    for (uint32_t& c : d.frameColours) c = in.u32();
    d.textColour = in.u32();
    d.backgroundColour = in.u32();
    d.pictureMode = in.i32();
    d.gradient = in.i32();
    for (uint32_t& c : d.gradientColours) c = in.u32();
    d.horizontalAlignment = in.i32();
    d.verticalAlignment = in.i32();
    d.wordWrap = in.i32();
    d.font = readFontBlob(in);
    d.picture = in.countedBlob();
    d.caption = in.countedString();
    if (*version >= 2) {
        d.storedText1 = in.countedString();
        d.storedText2 = in.countedString();
    }
    if (*version >= 3) {
        d.captionEffect = in.i32();
        d.effectColour = in.u32();
    }
    if (!in.ok()) return std::nullopt;
    return d;
}

Bytes writeLabelData(const LabelData& d)
{
    ByteWriter out;
    out.u32(LabelData::HighestVersion).i32(d.textEffect).i32(d.frameWidth).i32(d.border);
    for (uint32_t c : d.frameColours) out.u32(c);
    out.u32(d.textColour).u32(d.backgroundColour).i32(d.pictureMode).i32(d.gradient);
    for (uint32_t c : d.gradientColours) out.u32(c);
    out.i32(d.horizontalAlignment).i32(d.verticalAlignment).i32(d.wordWrap);
    out.counted(ByteView(d.font)).counted(ByteView(d.picture)).counted(d.caption);
    out.counted(d.storedText1).counted(d.storedText2);
    out.i32(d.captionEffect).u32(d.effectColour);
    return out.take();
}

}  // namespace tessaly::ui
