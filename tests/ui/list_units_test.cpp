// The check-list box, slider and colour picker driven through the unit type
// interface in loaded windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/byte_writer.h"
#include "runtime/ui/identifiers.h"
#include "runtime/ui/type_data_io.h"
#include "runtime/ui/units/check_list_box.h"
#include "runtime/ui/units/color_picker.h"
#include "runtime/ui/units/colour_popup.h"
#include "runtime/ui/units/slider_bar.h"
#include "runtime/ui/units/unit_types.h"
#include "tests/ui/message_pump.h"
#include "tests/ui/western_ansi_fonts.h"
#include "tests/ui/window_kit.h"

namespace tessaly::ui {
namespace {

using testing::pumpPending;
using testing::pumpUntil;

constexpr uint32_t ListUnit = 0x16000102;

// Units in a loaded window, each of its events 0-2 bound to a recording
// routine of its own.
class UnitsInAWindow : public testing::KitTest {
protected:
    static std::string section(const char* kind, uint32_t id, const std::string& keys, testing::Place place)
    {
        return testing::unitSection(kind, id, place, keys + "\nevents = 0 event0, 1 event1, 2 event2");
    }
    template <class T>
    T* make(const char* kind, const std::string& keys, testing::Place place = {10, 10, 200, 120})
    {
        load(section(kind, ListUnit, keys, place));
        return unit<T>(ListUnit);
    }
    // Made straight through the type, for data no window would load.
    Unit* createDirect(const UnitType& type, const Bytes& data)
    {
        load("");
        UnitCreateParams p;
        p.typeData = data;
        p.parent = window_->handle();
        p.width = 200;
        p.height = 120;
        return type.create(p);
    }

    static int32_t readInt(const Unit& unit, int32_t index)
    {
        PropertyValue v;
        EXPECT_TRUE(unit.type().getProperty(unit, index - 8, v));
        return v.asInt();
    }
    static bool write(Unit& unit, int32_t index, int64_t value)
    {
        return unit.type().setProperty(unit, index - 8, PropertyValue::number(value));
    }
    int32_t count(int32_t event) const
    {
        return static_cast<int32_t>(window_->calls("event" + std::to_string(event)).size());
    }
};

// ---- check-list box ----

class CheckList : public UnitsInAWindow {
protected:
    CheckListBox* makeList(const std::string& items = testing::utf8(u8"甲|乙|丙"))
    {
        return make<CheckListBox>("ChkListBox", "items = " + items);
    }
    static POINT boxOf(const CheckListBox& list, int32_t index)
    {
        RECT r;
        SendMessageW(list.handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        return {r.left + 6, (r.top + r.bottom) / 2};
    }
    static POINT textOf(const CheckListBox& list, int32_t index)
    {
        RECT r;
        SendMessageW(list.handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        return {r.left + 80, (r.top + r.bottom) / 2};
    }
    static void click(const CheckListBox& list, POINT p)
    {
        PostMessageW(list.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        PostMessageW(list.handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        pumpPending();
    }
};

TEST_F(CheckList, ClickOnTheBoxTogglesTheItemAndRaisesCheckChanged)
{
    CheckListBox* list = makeList();
    ASSERT_NE(list, nullptr);
    click(*list, boxOf(*list, 1));
    EXPECT_TRUE(list->isChecked(1));
    EXPECT_EQ(count(CheckListBoxEvent::CheckChanged), 1);
    EXPECT_EQ(list->currentItem(), 1) << "the click selects the item as well";
    click(*list, boxOf(*list, 1));
    EXPECT_FALSE(list->isChecked(1));
    EXPECT_EQ(count(CheckListBoxEvent::CheckChanged), 2);
}

TEST_F(CheckList, ClickOnTheTextSelectsWithoutChecking)
{
    CheckListBox* list = makeList();
    click(*list, textOf(*list, 2));
    EXPECT_FALSE(list->isChecked(2));
    EXPECT_EQ(count(CheckListBoxEvent::CheckChanged), 0);
    EXPECT_EQ(count(CheckListBoxEvent::SelectionChanged), 1);
    EXPECT_EQ(list->currentItem(), 2);
}

TEST_F(CheckList, SpaceTogglesTheCurrentItem)
{
    CheckListBox* list = makeList();
    list->setCurrentItem(0);
    PostMessageW(list->handle(), WM_KEYDOWN, VK_SPACE, 0);
    PostMessageW(list->handle(), WM_CHAR, L' ', 0);
    pumpPending();
    EXPECT_TRUE(list->isChecked(0));
    EXPECT_EQ(count(CheckListBoxEvent::CheckChanged), 1);
    EXPECT_EQ(list->currentItem(), 0) << "the space must not search for an item";
}

TEST_F(CheckList, ChecksAndDataFollowTheirItemsThroughAddsAndDeletes)
{
    CheckListBox* list = makeList("");
    EXPECT_EQ(list->addItem("字幕一", 11), 0);
    EXPECT_EQ(list->addItem("字幕二", 22), 1);
    EXPECT_EQ(list->addItem("字幕三", 33), 2);
    EXPECT_TRUE(list->setChecked(0, true));
    EXPECT_TRUE(list->setChecked(2, true));
    EXPECT_TRUE(list->deleteItem(0));
    EXPECT_EQ(list->count(), 2);
    EXPECT_FALSE(list->isChecked(0));
    EXPECT_TRUE(list->isChecked(1));
    EXPECT_EQ(list->itemData(1), 33);
    EXPECT_EQ(list->itemText(1), "字幕三");
    // A raw insert in front moves the states along as well.
    SendMessageW(list->handle(), LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"新"));
    EXPECT_TRUE(list->isChecked(2));
    EXPECT_FALSE(list->isChecked(0));
    EXPECT_FALSE(list->deleteItem(7));
    list->clear();
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(list->isChecked(0));
    EXPECT_EQ(list->addItem("再", 0), 0);
    EXPECT_FALSE(list->isChecked(0)) << "a new item starts unchecked";
}

TEST_F(CheckList, CheckedStateOutsideTheListIsRefused)
{
    CheckListBox* list = makeList();
    EXPECT_FALSE(list->setChecked(3, true));
    EXPECT_FALSE(list->setChecked(-1, true));
    EXPECT_FALSE(list->isChecked(3));
    EXPECT_EQ(count(CheckListBoxEvent::CheckChanged), 0) << "the program's own changes raise nothing";
}

TEST_F(CheckList, SingleCheckKeepsOnlyTheFirstCheckedItem)
{
    CheckListBox* list = makeList("a|b|c|d");
    for (int32_t i = 1; i < 4; ++i) list->setChecked(i, true);
    EXPECT_FALSE(write(*list, 12, 1));
    EXPECT_TRUE(list->isChecked(1));
    EXPECT_FALSE(list->isChecked(2));
    EXPECT_FALSE(list->isChecked(3));
    click(*list, boxOf(*list, 3));
    EXPECT_TRUE(list->isChecked(3));
    EXPECT_FALSE(list->isChecked(1)) << "checking another item clears the one before";
}

TEST_F(CheckList, CurrentItemIsHeldWithinTheList)
{
    CheckListBox* list = makeList();
    write(*list, 14, 10);
    EXPECT_EQ(readInt(*list, 14), 2);
    write(*list, 14, -5);
    EXPECT_EQ(readInt(*list, 14), -1);
}

TEST_F(CheckList, ItemHeightIsFontHeightPlusExtraPlusTwo)
{
    CheckListBox* list = makeList();
    HDC dc = GetDC(list->handle());
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list->handle(), WM_GETFONT, 0, 0)));
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    ReleaseDC(list->handle(), dc);
    write(*list, 11, 10);
    EXPECT_EQ(SendMessageW(list->handle(), LB_GETITEMHEIGHT, 0, 0), tm.tmHeight + 12);
    write(*list, 11, -3);
    EXPECT_EQ(readInt(*list, 11), 0);
}

TEST_F(CheckList, FontFaceReadsRightWhateverTheAnsiCodePage)
{
    const testing::WesternAnsiFonts western;
    CheckListBox* list = make<CheckListBox>("ChkListBox", "font = -16 400 134 " + testing::utf8(u8"微软雅黑"));
    ASSERT_NE(list, nullptr);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(list->handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"微软雅黑");
}

TEST_F(CheckList, StyleSwitchesAskForRecreationOnlyWhenChanged)
{
    CheckListBox* list = makeList();
    EXPECT_TRUE(write(*list, 9, 1));
    EXPECT_FALSE(write(*list, 9, 5)) << "any non-zero is the same switch";
    EXPECT_TRUE(write(*list, 10, 1));
    EXPECT_TRUE(write(*list, 16, 0));
    EXPECT_FALSE(write(*list, 8, 9));
    EXPECT_EQ(readInt(*list, 8), 5) << "border choice held at its top";
}

TEST_F(CheckList, TypeDataCarriesTheLiveListAndItsDataWords)
{
    CheckListBox* list = makeList(testing::utf8(u8"一"));
    list->addItem("二", 42);
    list->setCurrentItem(1);
    const auto d = readTypeData(CheckListBoxRows, list->type().currentTypeData(*list));
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->items, (std::vector<std::string>{"一", "二"}));
    EXPECT_EQ(d->currentItem, 1);
    ASSERT_EQ(d->itemValues.size(), 8u);
    EXPECT_EQ(loadU32(d->itemValues.data() + 4), 42u);

    // A re-created list applies the data words it was given.
    pack::PackedProgram program = testing::packWindow(section("ChkListBox", ListUnit, "", {10, 10, 200, 120}));
    testing::replaceTypeData(program, ListUnit, writeTypeData(CheckListBoxRows, *d));
    load(std::move(program));
    CheckListBox* copy = unit<CheckListBox>(ListUnit);
    EXPECT_EQ(copy->itemData(1), 42);
    EXPECT_EQ(copy->currentItem(), 1);
}

TEST_F(CheckList, ListItemsPropertyReplacesTheList)
{
    CheckListBox* list = makeList();
    list->setChecked(0, true);
    ByteWriter out;
    writeListItems(out, {"红", "绿"});
    const Bytes items = out.take();
    EXPECT_FALSE(list->type().setProperty(*list, 15 - 8, PropertyValue::bytes(items.data(), items.size())));
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(1), "绿");
    EXPECT_FALSE(list->isChecked(0));
    PropertyValue v;
    ASSERT_TRUE(list->type().getProperty(*list, 15 - 8, v));
    EXPECT_EQ(Bytes(v.asBytes().begin(), v.asBytes().end()), items);
}

// ---- slider ----

class Slider : public UnitsInAWindow {
protected:
    SliderBar* makeSlider(int32_t minimum, int32_t maximum, int32_t position)
    {
        return make<SliderBar>("SliderBar",
                               "minimum = " + std::to_string(minimum) + "\nmaximum = " + std::to_string(maximum) +
                                   "\nthumbPosition = " + std::to_string(position) + "\nlineStep = 5",
                               {10, 10, 240, 40});
    }
};

TEST_F(Slider, PositionBelowTheRangeLandsOnTheMinimum)
{
    // The settings window's slider: position 1 stored with the range 100-255.
    SliderBar* slider = makeSlider(100, 255, 1);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->position(), 100);
    EXPECT_EQ(readInt(*slider, 19), 100);
    write(*slider, 19, 400);
    EXPECT_EQ(readInt(*slider, 19), 255);
    write(*slider, 19, 40000);
    EXPECT_EQ(SendMessageW(slider->handle(), TBM_GETPOS, 0, 0), 255);
}

TEST_F(Slider, MinimumAboveMaximumSwapsTheControlsRangeOnly)
{
    SliderBar* slider = makeSlider(0, 100, 50);
    write(*slider, 17, 300);
    EXPECT_EQ(readInt(*slider, 17), 300);
    EXPECT_EQ(readInt(*slider, 18), 100);
    EXPECT_EQ(SendMessageW(slider->handle(), TBM_GETRANGEMIN, 0, 0), 100);
    EXPECT_EQ(SendMessageW(slider->handle(), TBM_GETRANGEMAX, 0, 0), 300);
    EXPECT_EQ(slider->position(), 100) << "the thumb is kept inside the new range";
}

TEST_F(Slider, NumbersAreKeptWithinTheirLimits)
{
    SliderBar* slider = makeSlider(0, 100, 0);
    write(*slider, 15, 0);
    EXPECT_EQ(readInt(*slider, 15), 1);
    write(*slider, 15, 500);
    EXPECT_EQ(SendMessageW(slider->handle(), TBM_GETPAGESIZE, 0, 0), 100) << "limited to the range width";
    write(*slider, 18, 99999);
    EXPECT_EQ(readInt(*slider, 18), SliderLimit);
    write(*slider, 17, -4);
    EXPECT_EQ(readInt(*slider, 17), 0);
}

TEST_F(Slider, KeyboardChangeRaisesPositionChangedOnlyWhenItMoved)
{
    SliderBar* slider = makeSlider(100, 255, 100);
    PostMessageW(slider->handle(), WM_KEYDOWN, VK_RIGHT, 0);
    pumpUntil([&] { return count(SliderBarEvent::PositionChanged) > 0; });
    EXPECT_EQ(slider->position(), 105);
    EXPECT_EQ(count(SliderBarEvent::PositionChanged), 1);
    write(*slider, 19, 100);
    PostMessageW(slider->handle(), WM_KEYDOWN, VK_LEFT, 0);
    pumpPending();
    EXPECT_EQ(count(SliderBarEvent::PositionChanged), 1) << "already at the minimum";
}

TEST_F(Slider, LayoutSwitchesAskForRecreationOnlyWhenChanged)
{
    SliderBar* slider = makeSlider(0, 10, 0);
    EXPECT_FALSE(write(*slider, 9, 0));
    EXPECT_TRUE(write(*slider, 9, 1));
    EXPECT_TRUE(write(*slider, 10, 3));
    EXPECT_FALSE(write(*slider, 10, 7)) << "held at the top choice, which it already is";
    EXPECT_TRUE(write(*slider, 12, 1));
    const auto d = readTypeData(SliderBarRows, slider->type().currentTypeData(*slider));
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->orientation, 1);
    EXPECT_EQ(d->tickStyle, 3);
    EXPECT_EQ(d->selectionAllowed, 1);
}

// ---- colour picker ----

class Picker : public UnitsInAWindow {
protected:
    static std::string pickerKeys(uint32_t colour, bool allowNoColour)
    {
        return "colour = " + testing::hex(colour) + "\nallowNoColour = " + (allowNoColour ? "1" : "0");
    }
    ColorPicker* makePicker(uint32_t colour, bool allowNoColour)
    {
        return make<ColorPicker>("ColorPicker", pickerKeys(colour, allowNoColour), {10, 10, 80, 24});
    }
    static HWND openByClick(ColorPicker& picker)
    {
        PostMessageW(picker.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageW(picker.handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        pumpUntil([&] { return picker.popup() != nullptr; });
        return picker.popup();
    }
    static void press(HWND popup, std::initializer_list<WPARAM> keys)
    {
        for (WPARAM key : keys) PostMessageW(popup, WM_KEYDOWN, key, 0);
        pumpPending();
    }
};

TEST_F(Picker, NoColourIsKeptOnlyWhileItIsAllowed)
{
    ColorPicker* picker = makePicker(NoColour, false);
    EXPECT_EQ(static_cast<uint32_t>(readInt(*picker, 8)), 0u) << "shown as black";
    write(*picker, 9, 1);
    write(*picker, 8, static_cast<int32_t>(NoColour));
    EXPECT_EQ(static_cast<uint32_t>(readInt(*picker, 8)), NoColour);
    write(*picker, 9, 0);
    EXPECT_EQ(static_cast<uint32_t>(readInt(*picker, 8)), 0u);
    write(*picker, 8, RGB(1, 2, 3));
    EXPECT_EQ(static_cast<uint32_t>(readInt(*picker, 8)), RGB(1, 2, 3));
    const auto d = readTypeData(ColorPickerRows, picker->type().currentTypeData(*picker));
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->colour, RGB(1, 2, 3));
}

TEST_F(Picker, ChoosingFromThePopupSetsTheColourAndRaisesEvent0)
{
    ColorPicker* picker = makePicker(RGB(0, 0, 0), false);
    HWND popup = openByClick(*picker);
    ASSERT_NE(popup, nullptr);
    wchar_t className[32] = {};
    GetClassNameW(popup, className, 32);
    EXPECT_STREQ(className, ColourPopupClass);
    press(popup, {VK_RIGHT, VK_DOWN, VK_RETURN});
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(picker->colour(), colourPalette()[PaletteColumns + 1]);
    EXPECT_EQ(count(ColorPickerEvent::ColourChosen), 1);
}

TEST_F(Picker, LeavingThePopupChangesNothing)
{
    ColorPicker* picker = makePicker(RGB(10, 20, 30), true);
    HWND popup = openByClick(*picker);
    ASSERT_NE(popup, nullptr);
    press(popup, {VK_RIGHT, VK_ESCAPE});
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(picker->colour(), RGB(10, 20, 30));
    EXPECT_EQ(count(ColorPickerEvent::ColourChosen), 0);
}

TEST_F(Picker, LosingTheActivationLeavesThePopup)
{
    ColorPicker* picker = makePicker(RGB(10, 20, 30), false);
    HWND popup = openByClick(*picker);
    ASSERT_NE(popup, nullptr);
    SetForegroundWindow(window_->handle());
    SetActiveWindow(window_->handle());
    pumpUntil([&] { return !IsWindow(popup); });
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(picker->popup(), nullptr);
    EXPECT_EQ(count(ColorPickerEvent::ColourChosen), 0);
}

TEST_F(Picker, DestroyingThePickerClosesItsPopup)
{
    ColorPicker* picker = makePicker(RGB(10, 20, 30), false);
    HWND popup = openByClick(*picker);
    ASSERT_NE(popup, nullptr);
    DestroyWindow(picker->handle());
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(count(ColorPickerEvent::ColourChosen), 0);
}

// Confirms the system colour dialog as soon as it shows.
void CALLBACK confirmColourDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(L"#32770", nullptr);
    if (dialog == nullptr) return;
    KillTimer(nullptr, timer);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(Picker, OtherColourEntryTakesTheSystemDialogsChoice)
{
    ColorPicker* picker = makePicker(RGB(10, 20, 30), false);
    HWND popup = openByClick(*picker);
    ASSERT_NE(popup, nullptr);
    write(*picker, 8, RGB(40, 50, 60));  // the dialog starts from the colour the pop-up was opened with
    SetTimer(nullptr, 0, 50, &confirmColourDialog);
    // Down past the last palette row reaches the other-colour entry.
    press(popup, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    pumpUntil([&] { return count(ColorPickerEvent::ColourChosen) > 0; });
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(count(ColorPickerEvent::ColourChosen), 1);
    EXPECT_EQ(picker->colour(), RGB(10, 20, 30));
}

TEST_F(Picker, NoColourEntryIsOfferedOnlyWhenAllowed)
{
    load(section("ColorPicker", ListUnit, pickerKeys(RGB(0, 0, 0), true), {10, 10, 80, 24}) +
         section("ColorPicker", ListUnit + 1, pickerKeys(RGB(0, 0, 0), false), {10, 40, 80, 24}));
    ColorPicker* allowing = unit<ColorPicker>(ListUnit);
    press(openByClick(*allowing), {VK_UP, VK_RETURN});
    EXPECT_EQ(allowing->colour(), NoColour);

    ColorPicker* refusing = unit<ColorPicker>(ListUnit + 1);
    press(openByClick(*refusing), {VK_UP, VK_RETURN});
    EXPECT_EQ(refusing->colour(), colourPalette()[0]) << "up from the first row stays on the palette";
    EXPECT_EQ(count(ColorPickerEvent::ColourChosen), 2);
}

// ---- all three ----

TEST_F(UnitsInAWindow, TypeDataOfANewerLayoutIsRefused)
{
    ByteWriter newer;
    newer.u32(2);
    for (int i = 0; i < 16; ++i) newer.u32(0);
    const Bytes data = newer.take();
    EXPECT_EQ(createDirect(unitType(TypeId::ChkListBox), data), nullptr);
    EXPECT_EQ(createDirect(unitType(TypeId::SliderBar), data), nullptr);
    EXPECT_EQ(createDirect(unitType(TypeId::ColorPicker), data), nullptr);
    EXPECT_EQ(createDirect(unitType(TypeId::ColorPicker), Bytes{1, 0}), nullptr) << "cut short";
}

}  // namespace
}  // namespace tessaly::ui
