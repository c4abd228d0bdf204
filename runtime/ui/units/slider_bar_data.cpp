#include "runtime/ui/units/slider_bar_data.h"

#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {

std::optional<SliderBarData> readSliderBarData(ByteView data)
{
    ByteReader in(data);
    if (!readVersion(in, SliderBarData::HighestVersion)) return std::nullopt;
    SliderBarData d;
    d.border = in.i32();
    d.orientation = in.i32();
    d.tickStyle = in.i32();
    d.tickFrequency = in.i32();
    d.selectionAllowed = in.i32();
    d.selectionStart = in.i32();
    d.selectionLength = in.i32();
    d.pageStep = in.i32();
    d.lineStep = in.i32();
    d.minimum = in.i32();
    d.maximum = in.i32();
    d.position = in.i32();
    if (!in.ok()) return std::nullopt;
    return d;
}

Bytes writeSliderBarData(const SliderBarData& d)
{
    ByteWriter out;
    out.u32(SliderBarData::HighestVersion);
    out.i32(d.border);
    out.i32(d.orientation);
    out.i32(d.tickStyle);
    out.i32(d.tickFrequency);
    out.i32(d.selectionAllowed);
    out.i32(d.selectionStart);
    out.i32(d.selectionLength);
    out.i32(d.pageStep);
    out.i32(d.lineStep);
    out.i32(d.minimum);
    out.i32(d.maximum);
    out.i32(d.position);
    return out.take();
}

}  // namespace tessaly::ui
