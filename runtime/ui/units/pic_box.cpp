#include "runtime/ui/units/pic_box.h"

#include <memory>

#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/border_rule.h"
#include "runtime/ui/units/picture_draw.h"
#include "runtime/ui/unit_class.h"
#include "runtime/ui/units/unit_paint.h"

namespace tessaly::ui {
namespace {

constexpr wchar_t PicBoxClass[] = L"_QX_PicBox";
constexpr int32_t BorderIndex = propertyIndex(PicBoxRows, "border");
constexpr int32_t BackgroundIndex = propertyIndex(PicBoxRows, "backgroundColour");
constexpr int32_t PictureIndex = propertyIndex(PicBoxRows, "picture");
constexpr int32_t DisplayModeIndex = propertyIndex(PicBoxRows, "displayMode");

}  // namespace

PicBox::PicBox(const UnitType& type, uint32_t windowId, uint32_t unitId, PicBoxData data)
    : RowUnit(type, windowId, unitId, std::move(data)), background_(CreateSolidBrush(displayColour(data_.backgroundColour)))
{
    picture_ = PngImage::decode(data_.picture);
}

bool PicBox::create(const UnitCreateParams& params)
{
    if (!ensureUnitClass(PicBoxClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, &Unit::unitProcedure)) return false;
    const BorderStyles border = borderStyles(data_.border);
    return createWindow(border.extendedStyle, PicBoxClass, L"", WS_CHILD | WS_CLIPSIBLINGS | border.style, params);
}

void PicBox::applyChange(int32_t index)
{
    switch (index) {
    case BorderIndex: applyBorder(handle(), data_.border); break;
    case BackgroundIndex: background_.reset(CreateSolidBrush(displayColour(data_.backgroundColour))); break;
    case PictureIndex: picture_ = PngImage::decode(data_.picture); break;
    case DisplayModeIndex: break;
    default: return;
    }
    InvalidateRect(handle(), nullptr, FALSE);
}

void PicBox::paint(HDC target)
{
    RECT client{};
    GetClientRect(handle(), &client);
    BackBuffer buffer(target, client.right, client.bottom);
    if (!buffer.ok()) return;
    FillRect(buffer.dc(), &client, background_.get());
    if (picture_) drawPicture(buffer.dc(), *picture_, client, data_.displayMode);
    buffer.copyTo(target, 0, 0);
}

void PicBox::onPaint()
{
    const PaintDC dc(handle());
    paint(dc.get());
}

bool PicBox::handleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case WM_PAINT: onPaint(); return true;
    case WM_PRINTCLIENT: paint(reinterpret_cast<HDC>(wParam)); return true;
    case WM_ERASEBKGND: result = 1; return true;  // painting covers every pixel
    default: return false;
    }
}

template class RowUnitType<PicBox>;

}  // namespace tessaly::ui
