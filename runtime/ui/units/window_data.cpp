#include "runtime/ui/units/window_data.h"

#include "runtime/ui/units/type_data_io.h"

namespace tessaly::ui {

std::optional<WindowData> readWindowData(ByteView data)
{
    ByteReader in(data);
    const auto version = readVersion(in, WindowData::HighestVersion);
    if (!version) return std::nullopt;
    WindowData d;
    d.border = in.i32();
    d.backgroundPictureMode = in.i32();
    d.backgroundColour = in.u32();
    d.maximiseBox = in.i32();
    d.minimiseBox = in.i32();
    d.controlBox = in.i32();
    d.windowState = in.i32();
    d.movable = in.i32();
    d.soundRepetition = in.i32();
    d.enterMovesFocus = in.i32();
    d.escCloses = in.i32();
    d.f1OpensHelp = in.i32();
    d.helpContext = in.i32();
    if (*version >= 2) d.showInTaskBar = in.i32();
    if (*version >= 3) {
        d.moveByDragging = in.i32();
        d.shape = in.i32();
    }
    if (*version >= 4) d.alwaysOnTop = in.i32();
    if (*version >= 5) d.storedSwitch = in.i32();
    if (*version >= 6) d.className = in.countedString();
    d.backgroundPicture = in.countedBlob();
    d.icon = in.countedBlob();
    d.backgroundSound = in.countedBlob();
    d.title = in.countedString();
    d.helpFile = in.countedString();
    if (!in.ok()) return std::nullopt;
    return d;
}

Bytes writeWindowData(const WindowData& d)
{
    ByteWriter out;
    out.u32(WindowData::HighestVersion).i32(d.border).i32(d.backgroundPictureMode).u32(d.backgroundColour);
    out.i32(d.maximiseBox).i32(d.minimiseBox).i32(d.controlBox).i32(d.windowState).i32(d.movable);
    out.i32(d.soundRepetition).i32(d.enterMovesFocus).i32(d.escCloses).i32(d.f1OpensHelp).i32(d.helpContext);
    out.i32(d.showInTaskBar).i32(d.moveByDragging).i32(d.shape).i32(d.alwaysOnTop).i32(d.storedSwitch);
    out.counted(d.className);
    out.counted(ByteView(d.backgroundPicture)).counted(ByteView(d.icon)).counted(ByteView(d.backgroundSound));
    out.counted(d.title).counted(d.helpFile);
    return out.take();
}

}  // namespace tessaly::ui
