// Shows the fatal report and ends the process with exit code -1.
#include <windows.h>

#include <string>

#include "runtime/core/runtime_app.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/text_encoding.h"

namespace tessaly {

void reportRuntimeError(std::string_view message, int32_t code, int32_t related1, int32_t related2)
{
    RuntimeApp& app = RuntimeApp::instance();
    app.suspendEvents();
    const std::string report = composeErrorReport(message, code, related1, related2, errorSubject());
    if (errorReportHook() != nullptr) {
        errorReportHook()(report);
    } else {
        MessageBoxW(nullptr, widenGbk(report).c_str(), widenGbk("错误").c_str(), MB_OK | MB_ICONERROR);
    }
    app.dropExitRoutines();
    app.endProgram(-1);
}

}  // namespace tessaly
