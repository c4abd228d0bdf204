// The caption texts' line routines and the configuration records built from
// them: how lines split and join, how a stale line number leaves a text
// alone, and how earlier, malformed and missing configuration lines load.
#include <gtest/gtest.h>

#include "app/caption_lines.h"
#include "app/caption_record.h"
#include "app/kept_lines.h"
#include "app/text_calls.h"

namespace tessaly::program {
namespace {

const std::string S = RecordSeparator;

std::vector<std::string> fieldsOf(const std::string& line) { return splitText(line, S); }

std::string line12(const std::string& shown = "真")
{
    return "黑体" + S + "36" + S + "255" + S + "4194368" + S + "真" + S + "2" + S + shown + S + "100" + S + "200" + S +
           "假" + S + "真" + S + "1";
}

TEST(CaptionLines, SplitKeepsInnerEmptyLinesAndDropsOneClosingBreak)
{
    EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_EQ(splitLines("\r\n"), (std::vector<std::string>{""}));
    EXPECT_EQ(joinLines({"a", "", "b"}), "a\r\n\r\nb");
}

TEST(CaptionLines, LineBreakBytesInsideDoubleByteCharactersAreNotLineBreaks)
{
    // A lead byte followed by CR is one (malformed) character, as the
    // runtime's walk reads it, so the CR there ends no line.
    const std::string text = "\x81\r\nX\r\nY";
    EXPECT_EQ(splitLines(text).size(), 2u);

    // So a line cut inside a character loses its lone first byte before
    // another line follows it, rather than the line break after it.
    const std::string cut = "字幕\xD7";
    EXPECT_EQ(splitLines(joinLines({cut, "next", "\xB6\xFE"})), (std::vector<std::string>{"字幕", "next", "\xB6\xFE"}));
    EXPECT_EQ(splitLines(withLineAppended("one\r\n" + cut, "added")), (std::vector<std::string>{"one", "字幕", "added"}));
    EXPECT_EQ(withLineAppended("", "first"), "\r\nfirst");
}

TEST(CaptionLines, GetReplaceAndDeleteAddressLinesFromOne)
{
    const std::string text = "一\r\n二\r\n三";
    EXPECT_EQ(GetLine(text, 2), "二");
    EXPECT_EQ(GetLine(text, 0), "");
    EXPECT_EQ(GetLine(text, 4), "");
    EXPECT_EQ(ReplaceLine(text, 3, "3"), "一\r\n二\r\n3");
    EXPECT_EQ(DeleteLine(text, 1), "二\r\n三");
    EXPECT_EQ(DeleteLine("only", 1), "");
}

TEST(CaptionLines, StaleLineNumbersChangeNothing)
{
    const std::string text = "a\r\nb\r\n";
    EXPECT_EQ(ReplaceLine(text, 3, "x"), text) << "a line beyond the last is never appended or misplaced";
    EXPECT_EQ(ReplaceLine(text, 0, "x"), text);
    EXPECT_EQ(DeleteLine(text, 5), text);
}

TEST(CaptionLines, AnyChangeWritesTheTextWithoutAClosingBreak)
{
    EXPECT_EQ(ReplaceLine("a\r\nb\r\n", 1, "c"), "c\r\nb");
}

TEST(CaptionLines, OuterTrimDropsOneBreakAtEachEnd)
{
    EXPECT_EQ(trimOuterLineBreaks("\r\nA\r\n\r\nB\r\n"), "A\r\n\r\nB");
    EXPECT_EQ(trimOuterLineBreaks("\r\n\r\n"), "");
    EXPECT_EQ(trimOuterLineBreaks("A"), "A");
}

TEST(CaptionRecords, CurrentAndEarlierLinesLoadAsTheyCame)
{
    const CaptionRecord current = readCaptionRecord("字幕", line12());
    EXPECT_EQ(current.fieldCount, 12);
    EXPECT_FALSE(current.completed);
    EXPECT_EQ(current.field(Field::FontName), "黑体");
    EXPECT_EQ(current.field(Field::Style), "1");
    EXPECT_EQ(configurationLine(current), line12());

    const std::string nine = "宋体" + S + "12" + S + "0" + S + "65535" + S + "假" + S + "1" + S + "真" + S + "5" + S + "6";
    const CaptionRecord earlier = readCaptionRecord("旧", nine);
    EXPECT_EQ(earlier.fieldCount, 9);
    EXPECT_FALSE(earlier.completed);
    EXPECT_EQ(configurationLine(earlier), nine) << "an earlier line is written back with nine fields";
    EXPECT_FALSE(ToLogical(earlier.field(Field::StrikeOut)));
    EXPECT_EQ(earlier.field(Field::Style), "0");
    EXPECT_EQ(captionEffect(earlier), Effect::None);
    EXPECT_EQ(captionEffect(current), Effect::None);

    // An effect's two fields, and parts after them that are the user's own.
    const std::string outlined = line12() + S + "2" + S + "65535" + S + "mine" + S + "" + S + "also" + S;
    const CaptionRecord effect = readCaptionRecord("描边", outlined);
    EXPECT_FALSE(effect.completed);
    EXPECT_EQ(captionEffect(effect), Effect::Outline);
    EXPECT_EQ(effect.field(Field::EffectColour), "65535");
    EXPECT_EQ(configurationLine(effect), outlined) << "every part is written back, in place";
    CaptionRecord moved = effect;
    moved.field(Field::Left) = "7";
    EXPECT_EQ(configurationLine(moved), withField(outlined, Field::Left, "7"));
    EXPECT_TRUE(configurationLine(moved).ends_with("also" + S)) << "an empty last part is a part too";

    const CaptionRecord thirteen = readCaptionRecord("x", line12() + S + "1");
    EXPECT_EQ(captionEffect(thirteen), Effect::Shadow);
    EXPECT_EQ(configurationLine(thirteen), line12() + S + "1");
    for (const std::string odd : {"3", "", "-1", "01"})
        EXPECT_EQ(captionEffect(readCaptionRecord("x", line12() + S + odd + S + "0")), Effect::None) << odd;
}

// A line takes the effect's fields once the editor gives it an effect, and
// keeps them; a line without one keeps its layout.
TEST(CaptionRecords, AnEditedLineGrowsToFourteenFieldsOnlyWithAnEffect)
{
    const std::string nine = "宋体" + S + "12" + S + "0" + S + "65535" + S + "假" + S + "1" + S + "真" + S + "5" + S + "6";
    const auto edited = [](const std::string& line, const std::string& effect) {
        CaptionRecord r = readCaptionRecord("x", line);
        r.field(Field::Effect) = effect;
        fitEditedFieldCount(r);
        return fieldsOf(configurationLine(r)).size();
    };
    EXPECT_EQ(edited(nine, "0"), 12u);
    EXPECT_EQ(edited(line12(), "0"), 12u);
    EXPECT_EQ(edited(line12(), "1"), 14u);
    EXPECT_EQ(edited(nine, "2"), 14u);
    EXPECT_EQ(edited(line12() + S + "2" + S + "0", "0"), 14u) << "once there, the fields stay";
    EXPECT_EQ(edited(line12() + S + "1", "0"), 13u);
    EXPECT_EQ(edited(line12() + S + "0" + S + "0" + S + "mine", "1"), 15u);
}

TEST(CaptionRecords, ShortOrOddLinesAreCompletedHiddenKeepingEveryFieldThatWasThere)
{
    const CaptionRecord five = readCaptionRecord("x", "楷体" + S + "20" + S + "1" + S + "2" + S + "真");
    EXPECT_TRUE(five.completed);
    EXPECT_EQ(five.fieldCount, 12);
    EXPECT_EQ(five.field(Field::FontName), "楷体");
    EXPECT_EQ(five.field(Field::Scrolls), "真");
    EXPECT_EQ(five.field(Field::Shown), "假") << "nothing unexpected appears";
    EXPECT_EQ(five.field(Field::Left), "10");

    const std::string ten = "黑体" + S + "36" + S + "255" + S + "0" + S + "真" + S + "2" + S + "真" + S + "100" + S + "200" + S + "真";
    const CaptionRecord t = readCaptionRecord("x", ten);
    EXPECT_TRUE(t.completed);
    EXPECT_EQ(t.field(Field::Shown), "真") << "a shown flag that was stored stays";
    EXPECT_EQ(configurationLine(t), ten + S + "假" + S + "0") << "ten fields are written back as twelve";

    const CaptionRecord none = readCaptionRecord("孤", std::nullopt);
    EXPECT_TRUE(none.completed);
    EXPECT_EQ(configurationLine(none), joinFields({newCaptionFields().begin(), newCaptionFields().begin() + 12}));
}

TEST(CaptionRecords, CompletionPairsEveryCaptionWithOneLineAndSetsUnpairedLinesApart)
{
    std::vector<CaptionRecord> records = {readCaptionRecord("a", line12()), readCaptionRecord("b", "x"),
                                          readCaptionRecord("c", std::nullopt)};
    std::vector<std::string> unpaired;
    const auto lines = completedConfigLines(line12() + "\r\nx", records, unpaired);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], line12()) << "a complete line stays exactly as stored";
    EXPECT_EQ(lines[1], configurationLine(records[1]));
    EXPECT_EQ(lines[2], configurationLine(records[2]));
    EXPECT_TRUE(unpaired.empty());

    const auto fewer = completedConfigLines(line12() + "\r\nx\r\ny\r\nz", {records[0]}, unpaired);
    EXPECT_EQ(fewer.size(), 1u);
    EXPECT_EQ(unpaired, (std::vector<std::string>{"x", "y", "z"}));
}

TEST(CaptionRecords, ChangingOneFieldKeepsAllOthers)
{
    const std::string odd = line12() + S + "extra";
    EXPECT_EQ(withField(odd, Field::Shown, "假"), line12("假") + S + "extra");
    EXPECT_EQ(withField("a" + S + "b", Field::Shown, "真"), "a" + S + "b" + S + S + S + S + S + "真");
    EXPECT_EQ(withField(line12() + S + S, Field::Shown, "假"), line12("假") + S + S);
}

TEST(CaptionRecords, ListEntriesNameTheDirectionOrStandingStill)
{
    CaptionRecord r = readCaptionRecord("你好", line12());
    EXPECT_EQ(listEntryText(r), "你好 (右到左)");
    for (const auto& [direction, label] : std::vector<std::pair<std::string, std::string>>{
             {"1", " (左到右)"}, {"3", " (上到下)"}, {"4", " (下到上)"}, {"5", " (不滚动)"}, {"", " (不滚动)"}}) {
        r.field(Field::Direction) = direction;
        EXPECT_EQ(listEntryText(r), "你好" + label) << direction;
    }
    r.field(Field::Scrolls) = "假";
    r.field(Field::Direction) = "3";
    EXPECT_EQ(listEntryText(r), "你好 (不滚动)");
}

}  // namespace
}  // namespace tessaly::program
