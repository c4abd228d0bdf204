// A change of the displays while the tool runs: the display window covers
// the new screen, a caption whose place is now off it shows at the nearest
// place, and goes back to its stored place when the screen grows again; the
// file is not touched for it. The test runs in a Wine virtual desktop of its
// own, whose resolution a program may change as on Windows.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/e2e/caption_files.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

LONG changeResolution(DWORD width, DWORD height)
{
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
}

bool covers(HWND display, LONG width, LONG height)
{
    RECT r;
    GetWindowRect(display, &r);
    return r.left == 0 && r.top == 0 && r.right == width && r.bottom == height;
}

class DisplayChange : public ::testing::Test {
protected:
    void TearDown() override { changeResolution(1280, 1024); }
};

TEST_F(DisplayChange, TheDisplayFollowsAndACaptionOffTheScreenComesBackWhenItGrows)
{
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280) << "the virtual desktop is 1280 x 1024";
    ProgramDirectory directory;
    CaptionLook corner;
    corner.left = 1100;
    corner.top = 900;
    CaptionLook nearby;
    nearby.left = 100;
    nearby.top = 100;
    writeCaptions(directory, {{"Corner", corner.line()}, {"Near", nearby.line()}});
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    ASSERT_TRUE(covers(tool.display(), 1280, 1024));
    const HWND cornerLabel = tool.captionLabel("Corner");
    const SIZE size = windowSize(cornerLabel);

    ASSERT_EQ(changeResolution(1024, 768), DISP_CHANGE_SUCCESSFUL);
    EXPECT_TRUE(waitUntil([&] { return covers(tool.display(), 1024, 768); }));
    EXPECT_TRUE(waitUntil([&] { return rectInParent(cornerLabel).right == 1024; }));
    EXPECT_EQ(rectInParent(cornerLabel).bottom, 768) << "whole, at the nearest place";
    EXPECT_EQ(rectInParent(tool.captionLabel("Near")).left, 100);
    EXPECT_EQ(rectInParent(tool.captionLabel("Near")).top, 100);
    EXPECT_EQ(windowSize(cornerLabel).cx, size.cx);

    ASSERT_EQ(changeResolution(1280, 1024), DISP_CHANGE_SUCCESSFUL);
    EXPECT_TRUE(waitUntil([&] { return covers(tool.display(), 1280, 1024); }));
    EXPECT_TRUE(waitUntil([&] { return rectInParent(cornerLabel).left == 1100; })) << "back at its stored place";
    EXPECT_EQ(rectInParent(cornerLabel).top, 900);
    EXPECT_EQ(storedLine(directory, 1), corner.line()) << "its stored place was never rewritten";
    EXPECT_EQ(tool.exitFromTray(), 0u);
    EXPECT_EQ(storedLine(directory, 1), corner.line());
}

}  // namespace
}  // namespace tessaly::e2e
