#include "tests/ui/snapshot.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "runtime/core/win32_handles.h"

namespace tessaly::ui::test {

Snapshot::Snapshot(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
    HDC screen = GetDC(window);
    UniqueMemoryDC memory(CreateCompatibleDC(screen));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        SelectedObject selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
        GdiFlush();
    }
    ReleaseDC(window, screen);
    if (bits != nullptr) std::memcpy(pixels_.data(), bits, pixels_.size() * sizeof(uint32_t));
}

COLORREF Snapshot::at(int32_t x, int32_t y) const
{
    const uint32_t p = pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int32_t Snapshot::count(COLORREF colour, const RECT& area) const
{
    int32_t n = 0;
    for (int32_t y = area.top; y < area.bottom; ++y)
        for (int32_t x = area.left; x < area.right; ++x)
            if (at(x, y) == colour) ++n;
    return n;
}

namespace {

// Rounding in the blend may step a channel this far past either end.
constexpr int32_t BlendSlack = 8;

bool between(int32_t value, int32_t a, int32_t b)
{
    return value >= std::min(a, b) - BlendSlack && value <= std::max(a, b) + BlendSlack;
}

bool isInk(COLORREF pixel, COLORREF ink, COLORREF paper)
{
    const int32_t channels[3][3] = {{GetRValue(pixel), GetRValue(ink), GetRValue(paper)},
                                    {GetGValue(pixel), GetGValue(ink), GetGValue(paper)},
                                    {GetBValue(pixel), GetBValue(ink), GetBValue(paper)}};
    bool marked = false;
    for (const auto& [value, inkValue, paperValue] : channels) {
        if (!between(value, inkValue, paperValue)) return false;
        marked = marked || std::abs(value - paperValue) > BlendSlack;
    }
    return marked;
}

}  // namespace

int32_t Snapshot::countInk(COLORREF ink, COLORREF paper, const RECT& area) const
{
    int32_t n = 0;
    for (int32_t y = area.top; y < area.bottom; ++y)
        for (int32_t x = area.left; x < area.right; ++x)
            if (isInk(at(x, y), ink, paper)) ++n;
    return n;
}

}  // namespace tessaly::ui::test
