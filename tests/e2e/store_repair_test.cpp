// Caption files that do not pair up line for line, or whose lines lack
// fields, lose nothing: short lines are completed hidden and written back
// completed only when the user changes the store, and configuration lines
// without a caption are copied to a backup before a write would drop them.
#include <gtest/gtest.h>

#include "tests/e2e/caption_files.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

const std::string FirstBackup = "配置-备份.ini";
const std::string SecondBackup = "配置-备份2.ini";

// A new caption's fields, which stand in for every field a line lacks.
const std::vector<std::string> NewCaptionFields = {"宋体", "8", "16711680", "0", FalseText, "1",
                                                   FalseText, "10", "10", FalseText, FalseText, "0"};

std::vector<std::string> firstFields(const CaptionLook& look, size_t count)
{
    std::vector<std::string> fields = look.fields();
    fields.resize(count);
    return fields;
}

// The fields given, then a new caption's fields for the rest.
std::vector<std::string> completed(std::vector<std::string> fields)
{
    for (size_t n = fields.size(); n < NewCaptionFields.size(); ++n) fields.push_back(NewCaptionFields[n]);
    return fields;
}

CaptionLook visibleAt(int left, int top)
{
    CaptionLook look;
    look.background = RGB(0, 80, 80);
    look.left = left;
    look.top = top;
    look.strikeOut = true;
    look.underline = true;
    look.style = "1";
    return look;
}

TEST(StoreRepair, ShortLinesAreCompletedHiddenAndWrittenCompletedOnlyAtTheUsersFirstChange)
{
    ProgramDirectory directory;
    // Away from the settings window, which lies over the top left of the screen.
    const CaptionLook good = visibleAt(500, 100);
    const CaptionLook ten = visibleAt(500, 200);
    const CaptionLook eleven = visibleAt(500, 300);
    const std::vector<std::string> shortLine = firstFields(visibleAt(500, 400), 5);
    const std::string configText = joinLines({good.line(), joinFields(shortLine), joinFields(firstFields(ten, 10)),
                                              joinFields(firstFields(eleven, 11))});
    directory.write(CaptionsFile, joinLines({"Good", "Short", "Ten", "Eleven", "No line"}));
    directory.write(ConfigFile, configText);
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());

    EXPECT_EQ(tool.captionLabels().size(), 5u);
    EXPECT_TRUE(tool.awaitCaptionShown(tool.captionLabel("Ten"), true)) << "its own shown field kept";
    EXPECT_TRUE(tool.awaitCaptionShown(tool.captionLabel("Short"), false)) << "completed as a new caption, hidden";
    EXPECT_TRUE(tool.awaitCaptionShown(tool.captionLabel("No line"), false));
    EXPECT_EQ(rectInParent(tool.captionLabel("Eleven")).top, 300);
    EXPECT_EQ(directory.read(ConfigFile), configText) << "start-up writes the lines back as they were";

    ASSERT_NE(tool.openSettings(), nullptr);
    EXPECT_EQ(directory.read(ConfigFile), configText) << "opening the settings window changes nothing";
    nudgeCaption(tool, tool.captionLabel("Good"));
    std::vector<std::string> lines;
    ASSERT_TRUE(waitUntil([&] {
        lines = splitLines(directory.read(ConfigFile).value_or(""));
        return lines.size() == 5 && storedNumber(directory, 1, 8) == 530;
    }));
    EXPECT_EQ(fieldsOf(lines[0]).size(), 12u);
    EXPECT_EQ(fieldsOf(lines[1]), completed(shortLine));
    EXPECT_EQ(fieldsOf(lines[2]), completed(firstFields(ten, 10))) << "ten fields written with twelve";
    EXPECT_EQ(fieldsOf(lines[3]), completed(firstFields(eleven, 11))) << "eleven fields written with twelve";
    EXPECT_EQ(fieldsOf(lines[4]), NewCaptionFields) << "a line for the caption that had none";
    EXPECT_FALSE(directory.exists(FirstBackup)) << "no line was left over";
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

// A tick stores a scrolling caption's place, but it is no change of the
// user's: a ten-field line keeps its ten fields, only its place changes.
TEST(StoreRepair, ScrollingMovesACompletedLineAsItWasStoredApartFromItsPlace)
{
    ProgramDirectory directory;
    CaptionLook look = visibleAt(500, 200);
    look.scrolls = true;
    std::vector<std::string> tenFields = firstFields(look, 10);
    directory.write(CaptionsFile, "Ten");
    directory.write(ConfigFile, joinFields(tenFields));
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    ASSERT_TRUE(waitUntil([&] { return storedNumber(directory, 1, 8) > 500; }));
    const std::vector<std::string> stored = fieldsOf(storedLine(directory, 1));
    ASSERT_EQ(stored.size(), 10u);
    EXPECT_EQ((std::stoi(stored[7]) - 500) % 5, 0) << "moved in whole steps of the default speed";
    tenFields[7] = stored[7];
    EXPECT_EQ(stored, tenFields);
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

// Lines beyond the last caption move to a backup at the first change; an
// earlier backup stays as it is, even one that cannot be read just then.
TEST(StoreRepair, LinesBeyondTheLastCaptionMoveToANewBackupAtTheUsersFirstChange)
{
    ProgramDirectory directory;
    const CaptionLook only = visibleAt(500, 200);
    const std::vector<std::string> spare = {visibleAt(1, 1).line(), "odd line"};
    directory.write(CaptionsFile, "Only");
    directory.write(ConfigFile, joinLines({only.line(), spare[0], spare[1]}));
    directory.write(FirstBackup, "earlier backup");
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    ASSERT_NE(tool.openSettings(), nullptr);
    EXPECT_FALSE(directory.exists(SecondBackup)) << "nothing changed yet";
    HeldFile held(directory, FirstBackup, 0);
    ASSERT_TRUE(held.held());
    nudgeCaption(tool, tool.captionLabel("Only"));
    EXPECT_TRUE(waitUntil([&] { return directory.read(SecondBackup) == joinLines(spare); }));
    EXPECT_TRUE(waitUntil([&] { return splitLines(directory.read(ConfigFile).value_or("")).size() == 1; }));
    EXPECT_EQ(storedNumber(directory, 1, 8), 530);
    held.release();
    EXPECT_EQ(directory.read(FirstBackup), "earlier backup");
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

// A caption whose text is empty cannot stay when another is added (its line
// would be trimmed away); its configuration line goes to a backup.
TEST(StoreRepair, EmptyCaptionsDroppedWhenACaptionIsAddedLeaveTheirLinesInABackup)
{
    const std::vector<std::string> lines = {visibleAt(500, 100).line(), visibleAt(500, 200).line(),
                                            visibleAt(500, 300).line()};
    SettingsSession session("A\r\n\r\nC", joinLines(lines));
    ASSERT_TRUE(session.ready());
    const HWND editor = session.add();
    ASSERT_NE(editor, nullptr);
    setText(editorUnits(editor).content, "New");
    ASSERT_TRUE(session.confirm(editor));
    EXPECT_TRUE(waitUntil([&] { return session.directory.read(CaptionsFile) == joinLines({"A", "C", "New"}); }));
    EXPECT_EQ(session.directory.read(FirstBackup), lines[1]);
    const std::vector<std::string> stored = splitLines(session.directory.read(ConfigFile).value_or(""));
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0], lines[0]);
    EXPECT_EQ(stored[1], lines[2]);
    EXPECT_EQ(session.tool->exitFromTray(), 0u);
}

// With no caption to pair with, the configuration lines would be lost by the
// start-up's write of the empty configuration text; they go to a backup first.
TEST(StoreRepair, ConfigurationLinesWithoutACaptionsFileAreBackedUpBeforeTheyAreDropped)
{
    ProgramDirectory directory;
    const std::string lines = joinLines({visibleAt(10, 10).line(), visibleAt(20, 20).earlierLine()});
    directory.write(ConfigFile, lines);
    {
        ToolProcess tool(directory);
        ASSERT_TRUE(tool.started());
        EXPECT_TRUE(tool.captionLabels().empty());
        EXPECT_EQ(directory.read(FirstBackup), lines);
        EXPECT_EQ(directory.read(ConfigFile), "");
        EXPECT_EQ(tool.exitFromTray(), 0u);
    }

    // An empty captions file, the same lines again: the first backup stays.
    directory.write(CaptionsFile, "");
    directory.write(ConfigFile, "other lines");
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    EXPECT_EQ(directory.read(SecondBackup), "other lines");
    EXPECT_EQ(directory.read(FirstBackup), lines) << "never overwritten";
    EXPECT_EQ(directory.read(ConfigFile), "");
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

}  // namespace
}  // namespace tessaly::e2e
