// Captions loaded from the two files: each label carries its caption, place
// and visibility, and the screen shows it in its font, style and colours,
// whole at every size, with nothing but the desktop around a transparent
// caption's letters.
#include <gtest/gtest.h>


#include "tests/e2e/caption_files.h"
#include "tests/e2e/shared_tool_suite.h"
#include "tests/e2e/screen_image.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

constexpr COLORREF DesktopColour = BackdropColour;

struct Sample {
    std::string text;
    CaptionLook look;
    bool earlierLayout = false;
};

CaptionLook look(std::string font, int size, COLORREF text, COLORREF background, int left, int top)
{
    CaptionLook l;
    l.font = std::move(font);
    l.size = size;
    l.textColour = text;
    l.background = background;
    l.left = left;
    l.top = top;
    return l;
}

std::vector<Sample> samples()
{
    std::vector<Sample> s;
    s.push_back({"字幕 Bold", look("WenQuanYi Micro Hei", 24, RGB(200, 0, 0), RGB(255, 255, 160), 40, 40)});
    s.back().look.style = "1";
    s.push_back({"Italic underlined", look("DejaVu Serif", 20, RGB(0, 0, 128), ColourKey, 40, 120)});
    s.back().look.style = "2";
    s.back().look.underline = true;
    s.push_back({"Struck bold italic", look("DejaVu Sans", 18, RGB(255, 255, 255), RGB(0, 96, 0), 40, 200)});
    s.back().look.style = "3";
    s.back().look.strikeOut = true;
    s.push_back({"Nine fields 九", look("WenQuanYi Micro Hei", 16, RGB(0, 0, 0), ColourKey, 40, 280), true});
    s.push_back({"Small eight", look("DejaVu Sans", 8, RGB(0, 0, 0), RGB(255, 255, 255), 40, 340)});
    s.push_back({"小字九号", look("WenQuanYi Micro Hei", 9, RGB(0, 0, 160), ColourKey, 200, 340)});
    s.push_back({"Hidden", look("DejaVu Sans", 20, RGB(255, 0, 0), RGB(0, 0, 0), 40, 400)});
    s.back().look.shown = false;
    s.push_back({"Bold white", look("DejaVu Sans", 36, RGB(255, 255, 255), ColourKey, 400, 40)});
    s.back().look.style = "1";
    return s;
}

CaptionDrawing drawingOf(const Sample& sample)
{
    const CaptionLook& l = sample.look;
    CaptionDrawing d;
    d.textGbk = sample.text;
    d.face = l.font;
    d.points = l.size;
    d.bold = !sample.earlierLayout && (l.style == "1" || l.style == "3");
    d.italic = !sample.earlierLayout && (l.style == "2" || l.style == "3");
    d.underline = !sample.earlierLayout && l.underline;
    d.strikeOut = !sample.earlierLayout && l.strikeOut;
    // A caption on the colour key is drawn without smoothing.
    d.smoothed = l.background != ColourKey;
    d.textColour = l.textColour;
    d.background = l.background;
    return d;
}

class CaptionLoading : public SharedToolSuite<CaptionLoading> {
protected:
    static void SetUpTestSuite()
    {
        std::vector<StoredCaption> stored;
        for (const Sample& s : samples())
            stored.push_back({s.text, s.earlierLayout ? s.look.earlierLine() : s.look.line()});
        startTool(stored);
    }
    static HWND labelOf(const Sample& s) { return tool_->captionLabel(s.text); }
};

TEST_F(CaptionLoading, EachLabelCarriesItsCaptionPlaceAndVisibility)
{
    ASSERT_TRUE(tool_->started());
    const std::vector<Sample> all = samples();
    ASSERT_EQ(tool_->captionLabels().size(), all.size());
    for (const Sample& s : all) {
        SCOPED_TRACE(s.text);
        const HWND label = labelOf(s);
        ASSERT_NE(label, nullptr);
        const RECT r = rectInParent(label);
        EXPECT_EQ(r.left, s.look.left);
        EXPECT_EQ(r.top, s.look.top);
        EXPECT_TRUE(waitUntil([&] { return showsOver(DesktopColour, label) == s.look.shown; }));
    }
    // Created in file order, each later caption above the ones before it.
    const std::vector<HWND> stacked = tool_->captionLabels();
    EXPECT_EQ(stacked.front(), labelOf(all.back()));
    EXPECT_EQ(stacked.back(), labelOf(all.front()));
}

TEST_F(CaptionLoading, EveryCaptionFitsWholeInItsLabelAtEverySize)
{
    for (const Sample& s : samples()) {
        SCOPED_TRACE(s.text);
        const SIZE text = measureCaption(drawingOf(s));
        RECT client;
        GetClientRect(labelOf(s), &client);
        EXPECT_GE(client.right, text.cx);
        EXPECT_GE(client.bottom, text.cy);
    }
}

TEST_F(CaptionLoading, TheScreenShowsEachCaptionInItsFontStyleAndColours)
{
    for (const Sample& s : samples()) {
        if (!s.look.shown) continue;
        SCOPED_TRACE(s.text);
        const HWND label = labelOf(s);
        RECT client;
        GetClientRect(label, &client);
        const Image expected = drawCaption(drawingOf(s), client.right, client.bottom);
        int differing = -1;
        waitUntil([&] {
            differing = differingPixels(captureWindow(label), expected, ColourKey, DesktopColour);
            return differing == 0;
        }, 5000);
        EXPECT_EQ(differing, 0);
    }
}

// Smoothed letters blended into the colour key would leave a rim of pixels
// that are neither the desktop nor the caption's colour.
TEST_F(CaptionLoading, ATransparentCaptionShowsOnlyTheDesktopAndItsTextColour)
{
    const Sample white = samples().back();
    ASSERT_EQ(white.look.background, ColourKey);
    const HWND label = labelOf(white);
    int foreign = -1, letters = 0;
    waitUntil([&] {
        const Image shown = captureWindow(label);
        foreign = letters = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                if (shown.at(x, y) == white.look.textColour) ++letters;
                else if (shown.at(x, y) != DesktopColour) ++foreign;
            }
        return letters > 0 && foreign == 0;
    }, 5000);
    EXPECT_GT(letters, 500) << "the caption's letters show";
    EXPECT_EQ(foreign, 0) << "pixels that are neither the desktop nor the text colour";
}

}  // namespace
}  // namespace tessaly::e2e
