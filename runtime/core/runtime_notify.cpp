// RuntimeNotify: the runtime's single entry for libraries. The core answers
// its own codes; the window layer answers the window and event codes.
#include <windows.h>

#include "runtime/core/memory.h"
#include "runtime/core/notify_codes.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/value_blocks.h"

namespace tessaly {
namespace {

int32_t numericToInteger(const TypedValue& value)
{
    const auto number = numericValue(value);
    if (!number) reportRuntimeError("欲转换数据类型不是数值", 0, 0, 0);
    return static_cast<int32_t>(*number);
}

// A question about a library data type goes to that library's notify routine.
intptr_t askLibraryAboutType(uint32_t dataType, intptr_t question)
{
    if (dataType == TypeCode::ComObject) return 0;
    RuntimeApp& app = RuntimeApp::instance();
    const uint32_t library = dataType >> 16;
    const uint32_t index = (dataType & 0xFFFF) - 1;
    if (library == 0 || library > app.libraries().size()) return 0;
    const LibraryInfo* info = app.libraries()[library - 1];
    if (info == nullptr || info->notify == nullptr) return 0;
    return info->notify(LibraryNotify::AboutType, static_cast<intptr_t>(index), question);
}

}  // namespace

intptr_t runtimeNotify(int32_t code, intptr_t value1, intptr_t value2)
{
    RuntimeApp& app = RuntimeApp::instance();
    switch (code) {
    case RuntimeNotify::NumberToInteger: return numericToInteger(*reinterpret_cast<const TypedValue*>(value1));
    case RuntimeNotify::ProgramDirectory: return reinterpret_cast<intptr_t>(app.programDirectory().c_str());
    case RuntimeNotify::ExecutableName: return reinterpret_cast<intptr_t>(app.executableName().c_str());
    case RuntimeNotify::Allocate:
        return reinterpret_cast<intptr_t>(value2 != 0 ? allocateUnchecked(value1) : allocate(value1));
    case RuntimeNotify::Release: release(reinterpret_cast<void*>(value1)); return 0;
    case RuntimeNotify::Reallocate: return reinterpret_cast<intptr_t>(reallocate(reinterpret_cast<void*>(value1), value2));
    case RuntimeNotify::ReportError: reportRuntimeError(reinterpret_cast<const char*>(value1), 0, 0, 0);
    case RuntimeNotify::EndProgram: app.endProgram(static_cast<int32_t>(value1));
    case RuntimeNotify::Mode: return app.mode();
    case RuntimeNotify::AskAboutType: return askLibraryAboutType(static_cast<uint32_t>(value1), value2);
    case RuntimeNotify::AddIdleCallback: app.addIdleCallback(*reinterpret_cast<const IdleCallbackRecord*>(value1)); return 0;
    case RuntimeNotify::RemoveIdleCallback: app.removeIdleCallback(reinterpret_cast<HWND>(value1)); return 0;
    default: break;
    }
    if (WindowSystem* windows = app.windowSystem()) {
        bool handled = false;
        const intptr_t result = windows->notify(code, value1, value2, handled);
        if (handled) return result;
    }
    return -1;
}

}  // namespace tessaly
