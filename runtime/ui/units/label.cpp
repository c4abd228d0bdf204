#include "runtime/ui/units/label.h"

#include <memory>

#include "runtime/core/text_encoding.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/border_rule.h"
#include "runtime/ui/units/label_painter.h"
#include "runtime/ui/unit_class.h"
#include "runtime/ui/units/unit_paint.h"

namespace tessaly::ui {
namespace {

constexpr PropertyInfo LabelProperties[] = {
    {8, PropertyKind::Text, "caption"},
    {9, PropertyKind::Choice, "text effect", 0, 3},
    {10, PropertyKind::Choice, "border", 0, 6},
    {11, PropertyKind::Integer, "gradient frame width", 5, NoLimit},
    {12, PropertyKind::Colour, "gradient frame colour 1"},
    {13, PropertyKind::Colour, "gradient frame colour 2"},
    {14, PropertyKind::Colour, "gradient frame colour 3"},
    {15, PropertyKind::Font, "font"},
    {16, PropertyKind::Colour, "text colour"},
    {17, PropertyKind::Colour, "background colour"},
    {18, PropertyKind::Picture, "background picture"},
    {19, PropertyKind::Choice, "background picture mode", 0, 2},
    {20, PropertyKind::Choice, "gradient background", 0, 8},
    {21, PropertyKind::Colour, "gradient background colour 1"},
    {22, PropertyKind::Colour, "gradient background colour 2"},
    {23, PropertyKind::Colour, "gradient background colour 3"},
    {24, PropertyKind::Choice, "horizontal alignment", 0, 2},
    {25, PropertyKind::Logical, "word wrap"},
    {26, PropertyKind::Choice, "vertical alignment", 0, 2},
    {27, PropertyKind::StoredText, "stored text 1"},
    {28, PropertyKind::StoredText2, "stored text 2"},
};

constexpr wchar_t LabelClass[] = L"_QX_Label";
constexpr int32_t CaptionIndex = 8;
constexpr int32_t BorderIndex = 10;
constexpr int32_t FontIndex = 15;
constexpr int32_t PictureIndex = 18;
constexpr int32_t FirstStoredTextIndex = 27;

// The border choice as a window border: the gradient frame is painted, not a style.
int32_t windowBorder(int32_t border) { return border == GradientFrameBorder ? 0 : border; }

std::optional<PngImage> decodePicture(const Bytes& file)
{
    if (file.empty()) return std::nullopt;
    return PngImage::decode(file);
}

}  // namespace

Label::Label(const UnitType& type, uint32_t windowId, uint32_t unitId, LabelData data)
    : Unit(type, windowId, unitId), data_(std::move(data))
{
    picture_ = decodePicture(data_.picture);
}

bool Label::create(const UnitCreateParams& params)
{
    if (!ensureUnitClass(LabelClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, &Unit::unitProcedure)) return false;
    const BorderStyles border = borderStyles(windowBorder(data_.border));
    return createWindow(border.extendedStyle, LabelClass, widenGbk(data_.caption).c_str(),
                        WS_CHILD | WS_CLIPSIBLINGS | border.style, params);
}

PropertySlot Label::slot(int32_t index)
{
    switch (index) {
    case 8: return &data_.caption;
    case 9: return &data_.textEffect;
    case 10: return &data_.border;
    case 11: return &data_.frameWidth;
    case 12: case 13: case 14: return &data_.frameColours[static_cast<size_t>(index - 12)];
    case 15: return &data_.font;
    case 16: return &data_.textColour;
    case 17: return &data_.backgroundColour;
    case 18: return &data_.picture;
    case 19: return &data_.pictureMode;
    case 20: return &data_.gradient;
    case 21: case 22: case 23: return &data_.gradientColours[static_cast<size_t>(index - 21)];
    case 24: return &data_.horizontalAlignment;
    case 25: return &data_.wordWrap;
    case 26: return &data_.verticalAlignment;
    case 27: return &data_.storedText1;
    case 28: return &data_.storedText2;
    default: return {};
    }
}

bool Label::write(const PropertyInfo& info, const PropertyValue& value)
{
    if (!writeSlot(info, slot(info.index), value)) return false;
    applyChange(info.index);
    return true;
}

bool Label::read(int32_t index, PropertyValue& out) const
{
    return readSlot(const_cast<Label*>(this)->slot(index), out);
}

void Label::applyChange(int32_t index)
{
    if (index >= FirstStoredTextIndex) return;  // stored only
    switch (index) {
    case CaptionIndex: SetWindowTextW(handle(), widenGbk(data_.caption).c_str()); break;
    case BorderIndex: applyBorder(handle(), windowBorder(data_.border)); break;
    case FontIndex:
        font_.reset();
        fontMade_ = false;
        unsmoothedFont_.reset();
        break;
    // Pictures do not animate yet, so dropping the old one stops nothing else.
    case PictureIndex: picture_ = decodePicture(data_.picture); break;
    default: break;
    }
    // A hidden label is painted whole when it is shown; asking for a repaint
    // before then is a round trip to the window server for nothing, and a
    // caption being loaded is given a dozen properties while still hidden.
    if (IsWindowVisible(handle())) InvalidateRect(handle(), nullptr, FALSE);
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

HFONT Label::captionFont()
{
    if (!backgroundIsColourKey()) return storedFont();
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

void Label::paint(HDC target)
{
    RECT client{};
    GetClientRect(handle(), &client);
    if (paintsDirectly()) {
        paintPlainLabel(target, client, data_, captionFont());
        return;
    }
    BackBuffer buffer(target, client.right, client.bottom);
    if (!buffer.ok()) return;
    paintLabel(buffer, data_, picture_ ? &*picture_ : nullptr, captionFont());
    buffer.copyTo(target, 0, 0);
}

void Label::onPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle(), &ps);
    paint(dc);
    EndPaint(handle(), &ps);
}

LRESULT Label::onFeedback(WPARAM wParam, LPARAM lParam)
{
    const EventRecord record = fire(0, {static_cast<int32_t>(wParam), static_cast<int32_t>(lParam)});
    return record.returned != 0 ? record.value : 0;
}

// Measured as the caption is drawn, in the font it is drawn with: one line,
// or wrapped at the label's width. Where the label places the text plays no
// part: a measure centred or put at the bottom of an empty rectangle would
// come back short. A memory DC like the screen measures as the label's own DC
// does, without a round trip to the window server for its visible region; one
// serves every measure, since making it costs two such round trips itself.
void Label::measureCaption(SIZE& size)
{
    size = {0, 0};
    if (data_.caption.empty()) return;
    const std::wstring text = widenGbk(data_.caption);
    static const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    SelectedObject selected(dc.get(), captionFont());
    RECT area{0, 0, 0, 0};
    UINT flags = (labelTextFlags(data_) & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT;
    if (data_.wordWrap != 0) {
        GetClientRect(handle(), &area);
        area.bottom = 0;
    }
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &area, flags);
    size = {area.right - area.left, area.bottom - area.top};
}

bool Label::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_PAINT: onPaint(); return true;
    case WM_PRINTCLIENT: paint(reinterpret_cast<HDC>(wParam)); return true;
    case WM_ERASEBKGND: result = 1; return true;  // painting covers every pixel
    case UnitMessage::Feedback: result = onFeedback(wParam, lParam); return true;
    case UnitMessage::MeasureCaption:
        measureCaption(*reinterpret_cast<SIZE*>(lParam));
        result = 1;
        return true;
    // Keep the mouse while the button is held, so moves and the release
    // outside the label still reach it.
    case WM_LBUTTONDOWN: SetCapture(handle()); return false;
    case WM_LBUTTONUP:
        if (GetCapture() == handle()) ReleaseCapture();
        return false;
    default: return false;
    }
}

uint32_t LabelType::typeId() const { return TypeId::Label; }

std::span<const PropertyInfo> LabelType::properties() const { return LabelProperties; }

Unit* LabelType::create(const UnitCreateParams& params) const
{
    std::optional<LabelData> data = readLabelData(params.typeData);
    if (!data) return nullptr;
    return Unit::bringToLife(std::make_unique<Label>(*this, params.windowId, params.unitId, std::move(*data)), params);
}

bool LabelType::setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const
{
    if (const PropertyInfo* info = property(ownIndex + 8)) static_cast<Label&>(unit).write(*info, value);
    return false;  // no label property needs a new window
}

std::vector<uint8_t> LabelType::currentTypeData(const Unit& unit) const
{
    return writeLabelData(static_cast<const Label&>(unit).data());
}

bool LabelType::getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const
{
    return static_cast<const Label&>(unit).read(ownIndex + 8, out);
}

}  // namespace tessaly::ui
