// The tray icon, the tool's one permanent handle: which buttons open its
// menu, and what "显示界面" and "退出" leave behind.
#include <gtest/gtest.h>

#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

const std::string First = configurationLine({"宋体", "24", "255", "0", "假", "1", "真", "100", "100", "假", "假", "0"});
const std::string Second = configurationLine({"宋体", "24", "255", "0", "假", "1", "真", "100", "300", "假", "假", "0"});

size_t visibleSettingsWindows(const ToolProcess& tool)
{
    size_t count = 0;
    for (HWND w : topLevelWindows(tool.id()))
        if (IsWindowVisible(w) && className(w) == L"WTWindow" && windowTitle(w) == L"Tessaly字幕" &&
            (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED) == 0)
            ++count;
    return count;
}

TEST(TrayMenu, LeftClicksDoNothingAndShowingTheSettingsTwiceLeavesOneFreshlyFilledWindow)
{
    ProgramDirectory directory;
    directory.write(CaptionsFile, "一");
    directory.write(ConfigFile, First);
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    const HWND settings = tool.openSettings();
    ASSERT_NE(settings, nullptr);
    const SettingsUnits units = settingsUnits(settings);
    const std::vector<HWND> labels = tool.captionLabels();
    ASSERT_EQ(labels.size(), 1u);

    tool.trayEvent(WM_LBUTTONUP);
    tool.trayEvent(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(waitForPostedMessages(units.hideHotkey));
    EXPECT_EQ(openMenu(tool.id()), nullptr) << "only the right button opens the menu";
    EXPECT_EQ(tool.captionLabels(), labels) << "nor do they reload the captions";

    directory.write(CaptionsFile, "一\r\n二");
    directory.write(ConfigFile, joinedLines({First, Second}));
    tool.chooseTrayEntry(0);
    ASSERT_TRUE(waitUntil([&] { return listCount(units.list) == 2; }));
    EXPECT_EQ(tool.settingsWindow(), settings);
    EXPECT_EQ(visibleSettingsWindows(tool), 1u);
    EXPECT_EQ(listText(units.list, 1), "二 (不滚动)");
    EXPECT_TRUE(listChecked(units.list, 1));
    EXPECT_EQ(tool.visibleCaptionLabels().size(), 2u);
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

TEST(TrayMenu, ExitWithTheSettingsWindowAndTheEditorOpenStoresTheSettingsButNotTheEditor)
{
    ProgramDirectory directory;
    directory.write(CaptionsFile, "一");
    directory.write(ConfigFile, First);
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    const HWND settings = tool.openSettings();
    ASSERT_NE(settings, nullptr);
    const SettingsUnits units = settingsUnits(settings);

    clickButton(units.settings);
    postSliderKey(units.slider, VK_HOME);
    ASSERT_TRUE(waitUntil([&] { return sliderPosition(units.slider) == 100; }));
    clickButton(units.addCaption);
    HWND editor = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (editor = tool.editorWindow()) != nullptr; }));
    setText(editorUnits(editor).content, "不存");
    // What the configuration file holds is kept in memory and written back on the way out.
    directory.remove(ConfigFile);

    EXPECT_EQ(tool.exitFromTray(), 0u);
    EXPECT_EQ(readSetting(directory, "透明度"), "100");
    EXPECT_EQ(directory.read(ConfigFile), First);
    EXPECT_EQ(directory.read(CaptionsFile), "一");
}

}  // namespace
}  // namespace tessaly::e2e
