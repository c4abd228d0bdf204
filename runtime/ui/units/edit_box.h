// The edit box unit: a standard "EDIT" control with its colours, font and
// border, the numeric input modes that rewrite the typed text when the box
// loses the focus, and an optional up-down buddy beside a single-line box.
#pragma once

#include <string>

#include "runtime/ui/type_data.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/units/control_look.h"
#include "runtime/ui/units/row_unit_type.h"

namespace tessaly::ui {

namespace EditBoxEvent {
inline constexpr int32_t ContentChanged = 0;
}  // namespace EditBoxEvent

class EditBox final : public RowUnit<EditBoxData> {
public:
    static constexpr const auto& Rows = EditBoxRows;

    using RowUnit::RowUnit;

    bool create(const UnitCreateParams& params);

    // The stored data with the content the control now holds.
    EditBoxData currentData() const;
    void applyChange(int32_t index);
    bool writeOwn(int32_t index, const PropertyValue& value);
    bool readLive(int32_t index, PropertyValue& out) const;

    std::string content() const { return windowTextGbk(handle()); }
    // Sets the text and raises exactly one content-changed event for it.
    void setContent(std::string_view text);
    void replaceSelection(std::string_view text);
    // The live selection in GBK bytes: start and length.
    std::pair<int32_t, int32_t> selection() const;

    HWND upDown() const { return upDown_.get(); }

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool reportsFocusByNotification() const override { return true; }

private:
    DWORD creationStyle() const;
    void applyInputMode();
    void applyMaximumLength() { SendMessageW(handle(), EM_LIMITTEXT, static_cast<WPARAM>(data_.maximumLength), 0); }
    void applySelection();
    void applyUpDownRange();
    void applyBorder();
    void applyFont() { font_.apply(handle(), data_.font); }
    void applyBackground();
    void createUpDown(const UnitCreateParams& params);
    void placeUpDown();
    void onNotification(WORD code);
    void rewriteNumber();

    ControlFont font_;
    BackgroundBrush background_;
    UniqueWindow upDown_;
    bool writingContent_ = false;
};

}  // namespace tessaly::ui
