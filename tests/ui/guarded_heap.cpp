#include "tests/ui/guarded_heap.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace tessaly::ui::testing {
namespace {

// Each block is preceded by this header, so delete knows where it came from.
struct alignas(16) BlockHeader {
    uint64_t origin;
    uint64_t bytes;  // pages: the committed length from the header on
};
static_assert(sizeof(BlockHeader) == 16);

constexpr uint64_t FromHeap = 0x5041454854534554;   // "TESTHEAP"
constexpr uint64_t FromPages = 0x5345474154534554;  // "TESTAGES"

std::atomic<bool> g_guarding{false};

// The blocks decommitted so far (the oldest forgotten past the limit), so a
// fault can be told apart from the probing faults the system handles itself.
constexpr size_t FreedLimit = size_t{1} << 16;
const void* g_freed[FreedLimit];
std::atomic<size_t> g_freedCount{0};

bool isFreedBlock(const void* address)
{
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(address, &info, sizeof info) == 0 || info.State != MEM_RESERVE) return false;
    const size_t count = std::min(g_freedCount.load(), FreedLimit);
    return std::find(g_freed, g_freed + count, info.AllocationBase) != g_freed + count;
}

size_t pageSize()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
}

void* allocateBlock(size_t size)
{
    const size_t total = sizeof(BlockHeader) + (size == 0 ? 1 : size);
    BlockHeader* header = nullptr;
    if (g_guarding) {
        static const size_t page = pageSize();
        const size_t committed = (total + page - 1) / page * page;
        header = static_cast<BlockHeader*>(VirtualAlloc(nullptr, committed, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (header != nullptr) *header = {FromPages, committed};
    } else {
        header = static_cast<BlockHeader*>(std::malloc(total));
        if (header != nullptr) *header = {FromHeap, total};
    }
    if (header == nullptr) throw std::bad_alloc();
    return header + 1;
}

void freeBlock(void* block)
{
    if (block == nullptr) return;
    BlockHeader* header = static_cast<BlockHeader*>(block) - 1;
    switch (header->origin) {
    case FromHeap:
        header->origin = 0;
        std::free(header);
        return;
    case FromPages:
        // Decommitted, never released: the address is not handed out again.
        VirtualFree(header, header->bytes, MEM_DECOMMIT);
        g_freed[g_freedCount++ % FreedLimit] = header;
        return;
    default:
        std::fprintf(stderr, "GuardedHeap: delete of a block it did not hand out (%p)\n", block);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
}

[[noreturn]] void endWithReport(const EXCEPTION_RECORD& record, const char* what)
{
    std::fprintf(stderr, "GuardedHeap: %s: exception 0x%08lx at %p", what,
                 static_cast<unsigned long>(record.ExceptionCode), record.ExceptionAddress);
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2)
        std::fprintf(stderr, " touching %p", reinterpret_cast<void*>(record.ExceptionInformation[1]));
    std::fprintf(stderr, "\n");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    for (;;) {}
}

// First in line, so that a fault inside a window procedure is seen even where
// the system's message callback would swallow it.
LONG WINAPI catchUseAfterFree(EXCEPTION_POINTERS* exception)
{
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2 &&
        isFreedBlock(reinterpret_cast<const void*>(record.ExceptionInformation[1])))
        endWithReport(record, "use of a deleted block");
    return EXCEPTION_CONTINUE_SEARCH;
}

LONG WINAPI reportFault(EXCEPTION_POINTERS* exception)
{
    endWithReport(*exception->ExceptionRecord, "unhandled");
}

}  // namespace

GuardedHeap::GuardedHeap()
{
    static const bool installed = [] {
        AddVectoredExceptionHandler(1, &catchUseAfterFree);
        SetUnhandledExceptionFilter(&reportFault);
        return true;
    }();
    (void)installed;
    g_guarding = true;
}

GuardedHeap::~GuardedHeap() { g_guarding = false; }

}  // namespace tessaly::ui::testing

// The replaceable global allocation functions of the test program.
void* operator new(size_t size) { return tessaly::ui::testing::allocateBlock(size); }
void* operator new[](size_t size) { return tessaly::ui::testing::allocateBlock(size); }
void operator delete(void* block) noexcept { tessaly::ui::testing::freeBlock(block); }
void operator delete[](void* block) noexcept { tessaly::ui::testing::freeBlock(block); }
void operator delete(void* block, size_t) noexcept { tessaly::ui::testing::freeBlock(block); }
void operator delete[](void* block, size_t) noexcept { tessaly::ui::testing::freeBlock(block); }
