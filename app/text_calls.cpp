#include "app/text_calls.h"

#include "app/runtime_calls.h"
#include "runtime/core/commands/commands.h"

namespace tessaly::program {

std::string toText(int32_t value) { return takeText(runCommand(commands::ToText, {intArgument(value)})); }

std::string toText(bool value) { return takeText(runCommand(commands::ToText, {boolArgument(value)})); }

int32_t toInteger(const std::string& text) { return runCommand(commands::ToInteger, {textArgument(text)}).asInt(); }

uint8_t toByte(const std::string& text)
{
    return static_cast<uint8_t>(runCommand(commands::ToByte, {textArgument(text)}).low & 0xFF);
}

std::string charFromCode(uint8_t code)
{
    TypedValue argument{code, 0, TypeCode::Byte};
    return takeText(runCommand(commands::CharFromCode, {argument}));
}

int32_t textLength(const std::string& text) { return runCommand(commands::TextLength, {textArgument(text)}).asInt(); }

std::string leftText(const std::string& text, int32_t count)
{
    return takeText(runCommand(commands::LeftText, {textArgument(text), intArgument(count)}));
}

std::string rightText(const std::string& text, int32_t count)
{
    return takeText(runCommand(commands::RightText, {textArgument(text), intArgument(count)}));
}

int32_t findText(const std::string& text, const std::string& sought, int32_t start, bool ignoreCase)
{
    return runCommand(commands::FindText,
                      {textArgument(text), textArgument(sought), intArgument(start), intArgument(ignoreCase ? 1 : 0)})
        .asInt();
}

std::string replaceAll(const std::string& text, const std::string& sought, const std::string& replacement)
{
    return takeText(runCommand(commands::ReplaceSubtext, {textArgument(text), textArgument(sought),
                                                          textArgument(replacement), TypedValue::omitted(),
                                                          TypedValue::omitted(), boolArgument(true)}));
}

std::vector<std::string> splitText(const std::string& text, const std::string& separator)
{
    return takeTextArray(runCommand(commands::SplitText, {textArgument(text), textArgument(separator)}));
}

}  // namespace tessaly::program
