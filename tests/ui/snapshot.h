// A capture of what a window shows, for the tests of what units paint.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace tessaly::ui::test {

// The pixels a window shows on screen, as COLORREFs.
class Snapshot {
public:
    explicit Snapshot(HWND window);
    COLORREF at(int32_t x, int32_t y) const;
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    // How many pixels of the rectangle have exactly this colour. For fills,
    // never for text: smoothed text leaves few pixels of exactly its colour.
    int32_t count(COLORREF colour, const RECT& area) const;
    // How many pixels of the rectangle show `ink` laid over `paper` at some
    // strength: not the paper colour, and each channel between the two.
    // Text is counted so, whether the system smooths it or not.
    int32_t countInk(COLORREF ink, COLORREF paper, const RECT& area) const;

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint32_t> pixels_;
};

}  // namespace tessaly::ui::test
