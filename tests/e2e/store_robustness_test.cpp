// The store never loses a line to what happens around it: bytes it cannot
// hold, files it cannot read or write, a second copy of the tool, a folder
// whose name the tool's files cannot be named in.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/caption_files.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

CaptionLook standingAt(int top)
{
    CaptionLook look;
    look.background = RGB(0, 80, 80);
    look.left = 500;
    look.top = top;
    return look;
}

const std::string ThreeCaptions = "One\r\nTwo\r\nThree";
std::string threeLines() { return joinLines({standingAt(100).line(), standingAt(200).line(), standingAt(300).line()}); }

void writeThreeCaptions(const ProgramDirectory& directory)
{
    directory.write(CaptionsFile, ThreeCaptions);
    directory.write(ConfigFile, threeLines());
}

// The message box the tool shows, once it shows one, names the file that
// could not be written; it is dismissed.
void expectNoticeNaming(const ToolProcess& tool, const std::string& file)
{
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = messageBox(tool.id())) != nullptr; }));
    EXPECT_NE(messageBoxText(box).find(file), std::string::npos) << messageBoxText(box);
    dismissMessageBox(box);
}

struct ZeroByteCase {
    const char* where;
    std::string captions;
    std::string config;
    std::string heldFile;  // the file that holds the zero byte
    std::vector<std::string> shown;
};

std::vector<ZeroByteCase> zeroByteCases()
{
    using namespace std::string_literals;
    std::string fieldWithZero = standingAt(200).line();
    fieldWithZero.insert(fieldWithZero.find(RecordSeparator), "\0"s);  // in the font name
    return {
        {"in a caption text", "One\r\nT\0wo\r\nThree"s, threeLines(), CaptionsFile, {"One", "Two", "Three"}},
        {"in a configuration field", "One\r\nTwo\r\nThree",
         joinLines({standingAt(100).line(), fieldWithZero, standingAt(300).line()}), ConfigFile, {"One", "Two", "Three"}},
        {"at the very end", "One\r\nTwo\r\nThree\0"s, threeLines(), CaptionsFile, {"One", "Two", "Three"}},
    };
}

// Lines after a zero byte are read and shown. The file stays as it is until
// the user changes the store; the first rewrite keeps the original beside
// it, byte for byte, under a name no earlier copy has.
TEST(StoreRobustness, ZeroBytesHideNoLineAndTheOriginalIsKeptBeforeTheFirstRewrite)
{
    for (const ZeroByteCase& c : zeroByteCases()) {
        SCOPED_TRACE(c.where);
        const std::string keptName = c.heldFile == CaptionsFile ? "字幕-原文件" : "配置-原文件";
        SettingsSession session(c.captions, c.config);
        ASSERT_TRUE(session.ready());
        session.directory.write(keptName + ".ini", "an earlier copy");
        ToolProcess& tool = *session.tool;
        for (const std::string& text : c.shown) EXPECT_NE(tool.captionLabel(text), nullptr) << text;
        EXPECT_EQ(listCount(session.units.list), 3);
        EXPECT_EQ(session.directory.read(CaptionsFile), c.captions) << "nothing written before a change";
        EXPECT_EQ(session.directory.read(ConfigFile), c.config);

        // Deleting the last caption rewrites both files.
        session.chooseFromMenu(2, DeleteEntry);
        EXPECT_TRUE(waitUntil([&] { return session.directory.exists(keptName + "2.ini"); }));
        EXPECT_EQ(session.directory.read(keptName + "2.ini"), c.heldFile == CaptionsFile ? c.captions : c.config);
        EXPECT_EQ(session.directory.read(keptName + ".ini"), "an earlier copy");
        const auto lineCount = [&](const std::string& name) { return splitLines(session.directory.read(name).value_or("")).size(); };
        EXPECT_TRUE(waitUntil([&] { return lineCount(CaptionsFile) == 2 && lineCount(ConfigFile) == 2; })) << "the files still pair";
        EXPECT_EQ(splitLines(session.directory.read(CaptionsFile).value_or("")), (std::vector<std::string>{"One", "Two"}));

        nudgeCaption(tool, tool.captionLabel("One"));
        EXPECT_TRUE(waitUntil([&] { return storedNumber(session.directory, 1, 8) == 530; }));
        EXPECT_FALSE(session.directory.exists(keptName + "3.ini")) << "one copy, before the first rewrite only";
        EXPECT_EQ(tool.exitFromTray(), 0u);
    }
}

// A read that fails is no empty file: nothing is written over the file, and
// the tool reads it again until it can.
TEST(StoreRobustness, ACaptionsFileHeldAtStartUpIsReadOnceItIsLetGoAndNeverWrittenOver)
{
    ProgramDirectory directory;
    writeThreeCaptions(directory);
    HeldFile held(directory, CaptionsFile, 0);
    ASSERT_TRUE(held.held());
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    EXPECT_TRUE(tool.captionLabels().empty());
    held.release();
    EXPECT_TRUE(waitUntil([&] { return tool.captionLabel("Three") != nullptr; })) << "read again once it can be";
    EXPECT_EQ(tool.captionLabels().size(), 3u);
    EXPECT_EQ(directory.read(CaptionsFile), ThreeCaptions);
    EXPECT_EQ(directory.read(ConfigFile), threeLines()) << "the start-up's write held back, then nothing to write";
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

// While a file cannot be read, the tool keeps what it holds: the captions
// stay on the screen and in the list, a change waits in memory (the user is
// told), and reaches the file as soon as the file can be read again.
TEST(StoreRobustness, AFileHeldDuringAReloadKeepsTheCaptionsAndTheChangeWaitsForIt)
{
    ProgramDirectory directory;
    writeThreeCaptions(directory);
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    HeldFile held(directory, ConfigFile, 0);
    const HWND settings = tool.openSettings();
    ASSERT_NE(settings, nullptr);
    const SettingsUnits units = settingsUnits(settings);
    EXPECT_EQ(tool.captionLabels().size(), 3u);
    EXPECT_EQ(listCount(units.list), 3) << "the list shows what the tool holds";

    clickListCheckBox(units.list, 1);
    expectNoticeNaming(tool, ConfigFile);
    if (HasFatalFailure()) return;
    EXPECT_TRUE(tool.awaitCaptionShown(tool.captionLabel("Two"), false));
    closeWindow(settings);
    EXPECT_TRUE(waitUntil([&] { return tool.settingsWindow() == nullptr; }));
    held.release();
    EXPECT_TRUE(waitUntil([&] { return fieldsOf(storedLine(directory, 2))[6] == FalseText; }));
    EXPECT_EQ(splitLines(directory.read(ConfigFile).value_or("")).size(), 3u);
    EXPECT_EQ(messageBox(tool.id()), nullptr) << "told once";
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

// A file that a reader holds without letting writers in cannot be replaced:
// the tool goes on with its state in memory, says so once, naming the file,
// and writes as soon as it can.
TEST(StoreRobustness, ALockedFileIsWrittenOnceItIsLetGoAndTheUserIsToldOnce)
{
    SettingsSession session(ThreeCaptions, threeLines());
    ASSERT_TRUE(session.ready());
    ToolProcess& tool = *session.tool;
    HeldFile held(session.directory, ConfigFile, FILE_SHARE_READ);
    ASSERT_TRUE(held.held());
    clickListCheckBox(session.units.list, 0);
    expectNoticeNaming(tool, ConfigFile);
    if (HasFatalFailure()) return;
    clickListCheckBox(session.units.list, 2);
    EXPECT_TRUE(waitForPostedMessages(session.units.hideHotkey));
    EXPECT_EQ(messageBox(tool.id()), nullptr) << "told once";
    EXPECT_EQ(session.directory.read(ConfigFile), threeLines());

    held.release();
    closeWindow(session.settings);
    EXPECT_TRUE(waitUntil([&] {
        const std::vector<std::string> lines = splitLines(session.directory.read(ConfigFile).value_or(""));
        return lines.size() == 3 && fieldsOf(lines[0])[6] == FalseText && fieldsOf(lines[2])[6] == FalseText;
    }));
    EXPECT_TRUE(tool.running());
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

// One tool per program folder: a second start there brings the running
// tool's settings window forward and ends with 0, however the folder's name
// is spelled; a copy in another folder runs on its own.
TEST(StoreRobustness, ASecondStartInTheSameFolderShowsTheRunningToolsSettingsWindowAndEnds)
{
    ProgramDirectory directory;
    writeThreeCaptions(directory);
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());

    StartedProgram second(directory.program());
    EXPECT_EQ(second.waitForExit(), 0u);
    EXPECT_TRUE(waitUntil([&] { return tool.settingsWindow() != nullptr; }));
    std::wstring shouted = directory.program();
    std::transform(shouted.begin(), shouted.end(), shouted.begin(), [](wchar_t c) { return towupper(c); });
    StartedProgram third(shouted);
    EXPECT_EQ(third.waitForExit(), 0u);

    ProgramDirectory elsewhere;
    elsewhere.write(CaptionsFile, "Elsewhere");
    elsewhere.write(ConfigFile, standingAt(400).line());
    ToolProcess other(elsewhere);
    ASSERT_TRUE(other.started());
    EXPECT_NE(other.captionLabel("Elsewhere"), nullptr);
    EXPECT_EQ(other.exitFromTray(), 0u);

    EXPECT_EQ(tool.exitFromTray(), 0u);
    EXPECT_EQ(directory.read(CaptionsFile), ThreeCaptions);
    EXPECT_EQ(splitLines(directory.read(ConfigFile).value_or("")).size(), 3u);
}

// A folder whose name GBK cannot hold is said at once, and no file is
// written anywhere.
TEST(StoreRobustness, AFolderNameThatGbkCannotHoldIsReportedAtStartUp)
{
    ProgramDirectory directory(L"-\xD55C\xAE00");
    StartedProgram tool(directory.program());
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = messageBox(tool.id())) != nullptr; }));
    EXPECT_NE(messageBoxText(box).find("GBK"), std::string::npos) << messageBoxText(box);
    dismissMessageBox(box);
    EXPECT_EQ(tool.waitForExit(), 1u);
    EXPECT_EQ(directory.fileNames(), std::set<std::string>{"tessaly.exe"});
}

}  // namespace
}  // namespace tessaly::e2e
