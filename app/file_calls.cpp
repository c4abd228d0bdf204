#include "app/file_calls.h"

#include <cstring>
#include <vector>

#include "app/runtime_calls.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/value_blocks.h"

namespace tessaly::program {
namespace {

constexpr int64_t NoSuchFile = -1;

// A byte-set block of the program's own, borrowed by the command it is passed to.
std::vector<uint8_t> byteSetOf(const std::string& bytes)
{
    std::vector<uint8_t> block(sizeof(ByteSetHeader) + bytes.size());
    const ByteSetHeader header{1, static_cast<int32_t>(bytes.size())};
    std::memcpy(block.data(), &header, sizeof header);
    std::memcpy(block.data() + sizeof header, bytes.data(), bytes.size());
    return block;
}

}  // namespace

std::string runDirectory() { return takeText(runCommand(commands::GetRunDirectory, {})); }

// The read gives nothing for a missing, an unreadable and an empty file
// alike; the file's length tells them apart.
FileContent readWholeFile(const std::string& path)
{
    FileContent content;
    content.bytes = takeByteSet(runCommand(commands::ReadFileBytes, {textArgument(path)}));
    if (!content.bytes.empty()) {
        content.outcome = FileContent::Outcome::Read;
        return content;
    }
    const int64_t length = fileLength(path);
    if (length == NoSuchFile) content.outcome = FileContent::Outcome::Missing;
    else content.outcome = length == 0 ? FileContent::Outcome::Read : FileContent::Outcome::Failed;
    return content;
}

int64_t fileLength(const std::string& path)
{
    const TypedValue length = runLibraryCommand(commands::FileLength, {textArgument(path)});
    return static_cast<int64_t>((static_cast<uint64_t>(length.high) << 32) | length.low);
}

bool fileExists(const std::string& path) { return fileLength(path) != NoSuchFile; }

bool writeFileText(const std::string& path, const std::string& text)
{
    const TypedValue bytes = runCommand(commands::ToByteSet, {textArgument(text)});
    const bool written =
        runCommand(commands::WriteFileBytes, {textArgument(path), TypedValue::ofPointer(bytes.pointer(), TypeCode::Bytes)})
            .asBool();
    freeBlock(bytes.pointer());
    return written;
}

bool removeFile(const std::string& path) { return runLibraryCommand(commands::RemoveFile, {textArgument(path)}).asBool(); }

bool writeNewFile(const std::string& path, const std::string& bytes)
{
    const std::vector<uint8_t> block = byteSetOf(bytes);
    return runLibraryCommand(commands::WriteNewFileBytes,
                             {textArgument(path), TypedValue::ofPointer(block.data(), TypeCode::Bytes)})
        .asBool();
}

std::string readIniText(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& fallback)
{
    return takeText(
        runCommand(commands::ReadIniText, {textArgument(path), textArgument(section), textArgument(key), textArgument(fallback)}));
}

bool writeIniText(const std::string& path, const std::string& section, const std::string& key, const std::string& value)
{
    return runCommand(commands::WriteIniText,
                      {textArgument(path), textArgument(section), textArgument(key), textArgument(value)})
        .asBool();
}

}  // namespace tessaly::program
