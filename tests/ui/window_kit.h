// Units under test in a real loaded window: its description, in the language
// of resources/windows.txt, is packed at run time by the packer, loaded by the
// window layer of a frame started once per process, and every routine its
// events are bound to is a recording routine behind a real thunk table. So a
// unit is created, shown, reflected to and routed exactly as in a program.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/core/program_header.h"
#include "runtime/core/typed_value.h"
#include "runtime/ui/unit.h"
#include "tests/ui/message_pump.h"
#include "tools/packer/program_builder.h"

namespace tessaly::ui::testing {

inline constexpr uint32_t KitWindowId = 0x52000001;

// Descriptions are UTF-8, while the tests' narrow literals are GBK.
inline std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }
// A colour or word as a description writes it.
std::string hex(uint32_t value);

// Where a unit stands in its window.
struct Place {
    int32_t left = 10, top = 10, width = 200, height = 24;
};

// A section of a visible unit of the kind (a type name) at the place, with
// the keys given; later keys override, "flags" among them.
std::string unitSection(std::string_view kind, uint32_t unitId, Place place, const std::string& keys = {});
// A "@file" value naming a file of the kit's that holds the content.
std::string fileValue(const Bytes& content);

// Packs a window of the given unit sections. Its own section is a caption-less
// visible pop-up; `windowKeys` add to or override its keys. Every routine an
// event or a menu item names is listed for the kit, in order of appearance.
pack::PackedProgram packWindow(const std::string& units, const std::string& windowKeys = {},
                               const std::filesystem::path& baseDir = ".");
// Puts type data the description language cannot write (an earlier version,
// say) into a unit's record.
void replaceTypeData(pack::PackedProgram& program, uint32_t unitId, Bytes typeData);

// One call of a recording routine.
struct RoutineCall {
    std::string routine;
    uint32_t unitId = 0;  // the unit that raised the event
    std::vector<intptr_t> arguments;
    std::string snapshot;  // what the test's snapshot answered at the call
};

// Whether a kit window is loaded as it is made, or only its templates put in
// place for the test to load it.
enum class Loading { Now, Later };

// The kit's window, loaded for the lifetime of the object; the templates of
// one window at a time.
class KitWindow {
public:
    explicit KitWindow(const std::string& units, const std::string& windowKeys = {})
        : KitWindow(packWindow(units, windowKeys))
    {
    }
    explicit KitWindow(pack::PackedProgram program, Loading loading = Loading::Now);
    KitWindow(const KitWindow&) = delete;
    KitWindow& operator=(const KitWindow&) = delete;
    ~KitWindow();

    HWND handle() const;
    // The live unit, through the layer; throws when it is not there.
    Unit& unit(uint32_t unitId) const;
    TypedValue read(uint32_t unitId, int32_t index, int32_t field = -1) const;
    void write(uint32_t unitId, int32_t index, const TypedValue& value, int32_t field = -1) const;

    // The calls of one routine so far; of every routine when none is named.
    std::vector<RoutineCall> calls(std::string_view routine = {}) const;
    void clearCalls() const;
    // Taken at every routine call from now on.
    void snapshotWith(std::function<std::string()> snapshot) const;
    // Runs inside every call of the routine (with no name: of every routine
    // without a body of its own), before the call is recorded: it may note
    // what it sees in the call's snapshot, and what it answers is the
    // routine's answer. A routine answers nothing otherwise.
    void onCall(std::string_view routine, std::function<RoutineResult(RoutineCall&)> body) const;

private:
    pack::PackedProgram program_;
    Bytes block_;
};

// A fixture of one kit window at a time: loading another closes the one before.
class KitTest : public ::testing::Test {
protected:
    void load(const std::string& units, const std::string& windowKeys = {}) { window_.emplace(units, windowKeys); }
    void load(pack::PackedProgram program, Loading loading = Loading::Now) { window_.emplace(std::move(program), loading); }
    template <class T = Unit>
    T* unit(uint32_t unitId) const
    {
        return static_cast<T*>(&window_->unit(unitId));
    }

    std::optional<KitWindow> window_;
};

}  // namespace tessaly::ui::testing
