// The nine system functions the program calls by library and export name,
// resolved by the runtime on first use. Window handles travel as the 32-bit
// integers the window commands answer.
#pragma once

#include <cstdint>

namespace tessaly::program {

// The DLL commands in the order of the program header.
enum class DllCommand : int32_t {
    CreateRoundRectRgn = 0,
    SetWindowRgn = 1,
    DeleteObject = 2,
    GetClientRect = 3,
    GetWindowLongA = 4,
    SetWindowLongA = 5,
    SetLayeredWindowAttributes = 6,
    CoInitialize = 7,
    CoUninitialize = 8,
};

struct ClientRectangle {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
static_assert(sizeof(ClientRectangle) == 16);

intptr_t CreateRoundRectRgn(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ellipseWidth,
                            int32_t ellipseHeight);
int32_t SetWindowRgn(int32_t window, intptr_t region, int32_t redraw);
int32_t DeleteObject(intptr_t object);
int32_t GetClientRect(int32_t window, ClientRectangle* rectangle);
int32_t GetWindowLongA(int32_t window, int32_t index);
int32_t SetWindowLongA(int32_t window, int32_t index, int32_t value);
int32_t SetLayeredWindowAttributes(int32_t window, int32_t colourKey, int32_t alpha, int32_t flags);
int32_t CoInitialize(intptr_t reserved);
void CoUninitialize();

}  // namespace tessaly::program
