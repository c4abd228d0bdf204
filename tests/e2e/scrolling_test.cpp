// Scrolling captions: each direction steps by the scroll speed, wraps round
// once the caption has wholly left the screen, and its position goes into the
// configuration file; what stands still, hidden or not, writes nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "tests/e2e/caption_files.h"
#include "tests/e2e/shared_tool_suite.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

constexpr int DefaultSpeed = 5;

int screenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int screenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

CaptionLook scrolling(const std::string& direction, int left, int top)
{
    CaptionLook look;
    look.scrolls = true;
    look.direction = direction;
    look.background = RGB(0, 64, 128);
    look.left = left;
    look.top = top;
    return look;
}

bool stepsFrom(int from, int to, int speed) { return (to - from) % speed == 0; }

// One caption's coordinate along its direction: where it started, and the
// place it wraps to once it has left the screen.
struct Lane {
    std::string text;
    CaptionLook look;
    bool horizontal;
    bool forwards;  // towards the right or the bottom
};

class Scrolling : public SharedToolSuite<Scrolling> {
protected:
    static std::vector<Lane> lanes()
    {
        return {{"右 Rightwards", scrolling("1", screenWidth() - 12, 100), true, true},
                {"左 Leftwards", scrolling("2", 8, 200), true, false},
                {"下 Downwards", scrolling("3", 300, screenHeight() - 12), false, true},
                {"上 Upwards", scrolling("4", 600, 8), false, false}};
    }
    static CaptionLook earlier() { return scrolling("2", 700, 500); }
    static CaptionLook hidden()
    {
        CaptionLook look = scrolling("1", 100, 600);
        look.shown = false;
        return look;
    }
    static CaptionLook unknownDirection() { return scrolling("7", 100, 700); }
    // An outlined caption's line, with parts after it that are the user's own.
    static std::string outlinedLine(int left)
    {
        CaptionLook look = scrolling("2", left, 560);
        look.effect = "2";
        look.effectColour = RGB(255, 255, 0);
        return look.line() + RecordSeparator + "mine" + RecordSeparator;
    }
    static constexpr int OutlinedLeft = 700;

    static void SetUpTestSuite()
    {
        std::vector<StoredCaption> stored;
        for (const Lane& lane : lanes()) stored.push_back({lane.text, lane.look.line()});
        stored.push_back({"Nine fields", earlier().earlierLine()});
        stored.push_back({"Hidden", hidden().line()});
        stored.push_back({"Sideways", unknownDirection().line()});
        stored.push_back({"Outlined", outlinedLine(OutlinedLeft)});
        startTool(stored);
    }
};

// Every position seen, in the file and on the screen, lies a whole number of
// steps from the start or from the place the caption wraps to.
TEST_F(Scrolling, EachDirectionWrapsRoundAtItsEdgeAndStoresItsPositionInSteps)
{
    ASSERT_TRUE(tool_->started());
    const std::vector<Lane> all = lanes();
    for (size_t n = 1; n <= all.size(); ++n) {
        const Lane& lane = all[n - 1];
        SCOPED_TRACE(lane.text);
        const HWND label = tool_->captionLabel(lane.text);
        ASSERT_NE(label, nullptr);
        const RECT r = rectInParent(label);
        const int start = lane.horizontal ? lane.look.left : lane.look.top;
        const int size = lane.horizontal ? r.right - r.left : r.bottom - r.top;
        const int screen = lane.horizontal ? screenWidth() : screenHeight();
        const int wrapsTo = lane.forwards ? -size : screen;
        const size_t field = lane.horizontal ? 8 : 9;

        std::vector<int> seen;
        int stored = start;
        const bool wrapped = waitUntil([&] {
            if (storedLine(*directory_, n).empty()) return false;  // caught mid-write
            stored = storedNumber(*directory_, n, field);
            const RECT now = rectInParent(label);
            const int shown = lane.horizontal ? now.left : now.top;
            seen.push_back(stored);
            seen.push_back(shown);
            const bool storedWrapped = lane.forwards ? stored < start : stored > start;
            const bool shownWrapped = lane.forwards ? shown < start : shown > start;
            return storedWrapped && shownWrapped;
        });
        EXPECT_TRUE(wrapped) << "last stored " << stored;
        for (int at : seen) {
            const bool beforeWrap = lane.forwards ? at >= start : at <= start;
            EXPECT_TRUE(stepsFrom(beforeWrap ? start : wrapsTo, at, DefaultSpeed)) << at;
        }
        EXPECT_EQ(fieldsOf(storedLine(*directory_, n)).size(), 12u);
    }
}

// A moving caption's line keeps its layout: nine fields stay nine, and an
// outlined caption's fourteen stay with the parts after them.
TEST_F(Scrolling, ALineKeepsItsFieldsAsItMoves)
{
    const CaptionLook look = earlier();
    EXPECT_TRUE(waitUntil([&] {
        const std::string line = storedLine(*directory_, 5);
        return !line.empty() && storedNumber(*directory_, 5, 8) < look.left;
    }));
    EXPECT_TRUE(stepsFrom(look.left, storedNumber(*directory_, 5, 8), DefaultSpeed));
    EXPECT_EQ(fieldsOf(storedLine(*directory_, 5)).size(), 9u);
    EXPECT_LT(rectInParent(tool_->captionLabel("Nine fields")).left, look.left);

    std::string line;
    int left = OutlinedLeft;
    EXPECT_TRUE(waitUntil([&] {
        line = storedLine(*directory_, 8);
        const std::vector<std::string> fields = fieldsOf(line);
        return fields.size() >= 8 && (left = std::atoi(fields[7].c_str())) < OutlinedLeft;
    }));
    EXPECT_TRUE(stepsFrom(OutlinedLeft, left, DefaultSpeed));
    EXPECT_EQ(line, outlinedLine(left));
}

// A hidden caption and one whose direction is none of the four stand still,
// and their lines stay as they were.
TEST_F(Scrolling, HiddenCaptionsAndUnknownDirectionsStandStill)
{
    ASSERT_TRUE(tool_->waitForTicks(3));
    const RECT hiddenPlace = rectInParent(tool_->captionLabel("Hidden"));
    EXPECT_EQ(hiddenPlace.left, hidden().left);
    EXPECT_EQ(hiddenPlace.top, hidden().top);
    const RECT sideways = rectInParent(tool_->captionLabel("Sideways"));
    EXPECT_EQ(sideways.left, unknownDirection().left);
    EXPECT_EQ(sideways.top, unknownDirection().top);
    waitUntil([&] { return !storedLine(*directory_, 7).empty(); });
    EXPECT_EQ(storedLine(*directory_, 6), hidden().line());
    EXPECT_EQ(storedLine(*directory_, 7), unknownDirection().line());
}

// The list names each caption's direction; one that cannot move reads as standing.
TEST_F(Scrolling, TheListNamesEachDirectionAndAnUnknownOneAsStanding)
{
    const HWND settings = tool_->openSettings();
    ASSERT_NE(settings, nullptr);
    const std::vector<std::string> entries = listEntries(findChild(settings, L"ListBox"));
    const std::vector<std::string> expected = {"右 Rightwards (左到右)", "左 Leftwards (右到左)",
                                               "下 Downwards (上到下)",  "上 Upwards (下到上)",
                                               "Nine fields (右到左)",  "Hidden (左到右)",
                                               "Sideways (不滚动)",     "Outlined (右到左)"};
    EXPECT_EQ(entries, expected);
}

// While captions scroll their places reach the disk at most once a second,
// however many ticks the timer runs in that time.
TEST_F(Scrolling, PlacesReachTheDiskAtMostOnceASecond)
{
    if (const HWND settings = tool_->settingsWindow()) {
        closeWindow(settings);
        ASSERT_TRUE(waitUntil([&] { return tool_->settingsWindow() == nullptr; }));
    }
    WriteCounter counter(directory_->path(), ConfigFile);
    const DWORD start = GetTickCount();
    ASSERT_TRUE(tool_->waitForTicks(20));
    EXPECT_TRUE(waitUntil([&] { return counter.writes() >= 1 && GetTickCount() - start >= 3000; }));
    const DWORD seconds = (GetTickCount() - start) / 1000;
    EXPECT_LE(counter.writes(), static_cast<int>(seconds) + 1) << "in " << seconds << " s";
}

// One step before each direction's edge, onto it, and past it: a single tick
// puts the caption one step on, on the edge, or round to the other side.
// Ticks that move nothing write nothing.
TEST(ScrollingEdges, EachDirectionWrapsOnlyOneStepBeyondItsEdge)
{
    const std::vector<std::string> directions = {"1", "2", "3", "4"};
    const auto textOf = [](const std::string& direction, int n) { return "方向" + direction + "-" + std::to_string(n); };
    // The labels' sizes, from a first run with every caption on the screen.
    ProgramDirectory directory;
    directory.write(SettingsFile, "[滚动速度]\r\n值=0\r\n[隐藏快捷键]\r\n值=1+120\r\n");  // hide: Ctrl+F9
    std::vector<StoredCaption> stored;
    for (const std::string& d : directions)
        for (int n = 0; n < 3; ++n) stored.push_back({textOf(d, n), scrolling(d, 300, 300).line()});
    writeCaptions(directory, stored);
    std::vector<SIZE> sizes;
    {
        ToolProcess tool(directory);
        ASSERT_TRUE(tool.started());
        for (const StoredCaption& caption : stored) {
            const RECT r = rectInParent(tool.captionLabel(caption.text));
            sizes.push_back({r.right - r.left, r.bottom - r.top});
        }
        EXPECT_EQ(tool.exitFromTray(), 0u);
    }

    // Offsets 6, 5 and 4 from the place a step would have to reach to wrap.
    const int width = screenWidth(), height = screenHeight();
    std::vector<POINT> expected;
    stored.clear();
    for (size_t d = 0; d < directions.size(); ++d)
        for (int n = 0; n < 3; ++n) {
            const SIZE size = sizes[d * 3 + static_cast<size_t>(n)];
            const int offset = 6 - n;
            CaptionLook look = scrolling(directions[d], 300, 300);
            if (d == 0) look.left = width - offset;
            if (d == 1) look.left = offset - static_cast<int>(size.cx);
            if (d == 2) look.top = height - offset;
            if (d == 3) look.top = offset - static_cast<int>(size.cy);
            const int beyond[4] = {n < 2 ? look.left + 5 : -static_cast<int>(size.cx), n < 2 ? look.left - 5 : width,
                                   n < 2 ? look.top + 5 : -static_cast<int>(size.cy), n < 2 ? look.top - 5 : height};
            expected.push_back(d < 2 ? POINT{beyond[d], look.top} : POINT{look.left, beyond[d]});
            stored.push_back({textOf(directions[d], n), look.line()});
        }
    // First in the list, where a click finds it.
    CaptionLook witness = scrolling("1", 300, 600);
    witness.scrolls = false;
    witness.shown = false;
    stored.insert(stored.begin(), {"Witness", witness.line()});
    expected.insert(expected.begin(), POINT{witness.left, witness.top});
    writeCaptions(directory, stored);

    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    const HWND settings = tool.openSettings();
    ASSERT_NE(settings, nullptr);
    const SettingsUnits units = settingsUnits(settings);
    // Ticks for longer than the store waits between writes: a write would
    // have put another file in the configuration file's place.
    const FileVersion before = directory.version(ConfigFile);
    int ticks = 0;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 1500; ++ticks)
        ASSERT_TRUE(tool.runOneTick(units.hideHotkey));
    EXPECT_EQ(directory.version(ConfigFile), before) << ticks << " ticks that moved nothing wrote nothing";
    clickListCheckBox(units.list, 0);
    EXPECT_TRUE(waitUntil([&] { return directory.version(ConfigFile) != before; })) << "the user's change is written";

    setText(units.speed, "5");
    ASSERT_TRUE(waitForPostedMessages(units.hideHotkey));
    ASSERT_TRUE(tool.runOneTick(units.hideHotkey));
    // Each caption's window follows its place within a second.
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(stored[i].text);
        RECT r{};
        waitUntil([&] {
            r = rectInParent(tool.captionLabel(stored[i].text));
            return r.left == expected[i].x && r.top == expected[i].y;
        });
        EXPECT_EQ(r.left, expected[i].x);
        EXPECT_EQ(r.top, expected[i].y);
    }

    // Hidden, the captions stand still: their places are stored at once,
    // not a second later (no tick runs while the settings window is open).
    sendChord({VK_CONTROL}, VK_F9);
    ASSERT_TRUE(waitUntil([&] { return tool.visibleCaptionLabels().empty(); }));
    EXPECT_TRUE(waitUntil([&] {
        for (size_t i = 1; i < expected.size(); ++i)
            if (storedNumber(directory, i + 1, 8) != expected[i].x || storedNumber(directory, i + 1, 9) != expected[i].y)
                return false;
        return true;
    }));
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

// A negative speed runs each caption against its direction, and the wrap
// test of its direction never fires.
TEST(ScrollSpeed, ANegativeSpeedRunsBackwardsWithoutWrapping)
{
    ProgramDirectory directory;
    directory.write(SettingsFile, "[滚动速度]\r\n值=-5\r\n");
    const CaptionLook right = scrolling("1", 60, 100);
    const CaptionLook up = scrolling("4", 300, screenHeight() - 200);
    writeCaptions(directory, {{"Backwards left", right.line()}, {"Backwards down", up.line()}});
    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    const RECT r = rectInParent(tool.captionLabel("Backwards left"));
    const int width = r.right - r.left;
    // Right to left past its whole width, where a leftward caption would have wrapped.
    EXPECT_TRUE(waitUntil([&] {
        return !storedLine(directory, 1).empty() && storedNumber(directory, 1, 8) < -width - 10;
    }));
    EXPECT_TRUE(stepsFrom(right.left, storedNumber(directory, 1, 8), 5));
    // The caption's window follows its place within a second.
    EXPECT_TRUE(waitUntil([&] { return rectInParent(tool.captionLabel("Backwards left")).left < -width; }));
    // Downwards past the bottom edge, where a downward caption would have wrapped.
    EXPECT_TRUE(waitUntil([&] {
        return !storedLine(directory, 2).empty() && storedNumber(directory, 2, 9) > screenHeight() + 10;
    }));
    EXPECT_TRUE(stepsFrom(up.top, storedNumber(directory, 2, 9), 5));
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

}  // namespace
}  // namespace tessaly::e2e
