// The two global hotkeys: captured in the settings window's read-only boxes
// (display text in the box, stored form in the settings file), registered at
// start and after every capture; the hide hotkey hides every caption, the
// show hotkey shows the checked ones again; Esc clears a hotkey.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "tests/e2e/caption_files.h"
#include "tests/e2e/shared_tool_suite.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

constexpr POINT HideBoxPlace{392, 120};
constexpr POINT ShowBoxPlace{392, 144};
constexpr POINT SpeedBoxPlace{392, 64};
const std::string HideSection = "隐藏快捷键";
const std::string ShowSection = "显示快捷键";

CaptionLook captionAt(int top, bool shown)
{
    CaptionLook look;
    look.background = RGB(0, 0, 100);
    look.left = 100;
    look.top = top;
    look.shown = shown;
    return look;
}

class Hotkeys : public SharedToolSuite<Hotkeys> {
protected:
    static void SetUpTestSuite()
    {
        // Ctrl+H hides, Ctrl+J shows.
        startTool({{"First", captionAt(100, true).line()},
                   {"Second", captionAt(200, true).line()},
                   {"Unchecked", captionAt(300, false).line()}},
                  "[隐藏快捷键]\r\n值=1+72\r\n[显示快捷键]\r\n值=1+74\r\n");
    }

    static std::vector<std::string> visibleCaptions()
    {
        std::vector<std::string> texts;
        for (HWND label : tool_->visibleCaptionLabels()) texts.push_back(windowTextGbk(label));
        std::sort(texts.begin(), texts.end());
        return texts;
    }
    static bool captionsShown(const std::vector<std::string>& texts)
    {
        return waitUntil([&] { return visibleCaptions() == texts; });
    }

    // Opens the settings window, makes it the foreground window and puts the
    // focus in the speed box, where keys capture nothing.
    static HWND leaveHotkeyBoxes()
    {
        HWND settings = tool_->settingsWindow();
        if (settings == nullptr) settings = tool_->openSettings();
        if (settings == nullptr || !bringToFront(settings)) return nullptr;
        const HWND speed = unitAt(settings, SpeedBoxPlace.x, SpeedBoxPlace.y);
        postClick(speed, 5, 5);
        return waitUntil([&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(GetWindowThreadProcessId(speed, nullptr), &info) && info.hwndFocus == speed;
        }) ? settings : nullptr;
    }

    // Focuses the box anew, coming from the speed box, so that it shows its prompt.
    static HWND focusBox(POINT place)
    {
        const HWND settings = leaveHotkeyBoxes();
        if (settings == nullptr) return nullptr;
        const HWND box = unitAt(settings, place.x, place.y);
        postClick(box, 5, 5);
        return waitUntil([&] { return controlTextGbk(box) == "请按下按键"; }) ? box : nullptr;
    }

    static bool captured(HWND box, const std::string& shown, const std::string& section, const std::string& stored)
    {
        return waitUntil([&] { return controlTextGbk(box) == shown && readSetting(*directory_, section) == stored; });
    }
};

TEST_F(Hotkeys, StoredHotkeysHideEveryCaptionAndShowOnlyTheCheckedOnes)
{
    ASSERT_TRUE(tool_->started());
    ASSERT_TRUE(captionsShown({"First", "Second"}));
    sendChord({VK_CONTROL}, 'H');
    EXPECT_TRUE(captionsShown({}));
    sendChord({VK_CONTROL}, 'J');
    EXPECT_TRUE(captionsShown({"First", "Second"}));
}

TEST_F(Hotkeys, AKeyPressedInABoxIsShownAndStoredInItsForm)
{
    const HWND hide = focusBox(HideBoxPlace);
    ASSERT_NE(hide, nullptr);
    sendChord({VK_CONTROL}, 'A');
    EXPECT_TRUE(captured(hide, "Ctrl+A 键", HideSection, "1+65"));
    sendChord({VK_SHIFT}, 'F');
    EXPECT_TRUE(captured(hide, "Shift+F 键", HideSection, "2+70"));
    sendChord({VK_MENU}, 'A');
    EXPECT_TRUE(captured(hide, "Alt+A 键", HideSection, "4+65"));
    sendChord({VK_CONTROL, VK_SHIFT}, 'A');
    EXPECT_TRUE(captured(hide, "A 键", HideSection, "65")) << "two modifiers: the bare key";
    sendKey('B');
    EXPECT_TRUE(captured(hide, "B 键", HideSection, "66"));
    sendKey(VK_ESCAPE);
    EXPECT_TRUE(captured(hide, "无", HideSection, "无"));

    const HWND show = focusBox(ShowBoxPlace);
    ASSERT_NE(show, nullptr);
    sendChord({VK_CONTROL}, 'K');
    EXPECT_TRUE(captured(show, "Ctrl+K 键", ShowSection, "1+75"));
}

// A captured hotkey is registered at once and takes the key from the box;
// once Esc has cleared it, the same keys reach the box again.
TEST_F(Hotkeys, ACapturedHotkeyWorksAtOnceAndEscClearsIt)
{
    const HWND show = focusBox(ShowBoxPlace);
    ASSERT_NE(show, nullptr);
    sendChord({VK_CONTROL}, 'M');
    ASSERT_TRUE(captured(show, "Ctrl+M 键", ShowSection, "1+77"));
    const HWND hide = focusBox(HideBoxPlace);
    ASSERT_NE(hide, nullptr);
    sendChord({VK_CONTROL}, 'Q');
    ASSERT_TRUE(captured(hide, "Ctrl+Q 键", HideSection, "1+81"));

    // Every key pressed in a hotkey box is a capture, the modifier of a chord
    // too; the hotkeys are pressed with the focus elsewhere. Keys are matched
    // against the hotkeys as they arrive, so they are pressed once registered.
    ASSERT_NE(leaveHotkeyBoxes(), nullptr);
    ASSERT_TRUE(waitUntil([] { return hotkeyTaken(MOD_CONTROL, 'Q') && hotkeyTaken(MOD_CONTROL, 'M'); }));
    sendChord({VK_CONTROL}, 'Q');
    EXPECT_TRUE(captionsShown({})) << "hidden by the new hotkey";
    sendChord({VK_CONTROL}, 'M');
    EXPECT_TRUE(captionsShown({"First", "Second"})) << "the checked captions shown again";

    ASSERT_EQ(focusBox(HideBoxPlace), hide);
    sendKey(VK_ESCAPE);
    ASSERT_TRUE(captured(hide, "无", HideSection, "无"));
    EXPECT_TRUE(waitUntil([] { return !hotkeyTaken(MOD_CONTROL, 'Q'); })) << "no longer registered";
    ASSERT_EQ(focusBox(HideBoxPlace), hide);
    sendChord({VK_CONTROL}, 'Q');
    EXPECT_TRUE(captured(hide, "Ctrl+Q 键", HideSection, "1+81")) << "no hotkey took the keys";
    EXPECT_EQ(visibleCaptions(), (std::vector<std::string>{"First", "Second"}));
}

}  // namespace
}  // namespace tessaly::e2e
