// A window of labels in different fonts, colours and effects beside a group
// box and a picture box: a check that they paint side by side, and a window
// to look at. Set TESSALY_HOLD_MS to keep it on screen for a screenshot.
#include <gtest/gtest.h>

#include <cstdlib>

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

Bytes font(int32_t points, int32_t weight, const char* face, uint8_t italic = 0, uint8_t underline = 0)
{
    Bytes f = makeLogFont(-MulDiv(points, 96, 72), weight, 134, face);
    f[20] = italic;
    f[21] = underline;
    return f;
}

// A centred label; its font is set once loaded, as the description's fonts
// have neither slant nor underline, nor a face of several words.
std::string caption(uint32_t id, testing::Place place, const char8_t* text, COLORREF textColour, uint32_t background,
                    int32_t effect, const std::string& more = {})
{
    return testing::unitSection("Label", id, place,
                                "caption = " + testing::utf8(text) + "\ntextColour = " + testing::hex(textColour) +
                                    "\nbackgroundColour = " + testing::hex(background) + "\ntextEffect = " +
                                    std::to_string(effect) + "\nhorizontalAlignment = 1\n" + more);
}

TEST(Showcase, LabelsInFontsColoursAndEffectsPaintSideBySide)
{
    constexpr uint32_t Group = 0x16000010;
    constexpr uint32_t Picture = 0x16000011;
    const uint8_t orange[4] = {255, 140, 0, 200};
    const testing::KitWindow window(
        caption(0x16000001, {10, 10, 620, 70}, u8"字幕 Tessaly", RGB(255, 230, 0), RGB(20, 30, 90), 3) +
            caption(0x16000002, {10, 90, 300, 50}, u8"Raised 阴影", RGB(150, 0, 0), ButtonFaceColour, 1) +
            caption(0x16000003, {330, 90, 300, 50}, u8"Engraved 雕刻", RGB(110, 110, 110), RGB(200, 200, 200), 2) +
            caption(0x16000004, {10, 150, 300, 50}, u8"渐变背景 gradient", RGB(0, 0, 0), 0, 0,
                    "gradient = 1\ngradientColour1 = " + testing::hex(RGB(255, 120, 120)) + "\ngradientColour2 = " +
                        testing::hex(RGB(255, 255, 255)) + "\ngradientColour3 = " + testing::hex(RGB(120, 120, 255))) +
            caption(0x16000005, {330, 150, 300, 50}, u8"Underlined green", RGB(0, 130, 0), RGB(255, 255, 255), 0) +
            caption(0x16000006, {10, 210, 300, 90}, u8"带渐变边框的标签，文字自动换行到下一行 (word wrap inside a gradient frame)",
                    RGB(30, 30, 30), RGB(250, 250, 220), 0,
                    "border = " + std::to_string(GradientFrameBorder) +
                        "\nframeWidth = 8\nwordWrap = 1\nhorizontalAlignment = 0") +
            testing::unitSection("GroupBox", Group, {330, 210, 300, 200},
                                 "caption = " + testing::utf8(u8"图片框") + "\ntextColour = " + testing::hex(RGB(0, 0, 160))) +
            testing::unitSection("PicBox", Picture, {20, 30, 80, 80},
                                 "container = " + testing::hex(Group) + "\npicture = " +
                                     testing::fileValue(makePng(100, 100, orange)) + "\ndisplayMode = 1\nbackgroundColour = " +
                                     testing::hex(RGB(255, 255, 255))),
        "position = 40 40 640 420\ntitle = showcase");
    const Bytes fonts[] = {font(28, 700, "WenQuanYi Micro Hei"), font(20, 400, "Tahoma", 1), font(20, 700, "Tahoma"),
                           font(16, 400, "Tahoma"), font(14, 400, "Tahoma", 0, 1), font(12, 400, "WenQuanYi Micro Hei")};
    for (uint32_t i = 0; i < std::size(fonts); ++i)
        setProperty(window.unit(0x16000001 + i), 15, PropertyValue::bytes(fonts[i].data(), fonts[i].size()));
    ASSERT_EQ(GetParent(window.unit(Picture).handle()), window.unit(Group).handle());

    const Snapshot shot(window.handle());
    EXPECT_EQ(shot.at(12, 12), RGB(20, 30, 90));
    EXPECT_GT(shot.countInk(RGB(255, 230, 0), RGB(20, 30, 90), {10, 10, 630, 80}), 50) << "the big caption";
    EXPECT_EQ(shot.at(10, 210), RGB(0x80, 0x80, 0x80)) << "the frame's outer colour";

    if (const char* hold = std::getenv("TESSALY_HOLD_MS")) pumpUntil([] { return false; }, std::atoi(hold));
}

}  // namespace
}  // namespace tessaly::ui
