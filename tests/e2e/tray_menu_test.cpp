// The tray icon, the tool's one permanent handle: which buttons open its
// menu, and what "显示界面", "开机启动" and "退出" leave behind.
#include <gtest/gtest.h>

#include <optional>

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

// The tool with one caption and its settings window open.
class TrayMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory_.write(CaptionsFile, "一");
        directory_.write(ConfigFile, First);
        tool_.emplace(directory_);
        ASSERT_TRUE(tool_->started());
        settings_ = tool_->openSettings();
        ASSERT_NE(settings_, nullptr);
        units_ = settingsUnits(settings_);
    }

    ProgramDirectory directory_;
    std::optional<ToolProcess> tool_;
    HWND settings_ = nullptr;
    SettingsUnits units_{};
};

TEST_F(TrayMenu, LeftClicksDoNothingAndShowingTheSettingsTwiceLeavesOneFreshlyFilledWindow)
{
    const std::vector<HWND> labels = tool_->captionLabels();
    ASSERT_EQ(labels.size(), 1u);

    tool_->trayEvent(WM_LBUTTONUP);
    tool_->trayEvent(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(waitForPostedMessages(units_.hideHotkey));
    EXPECT_EQ(openMenu(tool_->id()), nullptr) << "only the right button opens the menu";
    EXPECT_EQ(tool_->captionLabels(), labels) << "nor do they reload the captions";

    directory_.write(CaptionsFile, "一\r\n二");
    directory_.write(ConfigFile, joinedLines({First, Second}));
    tool_->chooseTrayEntry(ShowSettingsEntry);
    ASSERT_TRUE(waitUntil([&] { return listCount(units_.list) == 2; }));
    EXPECT_EQ(tool_->settingsWindow(), settings_);
    EXPECT_EQ(visibleSettingsWindows(*tool_), 1u);
    EXPECT_EQ(listText(units_.list, 1), "二 (不滚动)");
    EXPECT_TRUE(listChecked(units_.list, 1));
    EXPECT_TRUE(waitUntil([&] { return tool_->visibleCaptionLabels().size() == 2u; }));
    EXPECT_EQ(tool_->exitFromTray(), 0u);
}

TEST_F(TrayMenu, ExitWithTheSettingsWindowAndTheEditorOpenStoresTheSettingsButNotTheEditor)
{
    clickButton(units_.settings);
    postSliderKey(units_.slider, VK_HOME);
    ASSERT_TRUE(waitUntil([&] { return sliderPosition(units_.slider) == 100; }));
    clickButton(units_.addCaption);
    HWND editor = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (editor = tool_->editorWindow()) != nullptr; }));
    setText(editorUnits(editor).content, "不存");
    // What the configuration file holds is kept in memory and written back on the way out.
    directory_.remove(ConfigFile);

    EXPECT_EQ(tool_->exitFromTray(), 0u);
    EXPECT_EQ(readSetting(directory_, "透明度"), "100");
    EXPECT_EQ(directory_.read(ConfigFile), First);
    EXPECT_EQ(directory_.read(CaptionsFile), "一");
}

bool exists(const std::wstring& file) { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A first run in the program directory writes the settings file there; a
// tool started from the shortcut doing so has found its own directory.
TEST(StartWithWindows, TheShortcutComesAndGoesAndTheToolStartsFromIt)
{
    const std::wstring shortcut = startupShortcut();
    DeleteFileW(shortcut.c_str());
    ProgramDirectory directory;
    {
        ToolProcess tool(directory);
        ASSERT_TRUE(tool.started());
        tool.chooseTrayEntry(StartWithWindowsEntry);
        ASSERT_TRUE(waitUntil([&] { return exists(shortcut); }));
        tool.chooseTrayEntry(StartWithWindowsEntry);
        EXPECT_TRUE(waitUntil([&] { return !exists(shortcut); })) << "checked, the entry takes it away";
        tool.chooseTrayEntry(StartWithWindowsEntry);
        ASSERT_TRUE(waitUntil([&] { return exists(shortcut); }));
        EXPECT_EQ(tool.exitFromTray(), 0u);
    }
    directory.remove(SettingsFile);

    ToolProcess started(shortcut);
    EXPECT_TRUE(started.started());
    EXPECT_TRUE(started.hasTrayIcon());
    EXPECT_TRUE(waitUntil([&] { return directory.exists(SettingsFile); }));
    EXPECT_EQ(started.exitFromTray(), 0u);
    DeleteFileW(shortcut.c_str());
}

}  // namespace
}  // namespace tessaly::e2e
