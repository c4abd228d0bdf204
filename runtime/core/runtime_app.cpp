#include "runtime/core/runtime_app.h"

#include <ole2.h>

#include <algorithm>

#include "runtime/core/directory_claim.h"
#include "runtime/core/gbk.h"
#include "runtime/core/memory.h"
#include "runtime/core/notify_codes.h"
#include "runtime/core/text_encoding.h"

namespace tessaly {
namespace {

constexpr wchar_t HiddenOwnerClass[] = L"_QX_HideOwner";

LRESULT CALLBACK hiddenOwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RuntimeApp& app = RuntimeApp::instance();
    switch (message) {
    case EndRequestMessage: app.endProgram(static_cast<int32_t>(wParam));
    // A later start in the same program directory asks: the answer says
    // whether this process will come forward, the routine runs once the
    // asking process has its answer.
    case AnotherStartMessage:
        if (!app.answersAnotherStart()) return 0;
        PostMessageW(window, AnotherStartRunMessage, 0, 0);
        return 1;
    case AnotherStartRunMessage: app.runAnotherStartRoutine(); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The executable's full path as the system has it.
std::wstring executablePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
}

// Messages that do not end idle time: repeated mouse moves, painting and the
// caret's system timer.
bool isIdleNeutral(const MSG& msg)
{
    static POINT lastPoint{-1, -1};
    static UINT lastMessage = 0;
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        const bool same = msg.message == lastMessage && msg.pt.x == lastPoint.x && msg.pt.y == lastPoint.y;
        lastPoint = msg.pt;
        lastMessage = msg.message;
        return same;
    }
    return msg.message == WM_PAINT || msg.message == 0x0118 /* system timer */;
}

}  // namespace

RuntimeApp& RuntimeApp::instance()
{
    static RuntimeApp app;
    return app;
}

void RuntimeApp::splitExecutablePath(const std::string& path, std::string& directory, std::string& fileName)
{
    const size_t slash = findLastAscii(path, '\\');
    if (slash == std::string::npos) {
        directory.clear();
        fileName = path;
        return;
    }
    directory = path.substr(0, slash);
    fileName = path.substr(slash + 1);
}

int RuntimeApp::initInstance(const ProgramHeader* header, int (*entry)())
{
    header_ = header;
    std::string directory, name;
    splitExecutablePath(narrowPathToGbk(executablePath()), directory, name);
    executableDirectory_ = directory + "\\";
    return entry();
}

void RuntimeApp::exitInstance() { shutdown(0); }

void RuntimeApp::startUp()
{
    mode_ = header_->mode;
    reserved_ = header_->reserved;
    identifierCounter_ = header_->highestIdentifier + 1;

    if (!oleInitialised_) oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));

    const std::wstring path = executablePath();
    const size_t slash = path.find_last_of(L'\\');
    programDirectoryWide_ = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    splitExecutablePath(narrowPathToGbk(path), programDirectory_, executableName_);
    programDirectoryWithSlash_ = programDirectory_ + "\\";
    if (!programDirectoryWide_.empty()) SetCurrentDirectoryW(programDirectoryWide_.c_str());

    createHiddenOwner();
    mainThreadId_ = GetCurrentThreadId();

    if (header_->constantDataSize != 0) {
        const auto* start = static_cast<const std::byte*>(header_->constantData);
        setConstantRange({start, start + header_->constantDataSize});
    }

    const uint32_t dllCount = header_->dllCommandCount;
    dll_.libraryNames.assign(header_->dllLibraryNames, header_->dllLibraryNames + dllCount);
    dll_.exportNames.assign(header_->dllExportNames, header_->dllExportNames + dllCount);
    dll_.modules.clear();
    dll_.modules.resize(dllCount);
    dll_.addresses.assign(dllCount, nullptr);

    const std::span<const LibraryInfo* const> libraries{header_->libraries, header_->libraryCount};
    for (const LibraryInfo* library : libraries)
        if (library != nullptr && library->notify != nullptr)
            library->notify(LibraryNotify::Start, reinterpret_cast<intptr_t>(&runtimeNotify), 0);
    libraries_.assign(libraries.begin(), libraries.end());
    libraryValues_.assign(libraries.size(), 0);

    if (header_->windowTemplateSize != 0 && windows_ != nullptr) {
        const auto* block = static_cast<const uint8_t*>(header_->windowTemplates);
        windows_->loadTemplates({block, header_->windowTemplateSize},
                                reinterpret_cast<uintptr_t>(header_->startRoutine));
    }
}

void RuntimeApp::createHiddenOwner()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = hiddenOwnerProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = HiddenOwnerClass;
    RegisterClassW(&windowClass);
    hiddenOwner_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, HiddenOwnerClass, L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                       windowClass.hInstance, nullptr));
}

void RuntimeApp::setWindowSystem(WindowSystem* windows)
{
    windows_ = windows;
    setErrorSubject(windows);
}

void RuntimeApp::registerExitRoutine(ExitRoutine routine)
{
    if (std::find(exitRoutines_.begin(), exitRoutines_.end(), routine) == exitRoutines_.end())
        exitRoutines_.push_back(routine);
}

void RuntimeApp::addIdleCallback(const IdleCallbackRecord& record)
{
    if (record.routine == nullptr || !IsWindow(record.window)) return;
    if (std::find(idleWindows_.begin(), idleWindows_.end(), record.window) != idleWindows_.end()) return;
    idleWindows_.push_back(record.window);
    idleRoutines_.push_back(record.routine);
    idleArguments_.push_back(record.argument);
}

void RuntimeApp::removeIdleCallback(HWND window)
{
    const auto found = std::find(idleWindows_.begin(), idleWindows_.end(), window);
    if (found == idleWindows_.end()) return;
    const auto i = found - idleWindows_.begin();
    idleWindows_.erase(found);
    idleRoutines_.erase(idleRoutines_.begin() + i);
    idleArguments_.erase(idleArguments_.begin() + i);
}

void RuntimeApp::runIdleCallbacks()
{
    for (size_t i = idleWindows_.size(); i-- > 0;) {
        if (i >= idleWindows_.size()) continue;  // a callback removed entries
        if (IsWindow(idleWindows_[i])) {
            idleRoutines_[i](idleArguments_[i]);
        } else {
            idleWindows_.erase(idleWindows_.begin() + static_cast<ptrdiff_t>(i));
            idleRoutines_.erase(idleRoutines_.begin() + static_cast<ptrdiff_t>(i));
            idleArguments_.erase(idleArguments_.begin() + static_cast<ptrdiff_t>(i));
        }
    }
}

void RuntimeApp::dispatchMessage(MSG& msg)
{
    if (windows_ != nullptr && windows_->filterMessage(&msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

// Waiting messages are taken with PM_REMOVE, one request to the window
// server each; looking first and taking afterwards costs two, and a tick
// of the caption tool brings a message for every caption it repaints.
void RuntimeApp::runLoop(const bool* keepRunning)
{
    bool idle = true;
    int32_t idleCount = 0;
    MSG msg;
    for (;;) {
        while (idle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            runIdleCallbacks();
            const bool more = windows_ != nullptr && windows_->idle(idleCount);
            ++idleCount;
            if (!more) idle = false;
            if (keepRunning != nullptr && !*keepRunning) return;
        }
        bool taken = GetMessageW(&msg, nullptr, 0, 0) > 0;
        while (taken) {
            dispatchMessage(msg);
            if (keepRunning != nullptr && !*keepRunning) return;
            if (!isIdleNeutral(msg)) {
                idle = true;
                idleCount = 0;
            }
            if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) break;
            taken = msg.message != WM_QUIT;
        }
        if (!taken) {
            // A loop inside another hands the quit on to the one outside.
            if (keepRunning != nullptr) PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
    }
}

void RuntimeApp::runMessageLoop()
{
    InterlockedExchange(&loopEntered_, 1);
    if (windows_ == nullptr || !windows_->anyWindowLoaded()) return;
    runLoop(nullptr);
}

void RuntimeApp::runModalLoop(const bool& keepRunning) { runLoop(&keepRunning); }

void RuntimeApp::onWindowDestroyed()
{
    if (loopEntered_ == 1 && (windows_ == nullptr || !windows_->anyWindowLoaded())) PostQuitMessage(0);
}

void RuntimeApp::shutdown(int32_t exitCode)
{
    suspendEvents();
    if (GetCurrentThreadId() != mainThreadId_ && mainThreadId_ != 0) {
        if (IsWindow(hiddenOwner())) SendMessageW(hiddenOwner(), EndRequestMessage, static_cast<WPARAM>(exitCode), 0);
        if (!shuttingDown_) ExitProcess(static_cast<UINT>(exitCode));
        return;
    }
    if (shuttingDown_) return;
    shuttingDown_ = true;

    idleWindows_.clear();
    idleRoutines_.clear();
    idleArguments_.clear();
    if (windows_ != nullptr) windows_->releaseTemplates();

    const std::vector<ExitRoutine> routines = std::move(exitRoutines_);
    exitRoutines_.clear();
    for (ExitRoutine routine : routines) routine();
    // The program has stored what it holds: a new start may run from here on.
    releaseDirectoryClaim();

    for (size_t i = 0; i < libraries_.size(); ++i)
        if (libraries_[i] != nullptr && libraries_[i]->notify != nullptr) libraries_[i]->notify(6, libraryValues_[i], 0);
    libraries_.clear();
    libraryValues_.clear();

    dll_ = {};
    hiddenOwner_.reset();
    if (oleInitialised_) {
        OleUninitialize();
        oleInitialised_ = false;
    }
}

void RuntimeApp::endProgram(int32_t exitCode)
{
    shutdown(exitCode);
    ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace tessaly
