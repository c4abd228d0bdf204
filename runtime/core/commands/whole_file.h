// Whole files by their wide names. The commands convert the GBK names the
// program gives them with code page 936 (widenGbk) and use the wide calls, so
// a program finds "\字幕.ini" whatever the system's ANSI code page is.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace tessaly {

enum class WholeFileRead { Missing, Read, Failed };

// Reads the whole file into the storage `place(length)` hands out for its
// length (never called for a missing file). A file that exists but cannot be
// opened, sized or read, or is too long for a byte-set, is Failed, never
// Missing: only a file that is not there reads as nothing.
WholeFileRead readWholeFile(const std::wstring& name, const std::function<uint8_t*(int32_t length)>& place);

// The file's length in bytes; -1 when no file of that name exists; -2 when
// something of that name exists that cannot be told (a directory, a name the
// system refuses to look at).
int64_t fileLength(const std::wstring& name);

}  // namespace tessaly
