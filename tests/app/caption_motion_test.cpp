// Scrolling with wrap-round, dragging kept on the screen, and label sizes.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/caption_motion.h"

namespace tessaly::program {
namespace {

constexpr ScreenSize Screen{1024, 768};

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
