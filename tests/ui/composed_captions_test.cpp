// Caption labels on the display window once it is layered with its colour
// key, as the caption tool makes it: the window paints them itself, in their
// stacking order and clipped to their regions, sends mouse input to the one
// under the pointer, and repaints only what changed.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "runtime/core/commands/commands.h"
#include "runtime/ui/property_access.h"
#include "tests/ui/message_pump.h"
#include "tests/ui/program_windows.h"

namespace tessaly::ui::testing {
namespace {

constexpr COLORREF ColourKey = 0x400040;
constexpr COLORREF Untouched = ColourKey;  // the display window's own background
constexpr int32_t Caption = 8;
constexpr int32_t Background = 17;

// What a paint of the display window draws, in a bitmap of its own.
class Painting {
public:
    Painting(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<const uint32_t*>(bits);
        previous_ = SelectObject(dc_, bitmap_);
        HBRUSH fill = CreateSolidBrush(Untouched);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, fill);
        DeleteObject(fill);
    }
    Painting(const Painting&) = delete;
    Painting& operator=(const Painting&) = delete;
    ~Painting()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF at(int x, int y) const
    {
        GdiFlush();
        const uint32_t p = bits_[static_cast<size_t>(y) * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    const uint32_t* bits_ = nullptr;
};

class ComposedCaptions : public CaptionLabels {
protected:
    void SetUp() override
    {
        CaptionLabels::SetUp();
        for (const auto& [index, value] : {std::pair{CommonProperty::Left, 0}, std::pair{CommonProperty::Top, 0},
                                           std::pair{CommonProperty::Width, 640}, std::pair{CommonProperty::Height, 480}})
            write(0, index, TypedValue::ofInt(value));
        SetWindowLongPtrW(display(), GWL_EXSTYLE, GetWindowLongPtrW(display(), GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredWindowAttributes(display(), ColourKey, 255, LWA_COLORKEY | LWA_ALPHA);
        ASSERT_NE(composition(), nullptr);
    }
    static Composition* composition() { return layer().findWindow(DisplayWindow)->composition(); }

    // A caption of one colour and no text, with the program's rounded corners.
    static uint32_t caption(RECT place, COLORREF background, bool shown = true)
    {
        const uint32_t copy = copyOfHotkeyLabel();
        write(copy, Caption, TypedValue::ofPointer("", TypeCode::Text));
        write(copy, Background, TypedValue::ofInt(static_cast<int32_t>(background)));
        write(copy, CommonProperty::Left, TypedValue::ofInt(place.left));
        write(copy, CommonProperty::Top, TypedValue::ofInt(place.top));
        write(copy, CommonProperty::Width, TypedValue::ofInt(place.right - place.left));
        write(copy, CommonProperty::Height, TypedValue::ofInt(place.bottom - place.top));
        const auto handle = reinterpret_cast<HWND>(static_cast<intptr_t>(
            call(commands::GetWindowHandle, {unitValue(DisplayWindow, copy, TypeCode::Label)}).asInt()));
        SetWindowRgn(handle, CreateRoundRectRgn(0, 0, place.right - place.left, place.bottom - place.top, 15, 15), TRUE);
        write(copy, CommonProperty::Visible, TypedValue::ofBool(shown));
        return copy;
    }
    static std::unique_ptr<Painting> painted()
    {
        auto p = std::make_unique<Painting>(640, 480);
        composition()->paint(p->dc(), {0, 0, 640, 480}, ColourKey);
        return p;
    }
    static void bringToFront(uint32_t unit)
    {
        call(commands::SetZOrder, {unitValue(DisplayWindow, unit, TypeCode::Label), TypedValue::ofInt(1)});
    }
    static RECT windowPlace(uint32_t unit)
    {
        RECT r;
        GetWindowRect(handleOf(unit), &r);
        MapWindowPoints(nullptr, display(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // Mouse input as the system delivers it to the display window, whose
    // captions have no window it shows.
    static void post(UINT message, int x, int y, WPARAM keys = 0) { PostMessageW(display(), message, keys, MAKELPARAM(x, y)); }
    // The unit each press routine ran for.
    static std::vector<uint32_t>& pressed()
    {
        static std::vector<uint32_t> units;
        return units;
    }
    static void notePresses()
    {
        pressed().clear();
        g_duringPress = [] { pressed().push_back(call(commands::GetEventUnit, {}).high); };
    }
};

TEST_F(ComposedCaptions, EachShownCaptionIsPaintedInStackingOrderClippedToItsRegion)
{
    const COLORREF red = RGB(200, 0, 0), blue = RGB(0, 0, 200), green = RGB(0, 160, 0);
    const uint32_t lower = caption({100, 100, 300, 160}, red);
    const uint32_t upper = caption({200, 120, 400, 180}, blue);
    const uint32_t hidden = caption({500, 100, 600, 160}, green, false);
    EXPECT_FALSE(IsWindowVisible(handleOf(upper))) << "the window system never shows it";
    EXPECT_TRUE(property(upper, CommonProperty::Visible).asBool());
    EXPECT_FALSE(property(hidden, CommonProperty::Visible).asBool());

    const auto first = painted();
    EXPECT_EQ(first->at(250, 140), blue) << "the later caption lies above";
    EXPECT_EQ(first->at(150, 140), red);
    EXPECT_EQ(first->at(201, 121), red) << "the upper one's rounded corner leaves the lower one showing";
    EXPECT_EQ(first->at(101, 101), Untouched) << "nor does the lower one paint outside its corner";
    EXPECT_EQ(first->at(550, 130), Untouched) << "a hidden caption paints nothing";
    EXPECT_EQ(first->at(395, 150), blue);
    EXPECT_EQ(first->at(405, 150), Untouched);

    bringToFront(lower);
    EXPECT_EQ(painted()->at(250, 140), red);
    write(hidden, CommonProperty::Visible, TypedValue::ofBool(true));
    write(lower, CommonProperty::Visible, TypedValue::ofBool(false));
    const auto last = painted();
    EXPECT_EQ(last->at(550, 130), green);
    EXPECT_EQ(last->at(250, 140), blue);
    EXPECT_EQ(last->at(150, 140), Untouched);
}

// Presses, moves and releases reach the topmost caption whose region holds
// the point, in its own coordinates; a press holds the mouse for the drag;
// two clicks make a double-click only on the same caption.
TEST_F(ComposedCaptions, MouseInputGoesToTheTopmostCaptionWhoseRegionHoldsThePointer)
{
    const uint32_t lower = caption({100, 100, 300, 160}, RGB(200, 0, 0));
    const uint32_t upper = caption({200, 120, 400, 180}, RGB(0, 0, 200));
    caption({500, 100, 600, 160}, RGB(0, 160, 0), false);
    notePresses();
    post(WM_LBUTTONDOWN, 250, 140, MK_LBUTTON);
    pumpUntil([] { return countOf("labelPress") == 1; });
    ASSERT_EQ(pressed(), std::vector<uint32_t>{upper});
    EXPECT_EQ(GetCapture(), handleOf(upper)) << "the caption holds the mouse for the drag";
    EXPECT_EQ(windowPlace(upper).left, 200) << "its window stands where it shows while it holds the mouse";
    post(WM_LBUTTONUP, 250, 140);
    pumpUntil([] { return countOf("labelRelease") == 1; });
    EXPECT_EQ(GetCapture(), nullptr);

    for (const POINT at : {POINT{201, 121}, POINT{150, 130}, POINT{550, 130}, POINT{450, 300}}) {
        post(WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON);
        post(WM_LBUTTONUP, at.x, at.y);
    }
    pumpUntil([] { return countOf("labelRelease") == 3; });
    EXPECT_EQ(pressed(), (std::vector<uint32_t>{upper, lower, lower})) << "corner, lower alone; hidden and empty: none";

    // The second click of a pair on another caption is a press of its own.
    post(WM_LBUTTONDBLCLK, 250, 140, MK_LBUTTON);
    post(WM_LBUTTONUP, 250, 140);
    post(WM_LBUTTONDOWN, 250, 140, MK_LBUTTON);
    post(WM_LBUTTONUP, 250, 140);
    post(WM_LBUTTONDBLCLK, 250, 140, MK_LBUTTON);
    post(WM_LBUTTONUP, 250, 140);
    pumpUntil([] { return countOf("labelRelease") == 6; });
    EXPECT_EQ(pressed(), (std::vector<uint32_t>{upper, lower, lower, upper, upper}));
    EXPECT_EQ(countOf("labelBringToFront"), 1u);
}

// A real press, a drag past every caption and a release: the caption that was
// pressed hears all of it.
TEST_F(ComposedCaptions, ACaptionHoldsTheMouseFromItsPressToTheRelease)
{
    const uint32_t dragged = caption({200, 120, 400, 180}, RGB(0, 0, 200));
    caption({420, 120, 600, 180}, RGB(0, 160, 0));
    pumpPending();
    notePresses();
    RECT onScreen;
    GetWindowRect(handleOf(dragged), &onScreen);
    const auto input = [](int x, int y, DWORD flags) {
        INPUT i{};
        i.type = INPUT_MOUSE;
        i.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        i.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        i.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        return i;
    };
    const int x = onScreen.left + 50, y = onScreen.top + 20;
    INPUT press = input(x, y, MOUSEEVENTF_LEFTDOWN);
    ASSERT_EQ(SendInput(1, &press, sizeof press), 1u);
    pumpUntil([] { return countOf("labelPress") == 1; });
    ASSERT_EQ(pressed(), std::vector<uint32_t>{dragged});
    INPUT away[2] = {input(x + 300, y + 250, 0), input(x + 300, y + 250, MOUSEEVENTF_LEFTUP)};
    ASSERT_EQ(SendInput(2, away, sizeof(INPUT)), 2u);
    pumpUntil([] { return countOf("labelRelease") == 1; });
    EXPECT_EQ(countOf("labelRelease"), 1u);
    EXPECT_GE(countOf("labelMove"), 1u);
    const Call* release = lastOf("labelRelease");
    ASSERT_NE(release, nullptr);
    EXPECT_EQ(release->arguments[0], 350) << "released in the pressed caption's coordinates";
    EXPECT_EQ(release->arguments[1], 270);
}

// Changes are painted where they happen: one invalidation for the whole
// pass, and a paint of only the captions that moved or changed.
TEST_F(ComposedCaptions, ARepaintTouchesOnlyTheCaptionsThatChanged)
{
    std::vector<uint32_t> captions;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 5; ++column)
            captions.push_back(caption({20 + column * 120, 20 + row * 100, 120 + column * 120, 70 + row * 100},
                                       RGB(40 * column, 50 * row, 100)));
    pumpPending();
    for (const size_t moved : {0u, 7u, 13u}) write(captions[moved], CommonProperty::Left, TypedValue::ofInt(25 + static_cast<int>(moved % 5) * 120));
    write(captions[19], Background, TypedValue::ofInt(RGB(255, 255, 0)));
    write(captions[4], CommonProperty::Visible, TypedValue::ofBool(false));

    MSG flush;
    ASSERT_TRUE(PeekMessageW(&flush, display(), Composition::FlushMessage, Composition::FlushMessage, PM_REMOVE));
    EXPECT_FALSE(PeekMessageW(&flush, display(), Composition::FlushMessage, Composition::FlushMessage, PM_NOREMOVE))
        << "one invalidation, however many captions changed";
    DispatchMessageW(&flush);
    pumpPending();
    EXPECT_EQ(composition()->lastPainted(), 4) << "three moved and one recoloured; the hidden one is gone";
}

// Its window reaches a caption's place within a second, and at once when its
// handle is handed out; reads answer the new place all along.
TEST_F(ComposedCaptions, ACaptionsWindowFollowsItsPlaceWithinASecondOrWhenHandedOut)
{
    const uint32_t moving = caption({10, 10, 110, 50}, RGB(0, 0, 200));
    write(moving, CommonProperty::Left, TypedValue::ofInt(300));
    EXPECT_EQ(property(moving, CommonProperty::Left).asInt(), 300);
    pumpUntil([&] { return windowPlace(moving).left == 300; }, 3000);
    EXPECT_EQ(windowPlace(moving).left, 300);

    write(moving, CommonProperty::Top, TypedValue::ofInt(200));
    call(commands::GetWindowHandle, {unitValue(DisplayWindow, moving, TypeCode::Label)});
    EXPECT_EQ(windowPlace(moving).top, 200);
}

// A window that stops being layered shows its captions as windows again.
TEST_F(ComposedCaptions, CaptionsAreWindowsAgainOnceTheWindowIsNotLayered)
{
    const uint32_t shown = caption({10, 10, 110, 50}, RGB(0, 0, 200));
    const uint32_t hidden = caption({10, 100, 110, 150}, RGB(0, 0, 200), false);
    write(shown, CommonProperty::Left, TypedValue::ofInt(40));
    SetWindowLongPtrW(display(), GWL_EXSTYLE, GetWindowLongPtrW(display(), GWL_EXSTYLE) & ~WS_EX_LAYERED);
    EXPECT_EQ(composition(), nullptr);
    EXPECT_TRUE(IsWindowVisible(handleOf(shown)));
    EXPECT_FALSE(IsWindowVisible(handleOf(hidden)));
    EXPECT_EQ(windowPlace(shown).left, 40);
}

}  // namespace
}  // namespace tessaly::ui::testing
