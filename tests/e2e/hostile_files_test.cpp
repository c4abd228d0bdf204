// Caption files the tool did not write: empty, tens of megabytes, binary,
// in other encodings, cut in the middle of a character, with any number of
// fields and values out of every range. The tool starts, opens and closes
// its settings window and scrolls with each of them, without a crash, a
// hang or an error window, and changes no byte of them: the user has
// changed nothing.
#include <gtest/gtest.h>


#include "tests/e2e/caption_files.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

using namespace std::string_literals;

struct HostileCase {
    const char* name;
    std::string captions;
    std::string config;
};

std::string utf16(const std::wstring& text, bool mark)
{
    std::string bytes = mark ? "\xFF\xFE"s : ""s;
    for (const wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes;
}

std::string garbage(size_t length, uint32_t seed)
{
    std::string bytes(length, '\0');
    for (char& b : bytes) b = static_cast<char>((seed = seed * 1664525u + 1013904223u) >> 24);
    return bytes;
}

CaptionLook still(int top)
{
    CaptionLook look;
    look.left = 400;
    look.top = top;
    return look;
}

// A line of `count` fields: a caption's own as far as they go, "x" after.
std::string fieldsLine(size_t count)
{
    std::vector<std::string> fields = still(static_cast<int>(20 + 30 * (count % 25))).fields();
    fields.resize(count, "x");
    return joinFields(fields);
}

// Field `n` of a standing caption's line set to each of `values`.
std::vector<std::string> withValues(size_t n, const std::vector<std::string>& values)
{
    std::vector<std::string> lines;
    for (const std::string& value : values) {
        std::vector<std::string> fields = still(500).fields();
        fields[n - 1] = value;
        lines.push_back(joinFields(fields));
    }
    return lines;
}

// One caption per line of the configuration text, numbered.
std::string captionsFor(size_t count, const std::string& last = "")
{
    std::vector<std::string> texts;
    for (size_t i = 1; i <= count; ++i) texts.push_back("行" + std::to_string(i));
    if (!last.empty()) texts.back() = last;
    return joinLines(texts);
}

HostileCase oddLines()
{
    std::vector<std::string> lines;
    for (size_t count = 0; count <= 20; ++count) lines.push_back(fieldsLine(count));
    for (const auto& more : {withValues(2, {"0", "-5", "abc", "100000", "2147483647", "１２"}),
                             withValues(3, {"-1", "4294967295", "16777216", "abc"}),
                             withValues(4, {"-1", "99999999999", "abc"}),
                             withValues(6, {"7", "", "一"}),
                             withValues(7, {"maybe", ""}),
                             withValues(8, {"2147483647", "-2147483648", "abc", "99999999999999"}),
                             withValues(9, {"2147483647", "-2147483648", "1e9"}),
                             withValues(12, {"9", "-1", "bold"})})
        lines.insert(lines.end(), more.begin(), more.end());
    const std::string longText(100000, 'W');
    // The last caption ends in the first byte of a double-byte character.
    return {"every field count and odd values", captionsFor(lines.size(), longText) + "\r\n末\xD7",
            joinLines(lines)};
}

std::vector<HostileCase> hostileCases()
{
    const std::wstring chinese = L"字幕一\r\n字幕二";
    const std::string utf8Captions = "\xEF\xBB\xBF\xE5\xAD\x97\xE5\xB9\x95\xE4\xB8\x80\r\n\xE5\xAD\x97\xE5\xB9\x95\xE4\xBA\x8C";
    const std::string twoLines = joinLines({still(100).line(), still(200).line()});
    std::string hugeConfig = joinLines({still(100).line(), still(200).line(), still(300).line()});
    // Tens of megabytes: lines beyond the last caption, which stay as they are.
    const std::string spare = "\r\n" + still(900).line();
    while (hugeConfig.size() < 24u * 1024 * 1024) hugeConfig += spare;
    return {
        {"empty files", "", ""},
        oddLines(),
        {"binary garbage", garbage(4096, 1), garbage(4096, 2)},
        {"UTF-8 with a byte order mark", utf8Captions, "\xEF\xBB\xBF" + twoLines},
        {"UTF-16 with a byte order mark", utf16(chinese, true), utf16(widen(twoLines), true)},
        {"UTF-16 without one", utf16(chinese, false), utf16(widen(twoLines), false)},
        {"tens of megabytes", "一\r\n二\r\n三", hugeConfig},
    };
}

// The lines the list shows: the captions file's lines, its zero bytes dropped.
size_t captionLineCount(std::string captions)
{
    std::erase(captions, '\0');
    return splitLines(captions).size();
}

TEST(HostileFiles, TheToolRunsWithEachAndChangesNoByteOfThem)
{
    for (const HostileCase& c : hostileCases()) {
        SCOPED_TRACE(c.name);
        ProgramDirectory directory;
        directory.write(CaptionsFile, c.captions);
        directory.write(ConfigFile, c.config);
        ToolProcess tool(directory);
        ASSERT_TRUE(tool.started());
        const HWND settings = tool.openSettings();
        ASSERT_NE(settings, nullptr);
        EXPECT_EQ(static_cast<size_t>(listCount(settingsUnits(settings).list)), captionLineCount(c.captions));
        closeWindow(settings);
        EXPECT_TRUE(waitUntil([&] { return tool.settingsWindow() == nullptr; }));
        EXPECT_TRUE(tool.waitForTicks(3)) << "the captions scroll on";
        EXPECT_EQ(messageBox(tool.id()), nullptr) << "no error window";
        EXPECT_EQ(tool.exitFromTray(), 0u);
        EXPECT_TRUE(directory.read(CaptionsFile) == c.captions) << "the captions file changed";
        EXPECT_TRUE(directory.read(ConfigFile) == c.config) << "the configuration file changed";
        EXPECT_EQ(directory.fileNames(), (std::set<std::string>{CaptionsFile, ConfigFile, SettingsFile, "tessaly.exe"}))
            << "no copy, backup or stray file";
    }
}

}  // namespace
}  // namespace tessaly::e2e
