// The single application object: the process frame on which the compiled
// program stands. It runs the start-up request, the message loop with its
// idle callbacks, the exit routines and the shutdown, in a fixed order.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/core/program_header.h"
#include "runtime/core/service_table.h"
#include "runtime/core/win32_handles.h"
#include "runtime/core/window_system.h"

namespace tessaly {

inline constexpr UINT EndRequestMessage = 0x83e7;
// Sent to the hidden owner by a later start in the same program directory
// (directory_claim.h); the routine the program named for it is then run
// from a message posted to the same window.
inline constexpr UINT AnotherStartMessage = 0x83e8;
inline constexpr UINT AnotherStartRunMessage = 0x83e9;

// An idle callback as libraries register it (RuntimeNotify 1012).
struct IdleCallbackRecord {
    HWND window;
    void (*routine)(intptr_t argument);
    intptr_t argument;
};

class RuntimeApp {
public:
    static RuntimeApp& instance();

    // Process start: remembers the executable's directory and runs the program entry.
    int initInstance(const ProgramHeader* header, int (*entry)());
    // Framework exit: the shutdown with exit code 0.
    void exitInstance();

    // Request 6.
    void startUp();
    // Slot 10.
    void runMessageLoop();
    // Runs the loop until the flag is cleared or a quit message arrives (modal windows).
    void runModalLoop(const bool& keepRunning);
    // Slot 9 and the end of the error reporter: shutdown, then process end.
    [[noreturn]] void endProgram(int32_t exitCode);
    // Shutdown steps; the process goes on afterwards.
    void shutdown(int32_t exitCode);

    // Request 3: a routine registered twice runs once.
    void registerExitRoutine(ExitRoutine routine);
    void dropExitRoutines() { exitRoutines_.clear(); }

    void addIdleCallback(const IdleCallbackRecord& record);
    void removeIdleCallback(HWND window);
    size_t idleCallbackCount() const { return idleWindows_.size(); }

    // Called by the window layer after a loaded window was destroyed.
    void onWindowDestroyed();

    void suspendEvents() { ++suspension_; }
    void resumeEvents()
    {
        if (suspension_ > 0) --suspension_;
    }
    bool eventsSuspended() const { return suspension_ >= 1; }
    // Events stay suspended while one of these lives.
    class SuspendedEvents {
    public:
        SuspendedEvents() { instance().suspendEvents(); }
        SuspendedEvents(const SuspendedEvents&) = delete;
        SuspendedEvents& operator=(const SuspendedEvents&) = delete;
        ~SuspendedEvents() { instance().resumeEvents(); }
    };

    uint32_t nextIdentifier() { return ++identifierCounter_; }

    // The program routine that a later start in the same program directory
    // runs here instead of running beside this process.
    void setAnotherStartRoutine(void (*routine)()) { anotherStart_ = routine; }
    bool answersAnotherStart() const { return anotherStart_ != nullptr && !shuttingDown_ && !eventsSuspended(); }
    void runAnotherStartRoutine()
    {
        if (answersAnotherStart()) anotherStart_();
    }

    void setWindowSystem(WindowSystem* windows);
    WindowSystem* windowSystem() const { return windows_; }

    const ProgramHeader* header() const { return header_; }
    void setHeader(const ProgramHeader* header) { header_ = header; }
    uint32_t mode() const { return mode_; }
    // GBK, as the program sees it: a character that GBK cannot hold stands
    // as "?", which no file name can contain.
    const std::string& programDirectory() const { return programDirectory_; }
    const std::wstring& programDirectoryWide() const { return programDirectoryWide_; }
    const std::string& programDirectoryWithSlash() const { return programDirectoryWithSlash_; }
    const std::string& executableDirectory() const { return executableDirectory_; }
    const std::string& executableName() const { return executableName_; }
    HWND hiddenOwner() const { return hiddenOwner_.get(); }
    DWORD mainThreadId() const { return mainThreadId_; }
    bool messageLoopEntered() const { return loopEntered_ != 0; }
    bool shuttingDown() const { return shuttingDown_; }

    std::vector<const LibraryInfo*>& libraries() { return libraries_; }
    std::vector<intptr_t>& libraryValues() { return libraryValues_; }

    // The DLL command table (four parallel arrays).
    struct DllCommands {
        std::vector<const char*> libraryNames;
        std::vector<const char*> exportNames;
        std::vector<UniqueModule> modules;
        std::vector<void*> addresses;
    };
    DllCommands& dllCommands() { return dll_; }

    // Splits a full executable path at its last backslash (multi-byte aware).
    static void splitExecutablePath(const std::string& path, std::string& directory, std::string& fileName);

private:
    RuntimeApp() = default;

    void createHiddenOwner();
    void runIdleCallbacks();
    void dispatchMessage(MSG& msg);
    void runLoop(const bool* keepRunning);

    const ProgramHeader* header_ = nullptr;
    WindowSystem* windows_ = nullptr;
    uint32_t mode_ = 0;
    uint32_t reserved_ = 0;
    uint32_t identifierCounter_ = 0;
    bool oleInitialised_ = false;
    std::string executableDirectory_;  // with trailing backslash, from process start
    std::string programDirectory_;
    std::wstring programDirectoryWide_;
    std::string programDirectoryWithSlash_;
    std::string executableName_;
    UniqueWindow hiddenOwner_;
    DWORD mainThreadId_ = 0;
    DllCommands dll_;
    std::vector<const LibraryInfo*> libraries_;
    std::vector<intptr_t> libraryValues_;
    std::vector<ExitRoutine> exitRoutines_;
    std::vector<HWND> idleWindows_;
    std::vector<void (*)(intptr_t)> idleRoutines_;
    std::vector<intptr_t> idleArguments_;
    bool shuttingDown_ = false;
    int suspension_ = 0;
    void (*anotherStart_)() = nullptr;
    static inline LONG loopEntered_ = 0;  // process-wide
};

intptr_t runtimeNotify(int32_t code, intptr_t value1, intptr_t value2);

}  // namespace tessaly
