#include "app/system_calls.h"

#include "app/runtime_calls.h"
#include "runtime/core/commands/commands.h"

namespace tessaly::program {

ScreenSize screenSize()
{
    return {runCommand(commands::ScreenWidth, {}).asInt(), runCommand(commands::ScreenHeight, {}).asInt()};
}

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
