#include "runtime/ui/units/pic_box.h"

#include <memory>

#include "runtime/ui/identifiers.h"
#include "runtime/ui/units/border_rule.h"
#include "runtime/ui/units/picture_draw.h"
#include "runtime/ui/unit_class.h"
#include "runtime/ui/units/unit_paint.h"

namespace tessaly::ui {
namespace {

constexpr PropertyInfo PicBoxProperties[] = {
    {8, PropertyKind::Choice, "border", 0, 5},
    {9, PropertyKind::Colour, "background colour"},
    {10, PropertyKind::Picture, "picture"},
    {11, PropertyKind::Choice, "display mode", 0, 2},
    {12, PropertyKind::Logical, "animate"},
    {13, PropertyKind::StoredText, "stored text 1"},
    {14, PropertyKind::StoredText2, "stored text 2"},
};

constexpr wchar_t PicBoxClass[] = L"_QX_PicBox";
constexpr int32_t BorderIndex = 8;
constexpr int32_t BackgroundIndex = 9;
constexpr int32_t PictureIndex = 10;
constexpr int32_t DisplayModeIndex = 11;

std::optional<PngImage> decodePicture(const Bytes& file)
{
    if (file.empty()) return std::nullopt;
    return PngImage::decode(file);
}

}  // namespace

PicBox::PicBox(const UnitType& type, uint32_t windowId, uint32_t unitId, PicBoxData data)
    : Unit(type, windowId, unitId), data_(std::move(data)), background_(CreateSolidBrush(displayColour(data_.backgroundColour)))
{
    picture_ = decodePicture(data_.picture);
}

bool PicBox::create(const UnitCreateParams& params)
{
    if (!ensureUnitClass(PicBoxClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, &Unit::unitProcedure)) return false;
    const BorderStyles border = borderStyles(data_.border);
    return createWindow(border.extendedStyle, PicBoxClass, L"", WS_CHILD | WS_CLIPSIBLINGS | border.style, params);
}

PropertySlot PicBox::slot(int32_t index)
{
    switch (index) {
    case 8: return &data_.border;
    case 9: return &data_.backgroundColour;
    case 10: return &data_.picture;
    case 11: return &data_.displayMode;
    case 12: return &data_.animate;
    case 13: return &data_.storedText1;
    case 14: return &data_.storedText2;
    default: return {};
    }
}

bool PicBox::write(const PropertyInfo& info, const PropertyValue& value)
{
    if (!writeSlot(info, slot(info.index), value)) return false;
    applyChange(info.index);
    return true;
}

bool PicBox::read(int32_t index, PropertyValue& out) const
{
    return readSlot(const_cast<PicBox*>(this)->slot(index), out);
}

void PicBox::applyChange(int32_t index)
{
    switch (index) {
    case BorderIndex: applyBorder(handle(), data_.border); break;
    case BackgroundIndex: background_.reset(CreateSolidBrush(displayColour(data_.backgroundColour))); break;
    // PNG pictures are still images, so the animation switch has nothing to start.
    case PictureIndex: picture_ = decodePicture(data_.picture); break;
    case DisplayModeIndex: break;
    default: return;  // the animation switch and stored texts show nothing
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
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle(), &ps);
    paint(dc);
    EndPaint(handle(), &ps);
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

uint32_t PicBoxType::typeId() const { return TypeId::PicBox; }

std::span<const PropertyInfo> PicBoxType::properties() const { return PicBoxProperties; }

Unit* PicBoxType::create(const UnitCreateParams& params) const
{
    std::optional<PicBoxData> data = readPicBoxData(params.typeData);
    if (!data) return nullptr;
    return Unit::bringToLife(std::make_unique<PicBox>(*this, params.windowId, params.unitId, std::move(*data)), params);
}

bool PicBoxType::setProperty(Unit& unit, int32_t ownIndex, const PropertyValue& value) const
{
    if (const PropertyInfo* info = property(ownIndex + 8)) static_cast<PicBox&>(unit).write(*info, value);
    return false;
}

std::vector<uint8_t> PicBoxType::currentTypeData(const Unit& unit) const
{
    return writePicBoxData(static_cast<const PicBox&>(unit).data());
}

bool PicBoxType::getProperty(const Unit& unit, int32_t ownIndex, PropertyValue& out) const
{
    return static_cast<const PicBox&>(unit).read(ownIndex + 8, out);
}

}  // namespace tessaly::ui
