// The automation commands of the core library (entries 39 to 53): automation
// objects held in {interface, auxiliary} blocks, OLE variants held in blocks of
// one VARIANT, and member access by name through the object's type information.
#pragma once

#include <cstdint>

#include "runtime/core/typed_value.h"

namespace tessaly {

// The outcome of the last member access on this thread: 0 or one of these.
enum class AutomationError : int32_t {
    None = 0,
    EmptyObject = -1,
    NoDispatch = -2,
    MemberNotBound = -3,
    NoTypeInfo = -4,
    TooManyArguments = -5,
    ArgumentNotConvertible = -7,
    ResultNotConvertible = -8,
    BadParameterCount = -9,
    BadVariantType = -10,
    Exception = -11,
    MemberNotFound = -12,
    NoNamedArguments = -13,
    Overflow = -14,
    ParameterNotFound = -15,
    TypeMismatch = -16,
    ParameterNotOptional = -17,
    InvokeFailed = -18,
};

int32_t lastAutomationError();

// The program's view of an object value: the block a ComObject value points to.
struct ObjectBlock {
    void* unknown;  // IUnknown*, or null for an empty object
    void* auxiliary;
};
static_assert(sizeof(ObjectBlock) == 16);

inline constexpr int32_t VariantBlockSize = 24;  // an OLE VARIANT on x64

namespace commands {

void ObjectClear(TypedValue* result, int32_t count, TypedValue* arguments);          // core:39
void ObjectCreate(TypedValue* result, int32_t count, TypedValue* arguments);         // core:40
void ObjectWriteProperty(TypedValue* result, int32_t count, TypedValue* arguments);  // core:41
void VariantAssign(TypedValue* result, int32_t count, TypedValue* arguments);        // core:42
void ObjectCallForObject(TypedValue* result, int32_t count, TypedValue* arguments);  // core:43
void ObjectIsEmpty(TypedValue* result, int32_t count, TypedValue* arguments);        // core:44
void ObjectReadText(TypedValue* result, int32_t count, TypedValue* arguments);       // core:45
void ObjectCallForText(TypedValue* result, int32_t count, TypedValue* arguments);    // core:46
void VariantClear(TypedValue* result, int32_t count, TypedValue* arguments);         // core:47
void ObjectReadNumber(TypedValue* result, int32_t count, TypedValue* arguments);     // core:48
void ObjectReadObject(TypedValue* result, int32_t count, TypedValue* arguments);     // core:49
void ObjectReadVariant(TypedValue* result, int32_t count, TypedValue* arguments);    // core:50
void VariantToText(TypedValue* result, int32_t count, TypedValue* arguments);        // core:51
void ObjectCopy(TypedValue* result, int32_t count, TypedValue* arguments);           // core:52
void VariantCopy(TypedValue* result, int32_t count, TypedValue* arguments);          // core:53

}  // namespace commands
}  // namespace tessaly
