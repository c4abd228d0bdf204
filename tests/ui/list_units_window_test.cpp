// A window template with a check-list box, a slider and a colour picker,
// loaded through the window layer: the units' events reach the routines the
// template binds, and their properties are read and written by index.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/core/runtime_app.h"
#include "runtime/ui/property_access.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/units/check_list_box.h"
#include "runtime/ui/units/color_picker.h"
#include "runtime/ui/units/colour_popup.h"
#include "runtime/ui/units/slider_bar.h"
#include "runtime/ui/units/unit_types.h"
#include "tests/ui/message_pump.h"

namespace tessaly::ui {
namespace {

using testing::pumpPending;
using testing::pumpUntil;

constexpr uint32_t SettingsWindow = 0x52000201;
constexpr uint32_t SettingsOwn = 0x06000201;
constexpr uint32_t CaptionList = 0x16000202;
constexpr uint32_t Transparency = 0x16000203;
constexpr uint32_t TextColour = 0x16000204;

std::vector<std::string> g_events;

RoutineResult onCaptionSwitched(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    g_events.push_back("switched");
    return {};
}
RoutineResult onTransparencyMoved(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    g_events.push_back("moved");
    return {};
}
RoutineResult onColourChosen(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    g_events.push_back("colour");
    return {};
}
RoutineResult onListRightUp(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    g_events.push_back("menu");
    return {};
}

const std::vector<RoutineEntry>& routines()
{
    static const std::vector<RoutineEntry> all = {&onCaptionSwitched, &onTransparencyMoved, &onColourChosen,
                                                  &onListRightUp};
    return all;
}
uintptr_t codeBase()
{
    uintptr_t base = UINTPTR_MAX;
    for (RoutineEntry r : routines()) base = std::min(base, reinterpret_cast<uintptr_t>(r));
    return base;
}
uint32_t word(RoutineEntry r) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(r) - codeBase()); }

UnitRecord unitRecord(uint32_t typeId, const char* name, UnitPosition position, Bytes typeData)
{
    UnitRecord r;
    r.typeId = typeId;
    r.name = name;
    r.position = position;
    r.flags = UnitFlag::Visible | UnitFlag::TabStop;
    r.tag = name;
    r.typeData = std::move(typeData);
    return r;
}

Bytes templateBlock()
{
    WindowData window;
    window.border = 2;
    window.title = "设置";
    window.showInTaskBar = 1;
    UnitRecord own;
    own.typeId = TypeId::Window;
    own.position = {60, 60, 360, 280};
    own.flags = UnitFlag::Visible;
    own.tag = "settings";
    own.typeData = writeTypeData(WindowRows, window);

    CheckListBoxData list;
    list.items = {"第一条字幕", "第二条字幕", "第三条字幕"};
    UnitRecord listRecord = unitRecord(TypeId::ChkListBox, "超级列表框1", {10, 10, 200, 120}, writeTypeData(CheckListBoxRows, list));
    listRecord.bindings = {{1, word(&onCaptionSwitched)}, {-5, word(&onListRightUp)}};

    SliderBarData slider;
    slider.minimum = 100;
    slider.maximum = 255;
    slider.position = 1;
    slider.lineStep = 1;
    slider.pageStep = 10;
    UnitRecord sliderRecord = unitRecord(TypeId::SliderBar, "滑块条1", {10, 140, 200, 32}, writeTypeData(SliderBarRows, slider));
    sliderRecord.bindings = {{0, word(&onTransparencyMoved)}};

    ColorPickerData picker;
    picker.colour = RGB(255, 255, 0);
    UnitRecord pickerRecord = unitRecord(TypeId::ColorPicker, "颜色选择器1", {220, 10, 90, 24}, writeTypeData(ColorPickerRows, picker));
    pickerRecord.bindings = {{0, word(&onColourChosen)}};

    WindowTemplate w;
    w.id = SettingsWindow;
    w.units.addRecord(SettingsOwn, encodeUnitRecord(own));
    w.units.addRecord(CaptionList, encodeUnitRecord(listRecord));
    w.units.addRecord(Transparency, encodeUnitRecord(sliderRecord));
    w.units.addRecord(TextColour, encodeUnitRecord(pickerRecord));
    return writeTemplateBlock({&w});
}

class ListUnitsWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        registerUnitTypes();
        static const Bytes block = templateBlock();
        static const char* noNames[] = {nullptr};
        static const ProgramHeader header = {
            .mode = 3,
            .highestIdentifier = 0x300,
            .startRoutine = reinterpret_cast<StartRoutine>(codeBase()),
            .windowTemplates = block.data(),
            .windowTemplateSize = static_cast<uint32_t>(block.size()),
            .dllLibraryNames = noNames,
            .dllExportNames = noNames,
        };
        WindowLayer::instance().install();
        RuntimeApp::instance().setHeader(&header);
        RuntimeApp::instance().startUp();
    }
    void SetUp() override
    {
        g_events.clear();
        ASSERT_TRUE(layer().load(SettingsWindow, 0, false));
    }
    void TearDown() override
    {
        if (LoadedWindow* w = layer().findWindow(SettingsWindow)) DestroyWindow(w->handle());
    }
    static WindowLayer& layer() { return WindowLayer::instance(); }
    static Unit* unit(uint32_t id) { return layer().findUnit(SettingsWindow, id); }
    static TypedValue get(uint32_t id, int32_t property) { return readUnitProperty(layer(), {SettingsWindow, id, property, -1}); }
    static void set(uint32_t id, int32_t property, TypedValue v) { writeUnitProperty(layer(), {SettingsWindow, id, property, -1}, v); }
    static int32_t count(const char* event) { return static_cast<int32_t>(std::count(g_events.begin(), g_events.end(), event)); }
};

TEST_F(ListUnitsWindow, SliderStartsOnItsMinimumAndRaisesItsRoutineWhenMoved)
{
    EXPECT_EQ(get(Transparency, 19).asInt(), 100);
    HWND slider = unit(Transparency)->handle();
    PostMessageW(slider, WM_KEYDOWN, VK_NEXT, 0);
    pumpUntil([] { return count("moved") > 0; });
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
    pumpUntil([] { return count("switched") > 0; });
    EXPECT_EQ(count("switched"), 1);
    EXPECT_TRUE(list->isChecked(1));
    EXPECT_EQ(get(CaptionList, 14).asInt(), 1) << "the current selection";

    PostMessageW(list->handle(), WM_RBUTTONUP, 0, box);
    pumpUntil([] { return count("menu") > 0; });
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
    pumpUntil([] { return count("colour") > 0; });
    EXPECT_EQ(count("colour"), 1);
    EXPECT_EQ(static_cast<uint32_t>(get(TextColour, 8).asInt()), colourPalette()[PaletteColumns]);
}

}  // namespace
}  // namespace tessaly::ui
