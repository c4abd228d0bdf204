// The runtime frame observed from outside: a program built on it plays a
// scenario and logs what happens; these tests check the order of start-up
// and shutdown, the message loop's end, idle callbacks, exit routines and the
// fatal error path by that log and by the exit code.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/core/scenario_run.h"

namespace {

using ::testing::ElementsAre;
using ::testing::Contains;
using ::testing::Not;

using tessaly::testing::ScenarioRun;

ScenarioRun runScenario(const std::string& scenario)
{
    return tessaly::testing::runScenario(tessaly::testing::besideThisProgram(FRAME_SCENARIOS), scenario);
}

TEST(Frame, StartRoutineThatLoadsNoWindowEndsAtOnceInOrder)
{
    const ScenarioRun run = runScenario("no-window");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_THAT(run.lines, ElementsAre(
        "entry",
        // Start-up: libraries notified in table order (the null entry skipped), then templates.
        "first notified 1 entry=set", "second notified 1 entry=set", "templates loaded",
        "mode 3", "constant literal inside", "current directory is program directory yes", "hidden owner exists",
        "start routine no-window",
        // The first identifier handed out is the highest plus two.
        "identifier 258",
        "message loop", "message loop returned",
        // Shutdown: templates, exit routines in registration order (A registered twice runs once), libraries.
        "templates released", "exit routine A", "exit routine B",
        "first notified 6 value=0", "second notified 6 value=0"));
}

TEST(Frame, ClosingWindowsBeforeTheLoopDoesNotEndTheProgram)
{
    const ScenarioRun run = runScenario("close-before-loop");
    EXPECT_EQ(run.exitCode, 0u);
    // "early" closes while the start routine runs: no quit yet. "later" closes in
    // the loop, and only that ends it.
    EXPECT_THAT(run.lines, testing::IsSupersetOf({"destroyed early", "destroyed later"}));
    const auto at = [&](const std::string& line) {
        return std::find(run.lines.begin(), run.lines.end(), line) - run.lines.begin();
    };
    EXPECT_LT(at("destroyed early"), at("message loop"));
    EXPECT_LT(at("message loop"), at("destroyed later"));
    EXPECT_LT(at("destroyed later"), at("message loop returned"));
}

TEST(Frame, IdleCallbackOfADestroyedWindowIsDroppedAndNeverCalledAgain)
{
    const ScenarioRun run = runScenario("idle");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_THAT(run.lines, Contains("idle callbacks 2"));
    EXPECT_EQ(std::count(run.lines.begin(), run.lines.end(), "idle 1"), 1) << run.output;
    EXPECT_EQ(std::count(run.lines.begin(), run.lines.end(), "idle 0"), 3) << run.output;
    EXPECT_THAT(run.lines, Contains("message loop returned"));
}

TEST(Frame, RuntimeErrorReportsDropsExitRoutinesAndEndsWithMinusOne)
{
    const ScenarioRun run = runScenario("runtime-error");
    EXPECT_EQ(run.exitCode, static_cast<DWORD>(-1));
    EXPECT_THAT(run.output, testing::HasSubstr("report[运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n"));
    EXPECT_THAT(run.output, testing::HasSubstr("): 7, 3\r\n]"));
    EXPECT_THAT(run.lines, Not(Contains("exit routine A")));
    // The shutdown still runs: the libraries hear of it.
    EXPECT_THAT(run.lines, Contains("second notified 6 value=0"));
    EXPECT_THAT(run.lines, Not(Contains("message loop")));
}

TEST(Frame, TextErrorFromALibraryHasNoCodeLine)
{
    const ScenarioRun run = runScenario("text-error");
    EXPECT_EQ(run.exitCode, static_cast<DWORD>(-1));
    EXPECT_THAT(run.output, testing::HasSubstr("report[运行时出错!\r\n\r\n错误信息：自定义错误\r\n\r\n运行时错误相关信息值"));
}

TEST(Frame, EndRequestFromAnotherThreadRunsTheShutdownOnTheMainThread)
{
    const ScenarioRun run = runScenario("other-thread");
    EXPECT_EQ(run.exitCode, 7u);
    EXPECT_EQ(std::count(run.lines.begin(), run.lines.end(), "exit routine A"), 1) << run.output;
    EXPECT_THAT(run.lines, Contains("second notified 6 value=0"));
    // The process ends on the main thread before the requesting thread resumes.
    EXPECT_THAT(run.lines, Not(Contains("other thread returned")));
}

TEST(Frame, EndProgramServiceRunsTheShutdownWithItsCode)
{
    const ScenarioRun run = runScenario("end-program");
    EXPECT_EQ(run.exitCode, 42u);
    EXPECT_THAT(run.lines, Contains("exit routine B"));
    EXPECT_THAT(run.lines, Not(Contains("scenario not handled")));
}

}  // namespace
