// Small PNG files made in the test with libpng's writer, so no image file
// has to travel with the tests.
#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

namespace tessaly::ui::test {

// A width x height RGBA image; every pixel takes `rgba` (0xAABBGGRR order of bytes R, G, B, A).
inline std::vector<uint8_t> makePng(uint32_t width, uint32_t height, const uint8_t (&rgba)[4])
{
    std::vector<uint8_t> pixels;
    for (uint32_t i = 0; i < width * height; ++i) pixels.insert(pixels.end(), rgba, rgba + 4);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
    std::vector<uint8_t> file(size);
    if (!png_image_write_to_memory(&image, file.data(), &size, 0, pixels.data(), 0, nullptr)) return {};
    file.resize(size);
    return file;
}

}  // namespace tessaly::ui::test
