// Starting with Windows: a shortcut to the running executable in the user's
// Startup folder, which the shell runs at sign-in. No registry entry is
// written, so removing the shortcut (here or by hand) is all it takes to
// stop. A shortcut of the same name that leads to another copy of the
// program does not count as this program's.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <optional>
#include <string>

#include "runtime/core/automation/com_owners.h"
#include "runtime/core/commands/command_arguments.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/text_encoding.h"

namespace tessaly::commands {
namespace {

// COM for the length of one command, whatever the caller's thread has set up.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope()
    {
        if (initialised_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

std::wstring runningExecutable()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring directoryOf(const std::wstring& file) { return file.substr(0, file.find_last_of(L'\\')); }

std::optional<std::wstring> startupFolder()
{
    wchar_t* folder = nullptr;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &folder))) {
        CoTaskMemFree(folder);
        return std::nullopt;
    }
    std::wstring path(folder);
    CoTaskMemFree(folder);
    return path;
}

// The shortcut's file for the name the program gives it (GBK, like every text it passes).
std::optional<std::wstring> shortcutFile(std::string_view name)
{
    const std::optional<std::wstring> folder = startupFolder();
    if (!folder || name.empty()) return std::nullopt;
    return *folder + L"\\" + widenGbk(name) + L".lnk";
}

using automation::ComPtr;

ComPtr<IShellLinkW> newShellLink()
{
    ComPtr<IShellLinkW> link;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, reinterpret_cast<void**>(link.out()));
    return link;
}

ComPtr<IPersistFile> persistenceOf(IShellLinkW* link)
{
    ComPtr<IPersistFile> file;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.out()));
    return file;
}

// The path the shortcut leads to, as stored (not resolved: a missing target stays what it was).
std::optional<std::wstring> shortcutTarget(const std::wstring& file)
{
    const ComPtr<IShellLinkW> link = newShellLink();
    if (!link) return std::nullopt;
    const ComPtr<IPersistFile> persisted = persistenceOf(link.get());
    if (!persisted || FAILED(persisted->Load(file.c_str(), STGM_READ))) return std::nullopt;
    wchar_t target[MAX_PATH * 2] = {};
    if (link->GetPath(target, MAX_PATH * 2, nullptr, SLGP_RAWPATH) != S_OK) return std::nullopt;
    return std::wstring(target);
}

bool samePath(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool writeShortcut(const std::wstring& file, const std::wstring& target)
{
    const ComPtr<IShellLinkW> link = newShellLink();
    if (!link) return false;
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(directoryOf(target).c_str());
    link->SetIconLocation(target.c_str(), 0);
    const ComPtr<IPersistFile> persisted = persistenceOf(link.get());
    return persisted && SUCCEEDED(persisted->Save(file.c_str(), TRUE));
}

bool leadsHere(const std::wstring& file)
{
    const std::optional<std::wstring> target = shortcutTarget(file);
    return target && samePath(*target, runningExecutable());
}

}  // namespace

// (name): whether the Startup folder holds the shortcut "name.lnk" and it
// leads to the running executable.
void HasStartupShortcut(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    const ComScope com;
    const std::optional<std::wstring> file = shortcutFile(a.text(0));
    setIntResult(result, file && leadsHere(*file) ? 1 : 0);
}

// (name, on): puts the shortcut "name.lnk" to the running executable into
// the Startup folder (replacing one of that name) or takes it away; true
// when the folder is then as asked.
void SetStartupShortcut(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    const ComScope com;
    const std::optional<std::wstring> file = shortcutFile(a.text(0));
    bool done = false;
    if (file && a.at(1).asBool())
        done = writeShortcut(*file, runningExecutable());
    else if (file)
        done = DeleteFileW(file->c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    setIntResult(result, done ? 1 : 0);
}

}  // namespace tessaly::commands
