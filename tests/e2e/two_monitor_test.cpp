// Two monitors side by side (tests/e2e/two_monitors.sh): 1280 x 1024, the
// primary one, and 1024 x 768 to its right. The display covers both; a
// caption scrolling on one wraps round at that monitor's edges even where
// the other lies beyond them; a place in the corner that no monitor covers
// shows on the nearest one, and its stored place stays.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "tests/e2e/caption_files.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

constexpr RECT Primary{0, 0, 1280, 1024};
constexpr RECT Beside{1280, 0, 2304, 768};

CaptionLook at(int left, int top)
{
    CaptionLook look;
    look.background = RGB(0, 64, 128);
    look.left = left;
    look.top = top;
    return look;
}

CaptionLook scrolling(const std::string& direction, int left, int top)
{
    CaptionLook look = at(left, top);
    look.scrolls = true;
    look.direction = direction;
    return look;
}

TEST(TwoMonitors, TheDisplayCoversBothAndEachCaptionWrapsOnItsOwn)
{
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "two monitors, as two_monitors.sh makes them";
    ProgramDirectory directory;
    const CaptionLook corner = at(1500, 900);
    writeCaptions(directory, {{"On the first", scrolling("1", 1150, 100).line()},
                              {"On the second", scrolling("2", 1300, 300).line()},
                              {"Standing beside", at(1500, 500).line()},
                              {"In the corner", corner.line()}});
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    RECT display;
    GetWindowRect(tool.display(), &display);
    EXPECT_EQ(display.right, Beside.right);
    EXPECT_EQ(display.bottom, Primary.bottom);

    EXPECT_EQ(rectInParent(tool.captionLabel("Standing beside")).left, 1500);
    const RECT cornered = rectInParent(tool.captionLabel("In the corner"));
    EXPECT_EQ(cornered.left, 1500) << "no monitor there: the nearest is the one beside";
    EXPECT_EQ(cornered.bottom, Beside.bottom);

    // The first leaves the primary monitor to the right and comes in again at
    // its left edge; the second leaves the other one to the left and comes in
    // again at that one's right edge. Neither crosses into the other monitor.
    const HWND first = tool.captionLabel("On the first"), second = tool.captionLabel("On the second");
    // Each comes in again for a moment only, and each in its own moment.
    LONG furthestRight = 0, furthestLeft = Beside.right;
    bool firstCameIn = false, secondCameIn = false;
    const bool wrapped = waitUntil([&] {
        const RECT a = rectInParent(first), b = rectInParent(second);
        furthestRight = std::max(furthestRight, a.left);
        furthestLeft = std::min(furthestLeft, b.right);
        firstCameIn = firstCameIn || a.left < 0;
        secondCameIn = secondCameIn || b.left > Beside.right - 100;
        return firstCameIn && secondCameIn;
    }, 30000);
    EXPECT_TRUE(wrapped);
    EXPECT_LE(furthestRight, Primary.right + 5);
    EXPECT_GE(furthestLeft, Beside.left - 5);
    EXPECT_EQ(storedLine(directory, 4), corner.line()) << "shown elsewhere, stored as it was";
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

// A drag keeps the caption on the monitor under the pointer: down against the
// lower edge of the one beside (shorter than the primary), then across to the
// primary, where it may go lower.
TEST(TwoMonitors, ADraggedCaptionStaysOnTheMonitorUnderThePointer)
{
    ProgramDirectory directory;
    writeCaptions(directory, {{"Dragged", at(1500, 500).line()}});
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    const HWND settings = tool.openSettings();
    ASSERT_NE(settings, nullptr);
    SetWindowPos(settings, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const HWND label = tool.captionLabel("Dragged");
    const RECT r = rectInParent(label);
    const LONG height = r.bottom - r.top;
    POINT grab{r.left + 10, r.top + height / 2};
    ASSERT_TRUE(tool.pressOnCaption(label, grab));
    const POINT offset{grab.x - r.left, grab.y - r.top};

    EXPECT_TRUE(dragHeldLabel(label, {grab.x, Beside.bottom - 1}, {r.left, Beside.bottom - height}))
        << "stops at the lower edge of the monitor beside";
    EXPECT_TRUE(dragHeldLabel(label, {900 + offset.x, Primary.bottom - 1}, {900, Primary.bottom - height}))
        << "on the primary monitor, down to its own lower edge";
    EXPECT_TRUE(tool.releaseUntilStored(directory, 1, {900, Primary.bottom - height}));
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

}  // namespace
}  // namespace tessaly::e2e
