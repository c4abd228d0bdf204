// RuntimeNotify: the runtime's single entry for libraries. The core answers
// its own codes; the window layer answers the window and event codes.
#include <windows.h>

#include "runtime/core/memory.h"
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

// Code 2036: a question about a library data type goes to that library's notify code 8.
intptr_t askLibraryAboutType(uint32_t dataType, intptr_t question)
{
    if (dataType == TypeCode::ComObject) return 0;
    RuntimeApp& app = RuntimeApp::instance();
    const uint32_t library = dataType >> 16;
    const uint32_t index = (dataType & 0xFFFF) - 1;
    if (library == 0 || library > app.libraries().size()) return 0;
    const LibraryInfo* info = app.libraries()[library - 1];
    if (info == nullptr || info->notify == nullptr) return 0;
    return info->notify(8, static_cast<intptr_t>(index), question);
}

}  // namespace

intptr_t runtimeNotify(int32_t code, intptr_t value1, intptr_t value2)
{
    RuntimeApp& app = RuntimeApp::instance();
    switch (code) {
    case 2001: return numericToInteger(*reinterpret_cast<const TypedValue*>(value1));
    case 2003: return reinterpret_cast<intptr_t>(app.programDirectory().c_str());
    case 2004: return reinterpret_cast<intptr_t>(app.executableName().c_str());
    case 2024:
        return reinterpret_cast<intptr_t>(value2 != 0 ? allocateUnchecked(value1) : allocate(value1));
    case 2025: release(reinterpret_cast<void*>(value1)); return 0;
    case 2026: return reinterpret_cast<intptr_t>(reallocate(reinterpret_cast<void*>(value1), value2));
    case 2027: reportRuntimeError(reinterpret_cast<const char*>(value1), 0, 0, 0);
    case 2028: app.endProgram(static_cast<int32_t>(value1));
    case 2030: return app.mode();
    case 2036: return askLibraryAboutType(static_cast<uint32_t>(value1), value2);
    case 1012: app.addIdleCallback(*reinterpret_cast<const IdleCallbackRecord*>(value1)); return 0;
    case 1013: app.removeIdleCallback(reinterpret_cast<HWND>(value1)); return 0;
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
