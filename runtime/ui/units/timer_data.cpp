#include "runtime/ui/units/timer_data.h"

#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {

std::optional<TimerData> readTimerData(ByteView data)
{
    ByteReader in(data);
    if (!readVersion(in, TimerData::HighestVersion)) return std::nullopt;
    TimerData d;
    d.interval = in.i32();
    if (!in.ok()) return std::nullopt;
    return d;
}

Bytes writeTimerData(const TimerData& d)
{
    ByteWriter out;
    out.u32(TimerData::HighestVersion);
    out.i32(d.interval);
    return out.take();
}

}  // namespace tessaly::ui
