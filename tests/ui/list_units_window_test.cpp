// A window with a check-list box, a slider and a colour picker, loaded
// through the window layer: the units' events reach the routines the window
// binds, and their properties are read and written by index.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "runtime/ui/property_access.h"
#include "runtime/ui/units/check_list_box.h"
#include "runtime/ui/units/color_picker.h"
#include "runtime/ui/units/colour_popup.h"
#include "runtime/ui/units/slider_bar.h"
#include "runtime/ui/window_layer.h"
#include "tests/ui/message_pump.h"
#include "tests/ui/window_kit.h"

namespace tessaly::ui {
namespace {

using testing::pumpPending;
using testing::pumpUntil;

constexpr uint32_t SettingsWindow = testing::KitWindowId;
constexpr uint32_t CaptionList = 0x16000202;
constexpr uint32_t Transparency = 0x16000203;
constexpr uint32_t TextColour = 0x16000204;

const char8_t Description[] = u8R"(
[ChkListBox 0x16000202 超级列表框1]
position = 10 10 200 120
flags = visible tabstop
tag = 超级列表框1
items = 第一条字幕|第二条字幕|第三条字幕
events = 1 switched, -5 menu

[SliderBar 0x16000203 滑块条1]
position = 10 140 200 32
flags = visible tabstop
tag = 滑块条1
minimum = 100
maximum = 255
thumbPosition = 1
lineStep = 1
pageStep = 10
events = 0 moved

[ColorPicker 0x16000204 颜色选择器1]
position = 220 10 90 24
flags = visible tabstop
tag = 颜色选择器1
colour = 0x00FFFF
events = 0 colour
)";

const char8_t WindowKeys[] = u8"position = 60 60 360 280\nborder = 2\ntitle = 设置\nshowInTaskBar = 1\ntag = settings";

class ListUnitsWindow : public testing::KitTest {
protected:
    void SetUp() override { load(testing::utf8(Description), testing::utf8(WindowKeys)); }
    static WindowLayer& layer() { return WindowLayer::instance(); }
    static TypedValue get(uint32_t id, int32_t property) { return readUnitProperty(layer(), {SettingsWindow, id, property, -1}); }
    static void set(uint32_t id, int32_t property, TypedValue v) { writeUnitProperty(layer(), {SettingsWindow, id, property, -1}, v); }
    int32_t count(const char* event) const { return static_cast<int32_t>(window_->calls(event).size()); }
};

TEST_F(ListUnitsWindow, SliderStartsOnItsMinimumAndRaisesItsRoutineWhenMoved)
{
    EXPECT_EQ(get(Transparency, 19).asInt(), 100);
    HWND slider = unit(Transparency)->handle();
    PostMessageW(slider, WM_KEYDOWN, VK_NEXT, 0);
    pumpUntil([&] { return count("moved") > 0; });
    EXPECT_EQ(count("moved"), 1);
    EXPECT_EQ(get(Transparency, 19).asInt(), 110);
    set(Transparency, 19, TypedValue::ofInt(255));
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 255);
    EXPECT_EQ(count("moved"), 1) << "the program's own writes raise nothing";
}

TEST_F(ListUnitsWindow, CheckBoxClickRaisesTheBoundRoutineAndTheListCommandsSeeIt)
{
    auto* list = CheckListBox::from(unit(CaptionList));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(CheckListBox::from(unit(Transparency)), nullptr);
    RECT item;
    SendMessageW(list->handle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const LPARAM box = MAKELPARAM(item.left + 6, (item.top + item.bottom) / 2);
    PostMessageW(list->handle(), WM_LBUTTONDOWN, MK_LBUTTON, box);
    PostMessageW(list->handle(), WM_LBUTTONUP, 0, box);
    pumpUntil([&] { return count("switched") > 0; });
    EXPECT_EQ(count("switched"), 1);
    EXPECT_TRUE(list->isChecked(1));
    EXPECT_EQ(get(CaptionList, 14).asInt(), 1) << "the current selection";

    PostMessageW(list->handle(), WM_RBUTTONUP, 0, box);
    pumpUntil([&] { return count("menu") > 0; });
    EXPECT_EQ(count("menu"), 1) << "the common right-button event";
}

TEST_F(ListUnitsWindow, RecreatedListKeepsItsItemsAndDataWords)
{
    auto* list = CheckListBox::from(unit(CaptionList));
    EXPECT_EQ(list->addItem("第四条字幕", 4), 3);
    HWND before = list->handle();
    set(CaptionList, 9, TypedValue::ofBool(true));
    auto* recreated = CheckListBox::from(unit(CaptionList));
    ASSERT_NE(recreated, nullptr);
    EXPECT_NE(recreated->handle(), before);
    EXPECT_TRUE(GetWindowLongPtrW(recreated->handle(), GWL_STYLE) & LBS_MULTICOLUMN);
    EXPECT_EQ(recreated->count(), 4);
    EXPECT_EQ(recreated->itemText(3), "第四条字幕");
    EXPECT_EQ(recreated->itemData(3), 4);
}

TEST_F(ListUnitsWindow, ColourPickerAnswersItsColourAndRaisesItsRoutineOnAChoice)
{
    EXPECT_EQ(static_cast<uint32_t>(get(TextColour, 8).asInt()), RGB(255, 255, 0));
    set(TextColour, 8, TypedValue::ofInt(static_cast<int32_t>(NoColour)));
    EXPECT_EQ(get(TextColour, 8).asInt(), 0) << "no colour is not allowed here";

    auto* picker = static_cast<ColorPicker*>(unit(TextColour));
    PostMessageW(picker->handle(), WM_KEYDOWN, VK_SPACE, 0);
    pumpUntil([&] { return picker->popup() != nullptr; });
    ASSERT_NE(picker->popup(), nullptr);
    PostMessageW(picker->popup(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(picker->popup(), WM_KEYDOWN, VK_RETURN, 0);
    pumpUntil([&] { return count("colour") > 0; });
    EXPECT_EQ(count("colour"), 1);
    EXPECT_EQ(static_cast<uint32_t>(get(TextColour, 8).asInt()), colourPalette()[PaletteColumns]);
}

}  // namespace
}  // namespace tessaly::ui
