#include "runtime/core/file_search.h"

#include <windows.h>

#include "runtime/core/text_encoding.h"
#include "runtime/core/value_blocks.h"

namespace tessaly {
namespace {

bool matches(const WIN32_FIND_DATAW& entry, uint32_t mask, bool anyEntry)
{
    const DWORD attributes = entry.dwFileAttributes;
    if (anyEntry) return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    mask &= 0x37;
    if (mask == 0) return attributes == 0 || attributes == FILE_ATTRIBUTE_NORMAL;
    return (attributes & mask) != 0;
}

}  // namespace

char* findFile(const char* pattern, uint32_t attributeMask, bool anyEntry, FileSearchHandle* handle)
{
    WIN32_FIND_DATAW entry{};
    bool found = false;
    if (pattern != nullptr && *pattern != '\0') {
        endFileSearch(*handle);
        *handle = nullptr;
        HANDLE search = FindFirstFileW(widenGbk(pattern).c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) return nullptr;
        *handle = search;
        found = true;
    } else if (*handle != nullptr) {
        found = FindNextFileW(*handle, &entry) != FALSE;
    }
    while (found && !matches(entry, attributeMask, anyEntry)) found = FindNextFileW(*handle, &entry) != FALSE;
    if (!found) {
        endFileSearch(*handle);
        *handle = nullptr;
        return nullptr;
    }
    return makeResultText(narrowPathToGbk(entry.cFileName));
}

void endFileSearch(FileSearchHandle handle)
{
    if (handle != nullptr) FindClose(handle);
}

}  // namespace tessaly
