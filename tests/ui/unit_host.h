// A plain top-level window for unit tests to create units in, and a capture
// of what a window shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "runtime/ui/unit.h"
#include "tests/ui/message_pump.h"

namespace tessaly::ui::test {

class UnitHost {
public:
    UnitHost(int32_t width = 640, int32_t height = 480, const wchar_t* title = L"unit host");
    UnitHost(const UnitHost&) = delete;
    UnitHost& operator=(const UnitHost&) = delete;
    ~UnitHost();

    HWND handle() const { return handle_; }
    // Creation parameters for a unit of this host at the given place.
    UnitCreateParams params(std::span<const uint8_t> typeData, int32_t left, int32_t top, int32_t width,
                            int32_t height, uint32_t unitId = 0x16000001) const;

private:
    HWND handle_ = nullptr;
};

// The window identifier units of a host report in their events.
inline constexpr uint32_t HostWindowId = 0x52000001;

using testing::pumpPending;
using testing::pumpUntil;

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
