// A library for the DLL command tests, placed in the program directory.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI ProbeValue(int a, int b) { return a * 100 + b; }
extern "C" __declspec(dllexport) int WINAPI ProbeOrdinal() { return 12; }
