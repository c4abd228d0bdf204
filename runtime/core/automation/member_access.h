// The one algorithm behind every property read, property write and method
// call on an automation object: bind the name through the object's type
// information, convert the arguments, invoke, write back by-reference
// arguments, and record the outcome as the thread's last automation error.
#pragma once

#include <cstdint>

#include "runtime/core/automation/com_owners.h"
#include "runtime/core/typed_value.h"

namespace tessaly::automation {

enum class AccessKind { Read, Write, Call };

// arguments[0] is the object, arguments[1] the member name, the rest the
// member's arguments. On success `result` holds the member's result and 0 is
// returned; otherwise the negative automation error code.
int32_t accessMember(AccessKind kind, int32_t count, const TypedValue* arguments, VARIANT& result);

void setLastAutomationError(int32_t code);

}  // namespace tessaly::automation
