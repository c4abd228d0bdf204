#include "bench/caption_set.h"

#include <array>

namespace tessaly::bench {
namespace {

const std::string Separator = "*-ZPMek-*";
const std::string LineBreak = "\r\n";

constexpr std::array<uint32_t, 4> TextColours = {0xFFFFFF, 0x00FFFF, 0x0000FF, 0xFFFF00};
constexpr std::array<uint32_t, 3> Backgrounds = {0x000000, 0x804000, 0x008000};

std::string captionText(int32_t k)
{
    const std::string number = std::to_string(k + 1);
    switch (k % 3) {
    case 0: return "滚动字幕第" + number + "条";
    case 1: return "Caption " + number + " scrolls by";
    default: return "中文 and Latin " + number;
    }
}

}  // namespace

CaptionSample captionSample(int32_t k)
{
    CaptionSample c;
    c.text = captionText(k);
    c.face = k % 2 == 0 ? "WenQuanYi Micro Hei" : "DejaVu Sans";
    c.points = 12 + (k * 7) % 25;
    c.textColour = TextColours[static_cast<size_t>(k) % TextColours.size()];
    c.background = k % 2 == 0 ? ColourKey : Backgrounds[static_cast<size_t>(k / 2) % Backgrounds.size()];
    c.direction = 1 + k % 4;
    c.left = (k * 397) % 1280 - 100;
    c.top = (k * 173) % 1024 - 20;
    c.style = (k / 4) % 4;
    return c;
}

std::string configurationLine(const CaptionSample& c, int32_t left, int32_t top)
{
    const std::array<std::string, 12> fields = {
        c.face,        std::to_string(c.points), std::to_string(c.textColour), std::to_string(c.background),
        "真",          std::to_string(c.direction), "真",                      std::to_string(left),
        std::to_string(top), "假",               "假",                          std::to_string(c.style),
    };
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i != 0) line += Separator;
        line += fields[i];
    }
    return line;
}

std::string captionsText(int32_t n)
{
    std::string text;
    for (int32_t k = 0; k < n; ++k) text += (k == 0 ? "" : LineBreak) + captionText(k);
    return text;
}

std::string configurationText(int32_t n)
{
    std::string text;
    for (int32_t k = 0; k < n; ++k) {
        const CaptionSample c = captionSample(k);
        text += (k == 0 ? "" : LineBreak) + configurationLine(c, c.left, c.top);
    }
    return text;
}

}  // namespace tessaly::bench
