// Input messages as common events, and what a routine's answer does to them.
#include <gtest/gtest.h>

#include "runtime/ui/message_events.h"

namespace tessaly::ui {
namespace {

TEST(MessageEvents, MousePositionsAreSignedClientHalves)
{
    const auto e = commonEventFor(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-12, 300), 2);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->event, CommonEvent::LeftDown);
    EXPECT_EQ(e->argumentCount, 3);
    EXPECT_EQ(e->arguments[0], -12);
    EXPECT_EQ(e->arguments[1], 300);
    EXPECT_EQ(e->arguments[2], 2);
    EXPECT_EQ(commonEventFor(WM_MOUSEMOVE, 0, 0, 0)->event, CommonEvent::MouseMove);
    EXPECT_EQ(commonEventFor(WM_LBUTTONDBLCLK, 0, 0, 0)->event, CommonEvent::DoubleClick);
    EXPECT_EQ(commonEventFor(WM_RBUTTONUP, 0, 0, 0)->event, CommonEvent::RightUp);
}

TEST(MessageEvents, KeysCarryThirteenBitCodesAndState)
{
    const auto down = commonEventFor(WM_SYSKEYDOWN, 0xFFFF, 0, 4);
    EXPECT_EQ(down->event, CommonEvent::KeyDown);
    EXPECT_EQ(down->arguments[0], 0x1FFF);
    EXPECT_EQ(down->arguments[1], 4);
    EXPECT_EQ(commonEventFor(WM_KEYUP, 'A', 0, 0)->event, CommonEvent::KeyUp);
    const auto character = commonEventFor(WM_CHAR, 'x', 0, 1);
    EXPECT_EQ(character->argumentCount, 1);
    EXPECT_EQ(character->arguments[0], 'x');
}

TEST(MessageEvents, WheelTurnsInNotches)
{
    const auto e = commonEventFor(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0, 1);
    EXPECT_EQ(e->event, CommonEvent::Wheel);
    EXPECT_EQ(e->arguments[0], -2);
    EXPECT_EQ(e->arguments[1], 1);
}

TEST(MessageEvents, OtherMessagesRaiseNothing)
{
    EXPECT_FALSE(commonEventFor(WM_PAINT, 0, 0, 0).has_value());
    EXPECT_FALSE(commonEventFor(WM_TIMER, 0, 0, 0).has_value());
}

TEST(MessageEvents, ReturnedValueDecidesTheMessagesFate)
{
    EventRecord record;
    EXPECT_EQ(fateOf(WM_CHAR, record), MessageFate::Pass) << "nothing returned";
    record.returned = 1;
    record.value = 0;
    EXPECT_EQ(fateOf(WM_CHAR, record), MessageFate::Swallow);
    EXPECT_EQ(fateOf(WM_LBUTTONDOWN, record), MessageFate::Swallow);
    EXPECT_EQ(fateOf(WM_SETFOCUS, record), MessageFate::Pass) << "focus cannot be refused";
    record.value = 65;
    EXPECT_EQ(fateOf(WM_CHAR, record), MessageFate::Replace);
    EXPECT_EQ(fateOf(WM_KEYDOWN, record), MessageFate::Pass);
}

}  // namespace
}  // namespace tessaly::ui
