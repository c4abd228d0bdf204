// Calls into libraries by name: resolution order, ordinals, the system
// library list, caching, the two fatal messages and release at shutdown.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "runtime/core/command_call.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/service_table.h"
#include "tests/core/throwing_error_hook.h"

namespace tessaly {
namespace {

using testing::CapturedReport;

const char* const libraries[] = {"tessaly_probe.dll", "tessaly_probe.dll", "", "tessaly_probe.dll", "",
                                 "C:\\windows\\system32\\kernel32.dll", "no_such_library.dll"};
const char* const exports[] = {"ProbeValue", "#12", "GetTickCount", "Missing", "NoSuchExport", "GetTickCount", "Any"};

void startRoutine() {}

class DllCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const ProgramHeader header = {
            .mode = 3,
            .highestIdentifier = 1,
            .startRoutine = &startRoutine,
            .dllCommandCount = 7,
            .dllLibraryNames = libraries,
            .dllExportNames = exports,
        };
        RuntimeApp::instance().setHeader(&header);
        RuntimeApp::instance().startUp();
    }
    testing::ThrowingErrorHook hook_;

    static std::string failureOf(int32_t index)
    {
        try {
            callService<Service::CallDllCommand>(index);
        } catch (const CapturedReport& r) {
            RuntimeApp::instance().resumeEvents();
            return r.text;
        }
        return "resolved";
    }
};

TEST_F(DllCommands, LibraryInTheProgramDirectoryIsFoundByItsBareName)
{
    auto probe = reinterpret_cast<int(WINAPI*)(int, int)>(callService<Service::CallDllCommand>(0));
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe(3, 4), 304);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(RuntimeApp::instance().dllCommands().modules[0].get(), path, MAX_PATH);
    EXPECT_EQ(std::string(path), RuntimeApp::instance().programDirectory() + "\\tessaly_probe.dll");
}

TEST_F(DllCommands, SecondCallUsesTheCachedAddress)
{
    void* first = callService<Service::CallDllCommand>(0);
    HMODULE module = RuntimeApp::instance().dllCommands().modules[0].get();
    EXPECT_EQ(callService<Service::CallDllCommand>(0), first);
    EXPECT_EQ(RuntimeApp::instance().dllCommands().modules[0].get(), module);
}

TEST_F(DllCommands, NumberSignNamesAnOrdinal)
{
    auto ordinal = reinterpret_cast<int(WINAPI*)()>(callService<Service::CallDllCommand>(1));
    ASSERT_NE(ordinal, nullptr);
    EXPECT_EQ(ordinal(), 12);
}

TEST_F(DllCommands, EmptyLibraryNameSearchesTheSystemLibraries)
{
    EXPECT_EQ(callService<Service::CallDllCommand>(2), reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount")));
}

TEST_F(DllCommands, NameWithAColonIsLoadedAsGiven)
{
    EXPECT_NE(callService<Service::CallDllCommand>(5), nullptr);
}

TEST_F(DllCommands, MissingExportsAndLibrariesEndTheProgramWithTheirNames)
{
    EXPECT_NE(failureOf(3).find("\r\n错误信息：无法找到指定DLL库文件“tessaly_probe.dll”中的输出命令“Missing”\r\n"), std::string::npos);
    EXPECT_NE(failureOf(4).find("\r\n错误信息：无法找到指定DLL库文件中的输出命令“NoSuchExport”\r\n"), std::string::npos);
    EXPECT_NE(failureOf(6).find("无法找到指定DLL库文件“no_such_library.dll”中的输出命令“Any”"), std::string::npos);
}

// Runs last: shutdown cannot be undone in this process.
TEST_F(DllCommands, ZzShutdownReleasesEveryLoadedLibrary)
{
    callService<Service::CallDllCommand>(0);
    ASSERT_NE(GetModuleHandleA("tessaly_probe.dll"), nullptr);
    RuntimeApp::instance().shutdown(0);
    EXPECT_EQ(GetModuleHandleA("tessaly_probe.dll"), nullptr);
    EXPECT_TRUE(RuntimeApp::instance().dllCommands().addresses.empty());
}

}  // namespace
}  // namespace tessaly
