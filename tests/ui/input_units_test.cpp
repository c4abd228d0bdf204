// Edit box, button, check box and combo box driven through their type
// interface in loaded windows, and the numeric input forms.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>

#include "runtime/ui/byte_writer.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/type_data_io.h"
#include "runtime/ui/units/button.h"
#include "runtime/ui/units/check_box.h"
#include "runtime/ui/units/combo_box.h"
#include "runtime/ui/units/edit_box.h"
#include "runtime/ui/units/numeric_input.h"
#include "runtime/ui/units/unit_types.h"
#include "tests/ui/message_pump.h"
#include "tests/ui/window_kit.h"

namespace tessaly::ui {
namespace {

using testing::Place;
using testing::utf8;

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

// Every unit's events 0 (its own), -7 and -8 (focus got and lost) are bound
// to recording routines; the calls tell which unit raised them.
class InputUnits : public testing::KitTest {
protected:
    static std::string section(const char* kind, uint32_t id, const std::string& keys, Place place = {})
    {
        return testing::unitSection(kind, id, place, "flags = visible tabstop\n" + keys +
                                                         "\nevents = 0 event0, -7 event-7, -8 event-8");
    }
    // A window of one unit.
    template <class T = Unit>
    T* create(const char* kind, uint32_t id, const std::string& keys, Place place = {})
    {
        load(section(kind, id, keys, place));
        return unit<T>(id);
    }

    std::vector<testing::RoutineCall> events(uint32_t unitId, int32_t event) const
    {
        std::vector<testing::RoutineCall> found = window_->calls("event" + std::to_string(event));
        std::erase_if(found, [&](const testing::RoutineCall& c) { return c.unitId != unitId; });
        return found;
    }
    void clearEvents() const { window_->clearCalls(); }
    void snapshotWith(std::function<std::string()> snapshot) const { window_->snapshotWith(std::move(snapshot)); }
};

TEST_F(InputUnits, EditBoxContentWriteRaisesExactlyOneChangedEvent)
{
    for (const int32_t multiLine : {0, 1}) {
        Unit* box = create("EditBox", EditId, "multiLine = " + std::to_string(multiLine));
        ASSERT_NE(box, nullptr);
        clearEvents();
        setText(*box, 8, "新内容");
        testing::pumpPending();
        EXPECT_EQ(events(EditId, 0).size(), 1u) << "multi-line " << multiLine;
        EXPECT_EQ(get(*box, 8).asText(), "新内容");
        // What the user types is reported by the control itself.
        clearEvents();
        SendMessageW(box->handle(), WM_CHAR, 'x', 0);
        EXPECT_EQ(events(EditId, 0).size(), 1u);
        DestroyWindow(box->handle());
    }
}

TEST_F(InputUnits, EditBoxCreationStylesFollowItsData)
{
    load(section("EditBox", EditId,
                 "multiLine = 1\nscrollBars = 3\nalignment = 1\ninputMode = " + std::to_string(InputMode::ReadOnly) +
                     "\nletterCase = 2\nhideSelection = 1\nborder = 5",
                 {10, 10, 200, 80}) +
         section("EditBox", OtherId, "border = 1", {10, 100, 200, 24}));
    Unit* box = unit(EditId);
    const DWORD style = styleOf(*box);
    for (const DWORD bit : {DWORD(ES_MULTILINE), DWORD(ES_WANTRETURN), DWORD(ES_AUTOVSCROLL), DWORD(ES_AUTOHSCROLL),
                            DWORD(WS_HSCROLL), DWORD(WS_VSCROLL), DWORD(ES_CENTER), DWORD(ES_READONLY),
                            DWORD(ES_UPPERCASE), DWORD(WS_BORDER), DWORD(WS_CHILD), DWORD(WS_CLIPSIBLINGS)})
        EXPECT_EQ(style & bit, bit) << std::hex << bit;
    EXPECT_EQ(style & ES_NOHIDESEL, 0u);

    Unit* single = unit(OtherId);
    EXPECT_EQ(styleOf(*single) & (ES_MULTILINE | ES_NOHIDESEL | ES_AUTOHSCROLL), DWORD(ES_NOHIDESEL | ES_AUTOHSCROLL));
    EXPECT_TRUE(GetWindowLongPtrW(single->handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(InputUnits, EditBoxPropertiesClampAndSayWhenTheBoxMustBeMadeAgain)
{
    Unit* box = create("EditBox", EditId, "");
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
    Unit* box = create("EditBox", EditId, "content = " + utf8(u8"中文ab"));
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
    load(section("EditBox", EditId, "inputMode = " + std::to_string(InputMode::Byte)) +
         section("EditBox", OtherId, "", {10, 50, 200, 24}));
    Unit* box = unit(EditId);
    Unit* other = unit(OtherId);
    snapshotWith([box] { return windowTextGbk(box->handle()); });
    SetFocus(box->handle());
    SendMessageW(box->handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"300"));
    clearEvents();
    SetFocus(other->handle());
    testing::pumpPending();
    EXPECT_EQ(windowTextGbk(box->handle()), "255");
    const auto lost = events(EditId, -8);
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].snapshot, "255");
    EXPECT_EQ(events(OtherId, -7).size(), 1u);
    EXPECT_TRUE(events(OtherId, -8).empty());
}

TEST_F(InputUnits, PasswordAndReadOnlyModesApplyAtOnce)
{
    Unit* box = create("EditBox", EditId, "");
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
    auto* box = create<EditBox>("EditBox", EditId, "upDownMode = 1\nupDownLower = 50\nupDownUpper = 10");
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
    Unit* box = create("CheckBox", CheckId, "caption = " + utf8(u8"选项"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(styleOf(*box) & (BS_TYPEMASK | BS_MULTILINE), DWORD(BS_AUTOCHECKBOX | BS_MULTILINE));
    snapshotWith([box] { return std::to_string(SendMessageW(box->handle(), BM_GETCHECK, 0, 0)); });
    SendMessageW(box->handle(), BM_CLICK, 0, 0);
    testing::pumpPending();
    const auto clicks = events(CheckId, 0);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].snapshot, "1");
    EXPECT_EQ(get(*box, 18).data, 1);
    clearEvents();
    set(*box, 18, PropertyValue::number(0));
    set(*box, 18, PropertyValue::number(1));
    testing::pumpPending();
    EXPECT_TRUE(events(CheckId, 0).empty());
    EXPECT_EQ(readTypeData(CheckBoxRows, box->type().currentTypeData(*box))->checked, 1);
    set(*box, 9, PropertyValue::number(1));
    set(*box, 13, PropertyValue::number(7));
    EXPECT_EQ(get(*box, 13).asInt(), 2);
    EXPECT_EQ(styleOf(*box) & (BS_PUSHLIKE | BS_CENTER), DWORD(BS_PUSHLIKE | BS_RIGHT));
    EXPECT_TRUE(set(*box, 8, PropertyValue::bytes("BM", 2))) << "a picture re-creates the box";
}

TEST_F(InputUnits, ButtonClickAndDefaultStyle)
{
    Unit* button = create("Button", ButtonId, "caption = " + utf8(u8"确定") + "\nhorizontalAlignment = 0");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(styleOf(*button) & (BS_TYPEMASK | BS_MULTILINE | BS_CENTER), DWORD(BS_PUSHBUTTON | BS_MULTILINE | BS_LEFT));
    SendMessageW(button->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(events(ButtonId, 0).size(), 1u);
    set(*button, 9, PropertyValue::number(1));
    EXPECT_EQ(styleOf(*button) & BS_TYPEMASK, DWORD(BS_DEFPUSHBUTTON));
    setText(*button, 10, "取消");
    EXPECT_EQ(get(*button, 10).asText(), "取消");
    EXPECT_EQ(readTypeData(ButtonRows, button->type().currentTypeData(*button))->caption, "取消");
}

std::string fourItems(int32_t type)
{
    return "type = " + std::to_string(type) + "\nitems = " + utf8(u8"常规|加粗|倾斜|粗斜体") +
           "\ncurrentItem = 0\nextraItemHeight = 1\nitemValues = 0 1 2 3";
}

TEST_F(InputUnits, ComboBoxLoadsItsItemsAndClampsTheCurrentItem)
{
    auto* box = create<ComboBox>("ComboBox", ComboId, fourItems(2));
    EXPECT_EQ(box->items(), (std::vector<std::string>{"常规", "加粗", "倾斜", "粗斜体"}));
    EXPECT_EQ(box->currentItem(), 0);
    EXPECT_EQ(SendMessageW(box->handle(), CB_GETITEMDATA, 3, 0), 3);
    set(*box, 19, PropertyValue::number(99));
    EXPECT_EQ(get(*box, 19).asInt(), 3);
    set(*box, 19, PropertyValue::number(-1));
    EXPECT_EQ(get(*box, 19).asInt(), -1);
    testing::pumpPending();
    EXPECT_TRUE(events(ComboId, 0).empty()) << "the runtime's own selection raises nothing";

    ByteWriter items;
    writeListItems(items, {"甲", "乙"});
    const Bytes list = items.take();
    set(*box, 20, PropertyValue::bytes(list.data(), list.size()));
    const auto answered = get(*box, 20).asBytes();
    EXPECT_EQ(Bytes(answered.begin(), answered.end()), list);
}

TEST_F(InputUnits, DropDownListIgnoresContentAndLengthWrites)
{
    load(section("ComboBox", ComboId, fourItems(2)) + section("ComboBox", OtherId, fourItems(0), {10, 60, 200, 24}));
    Unit* box = unit(ComboId);
    EXPECT_EQ(styleOf(*box) & 3, DWORD(CBS_DROPDOWNLIST));
    setText(*box, 9, "别的");
    set(*box, 10, PropertyValue::number(5));
    EXPECT_EQ(get(*box, 9).asText(), "常规");
    EXPECT_EQ(get(*box, 10).asInt(), 0);

    Unit* editable = unit(OtherId);
    setText(*editable, 9, "别的");
    EXPECT_EQ(get(*editable, 9).asText(), "别的");
    set(*editable, 10, PropertyValue::number(40000));
    EXPECT_EQ(get(*editable, 10).asInt(), 32767);
}

TEST_F(InputUnits, ComboBoxTypeChangesReCreateAndLeaveButtonFaceForWhite)
{
    Unit* box = create("ComboBox", ComboId, fourItems(0) + "\nbackgroundColour = 0xFF000000");
    EXPECT_FALSE(set(*box, 8, PropertyValue::number(0)));
    EXPECT_TRUE(set(*box, 8, PropertyValue::number(2)));
    EXPECT_EQ(get(*box, 17).asInt(), 0xFFFFFF);
    EXPECT_TRUE(set(*box, 14, PropertyValue::number(1)));
    EXPECT_FALSE(set(*box, 14, PropertyValue::number(1)));
    EXPECT_TRUE(set(*box, 21, PropertyValue::bytes("\1\0\0\0", 4)));
}

TEST_F(InputUnits, ComboSelectionEventSeesTheFinalSelection)
{
    auto* box = create<ComboBox>("ComboBox", ComboId, fourItems(2));
    snapshotWith([box] { return std::to_string(box->currentItem()) + windowTextGbk(box->handle()); });
    SetFocus(box->handle());
    clearEvents();
    SendMessageW(box->handle(), WM_KEYDOWN, VK_DOWN, 0);
    testing::pumpUntil([&] { return !events(ComboId, 0).empty(); });
    const auto made = events(ComboId, 0);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].snapshot, "1加粗");
}

}  // namespace
}  // namespace tessaly::ui
