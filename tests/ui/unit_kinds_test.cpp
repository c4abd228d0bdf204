// Every unit kind made from its sample block: each property answers the
// sample's value, and the type data the unit writes back is the block it
// was made from, byte for byte, whether the unit keeps a field itself or
// its live control holds it.
#include <gtest/gtest.h>

#include "runtime/ui/units/unit_types.h"
#include "tests/ui/unit_host.h"
#include "tests/ui/unit_kind_samples.h"
#include "tests/ui/unit_properties.h"

namespace tessaly::ui {
namespace {

using namespace samples;

TEST(UnitKinds, EveryKindAnswersEachFieldOfItsSampleAndWritesTheBlockBack)
{
    registerUnitTypes();
    test::UnitHost host;
    for (const KindSample& k : kindSamples()) {
        if (k.typeId == TypeId::Window) continue;  // the window layer makes windows
        SCOPED_TRACE(std::string(k.kind));
        const Bytes block = sampleBlock(k);
        Unit* unit = test::createShown(k.typeId, host.params(block, 10, 10, 200, 120));
        ASSERT_NE(unit, nullptr);
        for (const SampleField& f : k.fields) {
            SCOPED_TRACE(std::string(f.key));
            PropertyValue v;
            ASSERT_TRUE(unit->type().getProperty(*unit, f.index - FirstOwnProperty, v));
            if (f.wire == Wire::I32 || f.wire == Wire::U32)
                EXPECT_EQ(static_cast<uint32_t>(v.data), numberOf(f.value));
            else
                EXPECT_EQ(Bytes(v.asBytes().begin(), v.asBytes().end()), answerBytes(f));
        }
        EXPECT_EQ(unit->type().currentTypeData(*unit), block);
        DestroyWindow(unit->handle());
    }
}

}  // namespace
}  // namespace tessaly::ui
