// Every unit kind loaded from its sample's description keys: each property
// answers the sample's value, and the type data the unit writes back is the
// sample's block, byte for byte, whether the unit keeps a field itself or
// its live control holds it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "runtime/core/notify_codes.h"
#include "tests/ui/unit_kind_samples.h"
#include "tests/ui/window_kit.h"

namespace tessaly::ui {
namespace {

using namespace samples;

constexpr uint32_t SampleId = 0x16000001;

std::string sampleSection(const KindSample& k)
{
    std::string keys;
    for (const SampleField& f : k.fields) keys += std::string(f.key) + " = " + std::string(f.value) + "\n";
    return testing::unitSection(k.kind, SampleId, {10, 10, 200, 120}, keys);
}

TEST(UnitKinds, EveryKindAnswersEachFieldOfItsSampleAndWritesTheBlockBack)
{
    const std::filesystem::path base = std::filesystem::temp_directory_path() / "tessaly-unit-kind-samples";
    std::filesystem::create_directories(base);
    std::ofstream(base / SampleFile.substr(1), std::ios::binary) << FileContent;
    for (const KindSample& k : kindSamples()) {
        if (k.typeId == TypeId::Window) continue;  // the window layer makes windows
        SCOPED_TRACE(std::string(k.kind));
        const testing::KitWindow window(testing::packWindow(sampleSection(k), {}, base));
        const Unit& unit = window.unit(SampleId);
        for (const SampleField& f : k.fields) {
            SCOPED_TRACE(std::string(f.key));
            PropertyValue v;
            ASSERT_TRUE(unit.type().getProperty(unit, f.index - FirstOwnProperty, v));
            if (f.wire == Wire::I32 || f.wire == Wire::U32)
                EXPECT_EQ(static_cast<uint32_t>(v.data), numberOf(f.value));
            else
                EXPECT_EQ(Bytes(v.asBytes().begin(), v.asBytes().end()), answerBytes(f));
        }
        EXPECT_EQ(unit.type().currentTypeData(unit), sampleBlock(k));
    }
}

}  // namespace
}  // namespace tessaly::ui
