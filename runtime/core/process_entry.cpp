// The process entry of a program built on the runtime: the framework's main
// routine runs the instance initialisation (which enters the program), then
// the exit handling.
#include <windows.h>

#include "runtime/core/runtime_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    tessaly::RuntimeApp& app = tessaly::RuntimeApp::instance();
    app.initInstance(tessaly::programHeader(), &tessaly::programEntry);
    app.exitInstance();
    return 0;
}
