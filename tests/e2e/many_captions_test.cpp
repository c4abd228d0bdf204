// More captions than the window system lets a process show: the tool shows
// what it may, says so once, and keeps every line. The system's quota of
// windows per process is played by a hook on the tool's thread.
#include <gtest/gtest.h>

#include "tests/e2e/caption_files.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

constexpr int CaptionCount = 12000;
constexpr int WindowQuota = 800;

TEST(ManyCaptions, BeyondTheWindowQuotaTheToolShowsWhatItMaySaysSoOnceAndKeepsEveryLine)
{
    ProgramDirectory directory;
    std::vector<std::string> texts, lines;
    for (int i = 0; i < CaptionCount; ++i) {
        CaptionLook look;
        look.left = 300 + (i * 37) % 700;
        look.top = (i * 53) % 900;
        // Few shown: each shown label costs the full-screen window a repaint.
        look.shown = i % 40 == 0;
        texts.push_back("字幕 " + std::to_string(i + 1));
        lines.push_back(look.line());
    }
    const std::string captions = joinLines(texts), configuration = joinLines(lines);
    directory.write(CaptionsFile, captions);
    directory.write(ConfigFile, configuration);

    ToolLaunch launch;
    launch.environment = {{L"TESSALY_TEST_WINDOW_QUOTA", std::to_wstring(WindowQuota)}};
    launch.cbtHookLibrary = widen(WINDOW_QUOTA_HOOK);
    launch.awaitStartUp = false;
    ToolProcess tool(directory, launch);
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = messageBox(tool.id())) != nullptr; }, 60000));
    EXPECT_NE(messageBoxText(box).find("12000"), std::string::npos) << messageBoxText(box);
    dismissMessageBox(box);
    ASSERT_TRUE(tool.awaitStartUp(60000));
    EXPECT_GT(tool.captionLabels().size(), 0u);
    EXPECT_LT(tool.captionLabels().size(), static_cast<size_t>(WindowQuota));

    // The settings window still opens (the labels are made again), lists
    // every caption and closes again.
    const HWND settings = tool.openSettings(60000);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(listCount(settingsUnits(settings).list), CaptionCount);
    EXPECT_GT(tool.captionLabels().size(), 0u);
    EXPECT_EQ(messageBox(tool.id()), nullptr) << "told once";
    closeWindow(settings);
    EXPECT_TRUE(waitUntil([&] { return tool.settingsWindow() == nullptr; }, 30000));
    EXPECT_EQ(tool.exitFromTray(), 0u);
    EXPECT_EQ(directory.read(CaptionsFile), captions);
    EXPECT_EQ(directory.read(ConfigFile), configuration);
}

}  // namespace
}  // namespace tessaly::e2e
