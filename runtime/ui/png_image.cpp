#include "runtime/ui/png_image.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace tessaly::ui {
namespace {

// A picture property is a user's image, not a poster: refuse sizes whose
// pixels alone would take more than 64 MB before allocating anything.
constexpr uint64_t MaxPixels = 16ull * 1024 * 1024;

struct Pixels {
    std::vector<uint8_t> bgra;  // straight alpha, top row first
    uint32_t width = 0;
    uint32_t height = 0;
};

// libpng's simplified reader keeps its error recovery (setjmp) inside libpng:
// a malformed or truncated file makes it answer failure, never crash.
bool readPixels(ByteView file, Pixels& out)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return false;
    if (static_cast<uint64_t>(image.width) * image.height > MaxPixels) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_BGRA;
    out.width = image.width;
    out.height = image.height;
    out.bgra.resize(PNG_IMAGE_SIZE(image));
    const bool ok = png_image_finish_read(&image, nullptr, out.bgra.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

void premultiply(std::vector<uint8_t>& bgra)
{
    for (size_t i = 0; i + 3 < bgra.size(); i += 4) {
        const uint32_t alpha = bgra[i + 3];
        for (size_t c = 0; c < 3; ++c) bgra[i + c] = static_cast<uint8_t>((bgra[i + c] * alpha + 127) / 255);
    }
}

UniqueBitmap makeSection(const Pixels& pixels)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(pixels.width);
    info.bmiHeader.biHeight = -static_cast<LONG>(pixels.height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap) std::memcpy(bits, pixels.bgra.data(), pixels.bgra.size());
    return bitmap;
}

}  // namespace

bool looksLikePng(ByteView file)
{
    return file.size() >= 8 && png_sig_cmp(file.data(), 0, 8) == 0;
}

std::optional<PngImage> PngImage::decode(ByteView file)
{
    if (!looksLikePng(file)) return std::nullopt;
    Pixels pixels;
    if (!readPixels(file, pixels)) return std::nullopt;
    premultiply(pixels.bgra);
    UniqueBitmap bitmap = makeSection(pixels);
    if (!bitmap) return std::nullopt;
    return PngImage(std::move(bitmap), static_cast<int32_t>(pixels.width), static_cast<int32_t>(pixels.height));
}

}  // namespace tessaly::ui
