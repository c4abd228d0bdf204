// Calls into system libraries by library and export name: resolved on first
// use, cached for the run, released at shutdown.
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/core/command_call.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/text_encoding.h"

namespace tessaly {
namespace {

constexpr std::array<const char*, 6> SystemLibraries = {"Kernel32.dll", "Gdi32.dll", "User32.dll",
                                                         "Advapi32.dll", "Mpr.dll",   "Shell32.dll"};

// "#12" names export ordinal 12.
LPCSTR exportKey(const char* name)
{
    if (name != nullptr && name[0] == '#')
        return MAKEINTRESOURCEA(static_cast<WORD>(std::strtol(name + 1, nullptr, 10) & 0xFFFF));
    return name;
}

// Library names are GBK texts of the program: converted, not read through
// the system's ANSI code page.
HMODULE load(const std::string& name) { return LoadLibraryW(widenGbk(name).c_str()); }

HMODULE loadFirst(const std::string& name, const RuntimeApp& app)
{
    if (name.find(':') != std::string::npos) return load(name);
    const std::string candidates[] = {app.programDirectory() + "\\" + name, app.executableDirectory() + name, name};
    for (const std::string& candidate : candidates)
        if (HMODULE module = load(candidate)) return module;
    return nullptr;
}

[[noreturn]] void reportUnresolved(const char* library, const char* exportName)
{
    char message[1024];
    if (library != nullptr && *library != '\0')
        std::snprintf(message, sizeof message, "无法找到指定DLL库文件“%s”中的输出命令“%s”", library, exportName);
    else
        std::snprintf(message, sizeof message, "无法找到指定DLL库文件中的输出命令“%s”", exportName);
    reportRuntimeError(message, 0, 0, 0);
}

}  // namespace

void* resolveDllCommand(int32_t index)
{
    RuntimeApp& app = RuntimeApp::instance();
    auto& table = app.dllCommands();
    if (index < 0 || static_cast<size_t>(index) >= table.addresses.size()) reportRuntimeErrorCode(6, 0, index);
    const auto i = static_cast<size_t>(index);
    if (table.addresses[i] != nullptr) return table.addresses[i];

    const char* library = table.libraryNames[i];
    const char* name = table.exportNames[i];
    const LPCSTR key = exportKey(name);
    UniqueModule module;
    FARPROC address = nullptr;
    if (library == nullptr || *library == '\0') {
        for (const char* system : SystemLibraries) {
            module = UniqueModule(load(system));
            if (module && (address = GetProcAddress(module.get(), key)) != nullptr) break;
        }
    } else {
        module = UniqueModule(loadFirst(library, app));
        if (module) address = GetProcAddress(module.get(), key);
    }
    if (address == nullptr) {
        module.reset();
        reportUnresolved(library, name);
    }
    table.modules[i] = std::move(module);
    table.addresses[i] = reinterpret_cast<void*>(address);
    return table.addresses[i];
}

}  // namespace tessaly
