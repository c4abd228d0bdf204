#include "runtime/core/library_notify.h"

#include "runtime/core/notify_codes.h"
#include "runtime/core/unit_requests.h"

namespace tessaly {
namespace {

NotifyEntry g_coreEntry = nullptr;
NotifyEntry g_otherEntries[3] = {};

intptr_t keepEntry(NotifyEntry& slot, int32_t code, intptr_t value1)
{
    if (code != LibraryNotify::Start) return -1;
    slot = reinterpret_cast<NotifyEntry>(value1);
    return 0;
}

}  // namespace

intptr_t coreLibraryNotify(int32_t code, intptr_t value1, intptr_t) { return keepEntry(g_coreEntry, code, value1); }
intptr_t applicationLibraryNotify(int32_t code, intptr_t value1, intptr_t) { return keepEntry(g_otherEntries[0], code, value1); }
intptr_t specialLibraryNotify(int32_t code, intptr_t value1, intptr_t) { return keepEntry(g_otherEntries[1], code, value1); }
intptr_t extensionLibraryNotify(int32_t code, intptr_t value1, intptr_t) { return keepEntry(g_otherEntries[2], code, value1); }

intptr_t askRuntime(int32_t code, intptr_t value1, intptr_t value2)
{
    return g_coreEntry != nullptr ? g_coreEntry(code, value1, value2) : 0;
}

intptr_t requestUnit(int32_t code, UnitCall& call) { return askRuntime(code, reinterpret_cast<intptr_t>(&call)); }

}  // namespace tessaly
