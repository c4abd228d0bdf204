// The fatal report in the native build of the platform-free code: the hook
// or standard error, then exit code -1.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/core/runtime_error.h"

namespace tessaly {

void reportRuntimeError(std::string_view message, int32_t code, int32_t related1, int32_t related2)
{
    const std::string report = composeErrorReport(message, code, related1, related2, errorSubject());
    if (errorReportHook() != nullptr)
        errorReportHook()(report);
    else
        std::fwrite(report.data(), 1, report.size(), stderr);
    std::exit(-1);
}

}  // namespace tessaly
