#include "runtime/core/directory_claim.h"

#include <cstdint>
#include <cwchar>
#include <iterator>

#include "runtime/core/runtime_app.h"

namespace tessaly {
namespace {

constexpr wchar_t HiddenOwnerClass[] = L"_QX_HideOwner";
constexpr DWORD AnswerWait = 5000;    // for a holder busy with something else
constexpr DWORD HandOverWait = 10000; // for a holder that is ending
constexpr DWORD NamingWait = 2000;    // for a holder between its claim and naming its window

HANDLE g_claim = nullptr;

// The path as the file system names it: full, without short-name parts,
// in capitals as the file system compares names.
std::wstring foldedPath(const std::wstring& directory)
{
    std::wstring full(GetFullPathNameW(directory.c_str(), 0, nullptr, nullptr), L'\0');
    full.resize(GetFullPathNameW(directory.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    if (full.empty()) full = directory;
    std::wstring longer(GetLongPathNameW(full.c_str(), nullptr, 0), L'\0');
    longer.resize(GetLongPathNameW(full.c_str(), longer.data(), static_cast<DWORD>(longer.size())));
    std::wstring path = longer.empty() ? full : longer;
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

// A mutex name has no room for a whole path: the path's FNV-1a hash stands for it.
uint64_t hashOf(const std::wstring& text)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const wchar_t c : text) {
        hash ^= static_cast<uint16_t>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

HWND findHolder(const std::wstring& name)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND holder = FindWindowW(HiddenOwnerClass, name.c_str())) return holder;
        if (GetTickCount() - start >= NamingWait) return nullptr;
        Sleep(20);
    }
}

// Asks the holder to come forward; true when it agreed.
bool askHolder(const std::wstring& name)
{
    const HWND holder = findHolder(name);
    if (holder == nullptr) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(holder, &process);
    // The holder may take the foreground, which this start has.
    AllowSetForegroundWindow(process);
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(holder, AnotherStartMessage, 0, 0, SMTO_ABORTIFHUNG, AnswerWait, &answer) && answer == 1;
}

void hold(HANDLE claim, HWND hiddenOwner, const std::wstring& name)
{
    g_claim = claim;
    SetWindowTextW(hiddenOwner, name.c_str());
}

}  // namespace

std::wstring claimName(const std::wstring& directory)
{
    wchar_t name[40];
    std::swprintf(name, std::size(name), L"Tessaly-%016llx", static_cast<unsigned long long>(hashOf(foldedPath(directory))));
    return name;
}

bool claimDirectory(const std::wstring& directory, HWND hiddenOwner)
{
    const std::wstring name = claimName(directory);
    HANDLE claim = CreateMutexW(nullptr, TRUE, name.c_str());
    if (claim == nullptr) return true;  // no claim to be had: nothing to run beside either
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        hold(claim, hiddenOwner, name);
        return true;
    }
    if (askHolder(name)) {
        CloseHandle(claim);
        return false;
    }
    // A holder that did not agree is ending (or hangs): its claim comes free
    // when it has stored what it holds, or when it is gone.
    const DWORD waited = WaitForSingleObject(claim, HandOverWait);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
        hold(claim, hiddenOwner, name);
        return true;
    }
    CloseHandle(claim);
    return false;
}

void releaseDirectoryClaim()
{
    if (g_claim == nullptr) return;
    if (HWND owner = RuntimeApp::instance().hiddenOwner()) SetWindowTextW(owner, L"");
    ReleaseMutex(g_claim);
    CloseHandle(g_claim);
    g_claim = nullptr;
}

}  // namespace tessaly
