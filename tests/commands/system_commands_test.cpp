// System commands: the answers come from the live system, so the tests hold
// them against what the system itself reports.
#include <gtest/gtest.h>

#include <windows.h>

#include "runtime/core/commands/commands.h"
#include "runtime/core/runtime_app.h"
#include "tests/commands/command_harness.h"

namespace tessaly {
namespace {

using namespace commands;
using namespace tessaly::testing;

TEST(SystemCommands, ScreenSizeAndCursorPosition)
{
    EXPECT_EQ(call(ScreenWidth, {}).asInt(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(call(ScreenHeight, {}).asInt(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(call(ScreenWidth, {}).asInt(), 0);
    SetCursorPos(37, 41);
    POINT p{};
    GetCursorPos(&p);
    EXPECT_EQ(call(CursorX, {}).asInt(), p.x);
    EXPECT_EQ(call(CursorY, {}).asInt(), p.y);
}

TEST(SystemCommands, RunDirectoryIsTheRecordedProgramDirectory)
{
    const std::string& directory = RuntimeApp::instance().programDirectory();
    const auto result = takeText(call(GetRunDirectory, {}));
    if (directory.empty()) {
        EXPECT_EQ(result, std::nullopt);
    } else {
        EXPECT_EQ(result, directory);
    }
}

TEST(SystemCommands, FontNamesHaveNoAdjacentRepeatsAndFitTheirBlocks)
{
    const auto names = takeTextArray(call(GetFontNames, {}));
    ASSERT_FALSE(names.empty());
    for (size_t i = 0; i < names.size(); ++i) {
        ASSERT_TRUE(names[i].has_value());
        EXPECT_FALSE(names[i]->empty());
        EXPECT_LT(names[i]->size(), 32u);
        if (i > 0) {
            EXPECT_NE(names[i], names[i - 1]);
        }
    }
}

}  // namespace
}  // namespace tessaly
