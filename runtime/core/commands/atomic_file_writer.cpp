#include "runtime/core/commands/atomic_file_writer.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cwchar>
#include <iterator>
#include <optional>
#include <string_view>
#include <utility>

#include "runtime/core/commands/file_handle.h"
#include "runtime/core/win32_handles.h"

namespace tessaly {
namespace {

constexpr wchar_t TemporarySuffix[] = L".tmp";

// The writing process, by identifier and start time: an identifier alone may
// be reused by a later process.
struct Writer {
    unsigned long process = 0;
    unsigned long long started = 0;
};

unsigned long long startTimeOf(HANDLE process)
{
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

const Writer& thisWriter()
{
    static const Writer self{GetCurrentProcessId(), startTimeOf(GetCurrentProcess())};
    return self;
}

bool stillRuns(const Writer& writer)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, writer.process);
    // A process this one may not look at still runs.
    if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
    const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT && startTimeOf(process) == writer.started;
    CloseHandle(process);
    return runs;
}

// Beside the target, so the final rename stays on one volume. The name says
// which process writes it (so a later writer can tell an abandoned one), and
// a counter keeps the writers of one process apart.
std::wstring temporaryNameFor(const std::wstring& target)
{
    static std::atomic<uint32_t> counter{0};
    wchar_t middle[64];
    std::swprintf(middle, std::size(middle), L".%lu-%llx-%u", thisWriter().process, thisWriter().started,
                  counter.fetch_add(1));
    return target + middle + TemporarySuffix;
}

// The writer named by a file beside the target, if it is one of its temporaries.
std::optional<Writer> writerOf(std::wstring_view fileName, std::wstring_view targetName)
{
    if (!fileName.starts_with(targetName) || !fileName.ends_with(TemporarySuffix)) return std::nullopt;
    const std::wstring middle(fileName.substr(targetName.size()));
    Writer writer;
    unsigned counter = 0;
    int consumed = 0;
    if (std::swscanf(middle.c_str(), L".%lu-%llx-%u.tmp%n", &writer.process, &writer.started, &counter, &consumed) != 3 ||
        static_cast<size_t>(consumed) != middle.size())
        return std::nullopt;
    return writer;
}

// A writer that was killed leaves its temporary behind; the next writer of
// the same target removes those whose process no longer runs.
void removeAbandonedTemporaries(const std::wstring& target)
{
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring directory = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
    const std::wstring targetName = target.substr(directory.size());
    WIN32_FIND_DATAW found;
    const UniqueFind search = ownFind(FindFirstFileW((target + L".*" + TemporarySuffix).c_str(), &found));
    if (!search) return;
    do {
        const auto writer = writerOf(found.cFileName, targetName);
        if (writer && !stillRuns(*writer)) DeleteFileW((directory + found.cFileName).c_str());
    } while (FindNextFileW(search.get(), &found));
}

// What a rename reports when another process holds the target open.
bool targetInUse(DWORD error) { return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION; }

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::wstring target) : target_(std::move(target)) {}

AtomicFileWriter::~AtomicFileWriter() { discard(); }

bool AtomicFileWriter::open()
{
    removeAbandonedTemporaries(target_);
    temporary_ = temporaryNameFor(target_);
    file_ = CreateFileW(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ != INVALID_HANDLE_VALUE) return true;
    temporary_.clear();
    return false;
}

bool AtomicFileWriter::write(std::span<const uint8_t> bytes)
{
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes = bytes.subspan(written);
    }
    return true;
}

bool AtomicFileWriter::flushAndClose()
{
    if (file_ == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file_) != 0;
    const bool closed = CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE)) != 0;
    return flushed && closed;
}

bool AtomicFileWriter::commit()
{
    if (!flushAndClose()) return false;
    if (MoveFileExW(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        temporary_.clear();
        return true;
    }
    return targetInUse(GetLastError()) && copyOverTarget();
}

bool AtomicFileWriter::commitAsNewFile()
{
    if (!flushAndClose() || !MoveFileExW(temporary_.c_str(), target_.c_str(), MOVEFILE_WRITE_THROUGH)) return false;
    temporary_.clear();
    return true;
}

// A reader that holds the target open blocks its replacement (under Wine any
// open handle does). When that reader lets others write, the bytes go into
// the target in place, as a plain whole-file write would put them, instead
// of the change being lost; the temporary goes either way.
bool AtomicFileWriter::copyOverTarget() const
{
    const FileHandle source(
        CreateFileW(temporary_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const FileHandle target(CreateFileW(target_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source.valid() || !target.valid()) return false;
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(source.get(), buffer, sizeof buffer, &got, nullptr)) return false;
        if (got == 0) break;
        DWORD written = 0;
        if (!WriteFile(target.get(), buffer, got, &written, nullptr) || written != got) return false;
    }
    return SetEndOfFile(target.get()) && FlushFileBuffers(target.get());
}

void AtomicFileWriter::discard()
{
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE));
    if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
    temporary_.clear();
}

}  // namespace tessaly
