// Outlined and shadowed captions over a desktop that is white on the left
// and black on the right: a white caption with a black outline or shadow
// stands out from both halves, where the white caption alone vanishes over
// the white one; and a caption on the colour key shows nothing but the
// desktop, its text colour and its effect colour.
#include <gtest/gtest.h>


#include "tests/e2e/caption_files.h"
#include "tests/e2e/screen_image.h"
#include "tests/e2e/shared_tool_suite.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
// Bold letters at 28 points have several hundred pixels of each colour.
constexpr int ReadablePixels = 300;

int halfWidth() { return GetSystemMetrics(SM_CXSCREEN) / 2; }

// Bold white letters on the colour key, with a black effect.
CaptionLook whiteOn(int left, int top, const std::string& effect)
{
    return {.font = "DejaVu Sans", .size = 28, .textColour = White, .background = ColourKey, .left = left, .top = top,
            .style = "1", .effect = effect, .effectColour = Black};
}

struct Sample {
    std::string text;
    CaptionLook look;
    COLORREF desktop;
};

std::vector<Sample> samples()
{
    const int right = halfWidth() + 60;
    return {{"描边 Outline", whiteOn(60, 200, "2"), White},   {"描边 on black", whiteOn(right, 200, "2"), Black},
            {"阴影 Shadow", whiteOn(60, 400, "1"), White},    {"阴影 on black", whiteOn(right, 400, "1"), Black},
            {"无效果 Plain", whiteOn(60, 600, "0"), White}};
}

// The desktop white on the left half and black on the right, shown before
// the tool starts.
void halveTheDesktop()
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN), half = halfWidth();
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[static_cast<size_t>(y) * width + x] = x < half ? White : Black;
    backdrop().showPicture(Image(width, height, std::move(pixels)));
    waitUntil([&] { return screenPixel(half - 10, height / 2) == White && screenPixel(half + 10, height / 2) == Black; });
}

// The pixels of a caption that differ from the desktop under it, and those
// that are neither the desktop, the text colour nor the effect colour.
struct Contrast {
    int standingOut = 0;
    int foreign = 0;
};

Contrast contrastOf(HWND label, const Sample& sample)
{
    Contrast c;
    for (const auto& [colour, count] : regionColours(captureWindow(label))) {
        if (colour != sample.desktop) c.standingOut += count;
        if (colour != sample.desktop && colour != sample.look.textColour && colour != sample.look.effectColour)
            c.foreign += count;
    }
    return c;
}

class CaptionEffects : public SharedToolSuite<CaptionEffects> {
protected:
    static void SetUpTestSuite()
    {
        halveTheDesktop();
        std::vector<StoredCaption> stored;
        for (const Sample& s : samples()) stored.push_back({s.text, s.look.line()});
        startTool(stored);
    }
    static void TearDownTestSuite()
    {
        SharedToolSuite::TearDownTestSuite();
        backdrop().showColour();
    }
};

TEST_F(CaptionEffects, AWhiteCaptionWithABlackOutlineOrShadowStandsOutFromWhiteAndFromBlack)
{
    ASSERT_TRUE(tool_->started());
    for (const Sample& s : samples()) {
        SCOPED_TRACE(s.text);
        const HWND label = tool_->captionLabel(s.text);
        ASSERT_NE(label, nullptr);
        const bool plain = s.look.effect == "0";
        Contrast c;
        waitUntil([&] {
            c = contrastOf(label, s);
            return plain || c.standingOut >= ReadablePixels;
        }, 5000);
        EXPECT_EQ(c.foreign, 0) << "no pixel of the colour key or of smoothing";
        if (plain)
            EXPECT_EQ(c.standingOut, 0) << "white alone vanishes over white";
        else
            EXPECT_GE(c.standingOut, ReadablePixels);
    }
}

}  // namespace
}  // namespace tessaly::e2e
