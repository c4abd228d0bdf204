#include "runtime/ui/composition.h"

#include <algorithm>
#include <unordered_map>

#include "runtime/ui/unit.h"

namespace tessaly::ui {
namespace {

// The colour the layering keys out, when it keys one.
std::optional<COLORREF> colourKeyOf(HWND window)
{
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, &key, &alpha, &flags) || (flags & LWA_COLORKEY) == 0) return std::nullopt;
    return key;
}

// Under Wine a window's pixels reach the X server through memory shared with
// it, which the server reads when it comes to the request, while the program
// may already be painting the next frame into that memory: the new pixels
// then show through the last frame's colour-key shape, as slivers of the key
// colour along moving captions. Reading a pixel of the screen is a round
// trip on the same connection, which returns once the server has taken the
// last frame. Windows composes layered windows itself and needs none of it.
void waitForTheLastFrame()
{
    static const bool underWine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    if (!underWine) return;
    const WindowDC screen(nullptr);
    GetPixel(screen.get(), 0, 0);
}

}  // namespace

Composition::Composition(HWND window)
    : window_(window), dirty_(CreateRectRgn(0, 0, 0, 0)), scratch_(CreateRectRgn(0, 0, 0, 0))
{
}

std::optional<size_t> Composition::indexOf(const ComposedUnit& unit) const
{
    const auto found = std::find(units_.begin(), units_.end(), &unit);
    if (found == units_.end()) return std::nullopt;
    return static_cast<size_t>(found - units_.begin());
}

void Composition::join(ComposedUnit& unit, bool onTop)
{
    if (indexOf(unit)) return;
    if (onTop)
        units_.push_back(&unit);
    else
        units_.insert(units_.begin(), &unit);
    if (unit.composedShown()) invalidate(unit.composedPlace());
}

void Composition::leave(ComposedUnit& unit)
{
    const auto index = indexOf(unit);
    if (!index) return;
    units_.erase(units_.begin() + static_cast<ptrdiff_t>(*index));
    if (unit.composedShown()) invalidate(unit.composedPlace());
}

void Composition::restack(ComposedUnit& unit, HWND after)
{
    const auto index = indexOf(unit);
    if (!index) return;
    units_.erase(units_.begin() + static_cast<ptrdiff_t>(*index));
    // A child window taken to the topmost band or out of it goes to the top.
    if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        units_.push_back(&unit);
    } else if (after == HWND_BOTTOM) {
        units_.insert(units_.begin(), &unit);
    } else {
        const auto above = std::find_if(units_.begin(), units_.end(),
                                        [&](ComposedUnit* u) { return u->unit().handle() == after; });
        if (above != units_.end()) {
            units_.insert(above, &unit);
        } else {
            // Below a window that is not painted here: only the window
            // system knows where that stands.
            units_.push_back(&unit);
            readStackingOrder();
        }
    }
    if (unit.composedShown()) invalidate(unit.composedPlace());
}

// The units in the order of their windows, read from the window system.
void Composition::readStackingOrder()
{
    std::unordered_map<HWND, ComposedUnit*> byHandle;
    for (ComposedUnit* u : units_) byHandle[u->unit().handle()] = u;
    std::vector<ComposedUnit*> ordered;
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (const auto found = byHandle.find(child); found != byHandle.end()) ordered.push_back(found->second);
    if (ordered.size() != units_.size()) return;
    std::reverse(ordered.begin(), ordered.end());  // the window system lists the top first
    units_ = std::move(ordered);
}

void Composition::invalidate(const RECT& area)
{
    if (IsRectEmpty(&area)) return;
    SetRectRgn(scratch_.get(), area.left, area.top, area.right, area.bottom);
    CombineRgn(dirty_.get(), dirty_.get(), scratch_.get(), RGN_OR);
    if (flushPosted_) return;
    flushPosted_ = PostMessageW(window_, FlushMessage, 0, 0) != FALSE;
    if (!flushPosted_) flush();  // no queue to wait in: at once
}

void Composition::flush()
{
    flushPosted_ = false;
    InvalidateRgn(window_, dirty_.get(), FALSE);
    SetRectRgn(dirty_.get(), 0, 0, 0, 0);
}

void Composition::placementWaiting()
{
    if (timerSet_) return;
    timerSet_ = SetTimer(window_, PlacementTimer, PlacementInterval, nullptr) != 0;
}

void Composition::applyPlacements()
{
    KillTimer(window_, PlacementTimer);
    timerSet_ = false;
    for (ComposedUnit* u : units_) u->unit().applyPendingPlacement();
}

// Painted off the window and copied onto it in one piece: under Wine the
// system may take the window's pixels to the screen while a paint is under
// way, and a caption whose place had been erased and not yet painted again
// would show that place in the colour key.
void Composition::paint(HDC dc, const RECT& bounds, COLORREF background)
{
    lastPainted_ = 0;
    const int32_t width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0 || !canvas_.fit(dc, width, height)) return;
    HDC canvas = canvas_.dc();
    const UniqueBrush brush(CreateSolidBrush(background));
    const RECT all{0, 0, width, height};
    FillRect(canvas, &all, brush.get());
    const std::optional<COLORREF> key = colourKeyOf(window_);
    for (ComposedUnit* u : units_) {
        if (!u->composedShown()) continue;
        const RECT place = u->composedPlace();
        RECT meeting;
        if (!IntersectRect(&meeting, &place, &bounds) || !RectVisible(dc, &place)) continue;
        const int saved = SaveDC(canvas);
        u->paintComposed(canvas, {place.left - bounds.left, place.top - bounds.top}, key);
        RestoreDC(canvas, saved);
        ++lastPainted_;
    }
    waitForTheLastFrame();
    BitBlt(dc, bounds.left, bounds.top, width, height, canvas, 0, 0, SRCCOPY);
}

ComposedUnit* Composition::unitAt(POINT point) const
{
    for (auto u = units_.rbegin(); u != units_.rend(); ++u)
        if ((*u)->composedShown() && (*u)->covers(point)) return *u;
    return nullptr;
}

}  // namespace tessaly::ui
