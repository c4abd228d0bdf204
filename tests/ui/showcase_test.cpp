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
#include "tests/ui/unit_host.h"
#include "tests/ui/unit_properties.h"

namespace tessaly::ui {
namespace {

using namespace test;

Bytes font(int32_t points, int32_t weight, const char* face, uint8_t italic = 0, uint8_t underline = 0)
{
    Bytes f = makeLogFont(-MulDiv(points, 96, 72), weight, 134, face);
    f[20] = italic;
    f[21] = underline;
    return f;
}

LabelData caption(const char* text, uint32_t textColour, uint32_t background, Bytes logFont, int32_t effect)
{
    LabelData d;
    d.caption = text;
    d.textColour = textColour;
    d.backgroundColour = background;
    d.font = std::move(logFont);
    d.textEffect = effect;
    d.horizontalAlignment = 1;
    return d;
}

TEST(Showcase, LabelsInFontsColoursAndEffectsPaintSideBySide)
{
    registerUnitTypes();
    UnitHost host(640, 420, L"showcase");
    std::vector<Bytes> keep;
    const auto add = [&](uint32_t typeId, Bytes data, int32_t left, int32_t top, int32_t width, int32_t height,
                         HWND parent = nullptr) {
        keep.push_back(std::move(data));
        UnitCreateParams p = host.params(keep.back(), left, top, width, height);
        if (parent != nullptr) p.parent = parent;
        return createShown(typeId, p);
    };

    LabelData gradient = caption("渐变背景 gradient", RGB(0, 0, 0), 0, font(16, 400, "Tahoma"), 0);
    gradient.gradient = 1;
    gradient.gradientColours = {RGB(255, 120, 120), RGB(255, 255, 255), RGB(120, 120, 255)};
    LabelData framed = caption("带渐变边框的标签，文字自动换行到下一行 (word wrap inside a gradient frame)", RGB(30, 30, 30),
                               RGB(250, 250, 220), font(12, 400, "WenQuanYi Micro Hei"), 0);
    framed.border = GradientFrameBorder;
    framed.frameWidth = 8;
    framed.wordWrap = 1;
    framed.horizontalAlignment = 0;

    Unit* units[] = {
        add(TypeId::Label, writeTypeData(LabelRows, caption("字幕 Tessaly", RGB(255, 230, 0), RGB(20, 30, 90),
                                                  font(28, 700, "WenQuanYi Micro Hei"), 3)), 10, 10, 620, 70),
        add(TypeId::Label, writeTypeData(LabelRows, caption("Raised 阴影", RGB(150, 0, 0), ButtonFaceColour,
                                                  font(20, 400, "Tahoma", 1), 1)), 10, 90, 300, 50),
        add(TypeId::Label, writeTypeData(LabelRows, caption("Engraved 雕刻", RGB(110, 110, 110), RGB(200, 200, 200),
                                                  font(20, 700, "Tahoma"), 2)), 330, 90, 300, 50),
        add(TypeId::Label, writeTypeData(LabelRows, gradient), 10, 150, 300, 50),
        add(TypeId::Label, writeTypeData(LabelRows, caption("Underlined green", RGB(0, 130, 0), RGB(255, 255, 255),
                                                  font(14, 400, "Tahoma", 0, 1), 0)), 330, 150, 300, 50),
        add(TypeId::Label, writeTypeData(LabelRows, framed), 10, 210, 300, 90),
    };
    GroupBoxData groupData;
    groupData.caption = "图片框";
    groupData.textColour = RGB(0, 0, 160);
    Unit* group = add(TypeId::GroupBox, writeTypeData(GroupBoxRows, groupData), 330, 210, 300, 200);
    PicBoxData picture;
    const uint8_t orange[4] = {255, 140, 0, 200};
    picture.picture = makePng(100, 100, orange);
    picture.displayMode = 1;
    picture.backgroundColour = RGB(255, 255, 255);
    ASSERT_NE(group, nullptr);
    Unit* box = add(TypeId::PicBox, writeTypeData(PicBoxRows, picture), 20, 30, 80, 80, group->handle());
    ASSERT_NE(box, nullptr);
    for (Unit* unit : units) ASSERT_NE(unit, nullptr);

    const Snapshot shot(host.handle());
    EXPECT_EQ(shot.at(12, 12), RGB(20, 30, 90));
    EXPECT_GT(shot.countInk(RGB(255, 230, 0), RGB(20, 30, 90), {10, 10, 630, 80}), 50) << "the big caption";
    EXPECT_EQ(shot.at(10, 210), RGB(0x80, 0x80, 0x80)) << "the frame's outer colour";

    if (const char* hold = std::getenv("TESSALY_HOLD_MS")) pumpUntil([] { return false; }, std::atoi(hold));
}

}  // namespace
}  // namespace tessaly::ui
