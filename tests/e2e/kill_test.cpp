// The tool killed (TerminateProcess) at random moments while its captions
// scroll and while captions are added, edited, checked and deleted through
// the settings window and the editor. After every kill both caption files
// parse, and once the next start has finished a change to both that the
// kill cut in two, they pair line for line and hold the store as it was
// before or after the interrupted operation. Scrolling captions may have
// moved meanwhile, so their places are not compared.
//
// 30 kills in the suite; TESSALY_KILLS=200 bash scripts/test.sh -R kill_tests
// is the long form. TESSALY_KILL_SEED repeats a run's random choices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/caption_files.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

constexpr size_t LeftField = 7, TopField = 8, ShownField = 6, ScrollsField = 4;  // 0-based

int fromEnvironment(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atoi(value) : fallback;
}

// The two files as the tool left them.
struct Store {
    std::vector<std::string> captions;
    std::vector<std::vector<std::string>> fields;

    static Store read(const ProgramDirectory& directory)
    {
        Store store;
        store.captions = splitLines(directory.read(CaptionsFile).value_or(""));
        for (const std::string& line : splitLines(directory.read(ConfigFile).value_or("")))
            store.fields.push_back(fieldsOf(line));
        return store;
    }
    // Equal but for the places of scrolling captions.
    bool sameAs(const Store& other) const
    {
        if (captions != other.captions || fields.size() != other.fields.size()) return false;
        for (size_t i = 0; i < fields.size(); ++i) {
            std::vector<std::string> a = fields[i], b = other.fields[i];
            if (a.size() != b.size()) return false;
            if (a.size() > TopField && a[ScrollsField] == TrueText) a[LeftField] = a[TopField] = b[LeftField] = b[TopField] = "";
            if (a != b) return false;
        }
        return true;
    }
    std::string describe() const
    {
        std::ostringstream out;
        for (size_t i = 0; i < std::max(captions.size(), fields.size()); ++i)
            out << "  " << (i < captions.size() ? captions[i] : "<none>") << " | "
                << (i < fields.size() ? joinFields(fields[i]) : "<none>") << "\n";
        return out.str();
    }
};

std::vector<StoredCaption> firstCaptions()
{
    std::vector<StoredCaption> captions;
    for (int i = 0; i < 4; ++i) {
        CaptionLook look;
        look.scrolls = i % 2 == 0;
        look.direction = std::to_string(1 + i);
        look.left = 100 + 150 * i;
        look.top = 100 + 120 * i;
        captions.push_back({"字幕" + std::to_string(i + 1), look.line()});
    }
    return captions;
}

// One interrupted operation: what it does through the tool's windows up to
// the click that changes the store, and the store it leaves when it completes.
struct Operation {
    const char* name;
    std::function<bool(const ToolProcess&, HWND settings, int k, const std::string& text)> start;
    std::function<Store(Store, int k, const std::string& text)> after;
};

HWND openEditor(const ToolProcess& tool, HWND settings, int listEntry)
{
    const SettingsUnits units = settingsUnits(settings);
    if (listEntry < 0)
        clickButton(units.addCaption);
    else
        chooseListMenuEntry(tool, settings, listEntry, EditEntry);
    HWND editor = nullptr;
    waitUntil([&] { return (editor = tool.editorWindow()) != nullptr && !IsWindowEnabled(units.addCaption); }, 5000);
    return editor;
}

bool confirmText(HWND editor, const std::string& text)
{
    if (editor == nullptr) return false;
    const EditorUnits units = editorUnits(editor);
    setText(units.content, text);
    if (!waitUntil([&] { return controlTextGbk(units.content) == text; }, 5000)) return false;
    clickButton(units.confirm);
    return true;
}

const std::vector<Operation> Operations = {
    {"scroll", [](const ToolProcess&, HWND, int, const std::string&) { return true; },
     [](Store s, int, const std::string&) { return s; }},
    {"add",
     [](const ToolProcess& tool, HWND settings, int, const std::string& text) {
         return confirmText(openEditor(tool, settings, -1), text);
     },
     [](Store s, int, const std::string& text) {
         // The editor's own start values, hidden at 10, 10; its font is the first the system lists.
         s.captions.push_back(text);
         s.fields.push_back({"", "8", "16711680", "0", FalseText, "1", FalseText, "10", "10", FalseText, FalseText, "0"});
         return s;
     }},
    {"edit",
     [](const ToolProcess& tool, HWND settings, int k, const std::string& text) {
         return confirmText(openEditor(tool, settings, k - 1), text);
     },
     [](Store s, int k, const std::string& text) {
         s.captions[static_cast<size_t>(k - 1)] = text;
         return s;
     }},
    {"check",
     [](const ToolProcess&, HWND settings, int k, const std::string&) {
         clickListCheckBox(settingsUnits(settings).list, k - 1);
         return true;
     },
     [](Store s, int k, const std::string&) {
         std::string& shown = s.fields[static_cast<size_t>(k - 1)][ShownField];
         shown = shown == TrueText ? FalseText : TrueText;
         return s;
     }},
    {"delete",
     [](const ToolProcess& tool, HWND settings, int k, const std::string&) {
         chooseListMenuEntry(tool, settings, k - 1, DeleteEntry);
         return true;
     },
     [](Store s, int k, const std::string&) {
         s.captions.erase(s.captions.begin() + (k - 1));
         s.fields.erase(s.fields.begin() + (k - 1));
         return s;
     }},
};

// The line the editor wrote takes its look from the editor's controls (an
// added caption's font is the first the system lists): of that line only the
// shown flag and the place are compared, and it has twelve fields.
bool matches(const Store& found, Store expected, std::optional<size_t> editorLine)
{
    if (editorLine && *editorLine < found.fields.size() && *editorLine < expected.fields.size()) {
        const std::vector<std::string>& written = found.fields[*editorLine];
        std::vector<std::string>& line = expected.fields[*editorLine];
        if (written.size() != 12 || line.size() < 9) return false;
        std::vector<std::string> kept = written;
        std::copy(line.begin() + ShownField, line.begin() + TopField + 1, kept.begin() + ShownField);
        line = kept;
    }
    return found.sameAs(expected);
}

// What the kill left, as the next start finds and finishes it.
struct Interrupted {
    const Operation* operation;
    int k;
    std::string text;
    Store before;
};

void checkStore(const Store& found, const Interrupted& last, int& completed)
{
    ASSERT_EQ(found.captions.size(), found.fields.size()) << "the files pair line for line\n" << found.describe();
    const Store after = last.operation->after(last.before, last.k, last.text);
    const std::string name = last.operation->name;
    const std::optional<size_t> editorLine = name == "add"    ? std::optional(after.fields.size() - 1)
                                             : name == "edit" ? std::optional(static_cast<size_t>(last.k - 1))
                                                              : std::nullopt;
    const bool before = found.sameAs(last.before), done = matches(found, after, editorLine);
    ASSERT_TRUE(before || done) << "before:\n" << last.before.describe() << "after:\n" << after.describe()
                                << "found:\n" << found.describe();
    completed += done && !before;
}

// Each round starts the tool on the files the last kill left, checks them
// once its start-up has finished any change the kill interrupted, starts an
// operation and kills the tool at a random moment.
TEST(Kills, EveryKillLeavesBothFilesPairedInTheStateBeforeOrAfterTheOperation)
{
    const int kills = fromEnvironment("TESSALY_KILLS", 30);
    const auto seed = static_cast<unsigned>(fromEnvironment("TESSALY_KILL_SEED", static_cast<int>(std::random_device{}() & 0x7FFFFFFF)));
    std::printf("kills %d, seed %u\n", kills, seed);
    std::mt19937 random(seed);
    ProgramDirectory directory;
    writeCaptions(directory, firstCaptions());
    Interrupted last{&Operations[0], 0, "", Store::read(directory)};
    int completed = 0;

    for (int kill = 0; kill <= kills; ++kill) {
        SCOPED_TRACE(std::string("kill ") + std::to_string(kill - 1) + " during " + last.operation->name +
                     " of caption " + std::to_string(last.k) + ", seed " + std::to_string(seed));
        std::optional<ToolProcess> tool(std::in_place, directory);
        ASSERT_TRUE(tool->started());
        const Store store = Store::read(directory);
        checkStore(store, last, completed);
        if (kill == kills) break;

        // Operations that need a caption wait for one; the store keeps between two and eight.
        std::vector<size_t> choices{0};
        if (store.captions.size() < 8) choices.push_back(1);
        if (!store.captions.empty()) choices.insert(choices.end(), {2, 3});
        if (store.captions.size() > 2) choices.push_back(4);
        const Operation& operation = Operations[choices[random() % choices.size()]];
        const int k = store.captions.empty() ? 0 : static_cast<int>(1 + random() % store.captions.size());
        last = {&operation, k, "新字幕" + std::to_string(kill), store};
        const DWORD delay = random() % 200;

        const HWND settings = operation.name == std::string("scroll") ? nullptr : tool->openSettings();
        if (settings != nullptr) operation.start(*tool, settings, k, last.text);
        // The kill's moment is chosen at random, from the click to well after
        // the tool has stored its change: the one wait here that is on time.
        Sleep(delay);
        tool->kill();
        tool.reset();
        // Each file is whole: every configuration line has its nine or twelve fields.
        for (const auto& fields : Store::read(directory).fields) ASSERT_TRUE(fields.size() == 9 || fields.size() == 12);
    }
    std::printf("%d kills, %d after a completed operation\n", kills, completed);
}

}  // namespace
}  // namespace tessaly::e2e
