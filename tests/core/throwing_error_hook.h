// A fatal report handed back to the test that caused it: while the guard
// lives, the runtime's error reporter throws the report's text instead of
// showing it and ending the process.
#pragma once

#include <string>

#include "runtime/core/runtime_error.h"

namespace tessaly::testing {

struct CapturedReport {
    std::string text;
};

struct ThrowingErrorHook {
    ThrowingErrorHook()
    {
        setErrorReportHook([](const std::string& report) { throw CapturedReport{report}; });
    }
    ~ThrowingErrorHook() { setErrorReportHook(nullptr); }
    ThrowingErrorHook(const ThrowingErrorHook&) = delete;
    ThrowingErrorHook& operator=(const ThrowingErrorHook&) = delete;
};

}  // namespace tessaly::testing
