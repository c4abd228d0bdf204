// The caption editor: how it opens in add and in edit mode, what "确认"
// stores, and how it keeps to its caption while the list changes under it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

// A caption line as the tests write it: shown, not scrolling, at `left`, `top`.
std::string shownAt(int left, int top)
{
    return configurationLine(
        {"宋体", "24", "255", "0", "假", "1", "真", std::to_string(left), std::to_string(top), "假", "假", "0"});
}

std::string selectedText(HWND combo) { return comboText(combo, comboSelection(combo)); }

std::vector<std::string> comboItems(HWND combo)
{
    std::vector<std::string> items;
    for (int i = 0; i < comboCount(combo); ++i) items.push_back(comboText(combo, i));
    return items;
}

// The vertical variants of the installed families, without their "@", in GBK.
std::set<std::string> verticalFamilies()
{
    std::set<std::string> found;
    HDC screen = GetDC(nullptr);
    LOGFONTW request{};
    request.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(
        screen, &request,
        [](const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM p) -> int {
            if (font->lfFaceName[0] != L'@') return 1;
            char name[LF_FACESIZE * 2] = {};
            WideCharToMultiByte(936, 0, font->lfFaceName + 1, -1, name, sizeof name, nullptr, nullptr);
            reinterpret_cast<std::set<std::string>*>(p)->insert(name);
            return 1;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

TEST(CaptionEditor, AddModeStartsFromItsTemplateAndAppendsAHiddenCaption)
{
    SettingsSession open("", "");
    ASSERT_TRUE(open.ready());
    const HWND editor = open.add();
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(IsWindowEnabled(open.units.addCaption)) << "one editor at a time";
    const EditorUnits units = editorUnits(editor);

    EXPECT_EQ(controlTextGbk(units.content), "Tessaly字幕");
    const std::vector<std::string> sizes = comboItems(units.size);
    ASSERT_EQ(sizes.size(), 45u);
    for (size_t i = 0; i < sizes.size(); ++i) EXPECT_EQ(sizes[i], std::to_string(8 + 2 * i));
    EXPECT_EQ(comboSelection(units.size), 0);

    const std::vector<std::string> fonts = comboItems(units.font);
    ASSERT_FALSE(fonts.empty());
    for (const std::string& font : fonts) EXPECT_EQ(font.find('@'), std::string::npos) << font;
    for (const std::string& vertical : verticalFamilies())
        EXPECT_EQ(std::count(fonts.begin(), fonts.end(), vertical), 2) << "upright and vertical " << vertical;
    const auto songTi = std::find(fonts.rbegin(), fonts.rend(), "宋体");
    if (songTi != fonts.rend())
        EXPECT_EQ(comboSelection(units.font), static_cast<int>(fonts.rend() - songTi) - 1) << "the last 宋体";
    else
        EXPECT_EQ(comboSelection(units.font), -1);

    EXPECT_EQ(selectedText(units.style), "常规");
    EXPECT_EQ(comboItems(units.effect), (std::vector<std::string>{"无", "阴影", "描边"}));
    EXPECT_EQ(selectedText(units.effect), "无");
    EXPECT_EQ(selectedText(units.direction), "左到右");
    EXPECT_FALSE(IsWindowEnabled(units.direction));
    EXPECT_TRUE(IsWindowEnabled(units.background));
    for (HWND box : {units.scrolls, units.transparent, units.strikeOut, units.underline}) EXPECT_FALSE(isChecked(box));

    const std::string font = selectedFont(editor);
    ASSERT_TRUE(open.confirm(editor));
    EXPECT_EQ(open.directory.read(CaptionsFile), "Tessaly字幕");
    EXPECT_EQ(open.directory.read(ConfigFile),
              configurationLine({font, "8", "16711680", "0", "假", "1", "假", "10", "10", "假", "假", "0"}));
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(open.units.addCaption) != FALSE; }));
    ASSERT_EQ(listCount(open.units.list), 1);
    EXPECT_EQ(listText(open.units.list, 0), "Tessaly字幕 (不滚动)");
    EXPECT_FALSE(listChecked(open.units.list, 0));
    ASSERT_EQ(open.tool->captionLabels().size(), 1u);
    EXPECT_TRUE(open.tool->visibleCaptionLabels().empty());
    EXPECT_EQ(open.tool->exitFromTray(), 0u);
}

TEST(CaptionEditor, TransparencyAndScrollingSwitchTheirPartnersAndComeBackInEditMode)
{
    SettingsSession open("一", shownAt(100, 100));
    ASSERT_TRUE(open.ready());
    HWND editor = open.add();
    ASSERT_NE(editor, nullptr);
    EditorUnits units = editorUnits(editor);
    const std::string font = selectedFont(editor);

    setText(units.content, "透明的");
    clickButton(units.transparent);
    ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(units.background) == FALSE; }));
    clickButton(units.scrolls);
    ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(units.direction) != FALSE; }));
    selectComboItem(units.direction, 2);
    clickButton(units.scrolls);
    ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(units.direction) == FALSE; }));
    EXPECT_EQ(selectedText(units.direction), "上到下") << "switched off, the direction stays";
    clickButton(units.strikeOut);
    clickButton(units.underline);
    selectComboItem(units.style, 3);
    ASSERT_TRUE(open.confirm(editor));
    const std::string stored =
        configurationLine({font, "8", "16711680", "4194368", "假", "3", "假", "10", "10", "真", "真", "3"});
    EXPECT_EQ(open.directory.read(CaptionsFile), "一\r\n透明的");
    EXPECT_EQ(open.directory.read(ConfigFile), joinedLines({shownAt(100, 100), stored}));

    editor = open.edit(1);
    ASSERT_NE(editor, nullptr);
    units = editorUnits(editor);
    EXPECT_EQ(controlTextGbk(units.content), "透明的");
    EXPECT_TRUE(isChecked(units.transparent));
    EXPECT_FALSE(IsWindowEnabled(units.background));
    EXPECT_FALSE(isChecked(units.scrolls));
    EXPECT_FALSE(IsWindowEnabled(units.direction));
    EXPECT_EQ(selectedText(units.direction), "上到下");
    EXPECT_EQ(selectedText(units.size), "8") << "the first size is found too";
    EXPECT_TRUE(isChecked(units.strikeOut));
    EXPECT_TRUE(isChecked(units.underline));
    EXPECT_EQ(selectedText(units.style), "粗斜体");
    clickButton(units.scrolls);
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(units.direction) != FALSE; }));
    clickButton(units.transparent);
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(units.background) != FALSE; }));
    EXPECT_EQ(open.tool->exitFromTray(), 0u);
}

TEST(CaptionEditor, EditingKeepsTheShownFlagAndThePlaceAndSettingsMeanwhileDoesNothing)
{
    const std::string small = configurationLine({"宋体", "8", "255", "0", "假", "1", "真", "300", "400", "假", "假", "0"});
    SettingsSession open("一\r\n二", joinedLines({shownAt(100, 100), small}));
    ASSERT_TRUE(open.ready());
    const HWND editor = open.edit(1);
    ASSERT_NE(editor, nullptr);
    const EditorUnits units = editorUnits(editor);
    EXPECT_EQ(controlTextGbk(units.content), "二");
    EXPECT_EQ(selectedText(units.size), "8");
    const std::string font = selectedFont(editor);

    // "设置" on another caption while the editor is open leaves it as it is.
    open.chooseFromMenu(0, EditEntry);
    ASSERT_TRUE(waitForPostedMessages(units.content));
    EXPECT_EQ(open.tool->editorWindow(), editor);
    EXPECT_EQ(controlTextGbk(units.content), "二");

    setText(units.content, "二改");
    selectComboItem(units.size, 2);
    chooseColour(units.colour, 0x123456);
    ASSERT_TRUE(open.confirm(editor));
    EXPECT_EQ(open.directory.read(CaptionsFile), "一\r\n二改");
    const std::string edited = configurationLine({font, "12", "1193046", "0", "假", "1", "真", "300", "400", "假", "假", "0"});
    EXPECT_EQ(open.directory.read(ConfigFile), joinedLines({shownAt(100, 100), edited}));
    EXPECT_TRUE(listChecked(open.units.list, 1));
    EXPECT_EQ(open.tool->exitFromTray(), 0u);
}

// A line takes the effect's two fields when the user gives the caption an
// effect, and keeps them, with the parts after them that are the user's own;
// one without an effect keeps its twelve fields.
TEST(CaptionEditor, AnEffectAddsItsTwoFieldsWhichStayWithThePartsAfterThem)
{
    const std::string mine = configurationLine(
        {"宋体", "24", "255", "0", "假", "1", "真", "100", "300", "假", "假", "0", "1", "65280", "mine", "", "also"});
    SettingsSession open("一\r\n二", joinedLines({shownAt(100, 100), mine}));
    ASSERT_TRUE(open.ready());
    HWND editor = open.edit(0);
    ASSERT_NE(editor, nullptr);
    const std::string font = selectedFont(editor);
    const auto line = [&](const std::string& size, const std::string& top, std::vector<std::string> rest) {
        std::vector<std::string> fields = {font, size, "255", "0", "假", "1", "真", "100", top, "假", "假", "0"};
        fields.insert(fields.end(), rest.begin(), rest.end());
        return configurationLine(fields);
    };
    EXPECT_EQ(selectedText(editorUnits(editor).effect), "无");
    ASSERT_TRUE(open.confirm(editor));
    std::string expected = joinedLines({line("24", "100", {}), mine});
    EXPECT_EQ(open.directory.read(ConfigFile), expected) << "no effect, no new fields";

    editor = open.edit(0);
    ASSERT_NE(editor, nullptr);
    selectComboItem(editorUnits(editor).effect, 2);
    chooseColour(editorUnits(editor).effectColour, 0x00FFFF);
    ASSERT_TRUE(open.confirm(editor));
    expected = joinedLines({line("24", "100", {"2", "65535"}), mine});
    EXPECT_EQ(open.directory.read(ConfigFile), expected);

    editor = open.edit(0);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(selectedText(editorUnits(editor).effect), "描边");
    selectComboItem(editorUnits(editor).effect, 0);
    ASSERT_TRUE(open.confirm(editor));
    expected = joinedLines({line("24", "100", {"0", "65535"}), mine});
    EXPECT_EQ(open.directory.read(ConfigFile), expected) << "the effect's fields stay once there";

    // The second caption's shadow, its colour and the parts after them come back as they were.
    editor = open.edit(1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(selectedText(editorUnits(editor).effect), "阴影");
    selectComboItem(editorUnits(editor).size, 3);
    ASSERT_TRUE(open.confirm(editor));
    expected = joinedLines({line("24", "100", {"0", "65535"}), line("14", "300", {"1", "65280", "mine", "", "also"})});
    EXPECT_EQ(open.directory.read(ConfigFile), expected);
    EXPECT_EQ(listText(open.units.list, 1), "二 (不滚动)") << "the list shows nothing new";
    EXPECT_EQ(open.tool->exitFromTray(), 0u);
}

TEST(CaptionEditor, AnEmptyTextIsRefusedWithAMessageAndNothingIsWritten)
{
    SettingsSession open("一", shownAt(100, 100));
    ASSERT_TRUE(open.ready());
    const HWND editor = open.add();
    ASSERT_NE(editor, nullptr);
    const EditorUnits units = editorUnits(editor);

    setText(units.content, "");
    clickButton(units.confirm);
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = messageBox(open.tool->id())) != nullptr; }));
    EXPECT_EQ(windowTextGbk(box), "字幕设置");
    EXPECT_EQ(messageBoxText(box), "字幕内容不能为空，请输入要显示的文字。");
    EXPECT_EQ(open.directory.read(CaptionsFile), "一");
    EXPECT_EQ(open.directory.read(ConfigFile), shownAt(100, 100));
    dismissMessageBox(box);
    ASSERT_TRUE(waitUntil([&] { return messageBox(open.tool->id()) == nullptr; }));
    EXPECT_EQ(open.tool->editorWindow(), editor) << "the editor stays open for the text";
    EXPECT_EQ(listCount(open.units.list), 1);

    setText(units.content, "有字");
    ASSERT_TRUE(open.confirm(editor));
    EXPECT_EQ(open.directory.read(CaptionsFile), "一\r\n有字");
    EXPECT_EQ(listCount(open.units.list), 2);
    EXPECT_EQ(open.tool->exitFromTray(), 0u);
}

TEST(CaptionEditor, DeletingACaptionKeepsTheEditorOnTheCaptionItShowsOrClosesIt)
{
    SettingsSession open("一\r\n二\r\n三", joinedLines({shownAt(100, 100), shownAt(100, 300), shownAt(100, 500)}));
    ASSERT_TRUE(open.ready());

    // Open on the third caption; the first goes: the editor still saves to "三".
    HWND editor = open.edit(2);
    ASSERT_NE(editor, nullptr);
    const std::string third = configurationLine({selectedFont(editor), "24", "255", "0", "假", "1", "真", "100", "500", "假", "假", "0"});
    open.chooseFromMenu(0, DeleteEntry);
    ASSERT_TRUE(waitUntil([&] { return listCount(open.units.list) == 2; }));
    ASSERT_EQ(open.tool->editorWindow(), editor);
    setText(editorUnits(editor).content, "三改");
    ASSERT_TRUE(open.confirm(editor));
    EXPECT_EQ(open.directory.read(CaptionsFile), "二\r\n三改");
    EXPECT_EQ(open.directory.read(ConfigFile), joinedLines({shownAt(100, 300), third}));

    // Open on "二" and delete "二" itself: the editor has nothing left to save and closes.
    editor = open.edit(0);
    ASSERT_NE(editor, nullptr);
    setText(editorUnits(editor).content, "不存");
    open.chooseFromMenu(0, DeleteEntry);
    ASSERT_TRUE(waitUntil([&] { return open.tool->editorWindow() == nullptr; }));
    EXPECT_EQ(listCount(open.units.list), 1);
    EXPECT_EQ(open.directory.read(CaptionsFile), "三改");
    EXPECT_EQ(open.directory.read(ConfigFile), third);
    EXPECT_TRUE(IsWindowEnabled(open.units.addCaption));
    EXPECT_EQ(open.tool->exitFromTray(), 0u);
    EXPECT_EQ(open.directory.read(CaptionsFile), "三改");
    EXPECT_EQ(open.directory.read(ConfigFile), third);
}

TEST(CaptionEditor, ClosingTheSettingsWindowClosesTheEditorWithoutSaving)
{
    SettingsSession open("一", shownAt(100, 100));
    ASSERT_TRUE(open.ready());
    const HWND editor = open.edit(0);
    ASSERT_NE(editor, nullptr);
    setText(editorUnits(editor).content, "不存");
    closeWindow(open.settings);
    ASSERT_TRUE(waitUntil([&] { return open.tool->editorWindow() == nullptr && !IsWindow(open.settings); }));
    EXPECT_EQ(open.directory.read(CaptionsFile), "一");
    EXPECT_EQ(open.directory.read(ConfigFile), shownAt(100, 100));
    EXPECT_EQ(open.tool->exitFromTray(), 0u);
}

}  // namespace
}  // namespace tessaly::e2e
