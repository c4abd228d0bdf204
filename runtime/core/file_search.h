// Requests 0 and 1: walking the entries that match a file pattern.
#pragma once

#include <cstdint>

namespace tessaly {

using FileSearchHandle = void*;

// A non-empty pattern starts a new search (closing any open one); an empty
// pattern continues the open one. Answers the next matching entry's name as
// a new text, or null when the search is exhausted (the handle is then closed
// and cleared).
char* findFile(const char* pattern, uint32_t attributeMask, bool anyEntry, FileSearchHandle* handle);
void endFileSearch(FileSearchHandle handle);

}  // namespace tessaly
