// Decoding PNG pictures, and where a picture lands in each display mode.
#include <gtest/gtest.h>

#include "runtime/ui/png_image.h"
#include "runtime/ui/units/picture_draw.h"
#include "tests/ui/png_fixture.h"

namespace tessaly::ui {
namespace {

using test::makePng;

// The first pixel of the decoded section, as stored (B, G, R, A).
std::array<uint8_t, 4> firstPixel(const PngImage& image)
{
    DIBSECTION section{};
    GetObjectW(image.bitmap(), sizeof section, &section);
    const auto* bits = static_cast<const uint8_t*>(section.dsBm.bmBits);
    return {bits[0], bits[1], bits[2], bits[3]};
}

TEST(PngImage, DecodesIntoPremultipliedBgra)
{
    const uint8_t halfRed[4] = {200, 100, 0, 128};
    const std::vector<uint8_t> file = makePng(7, 3, halfRed);
    ASSERT_FALSE(file.empty());
    const std::optional<PngImage> image = PngImage::decode(file);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width(), 7);
    EXPECT_EQ(image->height(), 3);
    const auto p = firstPixel(*image);
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(p[1], 50) << "100 * 128 / 255";
    EXPECT_EQ(p[2], 100) << "200 * 128 / 255";
    EXPECT_EQ(p[3], 128);
}

TEST(PngImage, RefusesTruncatedCorruptAndForeignData)
{
    const uint8_t opaque[4] = {1, 2, 3, 255};
    const std::vector<uint8_t> file = makePng(40, 40, opaque);
    ASSERT_TRUE(PngImage::decode(file).has_value());

    const std::vector<uint8_t> truncated(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(file.size() / 2));
    EXPECT_FALSE(PngImage::decode(truncated).has_value());
    EXPECT_FALSE(PngImage::decode(std::span(file).first(8)).has_value()) << "signature only";

    std::vector<uint8_t> corrupt = file;
    for (size_t i = 40; i < corrupt.size() - 12; i += 7) corrupt[i] ^= 0x5A;  // inside the image data
    EXPECT_FALSE(PngImage::decode(corrupt).has_value());

    const uint8_t bitmapFile[] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(PngImage::decode(bitmapFile).has_value());
    EXPECT_FALSE(PngImage::decode({}).has_value());
}

TEST(PictureModes, PlaceThePictureInTheArea)
{
    const RECT area{10, 20, 90, 100};  // 80 x 80
    const RECT actual = pictureTarget(area, 100, 50, PictureMode::ActualSize);
    EXPECT_EQ(actual.left, 10);
    EXPECT_EQ(actual.right, 110) << "actual size may overflow; the DC clips it";
    const RECT stretched = pictureTarget(area, 100, 50, PictureMode::Stretched);
    EXPECT_TRUE(EqualRect(&stretched, &area));
    const RECT zoomed = pictureTarget(area, 100, 50, PictureMode::Zoomed);
    EXPECT_EQ(zoomed.left, 10);
    EXPECT_EQ(zoomed.right, 90);
    EXPECT_EQ(zoomed.top, 40) << "40 pixels high, centred";
    EXPECT_EQ(zoomed.bottom, 80);
    const RECT tall = pictureTarget(area, 20, 80, PictureMode::Zoomed);
    EXPECT_EQ(tall.right - tall.left, 20);
    EXPECT_EQ(tall.left, 40);
}

}  // namespace
}  // namespace tessaly::ui
