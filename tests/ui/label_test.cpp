// The label unit in a loaded window: its own properties through the type
// interface, what it paints, its feedback event and its hold on the mouse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <optional>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/type_data_io.h"
#include "runtime/ui/units/label_painter.h"
#include "runtime/ui/units/unit_types.h"
#include "tests/ui/png_fixture.h"
#include "tests/ui/snapshot.h"
#include "tests/ui/unit_properties.h"
#include "tests/ui/window_kit.h"

namespace tessaly::ui {
namespace {

using namespace test;
using testing::pumpUntil;
using testing::KitWindow;
using testing::Place;
using testing::hex;
using testing::unitSection;

constexpr uint32_t LabelId = 0x16000001;
constexpr COLORREF Blue = RGB(20, 40, 200);
constexpr COLORREF Red = RGB(230, 10, 10);
constexpr COLORREF Yellow = RGB(250, 240, 0);

class LabelTest : public testing::KitTest {
protected:
    // A label of the description keys in a window of its own.
    Unit* makeLabel(const std::string& keys, Place place = {10, 10, 200, 60})
    {
        load(unitSection("Label", LabelId, place, keys));
        return unit(LabelId);
    }

    static std::string plain(uint32_t background) { return "backgroundColour = " + hex(background) + "\n"; }
};

TEST_F(LabelTest, ChoicesAndFrameWidthAreClampedOnWrite)
{
    Unit* label = makeLabel(plain(Blue));
    ASSERT_NE(label, nullptr);
    setNumber(*label, 11, 3);
    EXPECT_EQ(number(*label, 11), 5) << "a frame narrower than 5 becomes 5";
    setNumber(*label, 11, 12);
    EXPECT_EQ(number(*label, 11), 12);
    setNumber(*label, 9, 7);
    EXPECT_EQ(number(*label, 9), 3) << "text effect tops out at 3";
    setNumber(*label, 10, 99);
    EXPECT_EQ(number(*label, 10), 6) << "border tops out at the gradient frame";
    setNumber(*label, 20, -2);
    EXPECT_EQ(number(*label, 20), 0);
    setNumber(*label, 25, 42);
    EXPECT_EQ(number(*label, 25), 1) << "logical values read back as exactly 1";
    EXPECT_FALSE(setNumber(*label, 26, 2)) << "no label property asks for re-creation";
    EXPECT_EQ(number(*label, 26), 2);
    setNumber(*label, 29, 9);
    EXPECT_EQ(number(*label, 29), 2) << "caption effect tops out at the outline";
    setNumber(*label, 30, 0x123456);
    EXPECT_EQ(number(*label, 30), 0x123456);
}

TEST_F(LabelTest, CaptionIsAlsoTheWindowTextAndStoredTextsAreKept)
{
    Unit* label = makeLabel(plain(Blue));
    ASSERT_NE(label, nullptr);
    setText(*label, 8, "透明度：");
    EXPECT_EQ(text(*label, 8), "透明度：");
    wchar_t shown[32] = {};
    GetWindowTextW(label->handle(), shown, 32);
    EXPECT_EQ(std::wstring(shown), widenGbk("透明度：")) << "window text converted from GBK";
    // A bare zero-terminated text (no length) is taken up to its end.
    const char* bare = "stored";
    setProperty(*label, 27, PropertyValue{reinterpret_cast<intptr_t>(bare), 0});
    setText(*label, 28, "second");
    EXPECT_EQ(text(*label, 27), "stored");
    EXPECT_EQ(text(*label, 28), "second");
}

TEST_F(LabelTest, FontIsAWholeLogFontOrNothing)
{
    Unit* label = makeLabel(plain(Blue));
    ASSERT_NE(label, nullptr);
    const Bytes font = makeLogFont(-24, 700, 134, "宋体");
    setProperty(*label, 15, PropertyValue::bytes(font.data(), font.size()));
    PropertyValue out;
    ASSERT_TRUE(label->type().getProperty(*label, 15 - 8, out));
    EXPECT_TRUE(std::ranges::equal(out.asBytes(), font));
    const uint8_t half[30] = {};
    setProperty(*label, 15, PropertyValue::bytes(half, sizeof half));
    label->type().getProperty(*label, 15 - 8, out);
    EXPECT_EQ(out.length, 60) << "a blob that is not a LOGFONT is refused";
    setProperty(*label, 15, PropertyValue{});
    label->type().getProperty(*label, 15 - 8, out);
    EXPECT_EQ(out.length, 0) << "an empty font means the default GUI font";
}

TEST_F(LabelTest, TypeDataComesBackAsVersionThreeWhateverItWasReadFrom)
{
    LabelData original;
    original.backgroundColour = Red;
    original.caption = "旧";
    Bytes versionOne = writeTypeData(LabelRows, original);
    storeU32(versionOne.data(), 1);
    versionOne.resize(versionOne.size() - 8);  // version 1 ends after the caption
    // The description language writes only the newest version.
    pack::PackedProgram program = testing::packWindow(unitSection("Label", LabelId, {0, 0, 50, 20}));
    testing::replaceTypeData(program, LabelId, versionOne);
    const KitWindow window(std::move(program));
    Unit* label = &window.unit(LabelId);
    EXPECT_EQ(number(*label, 29), 0) << "a label of an earlier version has no caption effect";
    setNumber(*label, 11, 9);
    setText(*label, 28, "新");
    setNumber(*label, 29, 2);
    setNumber(*label, 30, Yellow);
    const Bytes current = label->type().currentTypeData(*label);
    EXPECT_EQ(loadU32(current.data()), 3u);
    const std::optional<LabelData> back = readTypeData(LabelRows, current);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->caption, "旧");
    EXPECT_EQ(back->backgroundColour, Red);
    EXPECT_EQ(back->frameWidth, 9);
    EXPECT_EQ(back->storedText2, "新");
    EXPECT_EQ(back->captionEffect, 2);
    EXPECT_EQ(back->effectColour, Yellow);

    // Made straight through the type: a window whose unit cannot be made
    // does not load at all.
    Bytes tooNew = writeTypeData(LabelRows, original);
    storeU32(tooNew.data(), 4);
    UnitCreateParams params;
    params.typeData = tooNew;
    params.parent = window.handle();
    params.width = 50;
    params.height = 20;
    EXPECT_EQ(findUnitType(TypeId::Label)->create(params), nullptr);
}

TEST_F(LabelTest, BackgroundColourFillsTheLabel)
{
    Unit* label = makeLabel(plain(Blue));
    ASSERT_NE(label, nullptr);
    const Snapshot shot(label->handle());
    EXPECT_EQ(shot.count(Blue, {0, 0, shot.width(), shot.height()}), shot.width() * shot.height());
}

TEST_F(LabelTest, ButtonFaceStandsInForTheMarkedColour)
{
    Unit* label = makeLabel(plain(ButtonFaceColour));
    ASSERT_NE(label, nullptr);
    const Snapshot shot(label->handle());
    EXPECT_EQ(shot.at(0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(shot.at(shot.width() - 1, shot.height() - 1), GetSysColor(COLOR_BTNFACE));
}

TEST_F(LabelTest, GradientNeedsTwoUsableColours)
{
    Unit* label = makeLabel(plain(Blue) + "gradient = 1\n"  // left to right
                            "gradientColour1 = " + hex(ButtonFaceColour) + "\ngradientColour2 = " + hex(Red) +
                            "\ngradientColour3 = " + hex(ButtonFaceColour));
    ASSERT_NE(label, nullptr);
    const Snapshot flat(label->handle());
    EXPECT_EQ(flat.count(Blue, {0, 0, flat.width(), flat.height()}), flat.width() * flat.height())
        << "one usable colour: the background colour fills instead";

    setNumber(*label, 23, Yellow);
    const Snapshot shaded(label->handle());
    EXPECT_EQ(shaded.at(0, 5), Red);
    EXPECT_EQ(shaded.at(shaded.width() - 1, 5), Yellow);
    EXPECT_EQ(shaded.count(Blue, {0, 0, shaded.width(), shaded.height()}), 0);
}

TEST_F(LabelTest, GradientFrameIsDrawnInsideAndShrinksTheBackground)
{
    Unit* label = makeLabel(plain(Blue) + "border = " + std::to_string(GradientFrameBorder) +
                            "\nframeWidth = 6\nframeColour1 = " + hex(Red) + "\nframeColour2 = " + hex(ButtonFaceColour) +
                            "\nframeColour3 = " + hex(Yellow));
    ASSERT_NE(label, nullptr);
    const Snapshot shot(label->handle());
    EXPECT_EQ(shot.at(0, 0), Red) << "outer edge";
    EXPECT_EQ(shot.at(5, 20), Yellow) << "inner edge";
    EXPECT_EQ(shot.at(6, 20), Blue) << "background starts inside the frame";
    EXPECT_EQ(shot.at(shot.width() - 1, shot.height() - 1), Red);
}

TEST_F(LabelTest, BackgroundPictureLiesOverTheBackgroundColourUntilRemoved)
{
    const uint8_t halfRed[4] = {230, 10, 10, 128};
    Unit* label = makeLabel(plain(Blue) + "picture = " + testing::fileValue(makePng(10, 10, halfRed)) +
                            "\npictureMode = 0\n"  // actual size, top-left
                            "gradient = 1\n"        // a picture takes the place of the gradient
                            "gradientColour1 = " + hex(Red) + "\ngradientColour2 = " + hex(Yellow) +
                            "\ngradientColour3 = " + hex(Yellow));
    ASSERT_NE(label, nullptr);
    const Snapshot shot(label->handle());
    const COLORREF blended = shot.at(2, 2);
    EXPECT_NEAR(GetRValue(blended), 125, 2);
    EXPECT_NEAR(GetBValue(blended), 105, 2);
    EXPECT_EQ(shot.at(50, 30), Blue) << "beyond the picture: the background colour, not the gradient";

    setProperty(*label, 18, PropertyValue{});
    EXPECT_EQ(Snapshot(label->handle()).at(0, 2), Red) << "without the picture the gradient shows";
}

// The first and last rows that hold text of the colour over the background.
std::pair<int32_t, int32_t> textRows(const Snapshot& shot, COLORREF colour, COLORREF background)
{
    int32_t first = -1, last = -1;
    for (int32_t y = 0; y < shot.height(); ++y) {
        if (shot.countInk(colour, background, {0, y, shot.width(), y + 1}) == 0) continue;
        if (first < 0) first = y;
        last = y;
    }
    return {first, last};
}

TEST_F(LabelTest, WordWrapIgnoresTheVerticalAlignment)
{
    Unit* label = makeLabel(plain(Blue) + "textColour = " + hex(Yellow) +
                                "\nverticalAlignment = 2\n"  // bottom
                                "caption = some words that cannot fit on one line of this label",
                            {10, 10, 120, 120});
    ASSERT_NE(label, nullptr);
    const auto [singleTop, singleBottom] = textRows(Snapshot(label->handle()), Yellow, Blue);
    ASSERT_GE(singleTop, 0);
    EXPECT_GT(singleTop, 60) << "a single line sits at the bottom";

    setNumber(*label, 25, 1);
    const auto [wrappedTop, wrappedBottom] = textRows(Snapshot(label->handle()), Yellow, Blue);
    ASSERT_GE(wrappedTop, 0);
    EXPECT_LT(wrappedTop, 10) << "wrapped text starts at the top";
    const int32_t lineHeight = singleBottom - singleTop + 1;
    EXPECT_GT(wrappedBottom - wrappedTop + 1, 2 * lineHeight) << "and takes several lines";
}

// The measure is the caption's own size, wherever the label places it.
TEST_F(LabelTest, MeasuredCaptionIsTheTextsSizeWhateverItsAlignment)
{
    Unit* label = makeLabel(plain(Blue) + "caption = Measure me");
    ASSERT_NE(label, nullptr);
    HDC dc = GetDC(label->handle());
    const HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE text{};
    GetTextExtentPoint32W(dc, L"Measure me", 10, &text);
    SelectObject(dc, previous);
    ReleaseDC(label->handle(), dc);
    for (int32_t vertical : {0, 1, 2}) {
        for (int32_t horizontal : {0, 1, 2}) {
            setNumber(*label, 26, vertical);
            setNumber(*label, 24, horizontal);
            SIZE measured{};
            ASSERT_NE(SendMessageW(label->handle(), UnitMessage::MeasureCaption, 0, reinterpret_cast<LPARAM>(&measured)), 0);
            EXPECT_EQ(measured.cx, text.cx) << vertical << " " << horizontal;
            EXPECT_EQ(measured.cy, text.cy) << vertical << " " << horizontal;
        }
    }
}

TEST_F(LabelTest, DropShadowEffectAddsBlackUnderTheCaption)
{
    Unit* label = makeLabel(plain(Blue) + "textColour = " + hex(Yellow) + "\ncaption = Shadow");
    ASSERT_NE(label, nullptr);
    const RECT all{0, 0, 200, 60};
    constexpr COLORREF Black = RGB(0, 0, 0);
    EXPECT_EQ(Snapshot(label->handle()).countInk(Black, Blue, all), 0);
    setNumber(*label, 9, 3);
    EXPECT_GT(Snapshot(label->handle()).countInk(Black, Blue, all), 10);
}

// Letters of exactly one colour each, so that every pixel tells what painted it.
Bytes unsmoothedFont(int32_t height)
{
    Bytes font = makeLogFont(height, 400, ANSI_CHARSET, "DejaVu Sans");
    font[offsetof(LOGFONTA, lfQuality)] = NONANTIALIASED_QUALITY;
    return font;
}

SIZE measured(const Unit& label)
{
    SIZE size{};
    SendMessageW(label.handle(), UnitMessage::MeasureCaption, 0, reinterpret_cast<LPARAM>(&size));
    return size;
}

// The smallest rectangle holding every pixel of the colour; empty when none has it.
RECT extentOf(const Snapshot& shot, COLORREF colour)
{
    RECT box{shot.width(), shot.height(), 0, 0};
    for (LONG y = 0; y < shot.height(); ++y)
        for (LONG x = 0; x < shot.width(); ++x)
            if (shot.at(x, y) == colour)
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
    return box;
}

// Text pixels with a neighbour (of the eight) in the background colour.
int32_t bareTextPixels(const Snapshot& shot, COLORREF text, COLORREF background)
{
    int32_t bare = 0;
    for (int32_t y = 1; y + 1 < shot.height(); ++y)
        for (int32_t x = 1; x + 1 < shot.width(); ++x) {
            if (shot.at(x, y) != text) continue;
            bool touches = false;
            for (int32_t dy = -1; dy <= 1; ++dy)
                for (int32_t dx = -1; dx <= 1; ++dx) touches = touches || shot.at(x + dx, y + dy) == background;
            bare += touches ? 1 : 0;
        }
    return bare;
}

// The outline rings every letter in its own colour; the shadow lies right of
// and below them. Either takes room of its own, which the measure includes,
// so a label of the measured size shows the caption and its effect whole,
// at every size.
TEST_F(LabelTest, CaptionEffectsDrawTheLettersInTheEffectColourAroundOrBelowTheText)
{
    Unit* label = makeLabel(plain(Blue) + "textColour = " + hex(Yellow) + "\neffectColour = " + hex(Red) +
                                "\ncaption = Wig",
                            {10, 10, 400, 200});
    ASSERT_NE(label, nullptr);
    for (const int32_t height : {-16, -48, -96}) {
        SCOPED_TRACE(height);
        const Bytes font = unsmoothedFont(height);
        setProperty(*label, 15, PropertyValue::bytes(font.data(), font.size()));
        setNumber(*label, 29, 0);
        const SIZE plainSize = measured(*label);
        EXPECT_GT(bareTextPixels(Snapshot(label->handle()), Yellow, Blue), 0);

        setNumber(*label, 29, 2);
        const Snapshot outlined(label->handle());
        EXPECT_EQ(bareTextPixels(outlined, Yellow, Blue), 0) << "no letter touches the background";
        const RECT letters = extentOf(outlined, Yellow);
        const RECT ring = extentOf(outlined, Red);
        ASSERT_LT(letters.left, letters.right);
        const int32_t width = letters.left - ring.left;
        EXPECT_GE(width, -height >= 96 ? 3 : 1) << "wider for large letters";
        EXPECT_EQ(ring.right - letters.right, width);
        EXPECT_EQ(letters.top - ring.top, width);
        const SIZE outlineSize = measured(*label);
        EXPECT_EQ(outlineSize.cx, plainSize.cx + 2 * width);
        EXPECT_EQ(outlineSize.cy, plainSize.cy + 2 * width);

        setNumber(*label, 29, 1);
        const Snapshot shadowed(label->handle());
        const RECT shadow = extentOf(shadowed, Red);
        const int32_t offset = shadow.right - extentOf(shadowed, Yellow).right;
        EXPECT_GE(offset, 2);
        EXPECT_NEAR(offset, -height / 10, 1) << "about a tenth of the letters' height";
        EXPECT_EQ(shadow.bottom - extentOf(shadowed, Yellow).bottom, offset);
        const SIZE shadowSize = measured(*label);
        EXPECT_EQ(shadowSize.cx, plainSize.cx + offset);
        EXPECT_EQ(shadowSize.cy, plainSize.cy + offset);

        // Cut to its measured size, the label still shows the whole effect.
        for (const int32_t effect : {1, 2}) {
            setNumber(*label, 29, effect);
            const int32_t whole = Snapshot(label->handle()).count(Red, {0, 0, 400, 200});
            const SIZE size = measured(*label);
            SetWindowPos(label->handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
            EXPECT_EQ(Snapshot(label->handle()).count(Red, {0, 0, size.cx, size.cy}), whole) << effect;
            SetWindowPos(label->handle(), nullptr, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER);
        }
    }
}

// Feedback routines: the label's event 0 answers the sum of its arguments;
// unit 2 is bound to a routine that returns nothing, unit 3 to none.
constexpr uint32_t Answering = LabelId;
constexpr uint32_t Silent = 0x16000002;
constexpr uint32_t Unbound = 0x16000003;

TEST_F(LabelTest, FeedbackMessageAnswersWhatTheRoutineReturns)
{
    load(unitSection("Label", Answering, {0, 0, 20, 20}, plain(Blue) + "events = 0 sum") +
         unitSection("Label", Silent, {0, 30, 20, 20}, plain(Blue) + "events = 0 nothing") +
         unitSection("Label", Unbound, {0, 60, 20, 20}, plain(Blue)));
    window_->onCall("sum", [](const testing::RoutineCall& c) {
        return RoutineResult{static_cast<int32_t>(c.arguments[0] + c.arguments[1]), 1};
    });
    Unit* answering = unit(Answering);
    Unit* silent = unit(Silent);
    Unit* unbound = unit(Unbound);
    EXPECT_EQ(SendMessageW(answering->handle(), UnitMessage::Feedback, 33001, 4), 33005);
    EXPECT_EQ(SendMessageW(silent->handle(), UnitMessage::Feedback, 33001, 4), 0);
    EXPECT_EQ(SendMessageW(unbound->handle(), UnitMessage::Feedback, 33001, 4), 0);
}


void sendMouse(DWORD flags, POINT screen)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
}

// Absolute input coordinates may round to the neighbouring pixel.
bool closeTo(int32_t a, int32_t b) { return std::abs(a - b) <= 1; }

// A call of the mouse routine with the point where.
bool seen(const KitWindow& window, const char* routine, const std::function<bool(int32_t, int32_t)>& where)
{
    return std::ranges::any_of(window.calls(routine), [&](const testing::RoutineCall& c) {
        return where(static_cast<int32_t>(c.arguments[0]), static_cast<int32_t>(c.arguments[1]));
    });
}

TEST_F(LabelTest, HeldButtonKeepsTheMouseOutsideTheLabel)
{
    Unit* label = makeLabel(plain(Blue) + "events = -1 down, -6 move, -2 up", {20, 20, 100, 40});
    const KitWindow& w = *window_;
    POINT inside{50, 20};
    ClientToScreen(label->handle(), &inside);
    const POINT outside{inside.x + 300, inside.y + 200};

    sendMouse(0, inside);
    sendMouse(MOUSEEVENTF_LEFTDOWN, inside);
    ASSERT_TRUE(pumpUntil([&] { return seen(w, "down", [](int32_t x, int32_t y) { return closeTo(x, 50) && closeTo(y, 20); }); }));
    EXPECT_EQ(GetCapture(), label->handle()) << "the label takes the mouse";

    sendMouse(0, outside);
    EXPECT_TRUE(pumpUntil([&] { return seen(w, "move", [](int32_t x, int32_t) { return x >= 100; }); }))
        << "moves beyond the label's right edge still reach it";
    sendMouse(MOUSEEVENTF_LEFTUP, outside);
    EXPECT_TRUE(pumpUntil([&] { return seen(w, "up", [](int32_t x, int32_t y) { return closeTo(x, 350) && closeTo(y, 220); }); }))
        << "and so does the release";
    EXPECT_TRUE(pumpUntil([&] { return GetCapture() == nullptr; })) << "released with the button";
}

}  // namespace
}  // namespace tessaly::ui
