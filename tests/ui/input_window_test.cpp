// A loaded window holding an edit box, a read-only box, a button, a check box
// and a drop-down list, driven with real messages and key presses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "runtime/core/memory.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/value_blocks.h"
#include "runtime/ui/property_access.h"
#include "runtime/ui/type_data.h"
#include "runtime/ui/type_data_io.h"
#include "runtime/ui/units/control_look.h"
#include "runtime/ui/units/unit_types.h"
#include "runtime/ui/window_layer.h"
#include "tests/ui/frame_setup.h"
#include "tests/ui/message_pump.h"

namespace tessaly::ui {
namespace {

using testing::pumpPending;
using testing::pumpUntil;

constexpr uint32_t Settings = 0x52000101;
constexpr uint32_t SettingsOwn = 0x06000101;
constexpr uint32_t Content = 0x16000102;
constexpr uint32_t Hotkey = 0x16000103;
constexpr uint32_t Apply = 0x16000104;
constexpr uint32_t Bold = 0x16000105;
constexpr uint32_t Direction = 0x16000106;

std::vector<std::string> g_events;

TypedValue get(uint32_t unit, int32_t property) { return readUnitProperty(WindowLayer::instance(), {Settings, unit, property, -1}); }
void set(uint32_t unit, int32_t property, TypedValue v) { writeUnitProperty(WindowLayer::instance(), {Settings, unit, property, -1}, v); }

RoutineResult nothing() { return {}; }
RoutineResult onContentChanged(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) { g_events.push_back("content"); return nothing(); }
RoutineResult onHotkeyKey(intptr_t key, intptr_t, intptr_t, intptr_t, intptr_t)
{
    g_events.push_back("key " + std::to_string(key));
    return nothing();
}
RoutineResult onApply(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) { g_events.push_back("apply"); return nothing(); }
RoutineResult onBold(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    g_events.push_back(std::string("bold ") + (get(Bold, 18).asBool() ? "on" : "off"));
    return nothing();
}
RoutineResult onDirection(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    g_events.push_back("direction " + std::to_string(get(Direction, 19).asInt()));
    return nothing();
}

const std::vector<RoutineEntry>& routines()
{
    static const std::vector<RoutineEntry> all = {&onContentChanged, &onHotkeyKey, &onApply, &onBold, &onDirection};
    return all;
}
uintptr_t codeBase()
{
    uintptr_t base = UINTPTR_MAX;
    for (RoutineEntry r : routines()) base = std::min(base, reinterpret_cast<uintptr_t>(r));
    return base;
}
uint32_t word(RoutineEntry r) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(r) - codeBase()); }

UnitRecord unitRecord(uint32_t typeId, std::string name, UnitPosition at, Bytes typeData,
                      std::vector<EventBinding> bindings)
{
    UnitRecord r;
    r.typeId = typeId;
    r.name = std::move(name);
    r.position = at;
    r.flags = UnitFlag::Visible | UnitFlag::TabStop;
    r.typeData = std::move(typeData);
    r.bindings = std::move(bindings);
    return r;
}

Bytes templateBlock()
{
    WindowData window;
    window.border = 2;
    window.title = "输入组件";
    window.showInTaskBar = 1;
    UnitRecord own;
    own.typeId = TypeId::Window;
    own.position = {60, 60, 360, 240};
    own.flags = UnitFlag::Visible;
    own.typeData = writeTypeData(WindowRows, window);

    EditBoxData content;
    content.content = "第一行字幕";
    EditBoxData hotkey;
    hotkey.alignment = 1;
    hotkey.inputMode = 1;
    hotkey.border = 3;
    hotkey.content = "Ctrl + F9";
    ButtonData apply;
    apply.caption = "应用";
    apply.defaultButton = 1;
    CheckBoxData bold;
    bold.caption = "加粗显示";
    bold.backgroundColour = 0xFFFFFF;
    ComboBoxData direction;
    direction.type = 2;
    direction.items = {"左到右", "右到左", "上到下", "下到上"};
    direction.currentItem = 0;
    direction.extraItemHeight = 1;
    direction.font = makeLogFont(-12, 400, 134, "宋体");

    WindowTemplate w;
    w.id = Settings;
    w.units.addRecord(SettingsOwn, encodeUnitRecord(own));
    w.units.addRecord(Content, encodeUnitRecord(unitRecord(TypeId::EditBox, "编辑框_内容", {16, 16, 220, 24},
                                                           writeTypeData(EditBoxRows, content), {{0, word(&onContentChanged)}})));
    w.units.addRecord(Hotkey, encodeUnitRecord(unitRecord(TypeId::EditBox, "编辑框_显示快捷键", {16, 52, 220, 24},
                                                          writeTypeData(EditBoxRows, hotkey), {{-9, word(&onHotkeyKey)}})));
    w.units.addRecord(Apply, encodeUnitRecord(unitRecord(TypeId::Button, "按钮_应用", {250, 16, 80, 28},
                                                         writeTypeData(ButtonRows, apply), {{0, word(&onApply)}})));
    w.units.addRecord(Bold, encodeUnitRecord(unitRecord(TypeId::CheckBox, "选择框_加粗", {16, 88, 220, 24},
                                                        writeTypeData(CheckBoxRows, bold), {{0, word(&onBold)}})));
    w.units.addRecord(Direction, encodeUnitRecord(unitRecord(TypeId::ComboBox, "组合框_方式", {16, 124, 220, 24},
                                                             writeTypeData(ComboBoxRows, direction), {{0, word(&onDirection)}})));
    return writeTemplateBlock({&w});
}


size_t countOf(const std::string& event) { return static_cast<size_t>(std::count(g_events.begin(), g_events.end(), event)); }

void pressKey(WORD key)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

class InputWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        registerUnitTypes();
        static const Bytes block = templateBlock();
        testing::startFrame(block.data(), static_cast<uint32_t>(block.size()), codeBase(), 0x200);
    }
    void SetUp() override
    {
        ASSERT_TRUE(WindowLayer::instance().load(Settings, 0, false));
        SetForegroundWindow(window());
        pumpUntil([] { return false; }, 100);
        g_events.clear();
    }
    void TearDown() override
    {
        if (LoadedWindow* w = WindowLayer::instance().findWindow(Settings)) DestroyWindow(w->handle());
    }
    static HWND window() { return WindowLayer::instance().findWindow(Settings)->handle(); }
    static HWND handleOf(uint32_t unit) { return WindowLayer::instance().findUnit(Settings, unit)->handle(); }
};

TEST_F(InputWindow, UnitsComeUpFromTheirTemplate)
{
    EXPECT_STREQ(get(Content, 8).text(), "第一行字幕");
    EXPECT_EQ(get(Direction, 19).asInt(), 0);
    EXPECT_EQ(GetWindowLongPtrW(handleOf(Apply), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_TRUE(GetWindowLongPtrW(handleOf(Hotkey), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(IsWindowVisible(handleOf(Direction)));
    // Held open for a look at the screen when asked.
    if (const char* hold = std::getenv("TESSALY_HOLD_MS")) pumpUntil([] { return false; }, std::atoi(hold));
}

TEST_F(InputWindow, ContentWriteRunsTheChangedRoutineOnce)
{
    set(Content, 8, TypedValue::ofPointer("第二行", TypeCode::Text));
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(countOf("content"), 1u);
    EXPECT_STREQ(get(Content, 8).text(), "第二行");
}

TEST_F(InputWindow, ReadOnlyBoxStillRaisesKeyDown)
{
    SetFocus(handleOf(Hotkey));
    pressKey('A');
    pumpUntil([] { return countOf("key 65") > 0; });
    EXPECT_EQ(countOf("key 65"), 1u);
    EXPECT_EQ(windowTextGbk(handleOf(Hotkey)), "Ctrl + F9");
}

TEST_F(InputWindow, ButtonAndCheckBoxClicksComeBackToTheirUnits)
{
    SendMessageW(handleOf(Apply), BM_CLICK, 0, 0);
    SendMessageW(handleOf(Bold), BM_CLICK, 0, 0);
    pumpUntil([] { return countOf("bold on") > 0; });
    EXPECT_EQ(countOf("apply"), 1u);
    EXPECT_EQ(countOf("bold on"), 1u);
    set(Bold, 18, TypedValue::ofBool(false));
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(countOf("bold off"), 0u) << "a checked write is no click";
}

TEST_F(InputWindow, ComboSelectionByKeyboardRaisesTheEventWithTheFinalItem)
{
    SetFocus(handleOf(Direction));
    PostMessageW(handleOf(Direction), WM_KEYDOWN, VK_DOWN, 0);
    pumpUntil([] { return !g_events.empty(); });
    EXPECT_EQ(g_events, std::vector<std::string>{"direction 1"});
    set(Direction, 19, TypedValue::ofInt(99));
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(get(Direction, 19).asInt(), 3);
    EXPECT_EQ(g_events.size(), 1u);
}

TEST_F(InputWindow, ReCreatingAUnitKeepsItsPlaceVisibilityAndText)
{
    HWND before = handleOf(Content);
    set(Content, 8, TypedValue::ofPointer("保留的文字", TypeCode::Text));
    set(Content, 0, TypedValue::ofInt(20));
    set(Content, 15, TypedValue::ofBool(true));  // multi-line is a creation style
    HWND after = handleOf(Content);
    EXPECT_NE(after, before);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_TRUE(GetWindowLongPtrW(after, GWL_STYLE) & ES_MULTILINE);
    EXPECT_EQ(get(Content, 0).asInt(), 20);
    EXPECT_EQ(get(Content, 1).asInt(), 16);
    EXPECT_EQ(get(Content, 2).asInt(), 220);
    EXPECT_TRUE(get(Content, 5).asBool());
    EXPECT_STREQ(get(Content, 8).text(), "保留的文字");
    EXPECT_EQ(GetParent(after), window());
}

}  // namespace
}  // namespace tessaly::ui
