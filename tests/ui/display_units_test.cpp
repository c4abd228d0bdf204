// The picture box, the group box and the timer through their unit types, in
// loaded windows.
#include <gtest/gtest.h>

#include <cstdlib>

#include "runtime/ui/identifiers.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/units/unit_types.h"
#include "tests/ui/png_fixture.h"
#include "tests/ui/snapshot.h"
#include "tests/ui/unit_properties.h"
#include "tests/ui/window_kit.h"

namespace tessaly::ui {
namespace {

using namespace test;
using testing::pumpPending;
using testing::pumpUntil;
using testing::KitWindow;
using testing::Place;
using testing::hex;

constexpr uint32_t UnitId = 0x16000001;

constexpr COLORREF Blue = RGB(0, 0, 200);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 160, 0);

class DisplayUnits : public testing::KitTest {
protected:
    // A unit of the kind and description keys in a window of its own.
    Unit* make(const char* kind, const std::string& keys, Place place)
    {
        load(testing::unitSection(kind, UnitId, place, keys));
        return unit(UnitId);
    }
};

bool close(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 2 && std::abs(GetGValue(a) - GetGValue(b)) <= 2 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 2;
}

std::string picBoxKeys(const Bytes& picture, int32_t mode)
{
    return "backgroundColour = " + hex(Blue) + "\npicture = " + (picture.empty() ? "" : testing::fileValue(picture)) +
           "\ndisplayMode = " + std::to_string(mode);
}

TEST_F(DisplayUnits, PicBoxStretchesItsPictureOverTheWholeBox)
{
    const uint8_t red[4] = {255, 0, 0, 255};
    Unit* box = make("PicBox", picBoxKeys(makePng(100, 100, red), 1), {10, 10, 80, 80});
    ASSERT_NE(box, nullptr);
    const Snapshot shot(box->handle());
    EXPECT_EQ(shot.count(Red, {0, 0, 80, 80}), 80 * 80) << "a 100 x 100 picture shrunk to 80 x 80";
}

TEST_F(DisplayUnits, PicBoxBlendsAPictureAtActualSizeOverItsBackground)
{
    const uint8_t halfRed[4] = {255, 0, 0, 128};
    Unit* box = make("PicBox", picBoxKeys(makePng(20, 20, halfRed), 0), {10, 10, 80, 80});
    ASSERT_NE(box, nullptr);
    const Snapshot shot(box->handle());
    EXPECT_TRUE(close(shot.at(5, 5), RGB(128, 0, 100))) << std::hex << shot.at(5, 5);
    EXPECT_EQ(shot.at(50, 50), Blue);

    setProperty(*box, 10, PropertyValue{});
    EXPECT_EQ(Snapshot(box->handle()).at(5, 5), Blue) << "an empty picture removes the picture";
    setNumber(*box, 9, Green);
    EXPECT_EQ(Snapshot(box->handle()).at(5, 5), Green) << "a new background brush at once";
}

TEST_F(DisplayUnits, PicBoxPropertiesFollowTheirKinds)
{
    Unit* box = make("PicBox", picBoxKeys({}, 1), {0, 0, 40, 40});
    ASSERT_NE(box, nullptr);
    setNumber(*box, 8, 9);
    EXPECT_EQ(number(*box, 8), 5);
    EXPECT_NE(GetWindowLongPtrW(box->handle(), GWL_STYLE) & WS_BORDER, 0) << "border 5 is a plain border";
    setNumber(*box, 8, 1);
    EXPECT_EQ(GetWindowLongPtrW(box->handle(), GWL_STYLE) & WS_BORDER, 0);
    EXPECT_NE(GetWindowLongPtrW(box->handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    setNumber(*box, 11, 3);
    EXPECT_EQ(number(*box, 11), 2);
    setNumber(*box, 12, -1);
    EXPECT_EQ(number(*box, 12), 1);
    setText(*box, 14, "kept");
    const std::optional<PicBoxData> back = readTypeData(PicBoxRows, box->type().currentTypeData(*box));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->border, 1);
    EXPECT_EQ(back->displayMode, 2);
    EXPECT_EQ(back->storedText2, "kept");
}

std::string groupBoxKeys(const std::string& caption, int32_t alignment)
{
    return "caption = " + caption + "\ncaptionAlignment = " + std::to_string(alignment) + "\ntextColour = " + hex(Red) +
           "\nbackgroundColour = " + hex(Green);
}

TEST_F(DisplayUnits, GroupBoxIsAContainerPaintedInItsColours)
{
    Unit* box = make("GroupBox", groupBoxKeys(testing::utf8(u8"设置"), 0), {10, 10, 200, 100});
    ASSERT_NE(box, nullptr);
    EXPECT_NE(box->type().flags() & UnitTypeFlag::Container, 0u);
    wchar_t className[16] = {};
    GetClassNameW(box->handle(), className, 16);
    EXPECT_STREQ(className, L"Button");
    const Snapshot shot(box->handle());
    EXPECT_EQ(shot.at(100, 60), Green) << "background inside the frame";
    EXPECT_GT(shot.countInk(Red, Green, {0, 0, 100, 20}), 5) << "caption at the left of the top edge";
    EXPECT_EQ(shot.countInk(Red, Green, {100, 0, 200, 20}), 0);

    setNumber(*box, 9, 7);
    EXPECT_EQ(number(*box, 9), 2);
    EXPECT_EQ(GetWindowLongPtrW(box->handle(), GWL_STYLE) & (BS_LEFT | BS_CENTER | BS_RIGHT), BS_RIGHT);
    const Snapshot right(box->handle());
    EXPECT_EQ(right.countInk(Red, Green, {0, 0, 100, 20}), 0);
    EXPECT_GT(right.countInk(Red, Green, {100, 0, 200, 20}), 5);
}

// The window's WM_COMMAND notifications, to see what a group box passes up.
std::vector<HWND> g_commandsFrom;
WNDPROC g_hostProcedure = nullptr;

LRESULT CALLBACK recordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) g_commandsFrom.push_back(reinterpret_cast<HWND>(lParam));
    return CallWindowProcW(g_hostProcedure, window, message, wParam, lParam);
}

TEST_F(DisplayUnits, GroupBoxPassesItsChildrensNotificationsUp)
{
    Unit* box = make("GroupBox", groupBoxKeys("", 1), {10, 10, 200, 100});
    ASSERT_NE(box, nullptr);
    g_commandsFrom.clear();
    g_hostProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_->handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&recordCommands)));
    HWND button = CreateWindowExW(0, L"BUTTON", L"child", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 30, 80, 24,
                                  box->handle(), reinterpret_cast<HMENU>(110), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(button, BM_CLICK, 0, 0);
    pumpPending();
    SetWindowLongPtrW(window_->handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_hostProcedure));
    ASSERT_FALSE(g_commandsFrom.empty());
    EXPECT_EQ(g_commandsFrom.front(), button);
}

// Timer ticks: calls of the routine the timer's event 0 is bound to.
class TimerTest : public DisplayUnits {
protected:
    Unit* makeTimer(int32_t interval)
    {
        return make("Timer", "interval = " + std::to_string(interval) + "\nevents = 0 tick", {0, 0, 32, 32});
    }
    int ticks() const { return static_cast<int>(window_->calls("tick").size()); }
};

TEST_F(TimerTest, NeverShowsAndRaisesEventZeroOnItsOwnTimer)
{
    Unit* timer = makeTimer(0);
    ASSERT_NE(timer, nullptr);
    EXPECT_NE(timer->type().flags() & UnitTypeFlag::NeverVisible, 0u);
    SendMessageW(timer->handle(), WM_TIMER, 7, 0);
    EXPECT_EQ(ticks(), 0) << "another timer identifier";
    SendMessageW(timer->handle(), WM_TIMER, 1000, 0);
    EXPECT_EQ(ticks(), 1);
    setNumber(*timer, 8, -20);
    EXPECT_EQ(number(*timer, 8), 0);
}

TEST_F(TimerTest, WritingTheSameIntervalDoesNotRestartThePeriod)
{
    Unit* timer = makeTimer(150);
    ASSERT_NE(timer, nullptr);
    // Rewritten every few milliseconds: a restarted period would never end.
    EXPECT_TRUE(pumpUntil(
        [&] {
            setNumber(*timer, 8, 150);
            return ticks() >= 2;
        },
        5000));
    EXPECT_EQ(number(*timer, 8), 150);
}

TEST_F(TimerTest, ZeroStopsTheTimer)
{
    Unit* timer = makeTimer(10);
    ASSERT_NE(timer, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return ticks() >= 1; }));
    setNumber(*timer, 8, 0);
    pumpPending();
    const int stoppedAt = ticks();
    EXPECT_FALSE(pumpUntil([&] { return ticks() > stoppedAt; }, 300)) << "no tick after the stop";
    setNumber(*timer, 8, 10);
    EXPECT_TRUE(pumpUntil([&] { return ticks() > stoppedAt; })) << "and a new interval starts it again";
}

}  // namespace
}  // namespace tessaly::ui
