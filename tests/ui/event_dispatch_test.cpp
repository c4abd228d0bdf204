// The dispatcher: suspension, the current event source, returned values.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/core/runtime_app.h"
#include "runtime/ui/event_dispatch.h"

namespace tessaly::ui {
namespace {

constexpr uint32_t Window = 0x52010003;
constexpr uint32_t Label = 0x16012A37;
constexpr uint32_t Copy = 0x1601FFFF;

std::vector<intptr_t> g_arguments;
std::optional<EventSource> g_sourceSeen;

RoutineResult answer65(intptr_t a, intptr_t b, intptr_t c, intptr_t d, intptr_t e)
{
    g_arguments = {a, b, c, d, e};
    g_sourceSeen = EventDispatcher::instance().currentSource();
    return {65, 1};
}

RoutineResult answerNothing(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) { return {}; }

// The label's event -1 answers 65, its event 0 returns nothing; a copy of the
// label raises the label's routines but stands as the source itself.
RoutineEntry finder(uint32_t window, uint32_t unit, int32_t event, EventSource& source)
{
    if (window != Window) return nullptr;
    if (unit != Label && unit != Copy) return nullptr;
    source = {window, unit};
    if (event == -1) return &answer65;
    if (event == 0) return &answerNothing;
    return nullptr;
}

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        EventDispatcher::instance().setRoutineFinder(&finder);
        g_arguments.clear();
        g_sourceSeen.reset();
    }
    void TearDown() override { EventDispatcher::instance().setRoutineFinder(nullptr); }
};

TEST_F(Dispatch, RoutineGetsItsArgumentsSignedAndItsValueIsRecorded)
{
    EventRecord record = makeEvent(Window, Label, -1, {-5, 7, 2});
    EXPECT_TRUE(EventDispatcher::instance().fire(record));
    EXPECT_EQ(g_arguments, (std::vector<intptr_t>{-5, 7, 2, 0, 0}));
    EXPECT_EQ(record.returned, 1);
    EXPECT_EQ(record.value, 65);
}

TEST_F(Dispatch, RoutineThatReturnsNothingLeavesTheValueWordsAlone)
{
    EventRecord record = makeEvent(Window, Label, 0);
    EXPECT_TRUE(EventDispatcher::instance().fire(record));
    EXPECT_EQ(record.returned, 0);
}

TEST_F(Dispatch, UnboundEventCallsNothing)
{
    EventRecord record = makeEvent(Window, Label, -6, {1, 2, 0});
    EXPECT_FALSE(EventDispatcher::instance().fire(record));
    EXPECT_TRUE(g_arguments.empty());
}

TEST_F(Dispatch, SuspendedEventsAreDropped)
{
    RuntimeApp::instance().suspendEvents();
    EventRecord record = makeEvent(Window, Label, -1);
    EXPECT_FALSE(EventDispatcher::instance().fire(record));
    RuntimeApp::instance().resumeEvents();
    EXPECT_TRUE(g_arguments.empty());
    EXPECT_TRUE(EventDispatcher::instance().fire(record));
}

TEST_F(Dispatch, CurrentSourceNamesTheRaisingUnitOnlyDuringTheRoutine)
{
    EXPECT_FALSE(EventDispatcher::instance().currentSource().has_value());
    EventRecord record = makeEvent(Window, Copy, -1);
    EventDispatcher::instance().fire(record);
    ASSERT_TRUE(g_sourceSeen.has_value());
    EXPECT_EQ(g_sourceSeen->unitId, Copy);
    EXPECT_FALSE(EventDispatcher::instance().currentSource().has_value());
}

}  // namespace
}  // namespace tessaly::ui
