// The colour picker unit: a button that shows the current colour and opens
// the colour pop-up under itself. The pop-up reports its end with a private
// message; only a choice changes the colour and raises event 0.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/ui/type_data.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/units/row_unit_type.h"
#include "runtime/ui/units/unit_theme.h"

namespace tessaly::ui {

namespace ColorPickerEvent {
inline constexpr int32_t ColourChosen = 0;
}

inline constexpr wchar_t ColorPickerClass[] = L"CColourPicker";

class ColorPicker final : public RowUnit<ColorPickerData> {
public:
    static constexpr const auto& Rows = ColorPickerRows;

    ColorPicker(const UnitType& type, uint32_t windowId, uint32_t unitId, ColorPickerData data);

    bool create(const UnitCreateParams& params);

    uint32_t colour() const { return data_.colour; }
    // No colour is kept only while it is allowed; otherwise it becomes black.
    void applyChange(int32_t index);

    // The open pop-up, or none.
    HWND popup() const { return IsWindow(popup_) ? popup_ : nullptr; }
    void openPopup();

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void paint(HDC dc);
    void paintFace(HDC dc, const RECT& client);
    void paintSwatch(HDC dc, const RECT& swatch);
    void paintArrow(HDC dc, const RECT& area);
    void onButtonUp(LPARAM position);
    void onChosen(uint32_t colour);
    void setPressed(bool pressed);

    UniqueTheme theme_;
    HWND popup_ = nullptr;
    bool pressed_ = false;
};

}  // namespace tessaly::ui
