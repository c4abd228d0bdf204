// The thirteen service slots and seven requests, filled with the runtime's
// own routines.
#include "runtime/core/service_table.h"

#include "runtime/core/command_call.h"
#include "runtime/core/file_search.h"
#include "runtime/core/memory.h"
#include "runtime/core/runtime_app.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/value_blocks.h"

namespace tessaly {
namespace {

// A slot takes only a routine of its own signature, at its own index: any
// other routine does not compile.
template <Service S>
void put(ServiceTable& table, typename ServiceSignature<S>::type* routine)
{
    table[static_cast<size_t>(S)] = reinterpret_cast<ServiceSlot>(routine);
}

void* resolveDllCommandSlot(int32_t index);

TypedValue getPropertySlot(const PropertyAccess& access)
{
    WindowSystem* windows = RuntimeApp::instance().windowSystem();
    if (windows == nullptr) reportRuntimeError("读取组件属性时发现指定窗口尚未载入", 0, static_cast<int32_t>(access.windowId), static_cast<int32_t>(access.unitId));
    return windows->getProperty(access);
}

void setPropertySlot(const PropertyAccess& access, const TypedValue& value)
{
    WindowSystem* windows = RuntimeApp::instance().windowSystem();
    if (windows == nullptr) reportRuntimeError("修改组件属性时发现指定窗口尚未载入", 0, static_cast<int32_t>(access.windowId), static_cast<int32_t>(access.unitId));
    windows->setProperty(access, value);
}

void endProgramSlot(int32_t exitCode) { RuntimeApp::instance().endProgram(exitCode); }
void messageLoopSlot() { RuntimeApp::instance().runMessageLoop(); }

void loadStartupWindowSlot(uint32_t windowId)
{
    WindowSystem* windows = RuntimeApp::instance().windowSystem();
    if (windows == nullptr || !windows->loadStartupWindow(windowId)) reportRuntimeError("载入启动窗口失败", 0, 0, 0);
}

intptr_t requestSlot(int32_t request, intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4, intptr_t a5, intptr_t a6)
{
    if (request < 0 || request >= RequestCount) return 0;
    return requestTable()[static_cast<size_t>(request)](a1, a2, a3, a4, a5, a6);
}

// Requests.
intptr_t findFileRequest(intptr_t pattern, intptr_t mask, intptr_t anyEntry, intptr_t handle, intptr_t, intptr_t)
{
    return reinterpret_cast<intptr_t>(findFile(reinterpret_cast<const char*>(pattern), static_cast<uint32_t>(mask),
                                               anyEntry != 0, reinterpret_cast<FileSearchHandle*>(handle)));
}

intptr_t endFileSearchRequest(intptr_t handle, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    endFileSearch(reinterpret_cast<FileSearchHandle>(handle));
    return 0;
}

intptr_t makeArrayWritableRequest(intptr_t elementSize, intptr_t variable, intptr_t, intptr_t, intptr_t, intptr_t)
{
    makeArrayWritable(static_cast<int32_t>(elementSize), reinterpret_cast<void**>(variable));
    return 0;
}

intptr_t registerExitRoutineRequest(intptr_t routine, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    RuntimeApp::instance().registerExitRoutine(reinterpret_cast<ExitRoutine>(routine));
    return 0;
}

intptr_t readObjectPropertyRequest(intptr_t type, intptr_t object, intptr_t property, intptr_t out, intptr_t, intptr_t)
{
    WindowSystem* windows = RuntimeApp::instance().windowSystem();
    if (windows == nullptr) return 0;
    return windows->readObjectProperty(static_cast<uint32_t>(type), reinterpret_cast<void*>(object),
                                       static_cast<int32_t>(property), reinterpret_cast<TypedValue*>(out));
}

intptr_t writeObjectPropertyRequest(intptr_t type, intptr_t object, intptr_t property, intptr_t valueType,
                                    intptr_t value, intptr_t extra)
{
    WindowSystem* windows = RuntimeApp::instance().windowSystem();
    if (windows == nullptr) return 0;
    const auto bits = static_cast<uint64_t>(value);
    TypedValue typed{static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32), static_cast<uint32_t>(valueType)};
    if (typed.high == 0 && extra != 0) typed.high = static_cast<uint32_t>(extra);
    return windows->writeObjectProperty(static_cast<uint32_t>(type), reinterpret_cast<void*>(object),
                                        static_cast<int32_t>(property), typed);
}

intptr_t startUpRequest(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    RuntimeApp::instance().startUp();
    return 0;
}

void* resolveDllCommandSlot(int32_t index) { return resolveDllCommand(index); }

}  // namespace

const ServiceTable& serviceTable()
{
    static const ServiceTable table = [] {
        ServiceTable t{};
        put<Service::ReportError>(t, &reportRuntimeErrorCode);
        put<Service::CallDllCommand>(t, &resolveDllCommandSlot);
        put<Service::CallLibraryCommand>(t, &callCommand);
        put<Service::CallCoreCommand>(t, &callCommand);
        put<Service::GetProperty>(t, &getPropertySlot);
        put<Service::SetProperty>(t, &setPropertySlot);
        put<Service::Allocate>(t, &allocate);
        put<Service::Reallocate>(t, &reallocate);
        put<Service::Free>(t, &release);
        put<Service::EndProgram>(t, &endProgramSlot);
        put<Service::MessageLoop>(t, &messageLoopSlot);
        put<Service::LoadStartupWindow>(t, &loadStartupWindowSlot);
        put<Service::Request>(t, &requestSlot);
        return t;
    }();
    return table;
}

const RequestTable& requestTable()
{
    static const RequestTable table = {
        &findFileRequest,           &endFileSearchRequest,       &makeArrayWritableRequest,
        &registerExitRoutineRequest, &readObjectPropertyRequest, &writeObjectPropertyRequest,
        &startUpRequest,
    };
    return table;
}

}  // namespace tessaly
