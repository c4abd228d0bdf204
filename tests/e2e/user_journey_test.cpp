// One user's way through the tool, from the tray icon to the end: captions
// added, shown, edited, dragged and deleted, the display settings and a
// hotkey changed, and after every step the three files hold what it stored.
#include <gtest/gtest.h>

#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

const std::string Morning = configurationLine({"宋体", "24", "255", "4194368", "假", "1", "真", "100", "200", "假", "假", "0"});

bool isClickThrough(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; }

LONG leftOf(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return r.left;
}

TEST(UserJourney, FromTheTrayThroughEveryCaptionOperationToExit)
{
    // The settings window opens from the tray; the captions stand still and take the mouse.
    SettingsSession open("早安", Morning);
    ASSERT_TRUE(open.ready());
    ToolProcess& tool = *open.tool;
    const ProgramDirectory& directory = open.directory;
    const HWND settings = open.settings;
    const SettingsUnits& units = open.units;
    ASSERT_EQ(listCount(units.list), 1);
    EXPECT_EQ(listText(units.list, 0), "早安 (不滚动)");
    EXPECT_TRUE(listChecked(units.list, 0));
    EXPECT_FALSE(isClickThrough(tool.display()));

    // A caption added with the editor's start values but its text: hidden and unchecked.
    HWND editor = open.add();
    ASSERT_NE(editor, nullptr);
    EditorUnits fields = editorUnits(editor);
    const std::string font = selectedFont(editor);
    // The second caption's line, its font and background and look as they start.
    const auto evening = [&](const char* size, const char* colour, const char* scrolls, const char* direction,
                             const char* shown, const char* left, const char* top) {
        return configurationLine({font, size, colour, "0", scrolls, direction, shown, left, top, "假", "假", "0"});
    };
    setText(fields.content, "晚安");
    ASSERT_TRUE(open.confirm(editor));
    EXPECT_EQ(directory.read(CaptionsFile), "早安\r\n晚安");
    EXPECT_EQ(directory.read(ConfigFile), joinedLines({Morning, evening("8", "16711680", "假", "1", "假", "10", "10")}));
    ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(units.addCaption) != FALSE; }));
    ASSERT_EQ(listCount(units.list), 2);
    EXPECT_EQ(listText(units.list, 1), "晚安 (不滚动)");
    EXPECT_FALSE(listChecked(units.list, 1));
    // A new caption stands at 10, 10, under the system's tray window here:
    // the screen shows it only once it is larger and dragged away, below.
    ASSERT_NE(tool.captionLabel("晚安"), nullptr);

    // Checking it shows it and stores the shown flag alone.
    clickListCheckBox(units.list, 1);
    std::string expected = joinedLines({Morning, evening("8", "16711680", "假", "1", "真", "10", "10")});
    EXPECT_EQ(awaitFile(directory, ConfigFile, expected), expected);

    // Edited from the operation menu: colour, size and scrolling; shown flag and place stay.
    editor = open.edit(1);
    ASSERT_NE(editor, nullptr);
    fields = editorUnits(editor);
    EXPECT_EQ(comboText(fields.size, comboSelection(fields.size)), "8");
    EXPECT_FALSE(isChecked(fields.scrolls));
    EXPECT_FALSE(IsWindowEnabled(fields.direction));
    chooseColour(fields.colour, 0x00FF00);
    selectComboItem(fields.size, (36 - 8) / 2);
    clickButton(fields.scrolls);
    ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(fields.direction) != FALSE; }));
    selectComboItem(fields.direction, 1);
    ASSERT_TRUE(open.confirm(editor));
    EXPECT_EQ(directory.read(CaptionsFile), "早安\r\n晚安");
    EXPECT_EQ(directory.read(ConfigFile), joinedLines({Morning, evening("36", "65280", "真", "2", "真", "10", "10")}));
    EXPECT_EQ(listText(units.list, 1), "晚安 (右到左)");
    EXPECT_TRUE(listChecked(units.list, 1));

    // Dragged: its new place is stored at once.
    const HWND label = tool.captionLabel("晚安");
    ASSERT_TRUE(tool.awaitCaptionShown(label, true));
    dragLabel(label, 300, 200);
    expected = joinedLines({Morning, evening("36", "65280", "真", "2", "真", "310", "210")});
    EXPECT_EQ(awaitFile(directory, ConfigFile, expected), expected);

    // The other caption deleted; the one left answers as caption 1 when dragged.
    open.chooseFromMenu(0, DeleteEntry);
    expected = evening("36", "65280", "真", "2", "真", "310", "210");
    EXPECT_EQ(awaitFile(directory, ConfigFile, expected), expected);
    EXPECT_EQ(directory.read(CaptionsFile), "晚安");
    EXPECT_EQ(listCount(units.list), 1);
    EXPECT_EQ(tool.captionLabel("早安"), nullptr);
    dragLabel(label, 20, 30);
    expected = evening("36", "65280", "真", "2", "真", "330", "240");
    EXPECT_EQ(awaitFile(directory, ConfigFile, expected), expected);

    // Transparency applies at once and waits for the close; the speed is stored at once.
    clickButton(units.settings);
    ASSERT_TRUE(waitUntil([&] { return windowSize(settings).cx == 628; }));
    EXPECT_EQ(sliderPosition(units.slider), 255);
    EXPECT_EQ(controlTextGbk(units.speed), "5");
    postSliderKey(units.slider, VK_HOME);
    ASSERT_TRUE(waitUntil([&] { return layeredAlpha(tool.display()) == 100; }));
    EXPECT_EQ(readSetting(directory, "透明度"), "255");
    setText(units.speed, "3");
    EXPECT_EQ(readSetting(directory, "滚动速度"), "3");

    // A hide hotkey set, used and cleared again.
    ASSERT_TRUE(bringToFront(settings));
    postClick(units.hideHotkey, 5, 5);
    ASSERT_TRUE(waitUntil([&] { return controlTextGbk(units.hideHotkey) == "请按下按键"; }));
    sendChord({VK_CONTROL}, 'H');
    ASSERT_TRUE(waitUntil([&] { return controlTextGbk(units.hideHotkey) == "Ctrl+H 键"; }));
    EXPECT_EQ(readSetting(directory, "隐藏快捷键"), "1+72");
    // Pressed with the focus elsewhere: in the box its Ctrl alone would be captured first.
    selectListItem(units.list, 0);
    ASSERT_TRUE(waitForPostedMessages(units.hideHotkey));
    sendChord({VK_CONTROL}, 'H');
    ASSERT_TRUE(tool.awaitCaptionShown(label, false));
    EXPECT_TRUE(listChecked(units.list, 0)) << "the hotkey hides without unchecking";
    postClick(units.hideHotkey, 5, 5);
    ASSERT_TRUE(waitUntil([&] { return controlTextGbk(units.hideHotkey) == "请按下按键"; }));
    sendKey(VK_ESCAPE);
    ASSERT_TRUE(waitUntil([&] { return controlTextGbk(units.hideHotkey) == "无"; }));
    EXPECT_EQ(readSetting(directory, "隐藏快捷键"), "无");

    // Unchecked and checked again: the caption shows once more.
    clickListCheckBox(units.list, 0);
    ASSERT_TRUE(waitUntil([&] { return !listChecked(units.list, 0); }));
    clickListCheckBox(units.list, 0);
    ASSERT_TRUE(tool.awaitCaptionShown(label, true));
    EXPECT_EQ(awaitFile(directory, ConfigFile, expected), expected);

    // Closed: transparency stored, captions click-through and scrolling at the new speed.
    closeWindow(settings);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(settings); }));
    EXPECT_EQ(readSetting(directory, "透明度"), "100");
    EXPECT_TRUE(isClickThrough(tool.display()));
    EXPECT_EQ(layeredAlpha(tool.display()), 100);
    ASSERT_TRUE(waitUntil([&] { return leftOf(label) != 330; }));
    const LONG left = leftOf(label);
    const LONG travelled = left < 330 ? 330 - left : GetSystemMetrics(SM_CXSCREEN) - left;  // wrapped round
    EXPECT_EQ(travelled % 3, 0) << "right to left, three pixels a tick";

    EXPECT_EQ(tool.exitFromTray(), 0u);
    EXPECT_EQ(directory.read(CaptionsFile), "晚安");
    EXPECT_EQ(readSetting(directory, "滚动速度"), "3");
}

}  // namespace
}  // namespace tessaly::e2e
