#include "app/system_calls.h"

#include "app/runtime_calls.h"
#include "runtime/core/commands/commands.h"

namespace tessaly::program {

Monitors monitors()
{
    const std::vector<int32_t> corners = takeIntArray(runLibraryCommand(commands::MonitorRects, {}));
    Monitors found;
    for (size_t i = 0; i + 3 < corners.size(); i += 4)
        found.push_back({corners[i], corners[i + 1], corners[i + 2], corners[i + 3]});
    return found;
}

void watchDisplay(int32_t targetHandle) { runLibraryCommand(commands::WatchDisplay, {intArgument(targetHandle)}); }

int32_t screenDotsPerInch() { return runLibraryCommand(commands::ScreenDotsPerInch, {}).asInt(); }

int32_t cursorX() { return runCommand(commands::CursorX, {}).asInt(); }
int32_t cursorY() { return runCommand(commands::CursorY, {}).asInt(); }

std::vector<std::string> fontNames() { return takeTextArray(runLibraryCommand(commands::GetFontNames, {})); }

int32_t registerHotkey(int32_t windowHandle, int32_t targetHandle, int32_t modifiers, int32_t keyCode)
{
    return runLibraryCommand(commands::RegisterHotkey, {intArgument(windowHandle), intArgument(targetHandle),
                                                         intArgument(modifiers), intArgument(keyCode)})
        .asInt();
}

void unregisterHotkey(int32_t windowHandle, int32_t identifier)
{
    runLibraryCommand(commands::UnregisterHotkey, {intArgument(windowHandle), intArgument(identifier)});
}

bool hasStartupShortcut(const std::string& name)
{
    return runLibraryCommand(commands::HasStartupShortcut, {textArgument(name)}).asBool();
}

bool setStartupShortcut(const std::string& name, bool on)
{
    return runLibraryCommand(commands::SetStartupShortcut, {textArgument(name), boolArgument(on)}).asBool();
}

void showMessage(int32_t ownerHandle, const std::string& text, const std::string& title)
{
    runLibraryCommand(commands::ShowMessage, {intArgument(ownerHandle), textArgument(text), textArgument(title)});
}

}  // namespace tessaly::program

namespace tessaly::program {

uint32_t tickCount() { return runLibraryCommand(commands::TickCount, {}).low; }

bool claimProgramDirectory(void (*anotherStart)())
{
    const TypedValue routine = TypedValue::ofPointer(reinterpret_cast<const void*>(anotherStart), TypeCode::SubPointer);
    return runLibraryCommand(commands::ClaimProgramDirectory, {routine}).asBool();
}

}  // namespace tessaly::program
