// Commands on windows and units. They reach the window layer only through
// the runtime entry the core library received at start-up, passing
// identifiers; the layer answers with handles and results.
#include <windows.h>

#include <cstring>

#include "runtime/core/commands/command_arguments.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/library_notify.h"
#include "runtime/core/memory.h"
#include "runtime/core/notify_codes.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/unit_requests.h"

namespace tessaly::commands {
namespace {

UnitCall callOn(const TypedValue& unit)
{
    UnitCall call;
    call.windowId = unit.low;
    call.unitId = unit.high;
    return call;
}

void setBoolResult(TypedValue* result, bool value) { result->low = value ? 1 : 0; }

struct EventSourceWords {
    uint32_t windowId;
    uint32_t unitId;
};

}  // namespace

void LoadWindow(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    UnitCall call = callOn(args.at(0));
    call.unitId = 0;
    if (args.given(1)) {
        call.unitId = args.at(1).low;
        if (askRuntime(RuntimeNotify::FindUnit, call.unitId, 0) == 0) return;  // the owner must exist
    }
    call.a = args.given(2) && args.at(2).asBool() ? 1 : 0;
    setBoolResult(result, requestUnit(UnitRequest::LoadWindow, call) != 0);
}

void Destroy(TypedValue*, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    UnitCall call = callOn(args.at(0));
    call.a = args.count() >= 2 && args.given(1) && args.at(1).low != 0 ? 1 : 0;
    requestUnit(UnitRequest::Destroy, call);
}

void GetWindowHandle(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    UnitCall call = callOn(args.at(0));
    setIntResult(result, static_cast<int32_t>(requestUnit(UnitRequest::WindowHandle, call)));
}

void IsCreated(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    const TypedValue unit = args.at(0);
    const intptr_t kind = askRuntime(RuntimeNotify::ClassifyType, unit.baseType());
    if (kind == 0) return;
    // A menu item counts as created when its window is.
    const uint32_t unitId = kind == 2 || (unit.high >> 28) == 2 ? 0 : unit.high;
    setBoolResult(result, askRuntime(RuntimeNotify::FindUnit, unit.low, unitId) != 0);
}

void GetEventUnit(TypedValue* result, int32_t, TypedValue*)
{
    EventSourceWords source{};
    if (askRuntime(RuntimeNotify::CurrentEventSource, reinterpret_cast<intptr_t>(&source)) == 0)
        reportRuntimeError("“取事件组件”命令只能在事件处理子程序中使用", 0, 0, 0);
    result->low = source.windowId;
    result->high = source.unitId;
    result->type = static_cast<uint32_t>(askRuntime(RuntimeNotify::UnitTypeOf, source.windowId, source.unitId));
}

void CopyUnit(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    UnitCall call = callOn(args.at(0));
    if (requestUnit(UnitRequest::CopyUnit, call) == 0) return;
    auto* target = args.at(1).pointer<uint32_t>();
    if (target != nullptr) {
        target[0] = call.windowId;
        target[1] = call.result;
    }
    setBoolResult(result, true);
}

void SetZOrder(TypedValue*, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    UnitCall call = callOn(args.at(0));
    if (args.given(1)) {
        call.a = args.at(1).asInt();
        call.given = 1;
    }
    requestUnit(UnitRequest::SetZOrder, call);
}

void PopupMenu(TypedValue*, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    UnitCall call = callOn(args.at(0));
    call.unitId = args.at(1).high;
    if (args.given(2)) call.a = args.at(2).asInt(), call.given |= 1;
    if (args.given(3)) call.b = args.at(3).asInt(), call.given |= 2;
    requestUnit(UnitRequest::PopupMenu, call);
}

void PopupTrayMenu(TypedValue*, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    UnitCall call = callOn(args.at(0));
    call.unitId = args.at(1).high;
    requestUnit(UnitRequest::PopupTrayMenu, call);
}

// (unit, width variable, height variable): the unit's caption measured in its
// own font, as it is drawn; false for a unit that shows no caption.
void MeasureCaption(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    UnitCall call = callOn(args.at(0));
    const bool measured = requestUnit(UnitRequest::MeasureCaption, call) != 0;
    if (auto* width = args.at(1).pointer<int32_t>()) *width = measured ? call.a : 0;
    if (auto* height = args.at(2).pointer<int32_t>()) *height = measured ? call.b : 0;
    setBoolResult(result, measured);
}

void SetTrayIcon(TypedValue*, int32_t count, TypedValue* arguments)
{
    const CommandArguments args(count, arguments);
    UnitCall call = callOn(args.at(0));
    const TypedValue icon = args.at(1);
    void* read = nullptr;
    if (icon.baseType() == TypeCode::Text) {
        TypedValue bytes{};
        TypedValue name = icon;
        ReadFileBytes(&bytes, 1, &name);
        read = bytes.pointer();
        call.data = byteSetData(read);
        call.length = byteSetLength(read);
    } else if (icon.baseType() == TypeCode::Bytes) {
        call.data = byteSetData(icon.pointer());
        call.length = byteSetLength(icon.pointer());
    }
    if (args.given(2)) call.text = args.at(2).text();
    requestUnit(UnitRequest::SetTrayIcon, call);
    release(read);
}

}  // namespace tessaly::commands
