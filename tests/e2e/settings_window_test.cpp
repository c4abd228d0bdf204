// The settings window as the user works it: its two widths, the slider and
// the speed box, the check marks of the caption list and its operation menu.
#include <gtest/gtest.h>

#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

bool hasSize(HWND window, LONG width, LONG height)
{
    const SIZE size = windowSize(window);
    return size.cx == width && size.cy == height;
}

TEST(SettingsWindow, OpensCompactAndItsButtonTogglesTheWidthReloadingSliderAndSpeed)
{
    // A transparency below the slider's range, as only a hand-edited file holds it.
    SettingsSession open("", "", "[透明度]\r\n值=50\r\n[滚动速度]\r\n值=4\r\n");
    ASSERT_TRUE(open.ready());
    ToolProcess& tool = *open.tool;
    const ProgramDirectory& directory = open.directory;
    HWND settings = open.settings;
    EXPECT_TRUE(hasSize(settings, 320, 310));

    // Shown at the slider's nearest end, the stored value stays until the slider moves.
    clickButton(open.units.settings);
    ASSERT_TRUE(waitUntil([&] { return hasSize(settings, 628, 310); }));
    EXPECT_EQ(sliderPosition(open.units.slider), 100);
    EXPECT_EQ(controlTextGbk(open.units.speed), "4");
    EXPECT_EQ(layeredAlpha(tool.display()), 50);
    closeWindow(settings);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(settings); }));
    EXPECT_EQ(readSetting(directory, "透明度"), "50");

    // Closed expanded, it opens compact again.
    settings = tool.openSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(hasSize(settings, 320, 310));
    const SettingsUnits units = settingsUnits(settings);

    // Each press loads the slider and the speed box from the values in force.
    setSliderSilently(units.slider, 200);
    setText(units.speed, "");
    EXPECT_EQ(readSetting(directory, "滚动速度"), "0") << "an emptied box stores 0 at once";
    clickButton(units.settings);
    ASSERT_TRUE(waitUntil([&] { return hasSize(settings, 628, 310); }));
    EXPECT_EQ(sliderPosition(units.slider), 100);
    EXPECT_EQ(controlTextGbk(units.speed), "0");
    setSliderSilently(units.slider, 200);
    clickButton(units.settings);
    ASSERT_TRUE(waitUntil([&] { return hasSize(settings, 320, 310); }));
    EXPECT_EQ(sliderPosition(units.slider), 100);

    // The slider applies its alpha at once and stores it when the window closes.
    clickButton(units.settings);
    ASSERT_TRUE(waitUntil([&] { return hasSize(settings, 628, 310); }));
    postSliderKey(units.slider, VK_END);
    ASSERT_TRUE(waitUntil([&] { return layeredAlpha(tool.display()) == 255; }));
    EXPECT_EQ(readSetting(directory, "透明度"), "50");
    postSliderKey(units.slider, VK_PRIOR);
    ASSERT_TRUE(waitUntil([&] { return layeredAlpha(tool.display()) == 250; })) << "a page is five";
    closeWindow(settings);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(settings); }));
    EXPECT_EQ(readSetting(directory, "透明度"), "250");
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

// The screen's dots per inch for the programs started while it lives (Wine
// reads them as a program starts); the former value comes back at its end.
class ScreenDotsPerInch {
public:
    explicit ScreenDotsPerInch(DWORD dotsPerInch)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &key_, nullptr);
        DWORD size = sizeof former_;
        had_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&former_), &size) ==
               ERROR_SUCCESS;
        RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dotsPerInch), sizeof dotsPerInch);
    }
    ~ScreenDotsPerInch()
    {
        if (had_)
            RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&former_), sizeof former_);
        else
            RegDeleteValueW(key_, L"LogPixels");
        RegCloseKey(key_);
    }
    ScreenDotsPerInch(const ScreenDotsPerInch&) = delete;
    ScreenDotsPerInch& operator=(const ScreenDotsPerInch&) = delete;

private:
    HKEY key_ = nullptr;
    DWORD former_ = 0;
    bool had_ = false;
};

// At 150 % the system's fonts grow by half, and so does the window: its units
// stand where the description puts them, scaled, and its two widths too.
TEST(SettingsWindow, AtOneAndAHalfTimesTheUsualDotsPerInchItIsLaidOutToScale)
{
    // The test sees the tool's own pixels, not ones scaled back for an unaware program.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const ScreenDotsPerInch screen(144);
    ProgramDirectory directory;
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    const HWND settings = tool.openSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(hasSize(settings, 480, 465));
    const HWND button = unitAt(settings, 144, 324);  // "设置", at 96, 216 in the description
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(windowSize(button).cx, 120);
    EXPECT_EQ(windowSize(button).cy, 48);
    clickButton(button);
    EXPECT_TRUE(waitUntil([&] { return hasSize(settings, 942, 465); }));
    clickButton(button);
    EXPECT_TRUE(waitUntil([&] { return hasSize(settings, 480, 465); })) << "and narrow again";
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

TEST(SettingsWindow, CheckingAnEntryRewritesItsShownFieldAlone)
{
    const std::string nineFields = configurationLine({"宋体", "24", "255", "0", "真", "3", "假", "40", "50"});
    const std::string twelveFields =
        configurationLine({"宋体", "30", "65280", "4194368", "假", "4", "假", "60", "70", "真", "真", "3"});
    SettingsSession open("甲\r\n乙", joinedLines({nineFields, twelveFields}));
    ASSERT_TRUE(open.ready());
    ToolProcess& tool = *open.tool;
    const ProgramDirectory& directory = open.directory;
    const HWND list = open.units.list;
    ASSERT_EQ(listCount(list), 2);
    EXPECT_EQ(listText(list, 0), "甲 (上到下)");
    EXPECT_EQ(listText(list, 1), "乙 (不滚动)");
    EXPECT_EQ(directory.read(ConfigFile), joinedLines({nineFields, twelveFields})) << "filling the list stores nothing";

    clickListCheckBox(list, 1);
    const std::string twelveShown =
        configurationLine({"宋体", "30", "65280", "4194368", "假", "4", "真", "60", "70", "真", "真", "3"});
    std::string expected = joinedLines({nineFields, twelveShown});
    ASSERT_EQ(awaitFile(directory, ConfigFile, expected), expected);
    EXPECT_TRUE(tool.awaitCaptionShown(tool.captionLabel("乙"), true));
    EXPECT_TRUE(tool.awaitCaptionShown(tool.captionLabel("甲"), false));

    clickListCheckBox(list, 0);
    const std::string nineShown = configurationLine({"宋体", "24", "255", "0", "真", "3", "真", "40", "50"});
    expected = joinedLines({nineShown, twelveShown});
    ASSERT_EQ(awaitFile(directory, ConfigFile, expected), expected);
    EXPECT_TRUE(tool.awaitCaptionShown(tool.captionLabel("甲"), true));

    clickListCheckBox(list, 1);
    expected = joinedLines({nineShown, twelveFields});
    ASSERT_EQ(awaitFile(directory, ConfigFile, expected), expected);
    EXPECT_TRUE(tool.awaitCaptionShown(tool.captionLabel("乙"), false));
    EXPECT_EQ(directory.read(CaptionsFile), "甲\r\n乙");
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

TEST(OperationMenu, ActsOnTheSelectedCaptionOnlyAndRenumbersTheRest)
{
    const std::string a = configurationLine({"宋体", "24", "255", "0", "假", "1", "真", "100", "100", "假", "假", "0"});
    const std::string b = configurationLine({"宋体", "24", "255", "0", "假", "1", "真", "100", "300", "假", "假", "0"});
    const std::string c = configurationLine({"宋体", "24", "255", "0", "假", "1", "真", "100", "500", "假", "假", "0"});
    SettingsSession open("一号\r\n二号\r\n三号", joinedLines({a, b, c}));
    ASSERT_TRUE(open.ready());
    ToolProcess& tool = *open.tool;
    const ProgramDirectory& directory = open.directory;
    const SettingsUnits& units = open.units;
    ASSERT_EQ(listSelection(units.list), -1);

    // Nothing selected: neither entry does anything.
    open.chooseFromMenu(-1, EditEntry);
    open.chooseFromMenu(-1, DeleteEntry);
    ASSERT_TRUE(waitForPostedMessages(units.hideHotkey));
    EXPECT_EQ(tool.editorWindow(), nullptr);
    EXPECT_EQ(listCount(units.list), 3);
    EXPECT_EQ(tool.captionLabels().size(), 3u);
    EXPECT_EQ(directory.read(CaptionsFile), "一号\r\n二号\r\n三号");
    EXPECT_EQ(directory.read(ConfigFile), joinedLines({a, b, c}));

    // The middle one deleted: the last becomes caption 2, in the files and to the mouse.
    open.chooseFromMenu(1, DeleteEntry);
    EXPECT_EQ(awaitFile(directory, ConfigFile, joinedLines({a, c})), joinedLines({a, c}));
    EXPECT_EQ(directory.read(CaptionsFile), "一号\r\n三号") << "written first";
    ASSERT_EQ(listCount(units.list), 2);
    EXPECT_EQ(listText(units.list, 1), "三号 (不滚动)");
    EXPECT_EQ(tool.captionLabel("二号"), nullptr);

    const HWND third = tool.captionLabel("三号");
    ASSERT_NE(third, nullptr);
    dragLabel(third, 50, 0);
    const std::string moved = configurationLine({"宋体", "24", "255", "0", "假", "1", "真", "150", "500", "假", "假", "0"});
    EXPECT_EQ(awaitFile(directory, ConfigFile, joinedLines({a, moved})), joinedLines({a, moved}));
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

}  // namespace
}  // namespace tessaly::e2e
