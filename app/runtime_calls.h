// The program's door into the runtime's commands: every command runs through
// the one command call, and every block a result hands over is copied out and
// freed here, exactly once. The same door serves the platform-free parts of
// the program when they are built natively.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "runtime/core/program_header.h"
#include "runtime/core/type_code.h"
#include "runtime/core/typed_value.h"

namespace tessaly::program {

// Runs a command of the core library with the given argument records.
TypedValue runCommand(CommandEntry command, std::initializer_list<TypedValue> arguments);
// Runs a command of one of the other libraries the program links.
TypedValue runLibraryCommand(CommandEntry command, std::initializer_list<TypedValue> arguments);
// Gives a block that a command or property read handed over back to the runtime.
void freeBlock(void* block);

// Argument records. A text argument borrows the string: it must outlive the call.
inline TypedValue textArgument(const std::string& text) { return TypedValue::ofPointer(text.c_str(), TypeCode::Text); }
inline TypedValue intArgument(int32_t value) { return TypedValue::ofInt(value); }
inline TypedValue boolArgument(bool value) { return TypedValue::ofBool(value); }

// Results, copied into the program's own strings and freed.
std::string takeText(const TypedValue& result);
std::string takeByteSet(const TypedValue& result);  // every byte, zero bytes included
std::vector<std::string> takeTextArray(const TypedValue& result);
std::vector<int32_t> takeIntArray(const TypedValue& result);

}  // namespace tessaly::program
