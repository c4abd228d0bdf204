// The check-list box unit: an owner-drawn list box whose items each carry a
// check box. The list commands reach it through the member functions below;
// check states live beside the items and follow them through inserts and
// deletes, whoever sends the list box messages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/core/win32_handles.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/unit.h"
#include "runtime/ui/units/control_look.h"
#include "runtime/ui/units/row_unit_type.h"
#include "runtime/ui/units/unit_theme.h"

namespace tessaly::ui {

namespace CheckListBoxEvent {
inline constexpr int32_t SelectionChanged = 0;
inline constexpr int32_t CheckChanged = 1;
inline constexpr int32_t DoubleClicked = 2;
}  // namespace CheckListBoxEvent

class CheckListBox final : public RowUnit<CheckListBoxData> {
public:
    static constexpr const auto& Rows = CheckListBoxRows;

    using RowUnit::RowUnit;

    // The unit behind a live unit of this type, or none for any other unit.
    static CheckListBox* from(Unit* unit);

    bool create(const UnitCreateParams& params);

    // Adds a GBK text at the end (or at its sorted place in a sorted list)
    // with its data word; answers the index, or -1 when the list refused it.
    int32_t addItem(std::string_view text, int32_t itemData = 0);
    bool deleteItem(int32_t index);
    void clear();
    int32_t count() const;
    std::string itemText(int32_t index) const;
    int32_t itemData(int32_t index) const;
    // False for an index outside the list.
    bool setChecked(int32_t index, bool checked);
    bool isChecked(int32_t index) const;

    int32_t currentItem() const;
    void setCurrentItem(int32_t index);

    // The type data with the list, selection and item data words as they now stand.
    CheckListBoxData currentData() const;
    void applyChange(int32_t index);
    bool writeOwn(int32_t index, const PropertyValue& value);
    // The current item, and the list items (16-bit count, counted strings)
    // and their data words as they now stand, valid until the next read.
    bool readLive(int32_t index, PropertyValue& out) const;

    void replaceItems(const std::vector<std::string>& items);

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The items' texts and data words as the list now holds them.
    std::vector<std::string> itemTexts() const;
    Bytes itemWords() const;
    void keepFirstCheckOnly();
    bool trackItemMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool onNotification(WORD code);
    void onDrawItem(const DRAWITEMSTRUCT& item);
    void drawCheckBox(HDC dc, const RECT& box, bool checked, bool disabled);
    bool onClick(LPARAM position);
    void toggleByUser(int32_t index);
    void applyItemHeight();
    void applyItemValues();
    void invalidateItem(int32_t index);
    RECT checkBoxRect(const RECT& item) const;
    void openTheme();

    std::vector<uint8_t> checked_;  // one entry per item, in list order
    ControlFont font_;
    UniqueTheme theme_;
    bool itemValuesPending_ = false;
    mutable Bytes answer_;  // the bytes a list property read points into
};

}  // namespace tessaly::ui
