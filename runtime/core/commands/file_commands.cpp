// File commands: a whole file in as a byte-set, byte-sets out as a whole
// file, and what a program needs to tell a missing file from one it could
// not read. Names are GBK texts, reaching the system as the characters they
// stand for.
#include <windows.h>

#include <cstring>

#include "runtime/core/commands/atomic_file_writer.h"
#include "runtime/core/commands/command_arguments.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/commands/whole_file.h"
#include "runtime/core/memory.h"
#include "runtime/core/text_encoding.h"

namespace tessaly::commands {
namespace {

// Null for a missing, unreadable or empty file.
void* readWholeFileBlock(const std::wstring& name)
{
    uint8_t* block = nullptr;
    const WholeFileRead read = readWholeFile(name, [&](int32_t length) {
        block = static_cast<uint8_t*>(allocate(length + static_cast<intptr_t>(sizeof(ByteSetHeader))));
        const ByteSetHeader header{1, length};
        std::memcpy(block, &header, sizeof header);
        return block + sizeof header;
    });
    if (read == WholeFileRead::Read && byteSetLength(block) > 0) return block;
    release(block);
    return nullptr;
}

// The byte-set arguments from `first` on, in order, into the writer; empty
// ones and arguments of other types are skipped.
bool writeParts(AtomicFileWriter& writer, const CommandArguments& a, int32_t first)
{
    if (!writer.open()) return false;
    for (int32_t i = first; i < a.count(); ++i) {
        const TypedValue part = a.at(i);
        if (part.type != TypeCode::Bytes) continue;
        if (!writer.write(byteSetBytes(part.pointer()))) return false;
    }
    return true;
}

}  // namespace

void ReadFileBytes(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    if (a.text(0).empty()) return;
    setPointerResult(result, readWholeFileBlock(widenGbk(a.text(0))));
}

// The target is replaced only once every byte is on the disk: a failed or
// interrupted write leaves the old file whole.
void WriteFileBytes(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    if (a.text(0).empty()) return;
    AtomicFileWriter writer{widenGbk(a.text(0))};
    result->low = writeParts(writer, a, 1) && writer.commit() ? 1 : 0;
}

// (file name, byte-sets …) → Bool: as WriteFileBytes, but only into a name
// that nothing has yet; a file already there is never replaced.
void WriteNewFileBytes(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    if (a.text(0).empty()) return;
    AtomicFileWriter writer{widenGbk(a.text(0))};
    result->low = writeParts(writer, a, 1) && writer.commitAsNewFile() ? 1 : 0;
}

// (file name) → Long: the length in bytes, -1 when there is no such file, -2
// when something of that name exists that is not a file one can size.
void FileLength(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    const int64_t length = a.text(0).empty() ? -1 : fileLength(widenGbk(a.text(0)));
    result->low = static_cast<uint32_t>(static_cast<uint64_t>(length));
    result->high = static_cast<uint32_t>(static_cast<uint64_t>(length) >> 32);
}

// (file name) → Bool: the file is gone, also when there was none.
void RemoveFile(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    if (a.text(0).empty()) return;
    result->low = DeleteFileW(widenGbk(a.text(0)).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ? 1 : 0;
}

}  // namespace tessaly::commands
