// A layered window that paints the labels on it itself, instead of letting
// the window system show each as a window of its own. Moving one child window
// of a colour-keyed layered window re-shapes the whole window (under Wine
// 3-5 ms a move once a few dozen children exist; native Windows pays a
// smaller price of the same kind), so a hundred scrolling captions as windows
// manage a few ticks a second. Painted by their window, each tick costs one
// repaint of the places that changed.
//
// Each such unit keeps its real child window, hidden from the window system,
// with its region and its text, for the program's calls on its handle and for
// tools that find windows; the window reaches the unit's true place at least
// once a second and whenever its handle is handed out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/ui/dib_surface.h"
#include "runtime/core/win32_handles.h"

namespace tessaly::ui {

class Unit;

// What a window needs of a unit it paints.
class ComposedUnit {
public:
    virtual Unit& unit() = 0;
    // Where the unit's window stands in the window's client area.
    virtual RECT composedPlace() const = 0;
    virtual bool composedShown() const = 0;
    // Whether a point of the window's client area falls on the unit: within
    // its place and its window region.
    virtual bool covers(POINT point) const = 0;
    // Where the unit's own client area starts, in the window's client area.
    virtual POINT clientOrigin() const = 0;
    // Paints the unit, clipped to its region, with its window's corner at `corner` of the DC.
    virtual void paintComposed(HDC dc, POINT corner, std::optional<COLORREF> colourKey) = 0;

protected:
    ~ComposedUnit() = default;
};

class Composition {
public:
    explicit Composition(HWND window);
    Composition(const Composition&) = delete;
    Composition& operator=(const Composition&) = delete;

    // A unit that comes into the window joins at the bottom of the stacking
    // order, as a new child window does; units already there join on top.
    void join(ComposedUnit& unit, bool onTop);
    void leave(ComposedUnit& unit);
    // Follows a change of the unit's window in the stacking order; `after` is
    // where SetWindowPos put it (HWND_TOP, HWND_BOTTOM, or the window now
    // directly above it).
    void restack(ComposedUnit& unit, HWND after);

    // Part of the window's client area to paint again. What every change of
    // one pass through the message loop marks reaches the window system once.
    void invalidate(const RECT& area);
    // A unit's placement is waiting in its hidden window.
    void placementWaiting();

    // The window's messages: the posted invalidation, the placement timer,
    // and painting: the window's background in `bounds`, and over it the
    // units that meet the DC's update region, bottom first.
    void flush();
    void applyPlacements();
    void paint(HDC dc, const RECT& bounds, COLORREF background);

    // The topmost shown unit under a point of the window's client area.
    ComposedUnit* unitAt(POINT point) const;
    // The units, bottom first.
    const std::vector<ComposedUnit*>& stackingOrder() const { return units_; }
    // How many units the last paint painted.
    int32_t lastPainted() const { return lastPainted_; }

    // Posted to the window once per pass with something to paint again.
    static constexpr UINT FlushMessage = 0x8078;
    static constexpr UINT_PTR PlacementTimer = 0x7E55;
    static constexpr UINT PlacementInterval = 1000;

private:
    std::optional<size_t> indexOf(const ComposedUnit& unit) const;
    void readStackingOrder();

    HWND window_;
    std::vector<ComposedUnit*> units_;  // bottom first
    UniqueRegion dirty_;
    UniqueRegion scratch_;
    DibSurface canvas_;
    bool flushPosted_ = false;
    bool timerSet_ = false;
    int32_t lastPainted_ = 0;
};

}  // namespace tessaly::ui
