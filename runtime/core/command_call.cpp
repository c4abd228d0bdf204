#include "runtime/core/command_call.h"

namespace tessaly {

TypedValue callCommand(CommandEntry command, int32_t count, TypedValue* arguments)
{
    TypedValue result{0, 0, 0};
    command(&result, count, arguments);
    return result;
}

}  // namespace tessaly
