#include "runtime/core/commands/whole_file.h"

#include <algorithm>

#include "runtime/core/commands/file_handle.h"

namespace tessaly {
namespace {

// A byte-set counts its length in 32 bits, its header included.
constexpr int64_t LongestFile = INT32_MAX - 8;

bool readAll(HANDLE file, uint8_t* into, int64_t length)
{
    while (length > 0) {
        const auto chunk = static_cast<DWORD>(std::min<int64_t>(length, int64_t{1} << 30));
        DWORD read = 0;
        if (!ReadFile(file, into, chunk, &read, nullptr) || read == 0) return false;
        into += read;
        length -= read;
    }
    return true;
}

bool isAbsence(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

}  // namespace

WholeFileRead readWholeFile(const std::wstring& name, const std::function<uint8_t*(int32_t length)>& place)
{
    const FileHandle file(
        CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return isAbsence(GetLastError()) ? WholeFileRead::Missing : WholeFileRead::Failed;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > LongestFile) return WholeFileRead::Failed;
    const auto length = static_cast<int32_t>(size.QuadPart);
    uint8_t* into = place(length);
    return readAll(file.get(), into, length) ? WholeFileRead::Read : WholeFileRead::Failed;
}

int64_t fileLength(const std::wstring& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)) return isAbsence(GetLastError()) ? -1 : -2;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace tessaly
