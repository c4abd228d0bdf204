// What the automation tests share: calling a command with typed records, and
// object and variant blocks owned the way the program owns them.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "runtime/core/automation/automation_commands.h"
#include "runtime/core/command_call.h"
#include "runtime/core/memory.h"

namespace tessaly::testing {

inline TypedValue run(CommandEntry command, std::vector<TypedValue> arguments)
{
    return callCommand(command, static_cast<int32_t>(arguments.size()), arguments.data());
}

inline TypedValue text(const char* value) { return TypedValue::ofPointer(value, TypeCode::Text); }

// Copies a text result out and frees it.
inline std::string takeText(const TypedValue& result)
{
    char* value = result.pointer<char>();
    std::string copy = value == nullptr ? std::string{} : std::string{value};
    release(value);
    return copy;
}

struct Object {
    ObjectBlock block{};
    Object() = default;
    Object(const Object&) = delete;
    ~Object() { run(commands::ObjectClear, {value()}); }
    TypedValue value() { return TypedValue::ofPointer(&block, TypeCode::ComObject); }
};

// An object block handed back by a command: the test owns and frees it.
struct ResultObject {
    ObjectBlock* block;
    explicit ResultObject(const TypedValue& result) : block(result.pointer<ObjectBlock>()) {}
    ResultObject(const ResultObject&) = delete;
    ~ResultObject()
    {
        run(commands::ObjectClear, {value()});
        release(block);
    }
    TypedValue value() const { return TypedValue::ofPointer(block, TypeCode::ComObject); }
};

struct Variant {
    VARIANT v{};
    Variant() = default;
    Variant(const Variant&) = delete;
    ~Variant() { run(commands::VariantClear, {value()}); }
    TypedValue value() { return TypedValue::ofPointer(&v, TypeCode::Variant); }
};

// COM on the test thread for the lifetime of a fixture.
struct ComApartment {
    ComApartment() { CoInitialize(nullptr); }
    ~ComApartment() { CoUninitialize(); }
};

}  // namespace tessaly::testing
