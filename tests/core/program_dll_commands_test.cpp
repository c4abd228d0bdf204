// The nine system functions the caption tool calls by library and export
// name, resolved through the program's own header as the runtime starts it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "runtime/core/runtime_app.h"
#include "runtime/core/service_table.h"
#include "tests/core/throwing_error_hook.h"

namespace tessaly {
namespace {

struct SystemFunction {
    const char* library;
    const char* name;
};

// By DLL command number.
constexpr SystemFunction NineFunctions[] = {
    {"gdi32.dll", "CreateRoundRectRgn"}, {"user32.dll", "SetWindowRgn"},
    {"gdi32.dll", "DeleteObject"},       {"user32.dll", "GetClientRect"},
    {"user32.dll", "GetWindowLongA"},    {"user32.dll", "SetWindowLongA"},
    {"user32.dll", "SetLayeredWindowAttributes"},
    {"ole32.dll", "CoInitialize"},       {"ole32.dll", "CoUninitialize"},
};

using testing::CapturedReport;

std::string lowered(std::string text)
{
    CharLowerA(text.data());
    return text;
}

std::string systemDirectory()
{
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, MAX_PATH);
    return path;
}

class ProgramDllCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RuntimeApp::instance().setHeader(programHeader());
        RuntimeApp::instance().startUp();
    }
    testing::ThrowingErrorHook hook_;

    static void* resolve(size_t index)
    {
        try {
            return callService<Service::CallDllCommand>(static_cast<int32_t>(index));
        } catch (const CapturedReport& r) {
            RuntimeApp::instance().resumeEvents();
            ADD_FAILURE() << r.text;
            return nullptr;
        }
    }
};

TEST_F(ProgramDllCommands, EachResolvesToTheFunctionOfItsNameInItsSystemLibrary)
{
    const auto& table = RuntimeApp::instance().dllCommands();
    ASSERT_EQ(table.addresses.size(), std::size(NineFunctions));
    for (size_t i = 0; i < std::size(NineFunctions); ++i) {
        const SystemFunction& f = NineFunctions[i];
        EXPECT_STREQ(table.libraryNames[i], f.library) << "command " << i;
        EXPECT_STREQ(table.exportNames[i], f.name) << "command " << i;
        void* resolved = resolve(i);
        HMODULE system = GetModuleHandleA(f.library);
        ASSERT_NE(system, nullptr) << f.library << " is loaded once resolved";
        EXPECT_EQ(resolved, reinterpret_cast<void*>(GetProcAddress(system, f.name))) << f.name;
        char path[MAX_PATH] = {};
        GetModuleFileNameA(table.modules[i].get(), path, MAX_PATH);
        EXPECT_EQ(lowered(path), lowered(systemDirectory() + "\\" + f.library)) << f.name;
    }
}

TEST_F(ProgramDllCommands, RegionCommandsWorkWithTheArgumentsTheProgramPasses)
{
    // Arguments travel as pointer-wide integers, as the program supplies them.
    using CreateRegion = intptr_t(WINAPI*)(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t);
    using DeleteRegion = intptr_t(WINAPI*)(intptr_t);
    const auto create = reinterpret_cast<CreateRegion>(resolve(0));
    const auto remove = reinterpret_cast<DeleteRegion>(resolve(2));
    ASSERT_NE(create, nullptr);
    ASSERT_NE(remove, nullptr);
    const intptr_t region = create(0, 0, 120, 40, 20, 20);
    ASSERT_NE(region, 0);
    EXPECT_TRUE(PtInRegion(reinterpret_cast<HRGN>(region), 60, 20));
    EXPECT_FALSE(PtInRegion(reinterpret_cast<HRGN>(region), 0, 0)) << "the corners are round";
    EXPECT_NE(remove(region), 0);
}

}  // namespace
}  // namespace tessaly
