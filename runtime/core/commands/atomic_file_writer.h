// Writes a file so that readers see either the old contents or the new ones,
// never a torn mix: the bytes go to a temporary file beside the target, are
// flushed to the disk, and then replace the target in one rename. A writer
// that is abandoned (destroyed without commit, or a process that dies) never
// touches the target; the temporary of a process that died is removed by the
// next writer of the same target. A target that another process holds open,
// sharing writes, cannot be renamed over; it takes the bytes in place instead.
// Names are wide, so that no ANSI code page stands between a program's file
// names and the files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

namespace tessaly {

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::wstring target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False when the temporary file could not be created.
    bool open();
    bool write(std::span<const uint8_t> bytes);
    // Flushes, closes and renames over (or, held open elsewhere, copies into)
    // the target; false when neither could be done.
    bool commit();
    // Flushes, closes and gives the bytes the target's name only if nothing
    // has that name yet: an existing file is never replaced.
    bool commitAsNewFile();

    const std::wstring& temporaryName() const { return temporary_; }

private:
    bool flushAndClose();
    bool copyOverTarget() const;
    void discard();

    std::wstring target_;
    std::wstring temporary_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

}  // namespace tessaly
