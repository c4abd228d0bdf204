// Reading the template block, refusing malformed ones, routine binding and
// the event routine lookup, on small hand-made templates.
#include <gtest/gtest.h>

#include "runtime/ui/event_routine.h"
#include "tests/ui/test_templates.h"

namespace tessaly::ui {
namespace {

using testing::CapturedReport;
using testing::ThrowingErrorHook;

constexpr uintptr_t CodeBase = 0x140001000;

int32_t kindOf(uint32_t typeId)
{
    if (typeId == TypeId::MenuItem) return 2;
    if (typeId == TypeId::Timer) return 0;  // stands in for a type without events
    return 1;
}

TemplateTable loaded()
{
    const Bytes b = testing::smallBlock();
    return loadTemplateBlock(b, CodeBase);
}

TEST(TemplateBlock, ReadsWindowsInIndexOrderAndWritesTheSameBytesBack)
{
    const Bytes original = testing::smallBlock();
    const auto table = readTemplateBlock(original);
    ASSERT_TRUE(table);
    ASSERT_EQ(table->size(), 2u);
    EXPECT_EQ(table->at(0)->id, 0x52000001u);
    EXPECT_EQ(table->at(1)->id, 0x52000010u);
    EXPECT_EQ(table->at(2), nullptr);
    EXPECT_EQ(table->at(0)->moduleId, 0x19000001u);
    EXPECT_EQ(table->at(0)->string1, "s1");
    EXPECT_EQ(table->find(0x52000010), table->at(1));
    EXPECT_EQ(table->find(0x52000099), nullptr);
    EXPECT_EQ(writeTemplateBlock({table->at(0), table->at(1)}), original);
}

TEST(TemplateBlock, EveryTruncationIsRefusedWithoutReadingPastTheEnd)
{
    const Bytes original = testing::smallBlock();
    for (size_t n = 0; n < original.size(); ++n) {
        // A copy of exactly n bytes, so a sanitizer sees any read beyond it.
        const Bytes cut(original.begin(), original.begin() + static_cast<ptrdiff_t>(n));
        EXPECT_FALSE(readTemplateBlock(cut)) << "accepted a block cut to " << n << " bytes";
    }
}

TEST(TemplateBlock, ImpossibleLengthsAndCountsAreRefused)
{
    const Bytes original = testing::smallBlock();
    const size_t indexSize = 16;
    const size_t firstRecord = 4 + indexSize;
    const size_t unitCountAt = firstRecord + 8 + 6 + 4;  // word A, module, "s1", empty string
    auto patched = [&](size_t at, uint32_t value) {
        Bytes b = original;
        storeU32(b.data() + at, value);
        return b;
    };
    EXPECT_FALSE(readTemplateBlock(patched(0, 12))) << "index not a multiple of 8";
    EXPECT_FALSE(readTemplateBlock(patched(0, 0xFFFFFFF8))) << "index longer than the block";
    EXPECT_FALSE(readTemplateBlock(patched(firstRecord + 8, 0xFFFFFFFF))) << "string longer than the block";
    EXPECT_FALSE(readTemplateBlock(patched(unitCountAt, 0x40000000))) << "unit count beyond the table";
    EXPECT_FALSE(readTemplateBlock(patched(unitCountAt, 0))) << "no own record";
    EXPECT_FALSE(readTemplateBlock(patched(unitCountAt + 8 + 6 * 4, 0x7FFFFFF0))) << "offset beyond the table";
}

TEST(TemplateBlock, UnitCountBeyondTheOffsetListIsRefusedWithoutReadingPastTheBlock)
{
    // One window, so its unit table is the last thing in the block.
    WindowTemplate w = testing::window(0x52000001, 0x06000001);
    ASSERT_TRUE(w.units.addRecord(0x16000002, encodeUnitRecord(testing::unit(TypeId::Label))));
    const size_t tableSize = w.units.pack().size();
    Bytes block = testing::block({&w});
    const size_t unitCountAt = block.size() - tableSize - 8;  // the count, then the table's length word
    ASSERT_EQ(loadU32(block.data() + unitCountAt), 2u);
    // One entry (identifier and offset) more than the table holds, though
    // the identifiers alone would still fit in it.
    const auto tooMany = static_cast<uint32_t>(tableSize / 8 + 1);
    ASSERT_LE(size_t{tooMany} * 4, tableSize);
    storeU32(block.data() + unitCountAt, tooMany);

    // A copy of exactly the block's size, so a sanitizer sees any read beyond it.
    const Bytes exact(block.begin(), block.end());
    ThrowingErrorHook hook;
    try {
        loadTemplateBlock(exact, CodeBase);
        FAIL() << "a unit count of " << tooMany << " was accepted for a table of " << tableSize << " bytes";
    } catch (const CapturedReport& r) {
        EXPECT_NE(r.text.find(std::string(TemplateLoadError)), std::string::npos) << r.text;
    }
}

TEST(TemplateBlock, ImpossibleCountsInsideARecordAreRefused)
{
    UnitRecord r = testing::unit(TypeId::Label);
    const Bytes body = encodeUnitRecord(r);
    const auto fields = walkUnitRecord(body);
    ASSERT_TRUE(fields);
    const size_t childCountAt = fields->pointerSlotAt + 8;
    for (size_t at : {childCountAt, fields->bindingsAt - 4}) {
        Bytes bad = body;
        storeU32(bad.data() + at, 0x20000000);
        EXPECT_FALSE(walkUnitRecord(bad));
        WindowTemplate w = testing::window(0x52000001, 0x06000001);
        EXPECT_FALSE(w.units.addRecord(0x16000002, bad));
    }
    Bytes unterminated = encodeMenuItemRecord(testing::menuItem("x", 0));
    unterminated.resize(26);  // ends inside the names
    EXPECT_FALSE(walkMenuItemRecord(unterminated));
}

TEST(TemplateBlock, AMalformedBlockIsAFatalReport)
{
    ThrowingErrorHook hook;
    const Bytes cut = {8, 0, 0, 0, 1, 0, 0, 0x52};
    try {
        loadTemplateBlock(cut, CodeBase);
        FAIL() << "no report";
    } catch (const CapturedReport& r) {
        EXPECT_NE(r.text.find(std::string(TemplateLoadError)), std::string::npos);
    }
}

TEST(TemplateBlock, AnEmptyIndexLoadsNoWindows)
{
    const Bytes empty = {0, 0, 0, 0};
    const auto table = readTemplateBlock(empty);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->size(), 0u);
    EXPECT_EQ(table->find(0x52000001), nullptr);
}

TEST(RoutineBinding, WordZeroIsTheCodeBaseAndAllOnesIsNoRoutine)
{
    const TemplateTable t = loaded();
    const UnitTable& units = t.at(0)->units;
    const size_t label = *units.indexOf(0x16000002);
    EXPECT_EQ(units.routineAt(label, 0), CodeBase) << "routine word 0";
    EXPECT_EQ(units.routineAt(label, 1), CodeBase + 0x10);
    EXPECT_EQ(units.routineAt(*units.indexOf(0x26000003)), 0u);
    EXPECT_EQ(units.routineAt(*units.indexOf(0x26000004)), CodeBase + 0x30);
    // The stored words keep their offsets: only the runtime's copy is bound.
    EXPECT_EQ(bindingAt(units.bodyAt(label), units.unitFields(label), 1).routine, 0x10u);
}

TEST(UnitLookup, AWindowWithOnlyItsOwnRecordFindsItByIdZero)
{
    const TemplateTable t = loaded();
    const WindowTemplate* w = t.find(0x52000010);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->units.size(), 1u);
    EXPECT_EQ(w->units.indexOf(0), std::optional<size_t>(0));
    EXPECT_EQ(w->units.indexOf(0x06000010), std::optional<size_t>(0));
    EXPECT_EQ(w->ownRecordId(), 0x06000010u);
    EXPECT_EQ(w->units.typeIdAt(0), TypeId::Window);
    const auto r = findEventRoutine(t, 0x52000010, 0, 0, &kindOf);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->routine, CodeBase + 0x20);
    EXPECT_EQ(r->unitId, 0x06000010u) << "the own record's id answers for 0";
}

TEST(UnitLookup, MenuItemsAreTestedByIdentifierClass)
{
    const TemplateTable t = loaded();
    const UnitTable& units = t.at(0)->units;
    EXPECT_FALSE(units.isMenuItem(0));
    EXPECT_FALSE(units.isMenuItem(1));
    EXPECT_TRUE(units.isMenuItem(2));
    EXPECT_EQ(units.menuItemFields(3).caption, "item");
    EXPECT_TRUE(units.menuItemFields(4).isSeparator());
    EXPECT_EQ(units.indexOf(0x16000099), std::nullopt);
}

TEST(EventLookup, FirstMatchingBindingMenuItemsAndUnboundEvents)
{
    const TemplateTable t = loaded();
    const auto press = findEventRoutine(t, 0x52000001, 0x16000002, -1, &kindOf);
    ASSERT_TRUE(press);
    EXPECT_EQ(press->routine, CodeBase);
    EXPECT_EQ(press->windowId, 0x52000001u);
    EXPECT_EQ(press->unitId, 0x16000002u);
    EXPECT_FALSE(findEventRoutine(t, 0x52000001, 0x16000002, -2, &kindOf)) << "unbound event";
    const auto item = findEventRoutine(t, 0x52000001, 0x26000004, 0, &kindOf);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->routine, CodeBase + 0x30);
    EXPECT_FALSE(findEventRoutine(t, 0x52000001, 0x26000005, 0, &kindOf)) << "a separator binds nothing";
}

TEST(EventLookup, FollowsTheEventSourceChainOfTheSameType)
{
    TemplateTable t = loaded();
    UnitTable& units = t.find(0x52000001)->units;
    UnitRecord copy = testing::unit(TypeId::Label);
    copy.eventSource = 0x16000002;
    ASSERT_TRUE(units.addRecord(0x16000007, encodeUnitRecord(copy)));
    UnitRecord copyOfCopy = copy;
    copyOfCopy.eventSource = 0x16000007;
    ASSERT_TRUE(units.addRecord(0x16000008, encodeUnitRecord(copyOfCopy)));
    UnitRecord otherType = testing::unit(TypeId::Button, {{-1, 0x50}});
    otherType.eventSource = 0x16000006;  // the timer: a different type, not followed
    ASSERT_TRUE(units.addRecord(0x16000009, encodeUnitRecord(otherType)));

    const auto viaChain = findEventRoutine(t, 0x52000001, 0x16000008, 0, &kindOf);
    ASSERT_TRUE(viaChain);
    EXPECT_EQ(viaChain->routine, CodeBase + 0x10);
    EXPECT_EQ(viaChain->unitId, 0x16000008u) << "the source is the unit that raised the event";
    const auto own = findEventRoutine(t, 0x52000001, 0x16000009, -1, &kindOf);
    ASSERT_TRUE(own);
    EXPECT_EQ(own->routine, CodeBase + 0x50);
}

TEST(EventLookup, MissingWindowMissingUnitAndTypesWithoutEventsAreFatal)
{
    const TemplateTable t = loaded();
    ThrowingErrorHook hook;
    auto reportOf = [&](uint32_t window, uint32_t unitId) -> std::string {
        try {
            findEventRoutine(t, window, unitId, 0, &kindOf);
        } catch (const CapturedReport& r) {
            return r.text;
        }
        return {};
    };
    EXPECT_NE(reportOf(0x52000099, 0).find("未找到引发事件的窗口\r\n"), std::string::npos);
    EXPECT_NE(reportOf(0x52000001, 0x16000099).find("未找到引发事件的窗口组件"), std::string::npos);
    EXPECT_NE(reportOf(0x52000001, 0x16000006).find("引发事件的窗口组件无效"), std::string::npos);
}

TEST(UnitTableChanges, TypeDataGrowsSlotsHoldPointersAndThePristineCopyComesBack)
{
    TemplateTable t = loaded();
    WindowTemplate& w = *t.find(0x52000001);
    keepPristineCopy(w);
    const size_t label = *w.units.indexOf(0x16000002);
    const Bytes bigger(300, 0xAB);
    w.units.replaceTypeData(label, bigger);
    const UnitFields f = w.units.unitFields(label);
    EXPECT_EQ(Bytes(f.typeData.begin(), f.typeData.end()), bigger);
    EXPECT_EQ(f.bindingCount, 2u) << "fields before the type data are untouched";
    w.units.setObjectSlot(label, 0x7FFF12345678);
    w.units.setPointerSlot(label, 0x10);
    EXPECT_EQ(w.units.objectSlot(label), 0x7FFF12345678u);

    const Bytes packed = w.units.pack();
    const auto reparsed = UnitTable::parse(packed, static_cast<uint32_t>(w.units.size()));
    ASSERT_TRUE(reparsed);
    EXPECT_EQ(reparsed->unitFields(label).typeData.size(), 300u);

    ASSERT_TRUE(w.units.addRecord(0x16000020, w.units.bodyAt(label)));
    EXPECT_EQ(w.units.routineAt(w.units.size() - 1, 1), CodeBase + 0x10) << "an added record is bound too";
    EXPECT_FALSE(w.units.addRecord(0x16000020, w.units.bodyAt(label))) << "identifier already there";

    restorePristineCopy(w);
    EXPECT_EQ(w.units.indexOf(0x16000020), std::nullopt);
    EXPECT_EQ(w.units.unitFields(label).typeData.size(), 4u);
    EXPECT_EQ(w.units.objectSlot(label), 0u);
    EXPECT_FALSE(w.pristine);
}

}  // namespace
}  // namespace tessaly::ui
