// File commands: a whole file in as a byte-set, byte-sets out as a whole file.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "runtime/core/commands/atomic_file_writer.h"
#include "runtime/core/commands/command_arguments.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/commands/file_handle.h"
#include "runtime/core/memory.h"

namespace tessaly::commands {
namespace {

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

// Null for a missing, unreadable or empty file.
void* readWholeFile(const char* name)
{
    const FileHandle file(CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.valid() || !GetFileSizeEx(file.get(), &size)) return nullptr;
    // A byte-set counts its length in 32 bits.
    if (size.QuadPart < 1 || size.QuadPart > INT32_MAX - 8) return nullptr;
    const auto length = static_cast<int32_t>(size.QuadPart);
    auto* block = static_cast<uint8_t*>(allocate(length + static_cast<intptr_t>(sizeof(ByteSetHeader))));
    const ByteSetHeader header{1, length};
    std::memcpy(block, &header, sizeof header);
    if (!readAll(file.get(), block + sizeof header, length)) {
        release(block);
        return nullptr;
    }
    return block;
}

}  // namespace

void ReadFileBytes(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    if (a.text(0).empty()) return;
    setPointerResult(result, readWholeFile(a.at(0).text()));
}

// The target is replaced only once every byte is on the disk: a failed or
// interrupted write leaves the old file whole.
void WriteFileBytes(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    if (a.text(0).empty()) return;
    AtomicFileWriter writer{std::string(a.text(0))};
    if (!writer.open()) return;
    for (int32_t i = 1; i < a.count(); ++i) {
        const TypedValue part = a.at(i);
        if (part.type != TypeCode::Bytes) continue;
        if (!writer.write(byteSetBytes(part.pointer()))) return;
    }
    result->low = writer.commit() ? 1 : 0;
}

}  // namespace tessaly::commands
