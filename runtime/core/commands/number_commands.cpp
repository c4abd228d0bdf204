// Number commands.
#include "runtime/core/commands/commands.h"
#include "runtime/core/value_blocks.h"

namespace tessaly::commands {

void BitOr(TypedValue* result, int32_t count, TypedValue* arguments)
{
    result->low = static_cast<uint32_t>(fold(FoldOperation::Or, count, arguments));
}

}  // namespace tessaly::commands
