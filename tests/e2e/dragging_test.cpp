// Moving captions with the mouse while the settings window is open: a drag
// follows the pointer until the button is released, keeps the caption whole
// on the screen and stores where it ended; a double-click brings a caption in
// front of the others.
#include <gtest/gtest.h>

#include <memory>

#include "tests/e2e/caption_files.h"
#include "tests/e2e/shared_tool_suite.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

CaptionLook standing(int left, int top, COLORREF background)
{
    CaptionLook look;
    look.background = background;
    look.left = left;
    look.top = top;
    look.strikeOut = true;
    look.style = "2";
    return look;
}

POINT centreOf(HWND label)
{
    RECT r;
    GetWindowRect(label, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class Dragging : public SharedToolSuite<Dragging> {
protected:
    static const inline std::string Current = "拖动 Drag me";
    static const inline std::string Earlier = "Nine fields";
    static const inline std::string Lower = "Lower caption";
    static const inline std::string Upper = "Upper caption";
    static const inline std::string Shadowed = "Shadowed";
    // A shadowed caption's line, with a part after it that is the user's own.
    static std::string shadowedLine(int left, int top)
    {
        CaptionLook look = standing(left, top, RGB(0, 60, 90));
        look.effect = "1";
        look.effectColour = RGB(0, 0, 0);
        return look.line() + RecordSeparator + "mine";
    }

    static void SetUpTestSuite()
    {
        startTool({{Current, standing(500, 200, RGB(0, 90, 0)).line()},
                   {Earlier, standing(500, 500, RGB(90, 0, 0)).earlierLine()},
                   {Lower, standing(700, 700, RGB(0, 0, 120)).line()},
                   {Upper, standing(760, 710, RGB(120, 120, 0)).line()},
                   {Shadowed, shadowedLine(900, 300)}});
        if (tool_->started()) settings_ = tool_->openSettings();
    }

    static bool pressOn(HWND label, POINT& grab) { return tool_->pressOnCaption(label, grab); }
    static bool dragTo(HWND label, POINT to, POINT expectedTopLeft) { return dragHeldLabel(label, to, expectedTopLeft); }
    static bool releaseAndWaitForStore(int line, POINT topLeft)
    {
        return tool_->releaseUntilStored(*directory_, line, topLeft);
    }

    static HWND settings_;
};

HWND Dragging::settings_ = nullptr;

// A press on the display window, not on a caption, then a release over a
// caption: no drag began, so nothing is stored and the tool carries on.
TEST_F(Dragging, AReleaseWithoutAPressOnACaptionDoesNothing)
{
    ASSERT_NE(settings_, nullptr);
    const std::string before = directory_->read(ConfigFile).value_or("");
    const HWND label = tool_->captionLabel(Current);
    const RECT place = rectInParent(label);
    moveCursor(1000, 100);
    pressLeft();
    const POINT over = centreOf(label);
    moveCursor(over.x, over.y);
    releaseLeft();
    // A press on another caption is handled after the release. It lies off
    // the centre, where a later test presses: two presses on one spot in
    // quick succession make a double-click.
    const HWND other = tool_->captionLabel(Earlier);
    const POINT otherCentre = centreOf(other);
    POINT offCentre{otherCentre.x - 20, otherCentre.y};
    ASSERT_TRUE(pressOn(other, offCentre));
    releaseLeft();
    ASSERT_TRUE(waitUntil([&] { return tool_->mouseCapture() == nullptr; }));
    EXPECT_TRUE(tool_->running());
    const RECT now = rectInParent(label);
    EXPECT_TRUE(EqualRect(&place, &now)) << "the caption stayed";
    EXPECT_EQ(splitLines(directory_->read(ConfigFile).value_or("")), splitLines(before));
}

// The drags keep away from the top left of the screen, where the settings
// window and Wine's stand-in tray lie and would take the pointer.
TEST_F(Dragging, ACaptionStopsAtTheScreenEdgesAndItsPlaceIsStored)
{
    const HWND label = tool_->captionLabel(Current);
    const RECT r = rectInParent(label);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    POINT grab = centreOf(label);
    ASSERT_TRUE(pressOn(label, grab));
    const POINT offset{grab.x - r.left, grab.y - r.top};
    EXPECT_TRUE(dragTo(label, {grab.x + 50, grab.y + 30}, {r.left + 50, r.top + 30})) << "follows the pointer";
    EXPECT_TRUE(dragTo(label, {offset.x - 40, screenHeight - 1}, {0, screenHeight - height}))
        << "stops at the left and bottom edges";
    ASSERT_TRUE(releaseAndWaitForStore(1, {0, screenHeight - height}));

    POINT again = centreOf(label);
    ASSERT_TRUE(pressOn(label, again));
    EXPECT_TRUE(dragTo(label, {screenWidth - 1, 0}, {screenWidth - width, 0})) << "stops at the right and top edges";
    ASSERT_TRUE(releaseAndWaitForStore(1, {screenWidth - width, 0}));

    const std::vector<std::string> fields = fieldsOf(storedLine(*directory_, 1));
    ASSERT_EQ(fields.size(), 12u);
    EXPECT_EQ(fields[9], TrueText) << "strike-out kept";
    EXPECT_EQ(fields[11], "2") << "style kept";
}

// The label keeps the mouse while the button is held, and the spot pressed
// stays under the pointer however late the tool reads the press: a press and
// a jump far off the caption, released while the tool is busy, move it by the
// jump and store it.
TEST_F(Dragging, ADragFollowsThePointerUntilTheButtonIsReleasedAnywhere)
{
    const HWND label = tool_->captionLabel(Current);
    const RECT r = rectInParent(label);
    const POINT grab = centreOf(label);
    ASSERT_TRUE(tool_->settleCursor(grab));
    const POINT offset{grab.x - r.left, grab.y - r.top};
    const POINT away{600 + offset.x, 420 + offset.y};
    tool_->whileHeld([&] {
        pressLeft();
        moveAndRelease(away.x, away.y);
    });
    EXPECT_TRUE(waitUntil([&] {
        const RECT now = rectInParent(label);
        return now.left == 600 && now.top == 420 && tool_->mouseCapture() == nullptr;
    }));
    EXPECT_TRUE(waitUntil([&] { return storedNumber(*directory_, 1, 8) == 600 && storedNumber(*directory_, 1, 9) == 420; }));
}

// A dragged caption's line keeps its layout: nine fields stay nine, and a
// shadowed caption's fourteen stay with the part after them.
TEST_F(Dragging, ADraggedLineKeepsItsFields)
{
    const HWND label = tool_->captionLabel(Earlier);
    const RECT r = rectInParent(label);
    POINT grab = centreOf(label);
    ASSERT_TRUE(pressOn(label, grab));
    EXPECT_TRUE(dragTo(label, {grab.x - 100, grab.y + 40}, {r.left - 100, r.top + 40}));
    ASSERT_TRUE(releaseAndWaitForStore(2, {r.left - 100, r.top + 40}));
    EXPECT_EQ(fieldsOf(storedLine(*directory_, 2)).size(), 9u);

    const HWND shadowed = tool_->captionLabel(Shadowed);
    POINT held = centreOf(shadowed);
    ASSERT_TRUE(pressOn(shadowed, held));
    EXPECT_TRUE(dragTo(shadowed, {held.x + 60, held.y + 50}, {960, 350}));
    ASSERT_TRUE(releaseAndWaitForStore(5, {960, 350}));
    EXPECT_EQ(storedLine(*directory_, 5), shadowedLine(960, 350));
}

// Created later, the upper caption starts in front; a double-click on the
// part of the lower one that shows brings it forward, and reopening the
// settings window, which loads the captions again, restores creation order.
TEST_F(Dragging, ADoubleClickBringsACaptionToTheFrontUntilTheCaptionsAreLoadedAgain)
{
    HWND lower = tool_->captionLabel(Lower);
    HWND upper = tool_->captionLabel(Upper);
    ASSERT_TRUE(isAbove(upper, lower));
    const RECT r = rectInParent(lower);
    doubleClickAt(r.left + 20, (r.top + r.bottom) / 2);
    EXPECT_TRUE(waitUntil([&] { return isAbove(lower, upper); }));
    EXPECT_EQ(rectInParent(lower).left, 700) << "a double-click does not move it";

    ASSERT_EQ(tool_->openSettings(), settings_);
    EXPECT_TRUE(waitUntil([&] {
        lower = tool_->captionLabel(Lower);
        upper = tool_->captionLabel(Upper);
        return lower != nullptr && upper != nullptr && isAbove(upper, lower);
    }));
}

}  // namespace
}  // namespace tessaly::e2e
