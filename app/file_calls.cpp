#include "app/file_calls.h"

#include "app/runtime_calls.h"
#include "runtime/core/commands/commands.h"

namespace tessaly::program {

std::string runDirectory() { return takeText(runCommand(commands::GetRunDirectory, {})); }

std::string readFileText(const std::string& path)
{
    return takeByteSetAsText(runCommand(commands::ReadFileBytes, {textArgument(path)}));
}

bool writeFileText(const std::string& path, const std::string& text)
{
    const TypedValue bytes = runCommand(commands::ToByteSet, {textArgument(text)});
    const bool written =
        runCommand(commands::WriteFileBytes, {textArgument(path), TypedValue::ofPointer(bytes.pointer(), TypeCode::Bytes)})
            .asBool();
    freeBlock(bytes.pointer());
    return written;
}

std::string readIniText(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& fallback)
{
    return takeText(
        runCommand(commands::ReadIniText, {textArgument(path), textArgument(section), textArgument(key), textArgument(fallback)}));
}

void writeIniText(const std::string& path, const std::string& section, const std::string& key, const std::string& value)
{
    runCommand(commands::WriteIniText, {textArgument(path), textArgument(section), textArgument(key), textArgument(value)});
}

}  // namespace tessaly::program
