// Whole-file reads and writes. Writes replace the target in one step: a
// write that fails, or a writer that dies, leaves the old file whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "runtime/core/commands/atomic_file_writer.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/text_encoding.h"
#include "tests/commands/command_harness.h"
#include "tests/commands/scratch_directory.h"

namespace tessaly {
namespace {

using namespace commands;
using namespace tessaly::testing;

std::optional<std::string> readBytes(const std::string& name) { return takeBytes(call(ReadFileBytes, {text(name.c_str())})); }

TEST(ReadFileBytes, WholeFileOrNull)
{
    ScratchDirectory dir;
    const std::string data("\0\x01\xFF" "abc", 6);
    writeFile(dir.file("data.bin"), data);
    EXPECT_EQ(readBytes(dir.file("data.bin")), data);
    writeFile(dir.file("empty.bin"), "");
    EXPECT_EQ(readBytes(dir.file("empty.bin")), std::nullopt);
    EXPECT_EQ(readBytes(dir.file("missing.bin")), std::nullopt);
    EXPECT_EQ(readBytes(""), std::nullopt);
    EXPECT_EQ(takeBytes(call(ReadFileBytes, {TypedValue{0, 0, TypeCode::Text}})), std::nullopt);
    EXPECT_EQ(readBytes(dir.path()), std::nullopt);
}

TEST(ReadFileBytes, FileOpenForWritingElsewhereIsUnreadable)
{
    ScratchDirectory dir;
    const std::string name = dir.file("busy.bin");
    writeFile(name, "busy");
    HANDLE writer = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(readBytes(name), std::nullopt);
    CloseHandle(writer);
    EXPECT_EQ(readBytes(name), "busy");
}

TEST(WriteFileBytes, WritesEveryPartInOrderSkippingEmptyOnes)
{
    ScratchDirectory dir;
    const std::string name = dir.file("字幕.txt");
    writeFile(name, "an older and longer content");
    const ByteSetArgument first("one,"), second("two");
    const TypedValue emptyPart{0, 0, TypeCode::Bytes};
    EXPECT_TRUE(call(WriteFileBytes, {text(name.c_str()), first.value(), emptyPart, second.value()}).asBool());
    EXPECT_EQ(readFile(name), "one,two");
    EXPECT_EQ(dir.fileCount(), 1);  // no temporary left behind
    EXPECT_TRUE(call(WriteFileBytes, {text(name.c_str())}).asBool());
    EXPECT_EQ(readFile(name), "");
}

TEST(WriteFileBytes, FailureLeavesTargetAndNoTemporary)
{
    ScratchDirectory dir;
    const ByteSetArgument bytes("new");
    EXPECT_FALSE(call(WriteFileBytes, {text(""), bytes.value()}).asBool());
    EXPECT_FALSE(call(WriteFileBytes, {TypedValue{0, 0, TypeCode::Text}, bytes.value()}).asBool());
    // A directory cannot be replaced by a file: the rename fails after the write.
    CreateDirectoryA(dir.file("folder").c_str(), nullptr);
    EXPECT_FALSE(call(WriteFileBytes, {text(dir.file("folder").c_str()), bytes.value()}).asBool());
    EXPECT_EQ(GetFileAttributesA(dir.file("folder").c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD{FILE_ATTRIBUTE_DIRECTORY});
    EXPECT_EQ(dir.fileCount(), 1);
    EXPECT_FALSE(call(WriteFileBytes, {text(dir.file("no\\such\\dir.txt").c_str()), bytes.value()}).asBool());
}

int64_t lengthOf(const std::string& name)
{
    const TypedValue length = call(FileLength, {text(name.c_str())});
    return static_cast<int64_t>((static_cast<uint64_t>(length.high) << 32) | length.low);
}

// A file that is there but cannot be read is not a missing one; a new file is
// written only where nothing is, and a file already there stays as it was.
TEST(WriteNewFileBytes, NeverReplacesAFileAndFileLengthTellsMissingFromThere)
{
    ScratchDirectory dir;
    const std::string name = dir.file("配置-备份.ini");
    const ByteSetArgument bytes(std::string("new\0bytes", 9));
    EXPECT_EQ(lengthOf(name), -1);
    EXPECT_TRUE(call(WriteNewFileBytes, {text(name.c_str()), bytes.value()}).asBool());
    EXPECT_EQ(readFile(name), std::string("new\0bytes", 9));
    EXPECT_EQ(lengthOf(name), 9);
    const ByteSetArgument other("other");
    EXPECT_FALSE(call(WriteNewFileBytes, {text(name.c_str()), other.value()}).asBool());
    EXPECT_EQ(readFile(name), std::string("new\0bytes", 9));
    EXPECT_EQ(dir.fileCount(), 1) << "no temporary left behind";

    HANDLE held = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(readBytes(name), std::nullopt) << "held without sharing: unreadable";
    EXPECT_EQ(lengthOf(name), 9) << "yet there";
    CloseHandle(held);
    EXPECT_EQ(lengthOf(dir.path()), -2) << "a directory is no file";
}

// A byte-set whose bytes run on into memory that cannot be read: writing it
// fails part way through, as a full disk would.
class UnreadableByteSet {
public:
    explicit UnreadableByteSet(std::string_view readable)
    {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        const size_t page = system.dwPageSize;
        base_ = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD former;
        VirtualProtect(base_ + page, page, PAGE_NOACCESS, &former);
        char* bytes = base_ + page - readable.size();
        block_ = bytes - sizeof(ByteSetHeader);
        const ByteSetHeader header{1, static_cast<int32_t>(readable.size() + page)};
        std::memcpy(block_, &header, sizeof header);
        std::memcpy(bytes, readable.data(), readable.size());
    }
    ~UnreadableByteSet() { VirtualFree(base_, 0, MEM_RELEASE); }
    UnreadableByteSet(const UnreadableByteSet&) = delete;
    UnreadableByteSet& operator=(const UnreadableByteSet&) = delete;
    TypedValue value() const { return TypedValue::ofPointer(block_, TypeCode::Bytes); }

private:
    char* base_ = nullptr;
    char* block_ = nullptr;
};

TEST(WriteFileBytes, WriteThatFailsPartWayLeavesTheOldFileWhole)
{
    ScratchDirectory dir;
    const std::string name = dir.file("配置.ini");
    writeFile(name, "old contents");
    const ByteSetArgument first("new contents, ");
    const UnreadableByteSet broken("and then more");
    EXPECT_FALSE(call(WriteFileBytes, {text(name.c_str()), first.value(), broken.value()}).asBool());
    EXPECT_EQ(readFile(name), "old contents");
    EXPECT_EQ(dir.fileCount(), 1) << "no temporary left behind";
}

TEST(WriteFileBytes, TargetHeldOpenWithoutSharingStaysWhole)
{
    ScratchDirectory dir;
    const std::string name = dir.file("held.txt");
    writeFile(name, "old");
    HANDLE held = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const ByteSetArgument bytes("new");
    EXPECT_FALSE(call(WriteFileBytes, {text(name.c_str()), bytes.value()}).asBool());
    CloseHandle(held);
    EXPECT_EQ(readFile(name), "old");
    EXPECT_EQ(dir.fileCount(), 1);
}

// A reader that lets others write must not cost the writer its change: the
// file cannot be renamed over while it is open, so it is written in place.
TEST(WriteFileBytes, TargetHeldOpenByAReaderThatSharesWritingTakesTheBytes)
{
    ScratchDirectory dir;
    const std::string name = dir.file("read.txt");
    writeFile(name, "an older and longer content");
    HANDLE reader = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    const ByteSetArgument bytes("new");
    EXPECT_TRUE(call(WriteFileBytes, {text(name.c_str()), bytes.value()}).asBool());
    CloseHandle(reader);
    EXPECT_EQ(readFile(name), "new");
    EXPECT_EQ(dir.fileCount(), 1);
}

TEST(AtomicFileWriter, AbandonedMidwayLeavesOldFileAndRemovesTemporary)
{
    ScratchDirectory dir;
    const std::string name = dir.file("target.txt");
    writeFile(name, "old contents");
    {
        AtomicFileWriter writer(widenGbk(name));
        ASSERT_TRUE(writer.open());
        const std::string part = "half of the new";
        ASSERT_TRUE(writer.write({reinterpret_cast<const uint8_t*>(part.data()), part.size()}));
        EXPECT_EQ(readFile(name), "old contents");
        EXPECT_EQ(dir.fileCount(), 2);
    }
    EXPECT_EQ(readFile(name), "old contents");
    EXPECT_EQ(dir.fileCount(), 1);
}

std::string besideThisProgram(const char* name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.substr(0, directory.find_last_of('\\') + 1) + name;
}

// Another process that has written half of a new content for the target and
// waits there until it is killed.
class HalfwayWriter {
public:
    explicit HalfwayWriter(const std::string& target)
    {
        char eventName[64];
        std::snprintf(eventName, sizeof eventName, "tessaly-writer-ready-%lu", static_cast<unsigned long>(GetCurrentProcessId()));
        ready_ = CreateEventA(nullptr, TRUE, FALSE, eventName);
        std::string commandLine = "\"" + besideThisProgram(INTERRUPTED_WRITER) + "\" \"" + target + "\" " + eventName;
        STARTUPINFOA startup{sizeof startup};
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
            return;
        // The writer signals once it has written half; if it ends first it failed.
        const HANDLE waits[2] = {ready_, process_.hProcess};
        halfway_ = WaitForMultipleObjects(2, waits, FALSE, 60000) == WAIT_OBJECT_0;
    }
    ~HalfwayWriter()
    {
        kill();
        CloseHandle(ready_);
    }
    HalfwayWriter(const HalfwayWriter&) = delete;
    HalfwayWriter& operator=(const HalfwayWriter&) = delete;

    bool halfway() const { return halfway_; }
    void kill()
    {
        if (process_.hProcess == nullptr) return;
        TerminateProcess(process_.hProcess, 9);
        WaitForSingleObject(process_.hProcess, 60000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
        process_ = {};
    }

private:
    HANDLE ready_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool halfway_ = false;
};

TEST(AtomicFileWriter, KilledWriterLeavesOldFileWhole)
{
    ScratchDirectory dir;
    const std::string name = dir.file("target.txt");
    writeFile(name, "old contents");
    HalfwayWriter writer(name);
    EXPECT_TRUE(writer.halfway());
    writer.kill();
    EXPECT_EQ(readFile(name), "old contents");
}

TEST(WriteFileBytes, TemporariesOfWritersThatNoLongerRunAreSweptByTheNextWrite)
{
    ScratchDirectory dir;
    const std::string name = dir.file("配置.ini");
    writeFile(name, "old");
    writeFile(name + ".bak", "the user's own");
    HalfwayWriter other(name);
    ASSERT_TRUE(other.halfway());
    const ByteSetArgument first("first"), second("second");
    EXPECT_TRUE(call(WriteFileBytes, {text(name.c_str()), first.value()}).asBool());
    EXPECT_EQ(dir.fileCount(), 3) << "a running writer keeps its temporary";
    other.kill();
    EXPECT_EQ(dir.fileCount(), 3) << "a killed writer leaves its temporary";
    EXPECT_TRUE(call(WriteFileBytes, {text(name.c_str()), second.value()}).asBool());
    EXPECT_EQ(readFile(name), "second");
    EXPECT_EQ(dir.fileCount(), 2) << "the target and the file beside it that is no temporary";
}

}  // namespace
}  // namespace tessaly
