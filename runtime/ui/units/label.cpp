#include "runtime/ui/units/label.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/border_rule.h"
#include "runtime/ui/units/label_painter.h"
#include "runtime/ui/unit_class.h"
#include "runtime/ui/units/unit_paint.h"

namespace tessaly::ui {
namespace {

constexpr wchar_t LabelClass[] = L"_QX_Label";
constexpr int32_t CaptionIndex = propertyIndex(LabelRows, "caption");
constexpr int32_t BorderIndex = propertyIndex(LabelRows, "border");
constexpr int32_t FontIndex = propertyIndex(LabelRows, "font");
constexpr int32_t PictureIndex = propertyIndex(LabelRows, "picture");

// The border choice as a window border: the gradient frame is painted, not a style.
int32_t windowBorder(int32_t border) { return border == GradientFrameBorder ? 0 : border; }

}  // namespace

Label::Label(const UnitType& type, uint32_t windowId, uint32_t unitId, LabelData data)
    : RowUnit(type, windowId, unitId, std::move(data))
{
    picture_ = PngImage::decode(data_.picture);
}

bool Label::create(const UnitCreateParams& params)
{
    if (!ensureUnitClass(LabelClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, &Unit::unitProcedure)) return false;
    const BorderStyles border = borderStyles(windowBorder(data_.border));
    if (!createWindow(border.extendedStyle, LabelClass, widenGbk(data_.caption).c_str(),
                      WS_CHILD | WS_CLIPSIBLINGS | border.style, params))
        return false;
    // A new window lies at the bottom of its siblings.
    if (Unit* parent = Unit::fromHandle(params.parent))
        if (Composition* composition = parent->composition()) joinComposition(*composition, false);
    return true;
}

void Label::composeInto(Composition* composition)
{
    if (composition == composition_) return;
    if (composition_ != nullptr) leaveComposition();
    if (composition != nullptr) joinComposition(*composition, true);
}

void Label::joinComposition(Composition& composition, bool onTop)
{
    shown_ = (GetWindowLongPtrW(handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    readShape();
    composition_ = &composition;
    composition.join(*this, onTop);
    if (shown_) ShowWindow(handle(), SW_HIDE);
}

void Label::leaveComposition()
{
    Composition* composition = std::exchange(composition_, nullptr);
    composition->leave(*this);
    shape_.reset();
    if (shown_) ShowWindow(handle(), SW_SHOWNA);
    applyPendingPlacement();
}

bool Label::shown() const
{
    if (composition_ == nullptr) return Unit::shown();
    return shown_ && IsWindowVisible(GetParent(handle())) != FALSE;
}

void Label::show(bool visible)
{
    if (composition_ == nullptr) return Unit::show(visible);
    if (visible == shown_) return;
    shown_ = visible;
    composition_->invalidate(placement());
}

void Label::placementChanged(const RECT& from, const RECT& to)
{
    if (composition_ == nullptr) return;
    if (shown_) {
        composition_->invalidate(from);
        composition_->invalidate(to);
    }
    if (!holdsMouse_) composition_->placementWaiting();
}

void Label::repaint()
{
    if (composition_ != nullptr) {
        if (shown_) composition_->invalidate(placement());
    } else if (IsWindowVisible(handle())) {
        InvalidateRect(handle(), nullptr, FALSE);
    }
}

// The region the program gave the window, kept to clip and hit-test with; a
// window region is relative to the window's own corner.
void Label::readShape()
{
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(handle(), region.get()) == ERROR) region.reset();
    shape_ = std::move(region);
}

void Label::onWindowMoved(const WINDOWPOS& change)
{
    if (composition_ == nullptr) return;
    if ((change.flags & SWP_NOZORDER) == 0) composition_->restack(*this, change.hwndInsertAfter);
    // Setting a window region changes the frame.
    if ((change.flags & SWP_FRAMECHANGED) != 0) {
        readShape();
        repaint();
    }
}

RECT Label::frameWidths() const
{
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_EXSTYLE)));
    return {-frame.left, -frame.top, frame.right, frame.bottom};
}

// From the unit's placement, which may still wait to reach its window.
SIZE Label::clientSize() const
{
    const RECT place = placement();
    const RECT frame = frameWidths();
    return {std::max<LONG>(0, place.right - place.left - frame.left - frame.right),
            std::max<LONG>(0, place.bottom - place.top - frame.top - frame.bottom)};
}

bool Label::covers(POINT point) const
{
    const RECT place = placement();
    if (!PtInRect(&place, point)) return false;
    return !shape_ || PtInRegion(shape_.get(), point.x - place.left, point.y - place.top);
}

POINT Label::clientOrigin() const
{
    const RECT place = placement();
    const RECT frame = frameWidths();
    return {place.left + frame.left, place.top + frame.top};
}

void Label::paintComposed(HDC dc, POINT corner, std::optional<COLORREF> colourKey)
{
    const RECT place = placement();
    const RECT box{corner.x, corner.y, corner.x + place.right - place.left, corner.y + place.bottom - place.top};
    IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    if (shape_) {
        static const UniqueRegion placed(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(placed.get(), shape_.get(), nullptr, RGN_COPY);
        OffsetRgn(placed.get(), corner.x, corner.y);
        ExtSelectClipRgn(dc, placed.get(), RGN_AND);
    }
    drawBorder(dc, box, windowBorder(data_.border));
    const RECT frame = frameWidths();
    const SIZE size = clientSize();
    SetViewportOrgEx(dc, corner.x + frame.left, corner.y + frame.top, nullptr);
    IntersectClipRect(dc, 0, 0, size.cx, size.cy);
    // A layered window is composed off-screen by the system: plain labels
    // need no buffer of their own.
    const bool onColourKey = colourKey && *colourKey == displayColour(data_.backgroundColour);
    paint(dc, {0, 0, size.cx, size.cy}, onColourKey, isPlainLabel(data_, picture_ ? &*picture_ : nullptr));
}

void Label::applyChange(int32_t index)
{
    switch (index) {
    case CaptionIndex: SetWindowTextW(handle(), widenGbk(data_.caption).c_str()); break;
    case BorderIndex: applyBorder(handle(), windowBorder(data_.border)); break;
    case FontIndex:
        font_.reset();
        fontMade_ = false;
        unsmoothedFont_.reset();
        outline_.forget();
        break;
    // Pictures do not animate yet, so dropping the old one stops nothing else.
    case PictureIndex: picture_ = PngImage::decode(data_.picture); break;
    default: break;
    }
    // A hidden label is painted whole when it is shown; asking for a repaint
    // before then is a round trip to the window server for nothing, and a
    // caption being loaded is given a dozen properties while still hidden.
    repaint();
}

// A label whose background is its layered window's colour key shows no
// background at all. Smoothed letters would blend into the key colour, and
// those blended pixels, which the key does not remove, would ring every
// letter; so such a label draws its letters without smoothing.
bool Label::backgroundIsColourKey() const
{
    HWND root = GetAncestor(handle(), GA_ROOT);
    if (root == nullptr || (GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) return false;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(root, &key, &alpha, &flags) || (flags & LWA_COLORKEY) == 0) return false;
    return key == displayColour(data_.backgroundColour);
}

HFONT Label::storedFont()
{
    if (!fontMade_) {
        font_ = createStoredFont(data_.font);
        fontMade_ = true;
    }
    return fontOrDefault(font_);
}

HFONT Label::captionFont(bool onColourKey)
{
    if (!onColourKey) return storedFont();
    if (!unsmoothedFont_) unsmoothedFont_ = createUnsmoothedFont(data_.font);
    return unsmoothedFont_.get();
}

// A layered window is composed off-screen by the system, so a label on one
// that is only colour and text paints straight onto it: a buffer of its own
// would only add a copy to every paint.
bool Label::paintsDirectly() const
{
    HWND root = GetAncestor(handle(), GA_ROOT);
    return root != nullptr && (GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_LAYERED) != 0 &&
           isPlainLabel(data_, picture_ ? &*picture_ : nullptr);
}

void Label::paint(HDC target, const RECT& client, bool onColourKey, bool direct)
{
    if (direct) {
        paintPlainLabel(target, client, data_, captionFont(onColourKey), outline_);
        return;
    }
    BackBuffer buffer(target, client.right, client.bottom);
    if (!buffer.ok()) return;
    paintLabel(buffer, data_, picture_ ? &*picture_ : nullptr, captionFont(onColourKey), outline_);
    buffer.copyTo(target, 0, 0);
}

void Label::onPaint()
{
    const PaintDC dc(handle());
    RECT client{};
    GetClientRect(handle(), &client);
    paint(dc.get(), client, backgroundIsColourKey(), paintsDirectly());
}

LRESULT Label::onFeedback(WPARAM wParam, LPARAM lParam)
{
    const EventRecord record = fire(0, {static_cast<int32_t>(wParam), static_cast<int32_t>(lParam)});
    return record.returned != 0 ? record.value : 0;
}

// Measured as the caption is drawn, in the font it is drawn with, with the
// room its effect takes: one line, or wrapped at the label's width. Where the
// label places the text plays no part: a measure centred or put at the bottom
// of an empty rectangle would come back short. A memory DC like the screen
// measures as the label's own DC does, without a round trip to the window
// server for its visible region; one serves every measure, since making it
// costs two such round trips itself.
void Label::measureCaption(SIZE& size)
{
    size = {0, 0};
    if (data_.caption.empty()) return;
    const std::wstring text = widenGbk(data_.caption);
    static const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    SelectedObject selected(dc.get(), captionFont(backgroundIsColourKey()));
    const EffectMargins effect = captionEffectMargins(dc.get(), data_.captionEffect);
    RECT area{0, 0, 0, 0};
    UINT flags = (labelTextFlags(data_) & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT;
    if (data_.wordWrap != 0) area.right = std::max<LONG>(0, clientSize().cx - effect.left - effect.right);
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &area, flags);
    size = {area.right - area.left + effect.left + effect.right, area.bottom - area.top + effect.top + effect.bottom};
}

bool Label::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_PAINT: onPaint(); return true;
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(handle(), &client);
        paint(reinterpret_cast<HDC>(wParam), client, backgroundIsColourKey(), paintsDirectly());
        return true;
    }
    case WM_ERASEBKGND: result = 1; return true;  // painting covers every pixel
    case UnitMessage::Feedback: result = onFeedback(wParam, lParam); return true;
    case UnitMessage::MeasureCaption:
        measureCaption(*reinterpret_cast<SIZE*>(lParam));
        result = 1;
        return true;
    // Keep the mouse while the button is held, so moves and the release
    // outside the label still reach it.
    case WM_LBUTTONDOWN:
        holdsMouse_ = true;
        applyPendingPlacement();
        SetCapture(handle());
        return false;
    case WM_LBUTTONUP:
        if (GetCapture() == handle()) ReleaseCapture();
        return false;
    case WM_CAPTURECHANGED: holdsMouse_ = false; return false;
    case WM_WINDOWPOSCHANGED: onWindowMoved(*reinterpret_cast<const WINDOWPOS*>(lParam)); return false;
    case WM_DESTROY:
        if (composition_ != nullptr) std::exchange(composition_, nullptr)->leave(*this);
        return false;
    default: return false;
    }
}

template class RowUnitType<Label>;

}  // namespace tessaly::ui
