// The program's own windows behind logging routines: the display window's
// events, timer, notification icon, menu, hotkeys and copied caption labels.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/routine_names.h"
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
#include "tests/ui/program_windows.h"

namespace tessaly::ui::testing {
namespace {

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

// The tray routine opens its menu on action 3 only, so each action must
// arrive as its own number.
TEST_F(ProgramWindows, TrayNotificationsBecomeWindowEventNineWithTheirAction)
{
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
    std::vector<intptr_t> actions;
    for (const LPARAM mouse : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_CONTEXTMENU, WM_MOUSEMOVE,
                               WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
        const size_t before = countOf("trayEvent");
        SendMessageW(display(), 0x8064, 100, mouse);
        if (countOf("trayEvent") > before) actions.push_back(lastOf("trayEvent")->arguments[0]);
    }
    EXPECT_EQ(actions, (std::vector<intptr_t>{1, 2, 3, 3})) << "moves and presses raise nothing";
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

// The program numbers modifiers 1 Ctrl, 2 Shift, 4 Alt and their sums up to
// 6; each registers its own system combination (seen by that combination
// being taken), and any other number goes to the system as it is.
TEST_F(ProgramWindows, HotkeyModifierNumbersRegisterTheirSystemCombination)
{
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
    HWND h = display();
    HWND label = layer().findUnit(DisplayWindow, HotkeyLabel)->handle();
    auto handle = [](HWND w) { return TypedValue::ofInt(static_cast<int32_t>(reinterpret_cast<intptr_t>(w))); };
    const std::pair<int32_t, UINT> numbers[] = {{0, 0},
                                                {1, MOD_CONTROL},
                                                {2, MOD_SHIFT},
                                                {3, MOD_CONTROL | MOD_SHIFT},
                                                {4, MOD_ALT},
                                                {5, MOD_ALT | MOD_CONTROL},
                                                {6, MOD_ALT | MOD_SHIFT},
                                                {7, MOD_ALT | MOD_CONTROL | MOD_SHIFT}};
    constexpr int ProbeId = 1;
    for (const auto& [number, system] : numbers) {
        const int32_t id = call(commands::RegisterHotkey, {handle(h), handle(label), TypedValue::ofInt(number),
                                                           TypedValue::ofInt(VK_F9)}).asInt();
        ASSERT_NE(id, 0) << "modifier number " << number;
        const bool taken = !RegisterHotKey(h, ProbeId, system, VK_F9);
        if (!taken) UnregisterHotKey(h, ProbeId);
        EXPECT_TRUE(taken) << "modifier number " << number;
        call(commands::UnregisterHotkey, {handle(h), TypedValue::ofInt(id)});
        EXPECT_TRUE(RegisterHotKey(h, ProbeId, system, VK_F9)) << "free again after " << number;
        UnregisterHotKey(h, ProbeId);
    }
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

RECT g_openMenu{};
UINT g_secondEntryState = 0;

// Notes where the open pop-up menu stands and how its second entry is
// marked, and picks its first entry, from inside the menu's own modal loop.
void CALLBACK chooseFirstMenuEntry(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu)) return;  // not open yet: the timer comes round again
    KillTimer(nullptr, timer);
    GetWindowRect(menu, &g_openMenu);
    const auto items = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
    g_secondEntryState = GetMenuState(items, 1, MF_BYPOSITION);
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
}

// Pops a menu up with the command, picks its first entry and answers the
// menu's top left corner.
POINT openAndChooseFirstEntry(CommandEntry popup, std::vector<TypedValue> arguments)
{
    g_openMenu = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &chooseFirstMenuEntry);
    call(popup, std::move(arguments));
    KillTimer(nullptr, timer);
    return {g_openMenu.left, g_openMenu.top};
}

// The second entry, "开机启动", shows the check mark its item has when the menu opens.
TEST_F(ProgramWindows, TrayMenuPopsUpWithItsEntriesMarkedAndItsEntryRaisesItsRoutine)
{
    ASSERT_TRUE(layer().load(DisplayWindow, 0, false));
    const TypedValue trayMenu = TypedValue::ofUnit(DisplayWindow, 0x26012A38, TypeCode::Menu);
    layer().setProperty({DisplayWindow, StartWithWindowsItem, 1, -1}, TypedValue::ofBool(true));
    openAndChooseFirstEntry(commands::PopupTrayMenu, {displayValue(), trayMenu});
    EXPECT_TRUE(g_secondEntryState & MF_CHECKED);
    pumpUntil([] { return countOf("showSettings") > 0; }, 2000);
    EXPECT_EQ(countOf("showSettings"), 1u) << "the first entry of the tray menu is the settings entry";

    layer().setProperty({DisplayWindow, StartWithWindowsItem, 1, -1}, TypedValue::ofBool(false));
    openAndChooseFirstEntry(commands::PopupTrayMenu, {displayValue(), trayMenu});
    EXPECT_FALSE(g_secondEntryState & MF_CHECKED);
    pumpUntil([] { return countOf("showSettings") > 1; }, 2000);
}

TEST_F(ProgramWindows, OperationMenuOpensAtTheGivenPointElseJustBelowRightOfThePointer)
{
    ASSERT_TRUE(layer().load(SettingsWindow, 0, false));
    ShowWindow(layer().findWindow(SettingsWindow)->handle(), SW_SHOW);
    const TypedValue settings = unitValue(SettingsWindow, 0, TypeCode::Window);
    const TypedValue menu = unitValue(SettingsWindow, OperationMenu, TypeCode::Menu);
    const POINT given = openAndChooseFirstEntry(commands::PopupMenu, {settings, menu, TypedValue::ofInt(200), TypedValue::ofInt(150)});
    EXPECT_EQ(given.x, 200);
    EXPECT_EQ(given.y, 150);
    pumpUntil([] { return countOf("editCaption") > 0; }, 2000);
    EXPECT_EQ(countOf("editCaption"), 1u) << "the first entry edits the selected caption";

    SetCursorPos(300, 250);
    const POINT atPointer = openAndChooseFirstEntry(commands::PopupMenu, {settings, menu});
    EXPECT_EQ(atPointer.x, 303);
    EXPECT_EQ(atPointer.y, 253);
    pumpUntil([] { return countOf("editCaption") > 1; }, 2000);
}

// "A caption created later lies above the ones created before it": each
// copy goes directly behind its source, so in front of the earlier copies.
TEST_F(CaptionLabels, EachCopyLiesDirectlyBehindItsSourceAndAboveTheEarlierCopies)
{
    const uint32_t first = copyOfHotkeyLabel();
    ASSERT_NE(first, 0u);
    EXPECT_EQ(GetWindow(handleOf(first), GW_HWNDPREV), handleOf(HotkeyLabel));
    const uint32_t second = copyOfHotkeyLabel();
    ASSERT_NE(second, 0u);
    EXPECT_EQ(GetWindow(handleOf(second), GW_HWNDPREV), handleOf(HotkeyLabel));
    EXPECT_EQ(GetWindow(handleOf(second), GW_HWNDNEXT), handleOf(first));
}

// The caption tool reads a new label's caption and font size back before it
// sizes the label, and sets visibility itself.
TEST_F(CaptionLabels, ACopyStartsWithItsSourcesProperties)
{
    const uint32_t copy = copyOfHotkeyLabel();
    ASSERT_NE(copy, 0u);
    constexpr int32_t Caption = 8, Font = 15, TextColour = 16, Background = 17;
    EXPECT_STREQ(property(copy, Caption).text(), "标签");
    for (const int32_t field : {1, 5})
        EXPECT_EQ(property(copy, Font, field).asInt(), property(HotkeyLabel, Font, field).asInt()) << "field " << field;
    EXPECT_STREQ(property(copy, Font, 6).text(), property(HotkeyLabel, Font, 6).text());
    EXPECT_EQ(property(copy, TextColour).asInt(), 0xFFFFFF);
    EXPECT_EQ(property(copy, Background).asInt(), 0x00400040);
    for (const int32_t common : {CommonProperty::Left, CommonProperty::Top, CommonProperty::Width, CommonProperty::Height})
        EXPECT_EQ(property(copy, common).asInt(), property(HotkeyLabel, common).asInt()) << "property " << common;
    EXPECT_FALSE(property(copy, CommonProperty::Visible).asBool()) << "hidden, as its source";
}

// Bring to front: a double-clicked caption goes above every other one;
// positions 0 and below count as the top too, 2 is the bottom.
TEST_F(CaptionLabels, StackingPositionOneBringsACaptionAboveItsSiblings)
{
    const uint32_t older = copyOfHotkeyLabel(), newer = copyOfHotkeyLabel();
    ASSERT_TRUE(older != 0 && newer != 0);
    HWND h = handleOf(older);
    const TypedValue unit = unitValue(DisplayWindow, older, TypeCode::Label);
    for (const int32_t top : {1, 0, -1}) {
        call(commands::SetZOrder, {unit, TypedValue::ofInt(2)});
        ASSERT_EQ(GetWindow(h, GW_HWNDLAST), h);
        call(commands::SetZOrder, {unit, TypedValue::ofInt(top)});
        EXPECT_EQ(GetWindow(h, GW_HWNDFIRST), h) << "position " << top;
    }
}

// What the caption tool writes on each label and reads back at every tick,
// press and double-click: tag, visibility, position and size, on the live
// label, in the display window's client coordinates.
TEST_F(CaptionLabels, TagVisibilityPositionAndSizeWritesReachTheLiveLabel)
{
    const uint32_t copy = copyOfHotkeyLabel();
    ASSERT_NE(copy, 0u);
    auto set = [&](int32_t index, TypedValue value) { writeUnitProperty(layer(), {DisplayWindow, copy, index, -1}, value); };
    HWND h = handleOf(copy);
    set(CommonProperty::Tag, TypedValue::ofPointer("7", TypeCode::Text));
    set(CommonProperty::Visible, TypedValue::ofBool(true));
    set(CommonProperty::Left, TypedValue::ofInt(300));
    set(CommonProperty::Top, TypedValue::ofInt(120));
    set(CommonProperty::Width, TypedValue::ofInt(60));
    set(CommonProperty::Height, TypedValue::ofInt(30));
    EXPECT_STREQ(property(copy, CommonProperty::Tag).text(), "7");
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_TRUE(property(copy, CommonProperty::Visible).asBool());
    RECT placed;
    GetWindowRect(h, &placed);
    MapWindowPoints(nullptr, display(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 300);
    EXPECT_EQ(placed.top, 120);
    EXPECT_EQ(placed.right - placed.left, 60);
    EXPECT_EQ(placed.bottom - placed.top, 30);
    EXPECT_EQ(property(copy, CommonProperty::Left).asInt(), 300);
    EXPECT_EQ(property(copy, CommonProperty::Top).asInt(), 120);

    // A caption whose font is below 9 points gets a negative width: no width at all.
    set(CommonProperty::Width, TypedValue::ofInt(-6));
    EXPECT_EQ(property(copy, CommonProperty::Width).asInt(), 0);
    EXPECT_EQ(property(copy, CommonProperty::Left).asInt(), 300) << "resizing keeps the place";
    set(CommonProperty::Visible, TypedValue::ofBool(false));
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_FALSE(property(copy, CommonProperty::Visible).asBool());
    EXPECT_TRUE(IsWindowVisible(display())) << "hiding a caption leaves the display window alone";
}

// The caption tool places a new caption field by field while it is hidden,
// asks for its window handle to give it rounded corners, and shows it last.
// The placement reads back at once, is what the system reports once the
// handle is out, and is where the caption stands when shown, also when its
// window is shown only afterwards.
TEST_F(CaptionLabels, AHiddenCaptionStandsWhereItWasPlacedWhenShownOrHandedOut)
{
    auto place = [](uint32_t unit, RECT r) {
        for (const auto& [index, value] : {std::pair{CommonProperty::Left, r.left}, std::pair{CommonProperty::Top, r.top},
                                           std::pair{CommonProperty::Width, r.right - r.left},
                                           std::pair{CommonProperty::Height, r.bottom - r.top}})
            writeUnitProperty(layer(), {DisplayWindow, unit, index, -1}, TypedValue::ofInt(value));
    };
    auto where = [](uint32_t unit) {
        RECT r;
        GetWindowRect(handleOf(unit), &r);
        MapWindowPoints(nullptr, display(), reinterpret_cast<POINT*>(&r), 2);
        return std::array<LONG, 4>{r.left, r.top, r.right, r.bottom};
    };
    auto show = [](uint32_t unit, bool shown) {
        writeUnitProperty(layer(), {DisplayWindow, unit, CommonProperty::Visible, -1}, TypedValue::ofBool(shown));
    };
    const std::array<LONG, 4> placed{210, 130, 330, 170};

    const uint32_t shownLater = copyOfHotkeyLabel(), handedOut = copyOfHotkeyLabel(), inHiddenWindow = copyOfHotkeyLabel();
    ASSERT_TRUE(shownLater != 0 && handedOut != 0 && inHiddenWindow != 0);
    place(shownLater, {210, 130, 330, 170});
    EXPECT_EQ(property(shownLater, CommonProperty::Left).asInt(), 210);
    EXPECT_EQ(property(shownLater, CommonProperty::Top).asInt(), 130);
    EXPECT_EQ(property(shownLater, CommonProperty::Width).asInt(), 120);
    EXPECT_EQ(property(shownLater, CommonProperty::Height).asInt(), 40);
    show(shownLater, true);
    EXPECT_EQ(where(shownLater), placed);

    place(handedOut, {210, 130, 330, 170});
    const auto handle = call(commands::GetWindowHandle, {unitValue(DisplayWindow, handedOut, TypeCode::Label)}).asInt();
    ASSERT_EQ(handle, static_cast<int32_t>(reinterpret_cast<intptr_t>(handleOf(handedOut))));
    RECT client;
    GetClientRect(handleOf(handedOut), &client);
    EXPECT_EQ(client.right, 120) << "the program sizes its rounded region from this";
    EXPECT_EQ(client.bottom, 40);
    EXPECT_EQ(where(handedOut), placed);

    writeUnitProperty(layer(), {DisplayWindow, 0, CommonProperty::Visible, -1}, TypedValue::ofBool(false));
    place(inHiddenWindow, {210, 130, 330, 170});
    show(inHiddenWindow, true);
    writeUnitProperty(layer(), {DisplayWindow, 0, CommonProperty::Visible, -1}, TypedValue::ofBool(true));
    EXPECT_TRUE(IsWindowVisible(handleOf(inHiddenWindow)));
    EXPECT_EQ(where(inHiddenWindow), placed);

    // Moving a shown caption and hiding it keeps the place it was moved to.
    writeUnitProperty(layer(), {DisplayWindow, shownLater, CommonProperty::Left, -1}, TypedValue::ofInt(250));
    show(shownLater, false);
    writeUnitProperty(layer(), {DisplayWindow, shownLater, CommonProperty::Top, -1}, TypedValue::ofInt(90));
    show(shownLater, true);
    EXPECT_EQ(where(shownLater), (std::array<LONG, 4>{250, 90, 370, 130}));
}

// Each caption gets its font field by field; each write changes its own
// member of the label's font, starting from the font the label has.
TEST_F(CaptionLabels, FontFieldWritesChangeOnlyTheirOwnMember)
{
    const uint32_t copy = copyOfHotkeyLabel();
    ASSERT_NE(copy, 0u);
    constexpr int32_t FontProperty = 15;
    auto set = [&](int32_t field, TypedValue value) { writeUnitProperty(layer(), {DisplayWindow, copy, FontProperty, field}, value); };
    auto stored = [&] {
        Unit* label = layer().findUnit(DisplayWindow, copy);
        PropertyValue font;
        LOGFONTA out{};
        if (label->type().getProperty(*label, FontProperty - 8, font) && font.length == sizeof out)
            std::memcpy(&out, reinterpret_cast<const void*>(font.data), sizeof out);
        return out;
    };
    set(6, TypedValue::ofPointer("DejaVu Sans", TypeCode::Text));
    set(5, TypedValue::ofInt(24));
    set(3, TypedValue::ofBool(true));
    set(2, TypedValue::ofBool(true));
    set(1, TypedValue::ofBool(true));
    LOGFONTA font = stored();
    EXPECT_STREQ(font.lfFaceName, "DejaVu Sans");
    EXPECT_EQ(font.lfHeight, -MulDiv(24, screenDotsPerInch(), 72));
    EXPECT_TRUE(font.lfStrikeOut);
    EXPECT_FALSE(font.lfUnderline);
    EXPECT_TRUE(font.lfItalic);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfCharSet, GB2312_CHARSET) << "kept from the label's own font";

    set(4, TypedValue::ofBool(true));
    set(3, TypedValue::ofBool(false));
    font = stored();
    EXPECT_FALSE(font.lfStrikeOut);
    EXPECT_TRUE(font.lfUnderline);
    EXPECT_EQ(property(copy, FontProperty, 5).asInt(), 24);
    EXPECT_STREQ(property(HotkeyLabel, FontProperty, 6).text(), "宋体") << "the source keeps its font";

    // A face name that is empty or does not fit falls back to the default face.
    LOGFONTA fallback{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
    for (const char* face : {"", "a face name of thirty-two bytes!"}) {
        set(6, TypedValue::ofPointer(face, TypeCode::Text));
        EXPECT_STREQ(stored().lfFaceName, fallback.lfFaceName) << '"' << face << '"';
    }
}

// A double-click on a caption brings it to the front: the label takes real
// double-clicks, and a copy raises its source's routine for them.
TEST_F(CaptionLabels, RealDoubleClickOnACopyRaisesTheDoubleClickRoutine)
{
    const uint32_t copy = copyOfHotkeyLabel();
    ASSERT_NE(copy, 0u);
    for (const auto& [index, value] : {std::pair{CommonProperty::Width, 80}, std::pair{CommonProperty::Height, 30},
                                       std::pair{CommonProperty::Visible, 1}})
        writeUnitProperty(layer(), {DisplayWindow, copy, index, -1}, TypedValue::ofInt(value));
    pumpPending();
    RECT placed;
    GetWindowRect(handleOf(copy), &placed);
    INPUT clicks[4] = {};
    const DWORD buttons[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dx = MulDiv((placed.left + placed.right) / 2, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        clicks[i].mi.dy = MulDiv((placed.top + placed.bottom) / 2, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        clicks[i].mi.dwFlags = buttons[i] | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    // One call: the four events share one time, well within the double-click time.
    ASSERT_EQ(SendInput(4, clicks, sizeof(INPUT)), 4u);
    pumpUntil([] { return countOf("labelBringToFront") > 0 && countOf("labelRelease") >= 2; });
    EXPECT_EQ(countOf("labelBringToFront"), 1u);
    EXPECT_EQ(countOf("labelPress"), 1u) << "the second press arrives as the double-click";
}

bool isTopmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Each tick makes the display window topmost.
TEST_F(CaptionLabels, StackingPositionThreeMakesTheDisplayWindowTopmost)
{
    ASSERT_FALSE(isTopmost(display()));
    call(commands::SetZOrder, {displayValue(), TypedValue::ofInt(3)});
    EXPECT_TRUE(isTopmost(display()));
}

// A window remembers that it is topmost until position 4 takes it away. Shown
// on the settings window, which has no owner: under Wine, position 4 did not
// always take the topmost state from the owned display window.
TEST_F(ProgramWindows, AWindowStaysTopmostUntilStackingPositionFour)
{
    ASSERT_TRUE(layer().load(SettingsWindow, 0, false));
    HWND settings = layer().findWindow(SettingsWindow)->handle();
    const TypedValue window = TypedValue::ofUnit(SettingsWindow, 0, TypeCode::Window);
    auto rememberedOnTop = [] { return readUnitProperty(layer(), {SettingsWindow, 0, 29, -1}).asBool(); };
    ASSERT_FALSE(isTopmost(settings));
    call(commands::SetZOrder, {window, TypedValue::ofInt(3)});
    EXPECT_TRUE(isTopmost(settings));
    EXPECT_TRUE(rememberedOnTop());
    for (const TypedValue top : {TypedValue::omitted(), TypedValue::ofInt(1), TypedValue::ofInt(0)}) {
        call(commands::SetZOrder, {window, top});
        EXPECT_TRUE(isTopmost(settings)) << "the top of a topmost window is the top of the topmost band";
    }
    call(commands::SetZOrder, {window, TypedValue::ofInt(4)});
    EXPECT_FALSE(isTopmost(settings));
    EXPECT_FALSE(rememberedOnTop());
    call(commands::SetZOrder, {window});
    EXPECT_FALSE(isTopmost(settings)) << "an omitted position leaves a window that is not topmost so";
}

// Opening the settings writes interval 0 to pause the captions; closing them
// writes 20 and the ticks come back.
TEST_F(CaptionLabels, TimerIntervalZeroPausesTheTicksAndTwentyResumesThem)
{
    constexpr uint32_t Timer = 0x16010006;
    constexpr int32_t Interval = 8;
    pumpUntil([] { return countOf("captionTick") > 0; });
    ASSERT_GT(countOf("captionTick"), 0u);
    writeUnitProperty(layer(), {DisplayWindow, Timer, Interval, -1}, TypedValue::ofInt(0));
    EXPECT_EQ(property(Timer, Interval).asInt(), 0);
    pumpPending();
    const size_t paused = countOf("captionTick");
    pumpUntil([&] { return countOf("captionTick") > paused; }, 300);
    EXPECT_EQ(countOf("captionTick"), paused) << "no tick while the interval is 0";
    writeUnitProperty(layer(), {DisplayWindow, Timer, Interval, -1}, TypedValue::ofInt(20));
    EXPECT_EQ(property(Timer, Interval).asInt(), 20);
    pumpUntil([&] { return countOf("captionTick") >= paused + 3; });
    EXPECT_GE(countOf("captionTick"), paused + 3);
}

// The caption loader fills and checks the list in code; were that to raise
// the check-changed routine, every load would rewrite the configuration file.
TEST_F(ProgramWindows, ListAndSliderWritesOfTheProgramRaiseNoEvents)
{
    ASSERT_TRUE(layer().load(SettingsWindow, 0, false));
    const TypedValue list = unitValue(SettingsWindow, CaptionList, TypeCode::ChkListBox);
    auto text = [](const char* t) { return TypedValue::ofPointer(t, TypeCode::Text); };
    auto checked = [&](int32_t i) { return call(commands::ListIsChecked, {list, TypedValue::ofInt(i)}).asBool(); };
    call(commands::ListClear, {list});
    for (const char* caption : {"一", "二", "三", "四"})
        ASSERT_GE(call(commands::ListAddItem, {list, text(caption)}).asInt(), 0);
    EXPECT_TRUE(call(commands::ListSetChecked, {list, TypedValue::ofInt(0)}).asBool());
    EXPECT_TRUE(call(commands::ListSetChecked, {list, TypedValue::ofInt(2), TypedValue::ofBool(true)}).asBool());
    EXPECT_TRUE(call(commands::ListSetChecked, {list, TypedValue::ofInt(3)}).asBool());
    EXPECT_TRUE(call(commands::ListSetChecked, {list, TypedValue::ofInt(0), TypedValue::ofBool(false)}).asBool());
    EXPECT_FALSE(checked(0));
    EXPECT_FALSE(checked(1));
    EXPECT_TRUE(checked(2));
    EXPECT_TRUE(call(commands::ListDeleteItem, {list, TypedValue::ofInt(2)}).asBool()) << "a checked entry";
    EXPECT_TRUE(checked(2)) << "the fourth entry moved up with its check";
    writeUnitProperty(layer(), {SettingsWindow, TransparencySlider, 19, -1}, TypedValue::ofInt(200));
    EXPECT_EQ(readUnitProperty(layer(), {SettingsWindow, TransparencySlider, 19, -1}).asInt(), 200);
    pumpPending();
    EXPECT_EQ(countOf("checkChanged"), 0u);
    EXPECT_EQ(countOf("transparencyChanged"), 0u);

    // The user's own changes do raise them.
    HWND control = layer().findUnit(SettingsWindow, CaptionList)->handle();
    RECT item;
    SendMessageW(control, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const LPARAM box = MAKELPARAM(item.left + 6, (item.top + item.bottom) / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, box);
    PostMessageW(control, WM_LBUTTONUP, 0, box);
    PostMessageW(layer().findUnit(SettingsWindow, TransparencySlider)->handle(), WM_KEYDOWN, VK_NEXT, 0);
    pumpUntil([] { return countOf("checkChanged") > 0 && countOf("transparencyChanged") > 0; });
    EXPECT_EQ(countOf("checkChanged"), 1u);
    EXPECT_TRUE(checked(1));
    EXPECT_EQ(countOf("transparencyChanged"), 1u);
}

}  // namespace
}  // namespace tessaly::ui::testing
