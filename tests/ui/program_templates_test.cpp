// The program's own template block, packed from resources/windows.txt: its
// windows, units, bindings and type data as the window layer will read them.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/routine_names.h"
#include "resources/window_template_block.h"
#include "runtime/core/dots_per_inch.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/unit_scale.h"
#include "runtime/ui/window_templates.h"

namespace tessaly::ui {
namespace {

using program::Routine;
using program::RoutineThunkSize;

constexpr uintptr_t CodeBase = 0x7FF600001000;
constexpr uint32_t DisplayWindow = 0x52010003;
constexpr uint32_t SettingsWindow = 0x520154F4;
constexpr uint32_t EditorWindow = 0x52015536;

ByteView programBlock() { return {program::windowTemplateBlock, program::windowTemplateBlockSize}; }

uintptr_t address(Routine r) { return CodeBase + static_cast<uint32_t>(r) * RoutineThunkSize; }

class ProgramTemplates : public ::testing::Test {
protected:
    static void SetUpTestSuite() { table_ = new TemplateTable(loadTemplateBlock(programBlock(), CodeBase)); }
    static void TearDownTestSuite() { delete table_; }

    static const UnitTable& units(uint32_t window) { return table_->find(window)->units; }
    static size_t index(uint32_t window, uint32_t unit)
    {
        const auto i = units(window).indexOf(unit);
        EXPECT_TRUE(i) << std::hex << unit;
        return i.value_or(0);
    }
    static ByteView typeData(uint32_t window, uint32_t unit)
    {
        return units(window).unitFields(index(window, unit)).typeData;
    }
    // The bound routine of the first binding of `event`, 0 when none.
    static uintptr_t bound(uint32_t window, uint32_t unit, int32_t event)
    {
        const UnitTable& u = units(window);
        const size_t i = index(window, unit);
        const UnitFields f = u.unitFields(i);
        for (size_t b = 0; b < f.bindingCount; ++b) {
            if (bindingAt(u.bodyAt(i), f, b).event == event) return u.routineAt(i, b);
        }
        return 0;
    }

    static TemplateTable* table_;
};

TemplateTable* ProgramTemplates::table_ = nullptr;

TEST_F(ProgramTemplates, ThreeWindowsWithTheirOwnRecordsFirst)
{
    ASSERT_EQ(table_->size(), 3u);
    EXPECT_EQ(table_->at(0)->id, DisplayWindow) << "the start-up window comes first";
    EXPECT_EQ(table_->find(DisplayWindow)->ownRecordId(), 0x06010002u);
    EXPECT_EQ(table_->find(SettingsWindow)->ownRecordId(), 0x060154F3u);
    EXPECT_EQ(table_->find(EditorWindow)->ownRecordId(), 0x06015535u);
    for (size_t w = 0; w < table_->size(); ++w) {
        const UnitTable& u = table_->at(w)->units;
        EXPECT_EQ(u.typeIdAt(0), TypeId::Window);
        for (size_t i = 0; i < u.size(); ++i) {
            EXPECT_TRUE(isValidIdentifier(u.idAt(i)));
            EXPECT_LT(identifierSerial(u.idAt(i)), 0x1b238u);
        }
    }
}

TEST_F(ProgramTemplates, PackingTheLoadedTableGivesTheSameBlock)
{
    const Bytes again = writeTemplateBlock({table_->at(0), table_->at(1), table_->at(2)});
    EXPECT_TRUE(std::equal(again.begin(), again.end(), programBlock().begin(), programBlock().end()));
}

TEST_F(ProgramTemplates, DisplayWindow)
{
    const UnitFields own = units(DisplayWindow).unitFields(0);
    EXPECT_EQ(own.position.width, 625);
    EXPECT_EQ(own.flags & UnitFlag::Visible, UnitFlag::Visible);
    const auto w = readTypeData(WindowRows, own.typeData);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->border, 0);
    EXPECT_EQ(w->backgroundColour, 0x00400040u);
    EXPECT_EQ(w->controlBox, 0);
    EXPECT_EQ(w->minimiseBox, 1);
    EXPECT_EQ(w->windowState, 1);
    EXPECT_EQ(w->movable, 0);
    EXPECT_EQ(w->escCloses, 0);
    EXPECT_EQ(w->showInTaskBar, 0);
    EXPECT_EQ(w->title, "Tessaly字幕");
    ASSERT_EQ(w->icon.size(), 67646u);
    EXPECT_EQ(w->icon[6], 128) << "one 128 x 128 image";
    EXPECT_EQ(bound(DisplayWindow, 0, 0), address(Routine::displayCreated));
    EXPECT_EQ(bound(DisplayWindow, 0, 9), address(Routine::trayEvent));

    EXPECT_EQ(bound(DisplayWindow, 0x16012A37, -1), address(Routine::labelPress));
    EXPECT_EQ(bound(DisplayWindow, 0x16012A37, -6), address(Routine::labelMove));
    EXPECT_EQ(bound(DisplayWindow, 0x16012A37, 0), address(Routine::hotkeyFeedback));
    EXPECT_EQ(bound(DisplayWindow, 0x16012A37, -5), 0u);
    const UnitFields label = units(DisplayWindow).unitFields(index(DisplayWindow, 0x16012A37));
    EXPECT_EQ(label.name, "标签1");
    EXPECT_EQ(label.flags & UnitFlag::Visible, 0u);
    const auto l = readTypeData(LabelRows, label.typeData);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->caption, "标签");
    EXPECT_EQ(l->textColour, 0xFFFFFFu);
    ASSERT_EQ(l->font.size(), 60u);
    EXPECT_EQ(loadU32(l->font.data()), static_cast<uint32_t>(-12));
    EXPECT_EQ(loadU32(l->font.data() + 16), 400u);
    EXPECT_EQ(l->font[23], 134) << "GB2312 character set";

    EXPECT_EQ(readTypeData(TimerRows, typeData(DisplayWindow, 0x16010006))->interval, 20);
    EXPECT_EQ(bound(DisplayWindow, 0x16010006, 0), address(Routine::captionTick));
}

TEST_F(ProgramTemplates, TrayMenuInMenuOrder)
{
    const UnitTable& u = units(DisplayWindow);
    const size_t menu = index(DisplayWindow, 0x26012A38);
    const MenuItemFields top = u.menuItemFields(menu);
    EXPECT_EQ(top.caption, "托盘菜单");
    EXPECT_EQ(top.level, 0u);
    EXPECT_EQ(top.state, MenuState::Hidden);
    EXPECT_EQ(u.idAt(menu + 1), 0x26012A39u);
    EXPECT_EQ(u.menuItemFields(menu + 1).caption, "显示界面");
    EXPECT_EQ(u.routineAt(menu + 1), address(Routine::showSettings));
    EXPECT_EQ(u.menuItemFields(menu + 2).caption, "开机启动");
    EXPECT_EQ(u.routineAt(menu + 2), address(Routine::toggleStartWithWindows));
    EXPECT_TRUE(u.menuItemFields(menu + 3).isSeparator());
    EXPECT_EQ(u.routineAt(menu + 3), 0u);
    EXPECT_EQ(u.routineAt(menu + 4), address(Routine::exitProgram));
}

// A window loads at the screen's dots per inch: every place and size of the
// description grows with it, menus keep what they have, and 96 changes nothing.
TEST_F(ProgramTemplates, PlacesAndSizesGrowWithTheScreensDotsPerInch)
{
    auto place = [](const UnitTable& u, size_t i) {
        const UnitPosition p = u.unitFields(i).position;
        return std::vector<int32_t>{p.left, p.top, p.width, p.height};
    };
    UnitTable settings = units(SettingsWindow);
    scaleUnitPlaces(settings, 144);
    EXPECT_EQ(place(settings, 0), (std::vector<int32_t>{75, 75, 942, 507})) << "the window itself";
    EXPECT_EQ(place(settings, index(SettingsWindow, 0x16015620)), (std::vector<int32_t>{144, 324, 120, 48}));
    EXPECT_EQ(settings.menuItemFields(index(SettingsWindow, 0x260155E8)).caption, "操作菜单");
    EXPECT_EQ(settings.unitFields(index(SettingsWindow, 0x16015624)).container, 0x16015622u);

    UnitTable editor = units(EditorWindow);
    scaleUnitPlaces(editor, 192);
    EXPECT_EQ(place(editor, index(EditorWindow, 0x16015549)), (std::vector<int32_t>{-4, 528, 532, 82}));
    const auto fontCombo = readTypeData(ComboBoxRows, editor.unitFields(index(EditorWindow, 0x1601553F)).typeData);
    ASSERT_TRUE(fontCombo);
    EXPECT_EQ(static_cast<int32_t>(loadU32(fontCombo->font.data())), -24) << "its font's height too";
    EXPECT_EQ(fontCombo->font[23], 134) << "and nothing else of it";
    UnitTable unscaled = units(EditorWindow);
    scaleUnitPlaces(unscaled, TemplateDotsPerInch);
    EXPECT_EQ(place(unscaled, index(EditorWindow, 0x16015549)), (std::vector<int32_t>{-2, 264, 266, 41}));

    EXPECT_EQ(scaledToDots(41, 144), 62) << "halves away from zero";
    EXPECT_EQ(scaledToDots(-3, 144), -5);
}

TEST_F(ProgramTemplates, SettingsWindow)
{
    const UnitFields own = units(SettingsWindow).unitFields(0);
    EXPECT_EQ(own.flags & UnitFlag::Visible, 0u) << "hidden at load";
    const auto w = readTypeData(WindowRows, own.typeData);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->border, 2);
    EXPECT_EQ(w->showInTaskBar, 1);
    EXPECT_EQ(w->icon.size(), 67646u);
    EXPECT_EQ(bound(SettingsWindow, 0, 2), address(Routine::settingsClosing));
    EXPECT_EQ(bound(SettingsWindow, 0x160154F5, 1), address(Routine::checkChanged));
    EXPECT_EQ(bound(SettingsWindow, 0x160154F5, -5), address(Routine::operationMenu));

    const UnitFields group = units(SettingsWindow).unitFields(index(SettingsWindow, 0x16015622));
    const auto g = readTypeData(GroupBoxRows, group.typeData);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->captionAlignment, 1);
    EXPECT_EQ(g->caption, "设置");
    EXPECT_EQ(group.childCount(), 14u);
    EXPECT_EQ(units(SettingsWindow).unitFields(index(SettingsWindow, 0x16015624)).container, 0x16015622u);

    const auto s = readTypeData(SliderBarRows, typeData(SettingsWindow, 0x16015624));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->tickStyle, 3);
    EXPECT_EQ(s->pageStep, 5);
    EXPECT_EQ(s->minimum, 100);
    EXPECT_EQ(s->maximum, 255);
    EXPECT_EQ(s->position, 1);

    const auto speed = readTypeData(EditBoxRows, typeData(SettingsWindow, 0x16015643));
    ASSERT_TRUE(speed);
    EXPECT_EQ(speed->maximumLength, 2);
    EXPECT_EQ(speed->inputMode, 7);
    EXPECT_EQ(bound(SettingsWindow, 0x16015651, -9), address(Routine::hideHotkeyKeyDown));
    EXPECT_EQ(bound(SettingsWindow, 0x16015678, -7), address(Routine::showHotkeyFocus));

    const auto pic = readTypeData(PicBoxRows, typeData(SettingsWindow, 0x1601569F));
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->displayMode, 1);
    EXPECT_EQ(pic->backgroundColour, 0xFF000000u);
    ASSERT_GT(pic->picture.size(), 24u);
    EXPECT_EQ(pic->picture[1], 'P');
    EXPECT_EQ(loadU32(pic->picture.data() + 16), 100u << 24) << "100 pixels wide, big-endian";

    const UnitTable& u = units(SettingsWindow);
    const size_t menu = index(SettingsWindow, 0x260155E8);
    EXPECT_EQ(u.menuItemFields(menu).caption, "操作菜单");
    EXPECT_EQ(u.routineAt(menu + 1), address(Routine::editCaption));
    EXPECT_EQ(u.routineAt(menu + 2), 0u);
    EXPECT_EQ(u.routineAt(menu + 3), address(Routine::deleteCaption));
}

TEST_F(ProgramTemplates, CaptionEditorWindow)
{
    const auto w = readTypeData(WindowRows, units(EditorWindow).unitFields(0).typeData);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->title, "字幕设置");
    EXPECT_EQ(w->backgroundColour, 0xFFFFFFu);
    EXPECT_EQ(readTypeData(EditBoxRows, typeData(EditorWindow, 0x16015538))->content, "Tessaly字幕");

    const auto style = readTypeData(ComboBoxRows, typeData(EditorWindow, 0x160156B0));
    ASSERT_TRUE(style);
    EXPECT_EQ(style->type, 2);
    EXPECT_EQ(style->currentItem, 0);
    EXPECT_EQ(style->items, (std::vector<std::string>{"常规", "加粗", "倾斜", "粗斜体"}));
    EXPECT_EQ(style->itemValues.size(), 20u);
    EXPECT_EQ(style->font.size(), 60u);
    EXPECT_EQ(readTypeData(ComboBoxRows, typeData(EditorWindow, 0x1601553F))->currentItem, -1);
    const UnitFields mode = units(EditorWindow).unitFields(index(EditorWindow, 0x1601555E));
    EXPECT_EQ(mode.flags & UnitFlag::Disabled, UnitFlag::Disabled);
    EXPECT_EQ(readTypeData(ComboBoxRows, mode.typeData)->items.size(), 4u);
    const auto effect = readTypeData(ComboBoxRows, typeData(EditorWindow, 0x16015714));
    ASSERT_TRUE(effect);
    EXPECT_EQ(effect->items, (std::vector<std::string>{"无", "阴影", "描边"})) << "in the order of field 13";
    EXPECT_EQ(effect->currentItem, 0);

    const UnitFields confirm = units(EditorWindow).unitFields(index(EditorWindow, 0x16015549));
    EXPECT_EQ(confirm.position.left, -2);
    EXPECT_EQ(bound(EditorWindow, 0x16015549, 0), address(Routine::confirmCaption));
}

TEST_F(ProgramTemplates, TheStartRoutineIsTheCodeBase)
{
    EXPECT_EQ(static_cast<uint32_t>(Routine::start), 0u);
    EXPECT_EQ(program::RoutineNames.front(), "start");
}

TEST(ProgramBlock, CutsAnywhereAreRefused)
{
    // Every cut of the real block would take minutes; cuts at a spread of
    // offsets and at both ends cover every part of it.
    const ByteView whole = programBlock();
    for (size_t n = 0; n < whole.size(); n += (n < 64 || whole.size() - n < 64) ? 1 : 977) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n));
        EXPECT_FALSE(readTemplateBlock(cut)) << n;
    }
}

}  // namespace
}  // namespace tessaly::ui
