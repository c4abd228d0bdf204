// Scrolling with wrap-round, dragging kept on a monitor, label sizes, and
// the monitors' own arithmetic.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/caption_motion.h"

namespace tessaly::program {
namespace {

constexpr Area Screen{0, 0, 1024, 768};
// Two monitors side by side, the second to the left of the primary one and lower.
const Monitors SideBySide{{0, 0, 1024, 768}, {-1280, 100, 0, 1124}};

// One step before each direction's edge, onto it, and past it: only past
// it does the caption wrap. Label 200 x 40, speed 5.
struct EdgeCase {
    const char* direction;
    Placement from;
    int32_t expected;  // the new left for "1" and "2", the new top for "3" and "4"
};

TEST(CaptionMotion, EachDirectionWrapsOnlyOnceTheCaptionHasWhollyLeft)
{
    const EdgeCase cases[] = {
        {"1", {1018, 5, 200, 40}, 1023}, {"1", {1019, 5, 200, 40}, 1024}, {"1", {1020, 5, 200, 40}, -200},
        {"2", {-194, 5, 200, 40}, -199}, {"2", {-195, 5, 200, 40}, -200}, {"2", {-196, 5, 200, 40}, 1024},
        {"3", {5, 762, 200, 40}, 767},   {"3", {5, 763, 200, 40}, 768},   {"3", {5, 764, 200, 40}, -40},
        {"4", {5, -34, 200, 40}, -39},   {"4", {5, -35, 200, 40}, -40},   {"4", {5, -36, 200, 40}, 768},
    };
    for (const EdgeCase& c : cases) {
        const Placement after = scrollStep(c.from, c.direction, 5, Screen);
        const bool horizontal = std::string(c.direction) <= "2";
        EXPECT_EQ(horizontal ? after.left : after.top, c.expected) << c.direction << " from " << c.from.left << ", " << c.from.top;
        EXPECT_EQ(horizontal ? after.top : after.left, horizontal ? c.from.top : c.from.left) << "the other coordinate stays";
    }
}

// Places read from a file the user edited reach the ends of a coordinate:
// the step neither overflows nor loses the wrap.
TEST(CaptionMotion, PlacesAtTheEndsOfTheRangeStepWithoutOverflowing)
{
    EXPECT_EQ(scrollStep({INT32_MAX, 0, 200, 40}, "1", 5, Screen).left, -200);
    EXPECT_EQ(scrollStep({INT32_MIN, 0, 200, 40}, "2", 5, Screen).left, 1024);
    EXPECT_EQ(scrollStep({0, INT32_MAX - 2, 200, 40}, "3", 5, Screen).top, -40);
    EXPECT_EQ(scrollStep({0, INT32_MIN + 2, 200, 40}, "4", 5, Screen).top, 768);
    EXPECT_EQ(scrollStep({INT32_MIN + 1, 0, 200, 40}, "1", -5, Screen).left, INT32_MIN) << "held at the end, never wrapped";
    EXPECT_EQ(scrollStep({0, 0, INT32_MAX, 40}, "2", INT32_MAX, Screen).left, -INT32_MAX);
    EXPECT_EQ(dragPlacement({0, 0, INT32_MAX, 40}, INT32_MAX, 0, Screen).left, 1024 - INT32_MAX);
    const LabelSize huge = captionLabelSize(INT32_MAX, INT32_MAX, {INT32_MAX, INT32_MAX});
    EXPECT_EQ(huge.width, INT32_MAX);
    EXPECT_EQ(huge.height, INT32_MAX);
}

TEST(CaptionMotion, OtherDirectionsStandStillAndNegativeSpeedsRunBackwardsWithoutWrapping)
{
    const Placement p{10, 20, 200, 40};
    for (const char* direction : {"0", "5", "", "1 "}) {
        const Placement q = scrollStep(p, direction, 5, Screen);
        EXPECT_EQ(q.left, 10) << direction;
        EXPECT_EQ(q.top, 20) << direction;
    }
    EXPECT_EQ(scrollStep({-5000, 0, 200, 40}, "1", -5, Screen).left, -5005);
}

TEST(CaptionMotion, DraggedCaptionsStayWholeOnTheScreen)
{
    const Placement label{0, 0, 200, 40};
    EXPECT_EQ(dragPlacement(label, -30, -4, Screen).left, 0);
    EXPECT_EQ(dragPlacement(label, -30, -4, Screen).top, 0);
    EXPECT_EQ(dragPlacement(label, 900, 750, Screen).left, 824);
    EXPECT_EQ(dragPlacement(label, 900, 750, Screen).top, 728);
    EXPECT_EQ(dragPlacement({0, 0, 1200, 40}, 5, 5, Screen).left, -176) << "wider than the screen";
}

TEST(CaptionMotion, OnAMonitorBesideTheFirstCaptionsWrapAndStopAtItsOwnEdges)
{
    const Area left = SideBySide[1];
    EXPECT_EQ(scrollStep({-3, 500, 200, 40}, "1", 5, left).left, -1480) << "wholly past its right edge";
    EXPECT_EQ(scrollStep({-1476, 500, 200, 40}, "2", 5, left).left, 0);
    EXPECT_EQ(scrollStep({-600, 1122, 200, 40}, "3", 5, left).top, 60);
    EXPECT_EQ(scrollStep({-600, 58, 200, 40}, "4", 5, left).top, 1124);
    EXPECT_EQ(dragPlacement({0, 0, 200, 40}, -1400, 20, left).left, -1280);
    EXPECT_EQ(dragPlacement({0, 0, 200, 40}, -1400, 20, left).top, 100);
    EXPECT_EQ(dragPlacement({0, 0, 200, 40}, -100, 2000, left).left, -200);
    EXPECT_EQ(dragPlacement({0, 0, 200, 40}, -100, 2000, left).top, 1084);
}

TEST(MonitorLayout, TheVirtualScreenTheMonitorUnderAPointAndTheOneHoldingACaption)
{
    EXPECT_EQ(virtualScreen(SideBySide), (Area{-1280, 0, 1024, 1124}));
    EXPECT_EQ(virtualScreen({Screen}), Screen);
    EXPECT_EQ(monitorAt(SideBySide, -1, 500), SideBySide[1]);
    EXPECT_EQ(monitorAt(SideBySide, 0, 500), SideBySide[0]) << "right and bottom edges are outside";
    EXPECT_EQ(monitorAt(SideBySide, -5, 50), SideBySide[0]) << "in no monitor: the nearest";
    EXPECT_EQ(monitorOf(SideBySide, {-150, 200, 200, 40}), SideBySide[1]) << "most of it";
    EXPECT_EQ(monitorOf(SideBySide, {-50, 200, 200, 40}), SideBySide[0]);
    EXPECT_EQ(monitorOf(SideBySide, {-100, 200, 200, 40}), SideBySide[0]) << "a tie: the primary one";
}

TEST(MonitorLayout, ACaptionOffEveryMonitorIsShownWholeOnTheNearestAndOneOnAMonitorStays)
{
    const Placement partly{1000, 700, 200, 40};
    EXPECT_EQ(shownPlace(SideBySide, partly).left, 1000);
    EXPECT_EQ(shownPlace(SideBySide, partly).top, 700);
    const Placement beyondRight = shownPlace(SideBySide, {3000, 300, 200, 40});
    EXPECT_EQ(beyondRight.left, 824);
    EXPECT_EQ(beyondRight.top, 300);
    const Placement aboveTheLeftOne = shownPlace(SideBySide, {-900, -500, 200, 40});
    EXPECT_EQ(aboveTheLeftOne.left, -900);
    EXPECT_EQ(aboveTheLeftOne.top, 100);
    const Placement wider = shownPlace({Screen}, {-5000, 10, 2000, 40});
    EXPECT_EQ(wider.left, 0) << "larger than the monitor: from its left edge";
    EXPECT_EQ(shownPlace({}, partly).left, 1000) << "no monitors known: left as it is";
}

TEST(CaptionMotion, LabelsFitTheirCaptionAtEverySize)
{
    // Size 8 and 9 had no width at all; small sizes now fit the measured text.
    const LabelSize small = captionLabelSize(4, 8, {30, 11});
    EXPECT_EQ(small.width, 30 + CaptionMargin);
    EXPECT_EQ(small.height, 11 + CaptionMargin);
    // Where the classic size already fits, it stays.
    const LabelSize large = captionLabelSize(4, 36, {90, 48});
    EXPECT_EQ(large.width, 4 * (36 - 9));
    EXPECT_EQ(large.height, 72);
}

}  // namespace
}  // namespace tessaly::program
