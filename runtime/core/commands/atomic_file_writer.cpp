#include "runtime/core/commands/atomic_file_writer.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <utility>

#include "runtime/core/commands/file_handle.h"

namespace tessaly {
namespace {

// Beside the target, so the final rename stays on one volume; the process id
// and a counter keep concurrent writers apart.
std::string temporaryNameFor(const std::string& target)
{
    static std::atomic<uint32_t> counter{0};
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%lu-%u.tmp", static_cast<unsigned long>(GetCurrentProcessId()),
                  counter.fetch_add(1));
    return target + suffix;
}

// What a rename reports when another process holds the target open.
bool targetInUse(DWORD error) { return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION; }

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string target) : target_(std::move(target)) {}

AtomicFileWriter::~AtomicFileWriter() { discard(); }

bool AtomicFileWriter::open()
{
    temporary_ = temporaryNameFor(target_);
    file_ = CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
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

bool AtomicFileWriter::commit()
{
    if (file_ == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file_) != 0;
    const bool closed = CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE)) != 0;
    if (!flushed || !closed) return false;
    if (MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        temporary_.clear();
        return true;
    }
    return targetInUse(GetLastError()) && copyOverTarget();
}

// A reader that holds the target open blocks its replacement (under Wine any
// open handle does). When that reader lets others write, the bytes go into
// the target in place, as a plain whole-file write would put them, instead
// of the change being lost; the temporary goes either way.
bool AtomicFileWriter::copyOverTarget() const
{
    const FileHandle source(
        CreateFileA(temporary_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const FileHandle target(CreateFileA(target_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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
    if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
    temporary_.clear();
}

}  // namespace tessaly
