// The template packer: descriptions become records with the runtime's
// writers, and mistakes in a description are named instead of packed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "runtime/ui/type_data.h"
#include "tests/ui/unit_kind_samples.h"
#include "tools/packer/program_builder.h"
#include "tools/packer/type_fields.h"

namespace tessaly::pack {
namespace {

const std::string Routines = "[routines]\nstart\ntick\nclicked\n";
const std::string Window = "[window 0x52000001]\nown = 0x06000001\nmodule = 0x19000001\nevents = 0 start\n";

// Descriptions are UTF-8, while this file's narrow literals are GBK.
std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

PackedProgram pack(const std::string& text) { return buildProgram(parseDescription(text), "."); }

// Every field of every kind lands at its own place in the block, in the
// encoding its reader expects: a key mapped to another field, or two fields
// read in the wrong order, moves a sample value away from its place.
TEST(Packer, EveryFieldOfEveryKindPacksToItsPlaceInTheBlock)
{
    const std::filesystem::path base = std::filesystem::temp_directory_path() / "tessaly-packer-samples";
    std::filesystem::create_directories(base);
    std::ofstream(base / ui::samples::SampleFile.substr(1), std::ios::binary) << ui::samples::FileContent;
    for (const ui::samples::KindSample& k : ui::samples::kindSamples()) {
        SCOPED_TRACE(std::string(k.kind));
        Entries entries;
        for (const auto& f : k.fields) entries.emplace_back(f.key, f.value);
        EXPECT_EQ(buildTypeData(k.typeId, entries, base), ui::samples::sampleBlock(k));
        if (k.typeId != ui::TypeId::Window) {
            EXPECT_EQ(unitTypeOf(std::string(k.kind)), k.typeId);
        }
    }
}

TEST(Packer, RoutineWordsAreThunkOffsetsAndContainersListTheirUnits)
{
    const PackedProgram p = pack(Routines + Window +
                                 utf8(u8"[GroupBox 0x16000002 group]\ncaption = 设置\n") +
                                 "[Timer 0x16000003 timer]\ncontainer = 0x16000002\nevents = 0 tick, -1 clicked\n"
                                 "interval = 20\n"
                                 "[menu 0x26000004]\ncaption = -\n");
    ASSERT_EQ(p.windows.size(), 1u);
    EXPECT_EQ(p.routines, (std::vector<std::string>{"start", "tick", "clicked"}));
    const ui::UnitTable& units = p.windows[0].units;
    ASSERT_EQ(units.size(), 4u);
    EXPECT_EQ(p.windows[0].moduleId, 0x19000001u);
    EXPECT_EQ(ui::bindingAt(units.bodyAt(0), units.unitFields(0), 0).routine, 0u) << "the start routine";
    const ui::UnitFields timer = units.unitFields(2);
    EXPECT_EQ(ui::bindingAt(units.bodyAt(2), timer, 0).routine, 16u);
    EXPECT_EQ(ui::bindingAt(units.bodyAt(2), timer, 1).routine, 32u);
    EXPECT_EQ(ui::readTypeData(ui::TimerRows, timer.typeData)->interval, 20);
    const ui::UnitFields group = units.unitFields(1);
    ASSERT_EQ(group.childCount(), 1u);
    EXPECT_EQ(group.child(0), 0x16000003u);
    EXPECT_EQ(ui::readTypeData(ui::GroupBoxRows, group.typeData)->caption, "设置") << "stored as GBK";
    EXPECT_EQ(units.menuItemFields(3).routine, ui::NoRoutineWord);
}

TEST(Packer, MistakesAreRefused)
{
    const std::vector<std::string> bad = {
        Routines + Window + "[Timer 0x16000002 t]\nspeed = 3\n",          // unknown key
        Routines + Window + "[Timer 0x16000002 t]\nevents = 0 nowhere\n",  // unknown routine
        Routines + Window + "[Timer 0x16000002 t]\ninterval = fast\n",     // not a number
        Routines + Window + "[Timer 0x16000002 t]\n[Timer 0x16000002 u]\n",  // repeated identifier
        Routines + Window + "[Label 0x16000002 t]\ncontainer = 0x16000009\n",  // no such container
        Routines + "[Timer 0x16000002 t]\n",                                // outside a window
        Routines + "[window 0x52000001]\n",                                 // no own record identifier
        Routines + Window + "[Gadget 0x16000002 g]\n",                     // unknown type
    };
    for (const std::string& text : bad) EXPECT_THROW(pack(text), std::runtime_error) << text;
}

}  // namespace
}  // namespace tessaly::pack
