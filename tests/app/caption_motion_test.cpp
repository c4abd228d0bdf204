// Scrolling with wrap-round, dragging kept on the screen, and label sizes.
#include <gtest/gtest.h>

#include "app/caption_motion.h"

namespace tessaly::program {
namespace {

constexpr ScreenSize Screen{1024, 768};

TEST(CaptionMotion, EachDirectionWrapsOnlyOnceTheCaptionHasWhollyLeft)
{
    EXPECT_EQ(scrollStep({1022, 5, 200, 40}, "1", 5, Screen).left, -200);
    EXPECT_EQ(scrollStep({1019, 5, 200, 40}, "1", 5, Screen).left, 1024) << "at the edge, not beyond it";
    EXPECT_EQ(scrollStep({-195, 5, 200, 40}, "2", 5, Screen).left, -200) << "left + width = 0 does not wrap";
    EXPECT_EQ(scrollStep({-196, 5, 200, 40}, "2", 5, Screen).left, 1024);
    EXPECT_EQ(scrollStep({5, 766, 200, 40}, "3", 5, Screen).top, -40);
    EXPECT_EQ(scrollStep({5, -36, 200, 40}, "4", 5, Screen).top, 768);
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
