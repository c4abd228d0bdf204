// One running program per program directory. The claim is a named mutex whose
// name comes from the directory's full path, case-folded, so that two
// spellings of one folder are one claim and a copy in another folder runs on
// its own. The holder's hidden owner window carries the same name, so that a
// later start can find the holder and ask it to come forward instead of
// running beside it and writing over its files.
#pragma once

#include <windows.h>

#include <string>

namespace tessaly {

// True when this process holds the claim on `directory` from now on. False
// when another process holds it and has agreed to come forward. A holder
// that is ending is waited for, and the claim then taken over.
bool claimDirectory(const std::wstring& directory, HWND hiddenOwner);
// Lets a later start run: once the program has stored what it holds.
void releaseDirectoryClaim();

// The name of the claim on `directory`.
std::wstring claimName(const std::wstring& directory);

}  // namespace tessaly
