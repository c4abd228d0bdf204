// Running a test program that plays one scenario, named on its command line,
// and logs to standard output: its exit code, its output and the output's
// lines. The frame and fatal-error tests check a program from outside so.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tessaly::testing {

struct ScenarioRun {
    DWORD exitCode = 0;
    std::vector<std::string> lines;
    std::string output;
};

// A program beside the test's own executable.
inline std::string besideThisProgram(const std::string& fileName)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    directory.resize(directory.find_last_of('\\') + 1);
    return directory + fileName;
}

inline ScenarioRun runScenario(const std::string& program, const std::string& scenario)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\" " + scenario;
    const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    CloseHandle(writeEnd);
    ScenarioRun run;
    if (!started) {
        CloseHandle(readEnd);
        ADD_FAILURE() << "could not start " << commandLine;
        return run;
    }
    // The logs are far smaller than the pipe's buffer, so waiting first cannot block the child.
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 0xDEAD);
        ADD_FAILURE() << scenario << " did not end";
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) run.output.append(buffer, got);
    CloseHandle(readEnd);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        run.lines.push_back(line);
    }
    return run;
}

}  // namespace tessaly::testing
