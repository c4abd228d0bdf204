// Edit box, button, check box and combo box driven through their type
// interface under a plain parent window, and the numeric input forms.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "runtime/ui/byte_writer.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/type_data_io.h"
#include "runtime/ui/units/button.h"
#include "runtime/ui/units/check_box.h"
#include "runtime/ui/units/combo_box.h"
#include "runtime/ui/units/edit_box.h"
#include "runtime/ui/units/numeric_input.h"
#include "runtime/ui/units/unit_types.h"
#include "tests/ui/input_unit_harness.h"
#include "tests/ui/message_pump.h"

namespace tessaly::ui {
namespace {

using testing::InputHarness;

constexpr uint32_t EditId = 0x16000010;
constexpr uint32_t OtherId = 0x16000011;
constexpr uint32_t CheckId = 0x16000012;
constexpr uint32_t ComboId = 0x16000013;
constexpr uint32_t ButtonId = 0x16000014;

bool set(Unit& unit, int32_t index, PropertyValue value) { return unit.type().setProperty(unit, index - 8, value); }
bool setText(Unit& unit, int32_t index, std::string_view text) { return set(unit, index, PropertyValue::bytes(text.data(), text.size())); }
PropertyValue get(const Unit& unit, int32_t index)
{
    PropertyValue v;
    EXPECT_TRUE(unit.type().getProperty(unit, index - 8, v));
    return v;
}
DWORD styleOf(const Unit& unit) { return static_cast<DWORD>(GetWindowLongPtrW(unit.handle(), GWL_STYLE)); }

TEST(NumericInput, IntegerModesClampToTheirTypeAndUnreadableTextBecomesZero)
{
    EXPECT_EQ(canonicalInputText(InputMode::Byte, "300"), "255");
    EXPECT_EQ(canonicalInputText(InputMode::Byte, "-4"), "0");
    EXPECT_EQ(canonicalInputText(InputMode::Short, "40000"), "32767");
    EXPECT_EQ(canonicalInputText(InputMode::Short, "-40000"), "-32768");
    EXPECT_EQ(canonicalInputText(InputMode::Integer, "99999999999"), "2147483647");
    EXPECT_EQ(canonicalInputText(InputMode::Integer, "  12abc"), "12");
    EXPECT_EQ(canonicalInputText(InputMode::Integer, "abc"), "0");
    EXPECT_EQ(canonicalInputText(InputMode::Long, "-9223372036854775808"), "-9223372036854775808");
    EXPECT_EQ(canonicalInputText(InputMode::Long, "99999999999999999999"), "9223372036854775807");
    EXPECT_EQ(canonicalInputText(InputMode::Normal, "abc"), std::nullopt);
    EXPECT_EQ(canonicalInputText(InputMode::Password, "abc"), std::nullopt);
}

TEST(NumericInput, RealAndDateModesShowTheirUsualForm)
{
    EXPECT_EQ(canonicalInputText(InputMode::Double, "1.50"), "1.5");
    EXPECT_EQ(canonicalInputText(InputMode::Double, "x"), "0");
    EXPECT_EQ(canonicalInputText(InputMode::Single, "0.1"), "0.1");
    EXPECT_EQ(canonicalInputText(InputMode::DateTime, "2024-3-5"), "2024年3月5日");
    EXPECT_EQ(canonicalInputText(InputMode::DateTime, "2024/02/29 13:30"), "2024年2月29日13时30分");
    EXPECT_EQ(canonicalInputText(InputMode::DateTime, "2023年2月29日"), "") << "no such day";
    EXPECT_EQ(canonicalInputText(InputMode::DateTime, "tomorrow"), "");
    EXPECT_DOUBLE_EQ(*readDateText("1899-12-30"), 0.0);
    EXPECT_DOUBLE_EQ(*readDateText("1899-12-29 06:00"), -1.25);
}

class InputUnits : public ::testing::Test {
protected:
    InputHarness harness;
};

TEST_F(InputUnits, EditBoxContentWriteRaisesExactlyOneChangedEvent)
{
    for (const int32_t multiLine : {0, 1}) {
        EditBoxData d;
        d.multiLine = multiLine;
        Unit* box = harness.create(unitType(TypeId::EditBox), writeTypeData(EditBoxRows, d), EditId);
        ASSERT_NE(box, nullptr);
        harness.clearEvents();
        setText(*box, 8, "新内容");
        testing::pumpPending();
        EXPECT_EQ(harness.events(EditId, 0).size(), 1u) << "multi-line " << multiLine;
        EXPECT_EQ(get(*box, 8).asText(), "新内容");
        // What the user types is reported by the control itself.
        harness.clearEvents();
        SendMessageW(box->handle(), WM_CHAR, 'x', 0);
        EXPECT_EQ(harness.events(EditId, 0).size(), 1u);
        DestroyWindow(box->handle());
    }
}

TEST_F(InputUnits, EditBoxCreationStylesFollowItsData)
{
    EditBoxData d;
    d.multiLine = 1;
    d.scrollBars = 3;
    d.alignment = 1;
    d.inputMode = InputMode::ReadOnly;
    d.letterCase = 2;
    d.hideSelection = 1;
    d.border = 5;
    Unit* box = harness.create(unitType(TypeId::EditBox), writeTypeData(EditBoxRows, d), EditId, {10, 10, 200, 80});
    ASSERT_NE(box, nullptr);
    const DWORD style = styleOf(*box);
    for (const DWORD bit : {DWORD(ES_MULTILINE), DWORD(ES_WANTRETURN), DWORD(ES_AUTOVSCROLL), DWORD(ES_AUTOHSCROLL),
                            DWORD(WS_HSCROLL), DWORD(WS_VSCROLL), DWORD(ES_CENTER), DWORD(ES_READONLY),
                            DWORD(ES_UPPERCASE), DWORD(WS_BORDER), DWORD(WS_CHILD), DWORD(WS_CLIPSIBLINGS)})
        EXPECT_EQ(style & bit, bit) << std::hex << bit;
    EXPECT_EQ(style & ES_NOHIDESEL, 0u);

    EditBoxData plain;
    plain.border = 1;
    Unit* single = harness.create(unitType(TypeId::EditBox), writeTypeData(EditBoxRows, plain), OtherId, {10, 100, 200, 24});
    EXPECT_EQ(styleOf(*single) & (ES_MULTILINE | ES_NOHIDESEL | ES_AUTOHSCROLL), DWORD(ES_NOHIDESEL | ES_AUTOHSCROLL));
    EXPECT_TRUE(GetWindowLongPtrW(single->handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(InputUnits, EditBoxPropertiesClampAndSayWhenTheBoxMustBeMadeAgain)
{
    Unit* box = harness.create(unitType(TypeId::EditBox), writeTypeData(EditBoxRows, EditBoxData{}), EditId);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(set(*box, 9, PropertyValue::number(9)));
    EXPECT_EQ(get(*box, 9).asInt(), 5) << "border clamped to its choices";
    EXPECT_TRUE(styleOf(*box) & WS_BORDER);
    set(*box, 14, PropertyValue::number(-5));
    EXPECT_EQ(get(*box, 14).asInt(), 0);
    EXPECT_FALSE(set(*box, 13, PropertyValue::number(0))) << "hide selection unchanged";
    EXPECT_TRUE(set(*box, 13, PropertyValue::number(1)));
    EXPECT_FALSE(set(*box, 15, PropertyValue::number(0)));
    EXPECT_TRUE(set(*box, 15, PropertyValue::number(1)));
    for (const int32_t index : {16, 17, 20, 21}) EXPECT_TRUE(set(*box, index, PropertyValue::number(1))) << index;
    EXPECT_FALSE(set(*box, 10, PropertyValue::number(0x0000FF)));
    // Type data as it now stands, always in the highest layout.
    setText(*box, 8, "abc");
    const auto data = readTypeData(EditBoxRows, box->type().currentTypeData(*box));
    ASSERT_TRUE(data);
    EXPECT_EQ(box->type().currentTypeData(*box)[0], EditBoxData::HighestVersion);
    EXPECT_EQ(data->content, "abc");
    EXPECT_EQ(data->multiLine, 1);
    EXPECT_EQ(data->textColour, 0x0000FFu);
}

TEST_F(InputUnits, EditBoxSelectionCountsGbkBytes)
{
    EditBoxData d;
    d.content = "中文ab";
    Unit* box = harness.create(unitType(TypeId::EditBox), writeTypeData(EditBoxRows, d), EditId);
    set(*box, 24, PropertyValue::number(2));
    set(*box, 25, PropertyValue::number(3));
    EXPECT_EQ(get(*box, 26).asText(), "文a");
    setText(*box, 26, "X");
    EXPECT_EQ(get(*box, 8).asText(), "中Xb");
    set(*box, 24, PropertyValue::number(-1));
    set(*box, 25, PropertyValue::number(0));
    EXPECT_EQ(get(*box, 24).asInt(), 4) << "-1 puts the caret at the end";
}

TEST_F(InputUnits, NumericBoxIsRewrittenBeforeItReportsTheLostFocus)
{
    EditBoxData d;
    d.inputMode = InputMode::Byte;
    Unit* box = harness.create(unitType(TypeId::EditBox), writeTypeData(EditBoxRows, d), EditId);
    Unit* other = harness.create(unitType(TypeId::EditBox), writeTypeData(EditBoxRows, EditBoxData{}), OtherId, {10, 50, 200, 24});
    harness.snapshotWith([box] { return windowTextGbk(box->handle()); });
    SetFocus(box->handle());
    SendMessageW(box->handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"300"));
    harness.clearEvents();
    SetFocus(other->handle());
    testing::pumpPending();
    EXPECT_EQ(windowTextGbk(box->handle()), "255");
    const auto lost = harness.events(EditId, -8);
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].snapshot, "255");
    EXPECT_EQ(harness.events(OtherId, -7).size(), 1u);
    EXPECT_TRUE(harness.events(OtherId, -8).empty());
}

TEST_F(InputUnits, PasswordAndReadOnlyModesApplyAtOnce)
{
    Unit* box = harness.create(unitType(TypeId::EditBox), writeTypeData(EditBoxRows, EditBoxData{}), EditId);
    setText(*box, 19, "#");
    set(*box, 18, PropertyValue::number(2));
    EXPECT_EQ(SendMessageW(box->handle(), EM_GETPASSWORDCHAR, 0, 0), '#');
    set(*box, 18, PropertyValue::number(1));
    EXPECT_EQ(SendMessageW(box->handle(), EM_GETPASSWORDCHAR, 0, 0), 0);
    EXPECT_TRUE(styleOf(*box) & ES_READONLY);
    set(*box, 18, PropertyValue::number(0));
    EXPECT_FALSE(styleOf(*box) & ES_READONLY);
}

TEST_F(InputUnits, UpDownBuddySitsBesideASingleLineBoxWithItsRange)
{
    EditBoxData d;
    d.upDownMode = 1;
    d.upDownLower = 50;
    d.upDownUpper = 10;
    auto* box = static_cast<EditBox*>(harness.create(unitType(TypeId::EditBox), writeTypeData(EditBoxRows, d), EditId));
    ASSERT_NE(box->upDown(), nullptr);
    int lower = 0, upper = 0;
    SendMessageW(box->upDown(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(lower, 10);
    EXPECT_EQ(upper, 50);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(box->upDown(), UDM_GETBUDDY, 0, 0)), box->handle());
    EXPECT_TRUE(GetWindowLongPtrW(box->upDown(), GWL_EXSTYLE) & WS_EX_STATICEDGE) << "beside the sunken default border";
    HWND upDown = box->upDown();
    DestroyWindow(box->handle());
    EXPECT_FALSE(IsWindow(upDown));
}

TEST_F(InputUnits, CheckBoxClickSeesTheNewStateAndACheckedWriteRaisesNoClick)
{
    CheckBoxData d;
    d.caption = "选项";
    Unit* box = harness.create(unitType(TypeId::CheckBox), writeTypeData(CheckBoxRows, d), CheckId);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(styleOf(*box) & (BS_TYPEMASK | BS_MULTILINE), DWORD(BS_AUTOCHECKBOX | BS_MULTILINE));
    harness.snapshotWith([box] { return std::to_string(SendMessageW(box->handle(), BM_GETCHECK, 0, 0)); });
    SendMessageW(box->handle(), BM_CLICK, 0, 0);
    testing::pumpPending();
    const auto clicks = harness.events(CheckId, 0);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].snapshot, "1");
    EXPECT_EQ(get(*box, 18).data, 1);
    harness.clearEvents();
    set(*box, 18, PropertyValue::number(0));
    set(*box, 18, PropertyValue::number(1));
    testing::pumpPending();
    EXPECT_TRUE(harness.events(CheckId, 0).empty());
    EXPECT_EQ(readTypeData(CheckBoxRows, box->type().currentTypeData(*box))->checked, 1);
    set(*box, 9, PropertyValue::number(1));
    set(*box, 13, PropertyValue::number(7));
    EXPECT_EQ(get(*box, 13).asInt(), 2);
    EXPECT_EQ(styleOf(*box) & (BS_PUSHLIKE | BS_CENTER), DWORD(BS_PUSHLIKE | BS_RIGHT));
    EXPECT_TRUE(set(*box, 8, PropertyValue::bytes("BM", 2))) << "a picture re-creates the box";
}

TEST_F(InputUnits, ButtonClickAndDefaultStyle)
{
    ButtonData d;
    d.caption = "确定";
    d.horizontalAlignment = 0;
    Unit* button = harness.create(unitType(TypeId::Button), writeTypeData(ButtonRows, d), ButtonId);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(styleOf(*button) & (BS_TYPEMASK | BS_MULTILINE | BS_CENTER), DWORD(BS_PUSHBUTTON | BS_MULTILINE | BS_LEFT));
    SendMessageW(button->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(harness.events(ButtonId, 0).size(), 1u);
    set(*button, 9, PropertyValue::number(1));
    EXPECT_EQ(styleOf(*button) & BS_TYPEMASK, DWORD(BS_DEFPUSHBUTTON));
    setText(*button, 10, "取消");
    EXPECT_EQ(get(*button, 10).asText(), "取消");
    EXPECT_EQ(readTypeData(ButtonRows, button->type().currentTypeData(*button))->caption, "取消");
}

ComboBoxData fourItems(int32_t type)
{
    ComboBoxData d;
    d.type = type;
    d.items = {"常规", "加粗", "倾斜", "粗斜体"};
    d.currentItem = 0;
    d.extraItemHeight = 1;
    d.itemValues = {0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0, 0};
    return d;
}

TEST_F(InputUnits, ComboBoxLoadsItsItemsAndClampsTheCurrentItem)
{
    auto* box = static_cast<ComboBox*>(harness.create(unitType(TypeId::ComboBox), writeTypeData(ComboBoxRows, fourItems(2)), ComboId));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->items(), (std::vector<std::string>{"常规", "加粗", "倾斜", "粗斜体"}));
    EXPECT_EQ(box->currentItem(), 0);
    EXPECT_EQ(SendMessageW(box->handle(), CB_GETITEMDATA, 3, 0), 3);
    set(*box, 19, PropertyValue::number(99));
    EXPECT_EQ(get(*box, 19).asInt(), 3);
    set(*box, 19, PropertyValue::number(-1));
    EXPECT_EQ(get(*box, 19).asInt(), -1);
    testing::pumpPending();
    EXPECT_TRUE(harness.events(ComboId, 0).empty()) << "the runtime's own selection raises nothing";

    ByteWriter items;
    writeListItems(items, {"甲", "乙"});
    const Bytes list = items.take();
    set(*box, 20, PropertyValue::bytes(list.data(), list.size()));
    const auto answered = get(*box, 20).asBytes();
    EXPECT_EQ(Bytes(answered.begin(), answered.end()), list);
}

TEST_F(InputUnits, DropDownListIgnoresContentAndLengthWrites)
{
    Unit* box = harness.create(unitType(TypeId::ComboBox), writeTypeData(ComboBoxRows, fourItems(2)), ComboId);
    EXPECT_EQ(styleOf(*box) & 3, DWORD(CBS_DROPDOWNLIST));
    setText(*box, 9, "别的");
    set(*box, 10, PropertyValue::number(5));
    EXPECT_EQ(get(*box, 9).asText(), "常规");
    EXPECT_EQ(get(*box, 10).asInt(), 0);

    Unit* editable = harness.create(unitType(TypeId::ComboBox), writeTypeData(ComboBoxRows, fourItems(0)), OtherId, {10, 60, 200, 24});
    setText(*editable, 9, "别的");
    EXPECT_EQ(get(*editable, 9).asText(), "别的");
    set(*editable, 10, PropertyValue::number(40000));
    EXPECT_EQ(get(*editable, 10).asInt(), 32767);
}

TEST_F(InputUnits, ComboBoxTypeChangesReCreateAndLeaveButtonFaceForWhite)
{
    ComboBoxData d = fourItems(0);
    d.backgroundColour = 0xFF000000;
    Unit* box = harness.create(unitType(TypeId::ComboBox), writeTypeData(ComboBoxRows, d), ComboId);
    EXPECT_FALSE(set(*box, 8, PropertyValue::number(0)));
    EXPECT_TRUE(set(*box, 8, PropertyValue::number(2)));
    EXPECT_EQ(get(*box, 17).asInt(), 0xFFFFFF);
    EXPECT_TRUE(set(*box, 14, PropertyValue::number(1)));
    EXPECT_FALSE(set(*box, 14, PropertyValue::number(1)));
    EXPECT_TRUE(set(*box, 21, PropertyValue::bytes("\1\0\0\0", 4)));
}

TEST_F(InputUnits, ComboSelectionEventSeesTheFinalSelection)
{
    auto* box = static_cast<ComboBox*>(harness.create(unitType(TypeId::ComboBox), writeTypeData(ComboBoxRows, fourItems(2)), ComboId));
    harness.snapshotWith([box] { return std::to_string(box->currentItem()) + windowTextGbk(box->handle()); });
    SetFocus(box->handle());
    harness.clearEvents();
    SendMessageW(box->handle(), WM_KEYDOWN, VK_DOWN, 0);
    testing::pumpUntil([&] { return !harness.events(ComboId, 0).empty(); });
    const auto made = harness.events(ComboId, 0);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].snapshot, "1加粗");
}

}  // namespace
}  // namespace tessaly::ui
