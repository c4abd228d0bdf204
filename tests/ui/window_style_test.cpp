// Frame styles recomputed from border, title, control box and the two boxes.
#include <gtest/gtest.h>

#include "runtime/ui/tray_icon.h"
#include "runtime/ui/window_style.h"

namespace tessaly::ui {
namespace {

TEST(WindowStyle, BorderNoneHasNoFrameOrCaptionWhateverTheTitle)
{
    const FrameStyle f = frameStyle({.border = 0, .hasTitle = true, .controlBox = true, .minimiseBox = true});
    EXPECT_EQ(f.style, 0u);
    EXPECT_EQ(f.extendedStyle, 0u);
}

TEST(WindowStyle, FixedFrameWithControlBoxHasCaptionAndSystemMenu)
{
    const FrameStyle f = frameStyle({.border = 2, .hasTitle = true, .controlBox = true, .minimiseBox = true});
    EXPECT_EQ(f.style, static_cast<DWORD>(WS_DLGFRAME | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
}

TEST(WindowStyle, CaptionBarNeedsATitleOrAControlBox)
{
    EXPECT_EQ(frameStyle({.border = 2}).style, static_cast<DWORD>(WS_DLGFRAME));
    const FrameStyle titled = frameStyle({.border = 1, .hasTitle = true});
    EXPECT_EQ(titled.style, static_cast<DWORD>(WS_DLGFRAME | WS_THICKFRAME | WS_CAPTION));
}

TEST(WindowStyle, ToolAndSunkenBordersSetExtendedStyles)
{
    EXPECT_EQ(frameStyle({.border = 4}).extendedStyle, static_cast<DWORD>(WS_EX_TOOLWINDOW));
    EXPECT_EQ(frameStyle({.border = 5}).extendedStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_TRUE(frameStyle({.border = 5}).style & WS_THICKFRAME);
    EXPECT_FALSE(frameStyle({.border = 6}).style & WS_THICKFRAME);
}

TEST(TrayTip, IsCutTo62BytesWithoutSplittingACharacter)
{
    EXPECT_EQ(cutTrayTip(std::string(70, 'a')).size(), 62u);
    EXPECT_EQ(cutTrayTip("Tessaly字幕"), "Tessaly字幕");
    // 61 ASCII bytes and then a double-byte character that would end at 63.
    const std::string tip = std::string(61, 'a') + "字";
    EXPECT_EQ(cutTrayTip(tip), std::string(61, 'a'));
}

}  // namespace
}  // namespace tessaly::ui
