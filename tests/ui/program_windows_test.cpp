// The program's own window templates, loaded with a routine table of logging
// routines behind a real thunk table: the display window's events, timer,
// notification icon, menu, hotkeys and copied caption labels.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "resources/routine_names.h"
#include "resources/window_template_block.h"
#include "runtime/core/command_call.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/runtime_app.h"
#include "runtime/ui/core_library.h"
#include "runtime/ui/menu_builder.h"
#include "runtime/core/memory.h"
#include "runtime/core/value_blocks.h"
#include "runtime/ui/property_access.h"
#include "runtime/ui/unit_font.h"
#include "runtime/ui/window_layer.h"
#include "tests/ui/frame_setup.h"
#include "tests/ui/message_pump.h"

namespace tessaly::ui {
namespace {

using testing::pumpPending;
using testing::pumpUntil;

using program::Routine;
using program::RoutineNames;

constexpr uint32_t DisplayWindow = 0x52010003;
constexpr uint32_t HotkeyLabel = 0x16012A37;
constexpr uint32_t ShowSettingsItem = 0x26012A39;
constexpr uint32_t SeparatorItem = 0x26012A3B;
constexpr uint32_t SettingsWindow = 0x520154F4;
constexpr uint32_t CaptionList = 0x160154F5;
constexpr uint32_t TransparencySlider = 0x16015624;
constexpr uint32_t SpeedBox = 0x16015643;
constexpr uint32_t GroupBox = 0x16015622;
constexpr uint32_t EditorWindow = 0x52015536;
constexpr uint32_t ContentBox = 0x16015538;
constexpr uint32_t StyleCombo = 0x160156B0;
constexpr uint32_t ModeCombo = 0x1601555E;
constexpr uint32_t FontCombo = 0x1601553F;

struct Call {
    std::string routine;
    std::vector<intptr_t> arguments;
};
std::vector<Call> g_calls;
std::function<void()> g_duringPress;

template <size_t I>
RoutineResult logRoutine(intptr_t a, intptr_t b, intptr_t c, intptr_t, intptr_t)
{
    g_calls.push_back({std::string(RoutineNames[I]), {a, b, c}});
    if (I == static_cast<size_t>(Routine::labelPress) && g_duringPress) g_duringPress();
    return {};
}

template <size_t... I>
constexpr std::array<void*, sizeof...(I)> makeTable(std::index_sequence<I...>)
{
    return {reinterpret_cast<void*>(&logRoutine<I>)...};
}

}  // namespace
}  // namespace tessaly::ui

extern "C" {
extern char test_program_thunks[];
std::array<void*, tessaly::program::RoutineNames.size()> test_program_table =
    tessaly::ui::makeTable(std::make_index_sequence<tessaly::program::RoutineNames.size()>{});
}

namespace tessaly::ui {
namespace {

size_t countOf(const std::string& routine)
{
    return static_cast<size_t>(std::count_if(g_calls.begin(), g_calls.end(), [&](const Call& c) { return c.routine == routine; }));
}

const Call* lastOf(const std::string& routine)
{
    for (auto it = g_calls.rbegin(); it != g_calls.rend(); ++it)
        if (it->routine == routine) return &*it;
    return nullptr;
}


TypedValue call(void (*command)(TypedValue*, int32_t, TypedValue*), std::vector<TypedValue> args)
{
    return callCommand(command, static_cast<int32_t>(args.size()), args.data());
}

class ProgramWindows : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const char* noNames[] = {nullptr};
        static const ProgramHeader header = {
            .mode = 3,
            .highestIdentifier = 0x1b238,
            .startRoutine = reinterpret_cast<StartRoutine>(test_program_thunks),
            .windowTemplates = program::windowTemplateBlock,
            .windowTemplateSize = program::windowTemplateBlockSize,
            .dllLibraryNames = noNames,
            .dllExportNames = noNames,
        };
        coreLibraryNotify(1, reinterpret_cast<intptr_t>(&runtimeNotify), 0);
        RuntimeApp::instance().setHeader(&header);
        RuntimeApp::instance().startUp();
    }
    void SetUp() override
    {
        g_calls.clear();
        g_duringPress = nullptr;
    }
    void TearDown() override
    {
        for (const uint32_t id : {EditorWindow, SettingsWindow, DisplayWindow})
            if (LoadedWindow* w = layer().findWindow(id)) DestroyWindow(w->handle());
        pumpUntil([] { return false; }, 50);
    }
    static WindowLayer& layer() { return WindowLayer::instance(); }
    static HWND display() { return layer().findWindow(DisplayWindow)->handle(); }
    static TypedValue displayValue() { return TypedValue::ofUnit(DisplayWindow, 0, TypeCode::Window); }
};

TEST_F(ProgramWindows, DisplayWindowLoadsBorderlessOwnedAndRaisesItsCreatedRoutine)
{
    ASSERT_TRUE(call(commands::LoadWindow, {displayValue()}).asBool());
    EXPECT_EQ(countOf("displayCreated"), 1u);
    HWND h = display();
    EXPECT_FALSE(GetWindowLongPtrW(h, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(GetWindow(h, GW_OWNER), RuntimeApp::instance().hiddenOwner()) << "not shown in the task bar";
    Unit* label = layer().findUnit(DisplayWindow, HotkeyLabel);
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(IsWindowVisible(label->handle())) << "the hotkey label is hidden";
}

TEST_F(ProgramWindows, TimerTicksRaiseTheTickRoutine)
{
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
    pumpUntil([] { return countOf("captionTick") >= 3; });
    EXPECT_GE(countOf("captionTick"), 3u);
}

TEST_F(ProgramWindows, TrayNotificationsBecomeWindowEventNine)
{
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
    SendMessageW(display(), 0x8064, 100, WM_RBUTTONUP);
    SendMessageW(display(), 0x8064, 100, WM_LBUTTONDBLCLK);
    SendMessageW(display(), 0x8064, 100, WM_MOUSEMOVE);
    ASSERT_EQ(countOf("trayEvent"), 2u);
    EXPECT_EQ(g_calls[g_calls.size() - 2].arguments[0], 3);
    EXPECT_EQ(lastOf("trayEvent")->arguments[0], 2);
}

TEST_F(ProgramWindows, TrayMenuEntriesRaiseTheirRoutinesAndTheSeparatorNothing)
{
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
    const UnitTable& units = layer().templates().find(DisplayWindow)->units;
    const size_t before = g_calls.size();
    SendMessageW(display(), WM_COMMAND, *menuCommandOf(units, SeparatorItem), 0);
    EXPECT_EQ(g_calls.size(), before);
    SendMessageW(display(), WM_COMMAND, *menuCommandOf(units, ShowSettingsItem), 0);
    EXPECT_EQ(countOf("showSettings"), 1u);
}

TEST_F(ProgramWindows, EscapeDoesNotCloseTheDisplayWindow)
{
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
    PostMessageW(display(), WM_KEYDOWN, VK_ESCAPE, 0);
    pumpUntil([] { return false; }, 100);
    EXPECT_NE(layer().findWindow(DisplayWindow), nullptr);
}

TEST_F(ProgramWindows, HotkeysCountFrom33001NeverReuseAndRestoreTheProcedure)
{
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
    HWND h = display();
    HWND label = layer().findUnit(DisplayWindow, HotkeyLabel)->handle();
    const LONG_PTR original = GetWindowLongPtrW(h, GWLP_WNDPROC);
    auto handle = [](HWND w) { return TypedValue::ofInt(static_cast<int32_t>(reinterpret_cast<intptr_t>(w))); };
    const int32_t first = call(commands::RegisterHotkey, {handle(h), handle(label), TypedValue::ofInt(3), TypedValue::ofInt('H')}).asInt();
    const int32_t second = call(commands::RegisterHotkey, {handle(h), handle(label), TypedValue::ofInt(3), TypedValue::ofInt('S')}).asInt();
    EXPECT_EQ(first, 33001);
    EXPECT_EQ(second, 33002);
    EXPECT_NE(GetWindowLongPtrW(h, GWLP_WNDPROC), original);

    SendMessageW(h, WM_HOTKEY, 33002, 0);
    ASSERT_NE(lastOf("hotkeyFeedback"), nullptr);
    EXPECT_EQ(lastOf("hotkeyFeedback")->arguments[0], 33002);
    EXPECT_EQ(lastOf("hotkeyFeedback")->arguments[1], 0);

    call(commands::UnregisterHotkey, {handle(h), TypedValue::ofInt(first)});
    EXPECT_NE(GetWindowLongPtrW(h, GWLP_WNDPROC), original) << "one registration still counted";
    call(commands::UnregisterHotkey, {handle(h), TypedValue::ofInt(second)});
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), original);
    const int32_t third = call(commands::RegisterHotkey, {handle(h), handle(label), TypedValue::ofInt(3), TypedValue::ofInt('H')}).asInt();
    EXPECT_EQ(third, 33003);
    call(commands::UnregisterHotkey, {handle(h), TypedValue::ofInt(third)});
}

TEST_F(ProgramWindows, CopiedLabelRaisesItsSourcesRoutinesAndNamesItselfAsTheSource)
{
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
    uint32_t copy[2] = {};
    const TypedValue source = TypedValue::ofUnit(DisplayWindow, HotkeyLabel, TypeCode::Label);
    const TypedValue target = TypedValue::ofPointer(copy, TypeCode::Label | ArgumentFlag);
    ASSERT_TRUE(call(commands::CopyUnit, {source, target}).asBool());
    EXPECT_EQ(copy[0], DisplayWindow);
    EXPECT_EQ(copy[1] & 0xFF000000, 0x16000000u);
    EXPECT_EQ(copy[1] & 0x00FFFFFF, 0x1b238u + 2) << "the first new identifier is the highest plus two";

    TypedValue eventUnit{};
    g_duringPress = [&] { eventUnit = call(commands::GetEventUnit, {}); };
    Unit* unit = layer().findUnit(DisplayWindow, copy[1]);
    ASSERT_NE(unit, nullptr);
    PostMessageW(unit->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 3));
    pumpUntil([] { return countOf("labelPress") > 0; });
    ASSERT_EQ(countOf("labelPress"), 1u);
    EXPECT_EQ(eventUnit.low, DisplayWindow);
    EXPECT_EQ(eventUnit.high, copy[1]);
    EXPECT_EQ(eventUnit.type, TypeCode::Label);
    PostMessageW(unit->handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 3));
    pumpUntil([] { return countOf("labelRelease") > 0; });

    // Destroying the copy removes its record; the display window's next load starts clean.
    call(commands::Destroy, {TypedValue::ofUnit(DisplayWindow, copy[1], TypeCode::Label)});
    EXPECT_FALSE(layer().templates().find(DisplayWindow)->units.indexOf(copy[1]).has_value());
    EXPECT_FALSE(call(commands::IsCreated, {TypedValue::ofUnit(DisplayWindow, copy[1], TypeCode::Label)}).asBool());
    EXPECT_TRUE(call(commands::IsCreated, {displayValue()}).asBool());
}

TEST_F(ProgramWindows, MenuItemIsCreatedWhileItsWindowIs)
{
    const TypedValue entry = TypedValue::ofUnit(DisplayWindow, ShowSettingsItem, TypeCode::Menu);
    EXPECT_FALSE(call(commands::IsCreated, {entry}).asBool());
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
    EXPECT_TRUE(call(commands::IsCreated, {entry}).asBool());
    DestroyWindow(display());
    EXPECT_FALSE(call(commands::IsCreated, {entry}).asBool());
}

TEST_F(ProgramWindows, DestroyCommandClosesTheWindowByAPostedMessage)
{
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
    HWND h = display();
    call(commands::Destroy, {displayValue()});
    EXPECT_TRUE(IsWindow(h)) << "closed later, not at once";
    pumpUntil([&] { return !IsWindow(h); });
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(call(commands::IsCreated, {displayValue()}).asBool());
}

TypedValue unitValue(uint32_t window, uint32_t unit, uint32_t type) { return TypedValue::ofUnit(window, unit, type); }

TEST_F(ProgramWindows, SettingsWindowLoadsHiddenWithItsUnitsInTheirContainer)
{
    ASSERT_TRUE(layer().load(SettingsWindow, 0, false));
    EXPECT_EQ(countOf("settingsCreated"), 1u);
    HWND h = layer().findWindow(SettingsWindow)->handle();
    EXPECT_FALSE(IsWindowVisible(h)) << "hidden at load";
    EXPECT_TRUE(GetWindowLongPtrW(h, GWL_STYLE) & WS_MINIMIZEBOX);
    Unit* slider = layer().findUnit(SettingsWindow, TransparencySlider);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(GetParent(slider->handle()), layer().findUnit(SettingsWindow, GroupBox)->handle());
    // The stored position 1 is raised to the minimum of 100-255.
    const TypedValue position = readUnitProperty(layer(), {SettingsWindow, TransparencySlider, 19, -1});
    EXPECT_EQ(position.asInt(), 100);
    EXPECT_NE(layer().findUnit(SettingsWindow, SpeedBox), nullptr);
}

TEST_F(ProgramWindows, ListCommandsDriveTheCaptionList)
{
    ASSERT_TRUE(layer().load(SettingsWindow, 0, false));
    const TypedValue list = unitValue(SettingsWindow, CaptionList, TypeCode::ChkListBox);
    EXPECT_EQ(call(commands::ListAddItem, {list, TypedValue::ofPointer("第一条字幕", TypeCode::Text)}).asInt(), 0);
    EXPECT_EQ(call(commands::ListAddItem, {list, TypedValue::ofPointer("second", TypeCode::Text), TypedValue::ofInt(7)}).asInt(), 1);
    EXPECT_TRUE(call(commands::ListSetChecked, {list, TypedValue::ofInt(1)}).asBool());
    EXPECT_TRUE(call(commands::ListIsChecked, {list, TypedValue::ofInt(1)}).asBool());
    EXPECT_FALSE(call(commands::ListIsChecked, {list, TypedValue::ofInt(0)}).asBool());
    EXPECT_FALSE(call(commands::ListSetChecked, {list, TypedValue::ofInt(5)}).asBool()) << "outside the list";
    // A third argument other than 1 unchecks.
    EXPECT_TRUE(call(commands::ListSetChecked, {list, TypedValue::ofInt(1), TypedValue::ofInt(0)}).asBool());
    EXPECT_FALSE(call(commands::ListIsChecked, {list, TypedValue::ofInt(1)}).asBool());
    EXPECT_TRUE(call(commands::ListDeleteItem, {list, TypedValue::ofInt(0)}).asBool());
    HWND control = layer().findUnit(SettingsWindow, CaptionList)->handle();
    EXPECT_EQ(SendMessageW(control, LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(control, LB_GETITEMDATA, 0, 0), 7);
    call(commands::ListClear, {list});
    EXPECT_EQ(SendMessageW(control, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ProgramWindows, EditorWindowCarriesItsInitialTextAndComboItems)
{
    ASSERT_TRUE(layer().load(EditorWindow, 0, false));
    EXPECT_EQ(countOf("editorCreated"), 1u);
    const TypedValue content = readUnitProperty(layer(), {EditorWindow, ContentBox, 8, -1});
    EXPECT_STREQ(content.text(), "Tessaly字幕");
    const TypedValue style = unitValue(EditorWindow, StyleCombo, TypeCode::ComboBox);
    EXPECT_EQ(call(commands::ComboItemCount, {style}).asInt(), 4);
    const TypedValue bold = call(commands::ComboItemText, {style, TypedValue::ofInt(1)});
    EXPECT_STREQ(bold.text(), "加粗");
    EXPECT_EQ(call(commands::ComboItemText, {style, TypedValue::ofInt(4)}).text(), nullptr);
    const TypedValue fonts = unitValue(EditorWindow, FontCombo, TypeCode::ComboBox);
    EXPECT_EQ(call(commands::ComboItemCount, {fonts}).asInt(), 0);
    EXPECT_EQ(call(commands::ComboAddItem, {fonts, TypedValue::ofPointer("宋体", TypeCode::Text)}).asInt(), 0);
    EXPECT_FALSE(readUnitProperty(layer(), {EditorWindow, ModeCombo, CommonProperty::Disabled, -1}).asBool() == false)
        << "the scroll mode starts disabled";
}

TEST_F(ProgramWindows, FontSizeFieldConvertsThroughTheScreenResolution)
{
    ASSERT_TRUE(layer().load(EditorWindow, 0, false));
    constexpr int32_t FontProperty = 12;
    writeUnitProperty(layer(), {EditorWindow, ContentBox, FontProperty, 5}, TypedValue::ofInt(12));
    EXPECT_EQ(readUnitProperty(layer(), {EditorWindow, ContentBox, FontProperty, 5}).asInt(), 12);
    Unit* box = layer().findUnit(EditorWindow, ContentBox);
    PropertyValue stored;
    ASSERT_TRUE(box->type().getProperty(*box, FontProperty - 8, stored));
    ASSERT_EQ(stored.length, static_cast<intptr_t>(sizeof(LOGFONTA)));
    LOGFONTA font;
    std::memcpy(&font, reinterpret_cast<const void*>(stored.data), sizeof font);
    EXPECT_EQ(font.lfHeight, -MulDiv(12, screenDotsPerInch(), 72));
    if (screenDotsPerInch() == 96) {
        EXPECT_EQ(font.lfHeight, -16);
    }

    // Writing one field keeps the others; an angle is taken modulo 3600.
    writeUnitProperty(layer(), {EditorWindow, ContentBox, FontProperty, 1}, TypedValue::ofBool(true));
    writeUnitProperty(layer(), {EditorWindow, ContentBox, FontProperty, 0}, TypedValue::ofInt(-450));
    EXPECT_TRUE(readUnitProperty(layer(), {EditorWindow, ContentBox, FontProperty, 1}).asBool());
    EXPECT_EQ(readUnitProperty(layer(), {EditorWindow, ContentBox, FontProperty, 0}).asInt(), 3150);
    EXPECT_EQ(readUnitProperty(layer(), {EditorWindow, ContentBox, FontProperty, 5}).asInt(), 12);
}

TEST_F(ProgramWindows, StackingCommandSendsAUnitToTheBottomAndBack)
{
    ASSERT_TRUE(layer().load(SettingsWindow, 0, false));
    HWND list = layer().findUnit(SettingsWindow, CaptionList)->handle();
    const TypedValue unit = unitValue(SettingsWindow, CaptionList, TypeCode::ChkListBox);
    call(commands::SetZOrder, {unit, TypedValue::ofInt(2)});
    EXPECT_EQ(GetWindow(list, GW_HWNDLAST), list);
    call(commands::SetZOrder, {unit});
    EXPECT_EQ(GetWindow(list, GW_HWNDFIRST), list);
}

TEST_F(ProgramWindows, TrayIconCommandTakesIconDataAndATip)
{
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
    const TypedValue icon = readUnitProperty(layer(), {DisplayWindow, 0, 20, -1});
    ASSERT_GT(byteSetLength(icon.pointer()), 0);
    call(commands::SetTrayIcon, {displayValue(), icon, TypedValue::ofPointer("Tessaly字幕", TypeCode::Text)});
    TrayIcon& tray = layer().findWindow(DisplayWindow)->trayIcon();
    EXPECT_NE(tray.icon(), nullptr);
    // No data means no icon.
    const uint8_t nothing[] = {0};
    void* empty = makeResultByteSet(nothing, 1);
    call(commands::SetTrayIcon, {displayValue(), TypedValue::ofPointer(empty, TypeCode::Bytes)});
    EXPECT_EQ(tray.icon(), nullptr);
    EXPECT_FALSE(tray.shown());
    release(empty);
    release(icon.pointer());
}

// Picks the first entry of whatever pop-up menu is open, from inside the
// menu's own modal loop.
void CALLBACK chooseFirstMenuEntry(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu == nullptr) return;  // not open yet: the timer comes round again
    KillTimer(nullptr, timer);
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(ProgramWindows, TrayMenuPopsUpAndItsEntryRaisesItsRoutine)
{
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &chooseFirstMenuEntry);
    call(commands::PopupTrayMenu, {displayValue(), TypedValue::ofUnit(DisplayWindow, 0x26012A38, TypeCode::Menu)});
    pumpUntil([] { return countOf("showSettings") > 0; }, 2000);
    KillTimer(nullptr, timer);
    EXPECT_EQ(countOf("showSettings"), 1u) << "the first entry of the tray menu is the settings entry";
}

}  // namespace
}  // namespace tessaly::ui
