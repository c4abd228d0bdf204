#include "app/dll_calls.h"

#include "runtime/core/service_table.h"

namespace tessaly::program {
namespace {

template <class Result, class... Arguments>
Result callDll(DllCommand command, Arguments... arguments)
{
    using Function = Result (*)(Arguments...);
    void* address = callService<Service::CallDllCommand>(static_cast<int32_t>(command));
    return reinterpret_cast<Function>(address)(arguments...);
}

// Handles are sign-extended, as the system widens them.
intptr_t handleWord(int32_t handle) { return static_cast<intptr_t>(handle); }

}  // namespace

intptr_t CreateRoundRectRgn(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ellipseWidth,
                            int32_t ellipseHeight)
{
    return callDll<intptr_t>(DllCommand::CreateRoundRectRgn, left, top, right, bottom, ellipseWidth, ellipseHeight);
}

int32_t SetWindowRgn(int32_t window, intptr_t region, int32_t redraw)
{
    return callDll<int32_t>(DllCommand::SetWindowRgn, handleWord(window), region, redraw);
}

int32_t DeleteObject(intptr_t object) { return callDll<int32_t>(DllCommand::DeleteObject, object); }

int32_t GetClientRect(int32_t window, ClientRectangle* rectangle)
{
    return callDll<int32_t>(DllCommand::GetClientRect, handleWord(window), rectangle);
}

int32_t GetWindowLongA(int32_t window, int32_t index)
{
    return callDll<int32_t>(DllCommand::GetWindowLongA, handleWord(window), index);
}

int32_t SetWindowLongA(int32_t window, int32_t index, int32_t value)
{
    return callDll<int32_t>(DllCommand::SetWindowLongA, handleWord(window), index, value);
}

int32_t SetLayeredWindowAttributes(int32_t window, int32_t colourKey, int32_t alpha, int32_t flags)
{
    return callDll<int32_t>(DllCommand::SetLayeredWindowAttributes, handleWord(window), colourKey, alpha, flags);
}

int32_t CoInitialize(intptr_t reserved) { return callDll<int32_t>(DllCommand::CoInitialize, reserved); }

void CoUninitialize() { callDll<void>(DllCommand::CoUninitialize); }

}  // namespace tessaly::program
