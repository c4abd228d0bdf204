// Times the painting of one caption with its effects against the caption
// alone, at 20, 48 and 96 points, as the display paints a caption on its
// colour key (unsmoothed letters onto a 32-bit canvas): the shadow, the
// outline from its kept shape, and the outline made anew at every paint
// (what each paint would cost if the shape were not kept). Each figure
// is also given as a ratio to the caption alone at the same size, measured
// in the same run. Run by hand under Wine on a display (not a ctest test):
//   bash bench/caption_effect_bench.sh
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/bench_support.h"
#include "runtime/ui/dib_surface.h"
#include "runtime/ui/units/caption_effect.h"
#include "runtime/core/win32_handles.h"

namespace {

using namespace tessaly;
using namespace tessaly::ui;

constexpr int32_t Points[] = {20, 48, 96};
constexpr UINT Flags = DT_NOCLIP | DT_CENTER | DT_SINGLELINE | DT_VCENTER;
const std::wstring Caption = L"早上好，今天也要加油！";

UniqueFont captionFont(int32_t points)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(points, 96, 72);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = NONANTIALIASED_QUALITY;
    wcscpy(font.lfFaceName, L"WenQuanYi Micro Hei");
    return UniqueFont(CreateFontIndirectW(&font));
}

struct Painter {
    HDC dc;
    RECT area;
    CaptionOutline outline;

    void paint(int32_t effect, bool spreadAgain)
    {
        if (spreadAgain) outline.forget();
        SetBkMode(dc, TRANSPARENT);
        const RECT place = paintCaptionEffect(dc, Caption, area, Flags, effect, RGB(0, 0, 0), outline);
        SetTextColor(dc, RGB(255, 255, 255));
        RECT text = place;
        DrawTextW(dc, Caption.c_str(), static_cast<int>(Caption.size()), &text, Flags);
    }
};

}  // namespace

int main()
{
    std::printf("%-8s %-24s %12s %8s\n", "points", "paint", "ns a paint", "ratio");
    for (const int32_t points : Points) {
        const UniqueFont font = captionFont(points);
        DibSurface canvas;
        const WindowDC screen(nullptr);
        const int32_t width = points * 16, height = points * 3;
        if (!canvas.fit(screen.get(), width, height)) return 1;
        Painter p{canvas.dc(), {0, 0, width, height}, {}};
        const SelectedObject selected(p.dc, font.get());
        struct Case {
            const char* name;
            int32_t effect;
            bool spreadAgain;
        };
        const Case cases[] = {{"caption alone", CaptionEffect::None, false},
                              {"shadow", CaptionEffect::Shadow, false},
                              {"outline, kept shape", CaptionEffect::Outline, false},
                              {"outline, made each paint", CaptionEffect::Outline, true}};
        double alone = 0;
        for (const Case& c : cases) {
            const double ns = bench::nanosecondsPerOperation([&] { p.paint(c.effect, c.spreadAgain); });
            if (c.effect == CaptionEffect::None) alone = ns;
            std::printf("%-8d %-24s %12.0f %8.2f\n", points, c.name, ns, ns / alone);
        }
    }
    return 0;
}
