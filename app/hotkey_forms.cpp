#include "app/hotkey_forms.h"

#include "app/text_calls.h"

namespace tessaly::program {
namespace {

const std::string KeySuffix = " 键";

std::string modifierName(int32_t modifiers)
{
    switch (modifiers) {
    case 1: return "Ctrl";
    case 2: return "Shift";
    case 4: return "Alt";
    default: return {};
    }
}

std::string modifierNameOfDigit(const std::string& digit)
{
    if (digit == "1") return "Ctrl";
    if (digit == "2") return "Shift";
    if (digit == "4") return "Alt";
    return {};
}

// Everything after the modifier digit and the plus sign.
std::string keyPart(const std::string& stored) { return rightText(stored, textLength(stored) - 2); }

}  // namespace

CapturedHotkey captureForms(int32_t keyCode, int32_t modifiers)
{
    const std::string character = charFromCode(static_cast<uint8_t>(keyCode));
    const std::string name = modifierName(modifiers);
    if (name.empty()) return {character + KeySuffix, toText(keyCode)};
    return {name + "+" + character + KeySuffix, toText(modifiers) + "+" + toText(keyCode)};
}

std::string displayTextOf(const std::string& stored)
{
    if (stored == "无") return stored;
    if (findText(stored, "+") == -1) return charFromCode(toByte(stored)) + KeySuffix;
    return modifierNameOfDigit(leftText(stored, 1)) + "+" + charFromCode(toByte(keyPart(stored))) + KeySuffix;
}

ParsedHotkey parseHotkey(const std::string& stored)
{
    if (findText(stored, "+") == -1) return {0, toInteger(stored)};
    return {toInteger(leftText(stored, 1)), toInteger(keyPart(stored))};
}

}  // namespace tessaly::program
