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

// A window of `labels` labels behind its own record, identifiers 0x16000100 up.
WindowTemplate labelWindow(size_t labels)
{
    WindowTemplate w = testing::window(0x52000001, 0x06000001);
    for (size_t i = 0; i < labels; ++i) {
        UnitRecord label = testing::unit(TypeId::Label, {{-1, static_cast<uint32_t>(i)}});
        label.position.left = static_cast<int32_t>(i);
        w.units.addRecord(0x16000100 + static_cast<uint32_t>(i), encodeUnitRecord(label));
    }
    return w;
}

// Every identifier answers the position that holds it, and its own record.
void expectEveryLookupLandsOnItsRecord(const UnitTable& units)
{
    for (size_t i = 0; i < units.size(); ++i) {
        ASSERT_EQ(units.indexOf(units.idAt(i)), std::optional<size_t>(i)) << "identifier " << std::hex << units.idAt(i);
        if (!units.isMenuItem(i) && units.typeIdAt(i) == TypeId::Label) {
            EXPECT_EQ(units.unitFields(i).position.left, static_cast<int32_t>(units.idAt(i) - 0x16000100));
        }
    }
}

TEST(UnitLookup, RemovingRecordsAnywhereKeepsEveryOtherLookup)
{
    WindowTemplate w = labelWindow(40);
    for (const uint32_t gone : {0x16000100u + 17, 0x16000100u, 0x16000100u + 39}) {
        w.units.removeRecord(*w.units.indexOf(gone));
        EXPECT_EQ(w.units.indexOf(gone), std::nullopt);
        expectEveryLookupLandsOnItsRecord(w.units);
    }
    EXPECT_EQ(w.units.size(), 38u);
    w.units.removeRecord(0);
    w.units.removeRecord(w.units.size());
    EXPECT_EQ(w.units.size(), 38u) << "the own record stays and a position beyond the table is no record";
    ASSERT_TRUE(w.units.addRecord(0x16000100 + 17, encodeUnitRecord(testing::unit(TypeId::Label))));
    EXPECT_EQ(w.units.indexOf(0x16000100 + 17), std::optional<size_t>(38)) << "a removed identifier can come back, last";
}

// A table of labels 0x16000100, 0x16000101 and again 0x16000101, as a block may hold them.
UnitTable tableWithARepeatedIdentifier()
{
    Bytes packed = labelWindow(3).units.pack();
    storeU32(packed.data() + 4 * 3, 0x16000101);
    return *UnitTable::parse(packed, 4);
}

TEST(UnitLookup, AnIdentifierThatStandsTwiceAnswersItsFirstEntryThenItsNext)
{
    UnitTable units = tableWithARepeatedIdentifier();
    EXPECT_EQ(units.indexOf(0x16000101), std::optional<size_t>(2));
    units.removeRecord(1);
    EXPECT_EQ(units.indexOf(0x16000101), std::optional<size_t>(1)) << "moved up with its entry";
    units.removeRecord(1);
    EXPECT_EQ(units.indexOf(0x16000101), std::optional<size_t>(1)) << "the second entry answers now";

    UnitTable again = tableWithARepeatedIdentifier();
    again.removeRecord(3);
    EXPECT_EQ(again.indexOf(0x16000101), std::optional<size_t>(2)) << "removing the second entry leaves the first";
}

TEST(UnitLookup, CopiesOfATableLookUpIndependently)
{
    WindowTemplate w = labelWindow(10);
    keepPristineCopy(w);
    const UnitTable copy = w.units;
    w.units.removeRecord(*w.units.indexOf(0x16000103));
    ASSERT_TRUE(w.units.addRecord(0x16000200, w.units.bodyAt(1)));
    EXPECT_EQ(copy.indexOf(0x16000103), std::optional<size_t>(4));
    EXPECT_EQ(copy.indexOf(0x16000200), std::nullopt);
    EXPECT_EQ(w.units.indexOf(0x16000109), std::optional<size_t>(9));

    restorePristineCopy(w);
    EXPECT_EQ(w.units.indexOf(0x16000200), std::nullopt);
    expectEveryLookupLandsOnItsRecord(w.units);
    EXPECT_EQ(w.units.size(), 11u);
}

TEST(UnitLookup, WindowsAreFoundByIdentifierAndTheFirstOfTwoAnswers)
{
    TemplateTable t;
    for (const uint32_t id : {0x52000001u, 0x52000002u, 0x52000001u}) {
        WindowTemplate w = testing::window(id, 0x06000001);
        w.moduleId = static_cast<uint32_t>(t.size());
        t.add(std::move(w));
    }
    EXPECT_EQ(t.find(0x52000002), t.at(1));
    EXPECT_EQ(t.find(0x52000001)->moduleId, 0u);
}

// A field write changes a record exactly as re-encoding it with that field changed would.
class FieldWrites : public ::testing::Test {
protected:
    void SetUp() override
    {
        table = loaded();
        units = &table.find(0x52000001)->units;
        label = *units->indexOf(0x16000002);
        before = *decodeUnitRecord(units->bodyAt(label));
    }
    void expectRecord(const UnitRecord& expected) const
    {
        const ByteView body = units->bodyAt(label);
        EXPECT_EQ(Bytes(body.begin(), body.end()), encodeUnitRecord(expected));
        EXPECT_EQ(units->routineAt(label, 1), CodeBase + 0x10) << "bindings stay bound";
    }

    TemplateTable table;
    UnitTable* units = nullptr;
    size_t label = 0;
    UnitRecord before;
};

TEST_F(FieldWrites, FixedWordsAreOverwritten)
{
    units->setPosition(label, {-7, 8, 32627, 0});
    before.position = {-7, 8, 32627, 0};
    expectRecord(before);
    units->setFlags(label, UnitFlag::Disabled | UnitFlag::TabStop);
    before.flags = UnitFlag::Disabled | UnitFlag::TabStop;
    expectRecord(before);
}

TEST_F(FieldWrites, VariableFieldsGrowAndShrink)
{
    units->setTag(label, "一个较长的标记");
    before.tag = "一个较长的标记";
    expectRecord(before);
    units->setTag(label, std::string_view("ab\0cd", 5));
    before.tag = "ab";
    expectRecord(before);
    units->setMousePointer(label, Bytes{0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3});
    before.mousePointer = {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3};
    expectRecord(before);
    units->setMousePointer(label, {});
    before.mousePointer.clear();
    expectRecord(before);
    const uint32_t children[] = {0x16000010, 0x16000011};
    units->setChildren(label, children);
    before.children = {0x16000010, 0x16000011};
    expectRecord(before);
    units->setChildren(label, {});
    before.children.clear();
    expectRecord(before);
}

TEST_F(FieldWrites, MenuItemStateAndCaption)
{
    const size_t item = *units->indexOf(0x26000004);
    MenuItemRecord expected = *decodeMenuItemRecord(units->bodyAt(item));
    units->setMenuState(item, MenuState::Checked | MenuState::Hidden);
    units->setMenuCaption(item, "新的菜单项");
    expected.state = MenuState::Checked | MenuState::Hidden;
    expected.caption = "新的菜单项";
    const ByteView body = units->bodyAt(item);
    EXPECT_EQ(Bytes(body.begin(), body.end()), encodeMenuItemRecord(expected));
    EXPECT_EQ(units->routineAt(item), CodeBase + 0x30);
}

}  // namespace
}  // namespace tessaly::ui
