// A loaded window holding an edit box, a read-only box, a button, a check box
// and a drop-down list, driven with real messages and key presses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/core/runtime_app.h"
#include "runtime/ui/property_access.h"
#include "runtime/ui/units/control_look.h"
#include "runtime/ui/window_layer.h"
#include "tests/ui/message_pump.h"
#include "tests/ui/window_kit.h"

namespace tessaly::ui {
namespace {

using testing::pumpPending;
using testing::pumpUntil;

constexpr uint32_t Settings = testing::KitWindowId;
constexpr uint32_t Content = 0x16000102;
constexpr uint32_t Hotkey = 0x16000103;
constexpr uint32_t Apply = 0x16000104;
constexpr uint32_t Bold = 0x16000105;
constexpr uint32_t Direction = 0x16000106;

TypedValue get(uint32_t unit, int32_t property) { return readUnitProperty(WindowLayer::instance(), {Settings, unit, property, -1}); }
void set(uint32_t unit, int32_t property, TypedValue v) { writeUnitProperty(WindowLayer::instance(), {Settings, unit, property, -1}, v); }

const char8_t Description[] = u8R"(
[EditBox 0x16000102 编辑框_内容]
position = 16 16 220 24
flags = visible tabstop
content = 第一行字幕
events = 0 content

[EditBox 0x16000103 编辑框_显示快捷键]
position = 16 52 220 24
flags = visible tabstop
alignment = 1
inputMode = 1
border = 3
content = Ctrl + F9
events = -9 hotkeyKey

[Button 0x16000104 按钮_应用]
position = 250 16 80 28
flags = visible tabstop
caption = 应用
defaultButton = 1
events = 0 apply

[CheckBox 0x16000105 选择框_加粗]
position = 16 88 220 24
flags = visible tabstop
caption = 加粗显示
backgroundColour = 0xFFFFFF
events = 0 bold

[ComboBox 0x16000106 组合框_方式]
position = 16 124 220 24
flags = visible tabstop
type = 2
items = 左到右|右到左|上到下|下到上
currentItem = 0
extraItemHeight = 1
font = -12 400 134 宋体
events = 0 direction
)";

const char8_t WindowKeys[] = u8"position = 60 60 360 240\nborder = 2\ntitle = 输入组件\nshowInTaskBar = 1";

void pressKey(WORD key)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

class InputWindow : public testing::KitTest {
protected:
    void SetUp() override
    {
        load(testing::utf8(Description), testing::utf8(WindowKeys));
        // The check box and the list are read inside their routines, as they stand then.
        window_->onCall("bold", [](testing::RoutineCall& c) {
            c.snapshot = get(Bold, 18).asBool() ? "on" : "off";
            return RoutineResult{};
        });
        window_->onCall("direction", [](testing::RoutineCall& c) {
            c.snapshot = std::to_string(get(Direction, 19).asInt());
            return RoutineResult{};
        });
        SetForegroundWindow(window());
        pumpUntil([] { return false; }, 100);
        window_->clearCalls();
    }
    HWND window() const { return window_->handle(); }
    HWND handleOf(uint32_t id) const { return unit(id)->handle(); }

    // The routines' calls as words: "content", "key 65", "apply", "bold on", "direction 1".
    std::vector<std::string> events() const
    {
        std::vector<std::string> words;
        for (const testing::RoutineCall& c : window_->calls()) {
            if (c.routine == "hotkeyKey") words.push_back("key " + std::to_string(c.arguments[0]));
            else words.push_back(c.routine + (c.snapshot.empty() ? "" : " " + c.snapshot));
        }
        return words;
    }
    size_t countOf(const std::string& event) const { return static_cast<size_t>(std::ranges::count(events(), event)); }
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
    pumpUntil([&] { return countOf("key 65") > 0; });
    EXPECT_EQ(countOf("key 65"), 1u);
    EXPECT_EQ(windowTextGbk(handleOf(Hotkey)), "Ctrl + F9");
}

TEST_F(InputWindow, ButtonAndCheckBoxClicksComeBackToTheirUnits)
{
    SendMessageW(handleOf(Apply), BM_CLICK, 0, 0);
    SendMessageW(handleOf(Bold), BM_CLICK, 0, 0);
    pumpUntil([&] { return countOf("bold on") > 0; });
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
    pumpUntil([&] { return !events().empty(); });
    EXPECT_EQ(events(), std::vector<std::string>{"direction 1"});
    set(Direction, 19, TypedValue::ofInt(99));
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(get(Direction, 19).asInt(), 3);
    EXPECT_EQ(events().size(), 1u);
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
