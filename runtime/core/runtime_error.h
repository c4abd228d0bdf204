// The one fatal error reporter. Runtime errors are not recoverable: the
// report is shown, the program's exit routines are dropped, and the process
// ends with exit code -1.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// Texts of the coded runtime errors 1 to 11; empty for any other code.
std::string_view runtimeErrorText(int32_t code);

// What the report needs to know about the window and unit named by the
// related values. The window layer supplies it; without one, no window is
// loaded.
struct ErrorSubject {
    virtual ~ErrorSubject() = default;
    // The tag text of a loaded window's own unit; none when the window is not loaded.
    virtual std::optional<std::string> windowTag(uint32_t windowId) const = 0;
    // The tag text of a unit of a loaded window; none when it does not exist or is a menu item.
    // Unit id 0 means the window's own unit.
    virtual std::optional<std::string> unitTag(uint32_t windowId, uint32_t unitId) const = 0;
};

// Composes the message box text byte for byte.
std::string composeErrorReport(std::string_view message, int32_t code, int32_t related1, int32_t related2,
                               const ErrorSubject* subject);

// Reports and ends the process; never returns.
[[noreturn]] void reportRuntimeError(std::string_view message, int32_t code, int32_t related1, int32_t related2);
// Service slot 0: a coded error with its fixed text.
[[noreturn]] void reportRuntimeErrorCode(int32_t code, int32_t related1, int32_t related2);

// Replaces the message box: the hook receives the composed text. If it
// returns, the process still ends with -1; a hook may instead throw to hand
// control back to a test.
using ErrorReportHook = void (*)(const std::string& report);
void setErrorReportHook(ErrorReportHook hook);
ErrorReportHook errorReportHook();

// Where the error reporter finds window tags; set by the window layer.
void setErrorSubject(const ErrorSubject* subject);
const ErrorSubject* errorSubject();

}  // namespace tessaly
