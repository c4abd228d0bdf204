// The tool's first moments: the display window, the settings file and the
// captions it finds beside itself.
#include <gtest/gtest.h>

#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

constexpr COLORREF ColourKey = 0x400040;

TEST(StartUp, FirstRunCoversTheScreenWithAClickThroughKeyedWindowAndWritesItsDefaults)
{
    ProgramDirectory directory;
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());

    RECT r;
    GetWindowRect(tool.display(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    const auto extended = GetWindowLongPtrW(tool.display(), GWL_EXSTYLE);
    EXPECT_TRUE(extended & WS_EX_LAYERED);
    EXPECT_TRUE(extended & WS_EX_TRANSPARENT) << "mouse input falls through to the desktop";
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(tool.display(), &key, &alpha, &flags));
    EXPECT_EQ(key, ColourKey);
    EXPECT_EQ(alpha, 255);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));

    EXPECT_TRUE(tool.captionLabels().empty());
    EXPECT_EQ(tool.settingsWindow(), nullptr) << "nothing but the tray icon shows";
    EXPECT_EQ(readSetting(directory, "透明度"), "255") << "written when the hidden settings window closed";
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

}  // namespace
}  // namespace tessaly::e2e
