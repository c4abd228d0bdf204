// The tool's first moments: the display window, the settings file and the
// captions it finds beside itself.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "tests/e2e/caption_files.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

// Units of the settings window, by their place on its client area.
constexpr POINT SettingsButton{96, 216};
constexpr POINT TransparencySlider{384, 24};
constexpr POINT SpeedBox{392, 64};
constexpr POINT HideHotkeyBox{392, 120};
constexpr POINT ShowHotkeyBox{392, 144};

HWND unitOf(HWND settings, POINT place) { return unitAt(settings, place.x, place.y); }

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
    // Per monitor: the display window is laid out in each monitor's own pixels, never stretched.
    // (Wine tells version 2 of that awareness from the first for no window.)
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(tool.display())),
              DPI_AWARENESS_PER_MONITOR_AWARE);

    EXPECT_TRUE(tool.captionLabels().empty());
    EXPECT_EQ(tool.settingsWindow(), nullptr) << "nothing but the tray icon shows";
    EXPECT_TRUE(tool.hasTrayIcon());
    EXPECT_EQ(readSetting(directory, "透明度"), "255") << "written when the hidden settings window closed";
    EXPECT_FALSE(directory.exists(CaptionsFile));
    EXPECT_EQ(directory.read(ConfigFile), "") << "the empty configuration text written back";
    EXPECT_EQ(tool.exitFromTray(), 0u);
    EXPECT_EQ(directory.fileNames(), (std::set<std::string>{ConfigFile, SettingsFile, "tessaly.exe"}))
        << "under its own names, whatever the system's code page";
}

TEST(StartUp, WithoutASettingsFileTheDefaultsAreInEffect)
{
    ProgramDirectory directory;
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    const HWND settings = tool.openSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(controlTextGbk(unitOf(settings, HideHotkeyBox)), "无");
    EXPECT_EQ(controlTextGbk(unitOf(settings, ShowHotkeyBox)), "无");
    // The settings button shows the values the tool runs with.
    PostMessageW(unitOf(settings, SettingsButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return controlTextGbk(unitOf(settings, SpeedBox)) == "5"; }));
    EXPECT_EQ(SendMessageW(unitOf(settings, TransparencySlider), TBM_GETPOS, 0, 0), 255);
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

// Transparency 256 has alpha byte 0, which switches the alpha off and keeps
// the colour key; speed 0 leaves scrolling captions where they are.
TEST(StartUp, TransparencyWithAlphaByteZeroKeepsOnlyTheKeyAndSpeedZeroStandsStill)
{
    ProgramDirectory directory;
    directory.write(SettingsFile, "[透明度]\r\n值=256\r\n[滚动速度]\r\n值=0\r\n");
    CaptionLook look;
    look.scrolls = true;
    look.background = RGB(0, 0, 128);
    look.left = 300;
    writeCaptions(directory, {{"Still", look.line()}});
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());

    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(tool.display(), &key, &alpha, &flags));
    EXPECT_EQ(key, ColourKey);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));

    ASSERT_TRUE(tool.waitForTicks(3));
    EXPECT_EQ(rectInParent(tool.captionLabel("Still")).left, 300);
    EXPECT_EQ(directory.read(ConfigFile), look.line()) << "nothing moved, nothing written";
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

// A place stored on a monitor that is gone: the caption shows whole at the
// nearest place on the screen, and the file keeps the stored place until the
// caption moves.
TEST(StartUp, ACaptionStoredOffTheScreenShowsNearestAndKeepsItsPlaceUntilItMoves)
{
    ProgramDirectory directory;
    CaptionLook standing;
    standing.left = 5000;
    standing.top = 300;
    CaptionLook rising;
    rising.scrolls = true;
    rising.direction = "4";
    rising.left = 100;
    rising.top = 5000;
    writeCaptions(directory, {{"Standing", standing.line()}, {"Rising", rising.line()}});
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());

    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const RECT still = rectInParent(tool.captionLabel("Standing"));
    EXPECT_EQ(still.right, width) << "at the right edge, whole";
    EXPECT_EQ(still.top, 300);
    // The caption's window follows its place within a second.
    RECT risen{};
    EXPECT_TRUE(waitUntil([&] { return (risen = rectInParent(tool.captionLabel("Rising"))).bottom < height; }))
        << "it came up from the bottom edge";
    EXPECT_EQ(risen.left, 100);
    EXPECT_EQ((height - (risen.bottom - risen.top) - risen.top) % 5, 0) << "in steps of the speed";
    EXPECT_EQ(storedLine(directory, 1), standing.line()) << "the standing caption has not moved";
    EXPECT_TRUE(waitUntil([&] { return storedLine(directory, 2) != rising.line(); })) << "its move is stored within a second";
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

}  // namespace
}  // namespace tessaly::e2e
