// The picture box: shows one picture (PNG) over its background colour, in
// one of three display modes.
#pragma once

#include <optional>

#include "runtime/ui/png_image.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/units/row_unit_type.h"

namespace tessaly::ui {

class PicBox final : public RowUnit<PicBoxData> {
public:
    static constexpr const auto& Rows = PicBoxRows;

    PicBox(const UnitType& type, uint32_t windowId, uint32_t unitId, PicBoxData data);

    bool create(const UnitCreateParams& params);
    bool hasPicture() const { return picture_.has_value(); }
    void applyChange(int32_t index);

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void paint(HDC target);
    void onPaint();

    std::optional<PngImage> picture_;
    UniqueBrush background_;
};

}  // namespace tessaly::ui
