// The fixed tables through which the program reaches the runtime: thirteen
// service slots and seven requests, always by index, never by address.
#pragma once

#include <array>
#include <cstdint>
#include <type_traits>

#include "runtime/core/program_header.h"
#include "runtime/core/typed_value.h"

namespace tessaly {

enum class Service : int {
    ReportError = 0,
    CallDllCommand = 1,
    CallLibraryCommand = 2,
    CallCoreCommand = 3,
    GetProperty = 4,
    SetProperty = 5,
    Allocate = 6,
    Reallocate = 7,
    Free = 8,
    EndProgram = 9,
    MessageLoop = 10,
    LoadStartupWindow = 11,
    Request = 12,
};
inline constexpr int ServiceSlotCount = 13;

enum class Request : int {
    FindFile = 0,
    EndFileSearch = 1,
    MakeArrayWritable = 2,
    RegisterExitRoutine = 3,
    ReadObjectProperty = 4,
    WriteObjectProperty = 5,
    StartUp = 6,
};
inline constexpr int RequestCount = 7;

// A unit property access, as the program passes it to slots 4 and 5.
struct PropertyAccess {
    uint32_t windowId;
    uint32_t unitId;
    int32_t property;
    int32_t fontField;  // -1 when the whole property is meant
};

using ExitRoutine = void (*)();

// The signature of each slot.
template <Service S> struct ServiceSignature;
template <> struct ServiceSignature<Service::ReportError> { using type = void(int32_t code, int32_t related1, int32_t related2); };
template <> struct ServiceSignature<Service::CallDllCommand> { using type = void*(int32_t index); };
template <> struct ServiceSignature<Service::CallLibraryCommand> { using type = TypedValue(CommandEntry, int32_t count, TypedValue* arguments); };
template <> struct ServiceSignature<Service::CallCoreCommand> { using type = TypedValue(CommandEntry, int32_t count, TypedValue* arguments); };
template <> struct ServiceSignature<Service::GetProperty> { using type = TypedValue(const PropertyAccess& access); };
template <> struct ServiceSignature<Service::SetProperty> { using type = void(const PropertyAccess& access, const TypedValue& value); };
template <> struct ServiceSignature<Service::Allocate> { using type = void*(intptr_t size); };
template <> struct ServiceSignature<Service::Reallocate> { using type = void*(void* block, intptr_t size); };
template <> struct ServiceSignature<Service::Free> { using type = void(void* block); };
template <> struct ServiceSignature<Service::EndProgram> { using type = void(int32_t exitCode); };
template <> struct ServiceSignature<Service::MessageLoop> { using type = void(); };
template <> struct ServiceSignature<Service::LoadStartupWindow> { using type = void(uint32_t windowId); };
template <> struct ServiceSignature<Service::Request> { using type = intptr_t(int32_t request, intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4, intptr_t a5, intptr_t a6); };

using ServiceSlot = void (*)();
using ServiceTable = std::array<ServiceSlot, ServiceSlotCount>;
using RequestEntry = intptr_t (*)(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4, intptr_t a5, intptr_t a6);
using RequestTable = std::array<RequestEntry, RequestCount>;

const ServiceTable& serviceTable();
const RequestTable& requestTable();

// Calls slot S with the arguments of its signature.
template <Service S, class... Args>
decltype(auto) callService(Args&&... args)
{
    using Fn = typename ServiceSignature<S>::type;
    auto* fn = reinterpret_cast<Fn*>(serviceTable()[static_cast<int>(S)]);
    return fn(static_cast<Args&&>(args)...);
}

// One pointer-wide argument word of a request.
template <class T>
intptr_t requestWord(T value)
{
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<intptr_t>(value);
    else
        return static_cast<intptr_t>(value);
}

// Slot 12 with up to six pointer-wide arguments.
template <class... Args>
intptr_t callRequest(Request request, Args... args)
{
    static_assert(sizeof...(Args) <= 6);
    intptr_t a[6] = {requestWord(args)...};
    return callService<Service::Request>(static_cast<int32_t>(request), a[0], a[1], a[2], a[3], a[4], a[5]);
}

}  // namespace tessaly
