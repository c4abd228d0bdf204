#include "tests/ui/window_kit.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>
#include <utility>

#include "runtime/core/notify_codes.h"
#include "runtime/core/runtime_app.h"
#include "runtime/ui/core_library.h"
#include "runtime/ui/event_dispatch.h"
#include "runtime/ui/property_access.h"
#include "runtime/ui/window_layer.h"
#include "tests/ui/frame_setup.h"
#include "tools/packer/text_values.h"

namespace tessaly::ui::testing {
namespace {

// Routines one kit window may name; the thunk table has as many.
constexpr size_t RoutineCount = TESSALY_KIT_ROUTINES;
constexpr uint32_t HighestIdentifier = 0x100;

struct Recorder {
    RoutineResult call(size_t index, std::vector<intptr_t> arguments)
    {
        const auto source = EventDispatcher::instance().currentSource();
        RoutineCall call{index < routines.size() ? routines[index] : std::string("start"), source ? source->unitId : 0,
                         std::move(arguments), snapshot ? snapshot() : std::string()};
        RoutineResult result{};
        auto body = bodies.find(call.routine);
        if (body == bodies.end()) body = bodies.find("");
        if (body != bodies.end()) {
            const auto run = body->second;  // a copy: the body may load another window
            result = run(call);
        }
        calls.push_back(std::move(call));
        return result;
    }

    void reset(std::vector<std::string> names)
    {
        routines = std::move(names);
        calls.clear();
        snapshot = nullptr;
        bodies.clear();
    }

    std::vector<std::string> routines;
    std::vector<RoutineCall> calls;
    std::function<std::string()> snapshot;
    std::map<std::string, std::function<RoutineResult(RoutineCall&)>, std::less<>> bodies;
};

Recorder& recorder()
{
    static Recorder r;
    return r;
}

template <size_t I>
RoutineResult recordingRoutine(intptr_t a, intptr_t b, intptr_t c, intptr_t d, intptr_t e)
{
    return recorder().call(I, {a, b, c, d, e});
}

template <size_t... I>
constexpr std::array<void*, sizeof...(I)> makeTable(std::index_sequence<I...>)
{
    return {reinterpret_cast<void*>(&recordingRoutine<I>)...};
}

}  // namespace
}  // namespace tessaly::ui::testing

extern "C" {
extern char kit_thunks[];
std::array<void*, tessaly::ui::testing::RoutineCount> kit_table =
    tessaly::ui::testing::makeTable(std::make_index_sequence<tessaly::ui::testing::RoutineCount>{});
}

namespace tessaly::ui::testing {
namespace {

uintptr_t codeBase() { return reinterpret_cast<uintptr_t>(kit_thunks); }

WindowLayer& layer() { return WindowLayer::instance(); }

// The library starts as the program starts it, which registers the unit
// types; the frame starts with no windows: each kit window brings its own
// templates.
void startFrameOnce()
{
    static const Bytes empty = pack::PackedProgram{}.block();
    static bool started = false;
    if (std::exchange(started, true)) return;
    ui::coreLibraryNotify(LibraryNotify::Start, reinterpret_cast<intptr_t>(&runtimeNotify), 0);
    startFrame(empty.data(), static_cast<uint32_t>(empty.size()), codeBase(), HighestIdentifier);
}

const std::string OwnSection =
    "[window 0x52000001]\nown = 0x06000001\nmodule = 0x19000001\n"
    "position = 40 40 640 480\nflags = visible\nborder = 0\ntitle = kit\n";

void addRoutine(std::vector<std::string>& names, const std::string& name)
{
    if (name != "none" && std::ranges::find(names, name) == names.end()) names.push_back(name);
}

// The start routine first, then every routine named, in order of appearance.
pack::Section routinesOf(const std::vector<pack::Section>& sections)
{
    pack::Section routines{.kind = "routines"};
    routines.plainLines = {"start"};
    for (const pack::Section& s : sections) {
        for (const auto& [key, value] : s.entries) {
            if (key == "routine") addRoutine(routines.plainLines, value);
            if (key != "events") continue;
            for (const std::string& binding : pack::splitWords(value, ',')) {
                const auto words = pack::splitWords(binding);
                if (words.size() == 2) addRoutine(routines.plainLines, words[1]);
            }
        }
    }
    if (routines.plainLines.size() > RoutineCount) throw std::runtime_error("more routines than the kit's thunks");
    return routines;
}

}  // namespace

std::string hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string unitSection(std::string_view kind, uint32_t unitId, Place place, const std::string& keys)
{
    return "[" + std::string(kind) + " " + hex(unitId) + " unit]\nposition = " + std::to_string(place.left) + " " +
           std::to_string(place.top) + " " + std::to_string(place.width) + " " + std::to_string(place.height) +
           "\nflags = visible\n" + keys + "\n";
}

std::string fileValue(const Bytes& content)
{
    static int files = 0;
    const std::filesystem::path directory = std::filesystem::temp_directory_path() / "tessaly-window-kit";
    std::filesystem::create_directories(directory);
    const std::filesystem::path path = directory / ("file" + std::to_string(++files) + ".bin");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(content.data()),
                                                static_cast<std::streamsize>(content.size()));
    return "@" + path.string();
}

pack::PackedProgram packWindow(const std::string& units, const std::string& windowKeys,
                               const std::filesystem::path& baseDir)
{
    std::vector<pack::Section> sections = pack::parseDescription(OwnSection + windowKeys + "\n" + units);
    sections.insert(sections.begin(), routinesOf(sections));
    return pack::buildProgram(sections, baseDir);
}

void replaceTypeData(pack::PackedProgram& program, uint32_t unitId, Bytes typeData)
{
    for (WindowTemplate& window : program.windows) {
        if (const auto index = window.units.indexOf(unitId)) return window.units.replaceTypeData(*index, typeData);
    }
    throw std::runtime_error("no unit " + hex(unitId) + " to replace the type data of");
}

KitWindow::KitWindow(pack::PackedProgram program, Loading loading) : program_(std::move(program)), block_(program_.block())
{
    startFrameOnce();
    layer().releaseTemplates();
    recorder().reset(program_.routines);
    layer().loadTemplates(block_, codeBase());
    if (loading == Loading::Later) return;
    if (!layer().load(KitWindowId, 0, false)) throw std::runtime_error("the kit window did not load");
    pumpPending();
}

KitWindow::~KitWindow()
{
    layer().releaseTemplates();
    recorder().reset({});
    pumpPending();
}

HWND KitWindow::handle() const
{
    LoadedWindow* window = layer().findWindow(KitWindowId);
    return window == nullptr ? nullptr : window->handle();
}

Unit& KitWindow::unit(uint32_t unitId) const
{
    Unit* found = layer().findUnit(KitWindowId, unitId);
    if (found == nullptr) throw std::runtime_error("no live unit " + hex(unitId));
    return *found;
}

TypedValue KitWindow::read(uint32_t unitId, int32_t index, int32_t field) const
{
    return readUnitProperty(layer(), {KitWindowId, unitId, index, field});
}

void KitWindow::write(uint32_t unitId, int32_t index, const TypedValue& value, int32_t field) const
{
    writeUnitProperty(layer(), {KitWindowId, unitId, index, field}, value);
}

std::vector<RoutineCall> KitWindow::calls(std::string_view routine) const
{
    std::vector<RoutineCall> found;
    std::ranges::copy_if(recorder().calls, std::back_inserter(found),
                         [&](const RoutineCall& c) { return routine.empty() || c.routine == routine; });
    return found;
}

void KitWindow::clearCalls() const { recorder().calls.clear(); }

void KitWindow::snapshotWith(std::function<std::string()> snapshot) const { recorder().snapshot = std::move(snapshot); }

void KitWindow::onCall(std::string_view routine, std::function<RoutineResult(RoutineCall&)> body) const
{
    recorder().bodies.insert_or_assign(std::string(routine), std::move(body));
}

}  // namespace tessaly::ui::testing
