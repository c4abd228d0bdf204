// The combo box unit: a standard "COMBOBOX" control (0 drop-down with an edit
// field, 1 simple, 2 drop-down list without one) filled from its type data.
// Its selection event is raised from a message it posts itself, so the
// routine sees the selection the control settles on, not the one in passing.
#pragma once

#include <string>
#include <vector>

#include "runtime/ui/type_data.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/units/control_look.h"
#include "runtime/ui/units/row_unit_type.h"

namespace tessaly::ui {

namespace ComboBoxEvent {
inline constexpr int32_t SelectionMade = 0;
inline constexpr int32_t EditChanged = 1;
inline constexpr int32_t DroppedDown = 2;
inline constexpr int32_t ClosedUp = 3;
inline constexpr int32_t DoubleClicked = 4;
}  // namespace ComboBoxEvent

namespace ComboBoxKind {
inline constexpr int32_t DropDown = 0;
inline constexpr int32_t Simple = 1;
inline constexpr int32_t DropDownList = 2;
}  // namespace ComboBoxKind

// Posted to itself on CBN_SELENDOK; the selection event is raised when it arrives.
inline constexpr UINT SelectionMadeMessage = 0xA711;

class ComboBox final : public RowUnit<ComboBoxData> {
public:
    static constexpr const auto& Rows = ComboBoxRows;

    using RowUnit::RowUnit;

    bool create(const UnitCreateParams& params);

    // The stored data with the items, current item and content the control now holds.
    ComboBoxData currentData() const;
    void applyChange(int32_t index);
    bool writeOwn(int32_t index, const PropertyValue& value);
    bool readLive(int32_t index, PropertyValue& out) const;
    bool hasEditField() const { return data_.type != ComboBoxKind::DropDownList; }

    std::vector<std::string> items() const;
    void setItems(const std::vector<std::string>& items);
    int32_t currentItem() const { return static_cast<int32_t>(SendMessageW(handle(), CB_GETCURSEL, 0, 0)); }
    // -1 clears the selection; past the last item selects the last one.
    void setCurrentItem(int32_t item);
    void replaceEditSelection(std::string_view text);

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool reportsFocusByNotification() const override { return true; }

private:
    DWORD creationStyle() const;
    void applyMaximumLength() { SendMessageW(handle(), CB_LIMITTEXT, static_cast<WPARAM>(data_.maximumLength), 0); }
    void applyEditSelection();
    void applyItemHeight();
    void applyFont();
    void applyBackground();
    bool changeType(int32_t type);
    std::string selectedText() const;
    void onNotification(WORD code);
    void applyItemValues();

    ControlFont font_;
    BackgroundBrush background_;
    mutable Bytes itemsAnswer_;
    bool settingSelection_ = false;
};

}  // namespace tessaly::ui
