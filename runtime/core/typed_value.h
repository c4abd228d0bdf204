// The 12-byte record in which every argument and result travels:
// {value low, value high, type}. Pointer payloads fill both words on x64.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "runtime/core/type_code.h"

namespace tessaly {

struct TypedValue {
    uint32_t low = 0;
    uint32_t high = 0;
    uint32_t type = 0;

    static constexpr TypedValue omitted() { return {}; }
    static constexpr TypedValue ofInt(int32_t v) { return {static_cast<uint32_t>(v), 0, TypeCode::Int}; }
    static constexpr TypedValue ofBool(bool v) { return {v ? 1u : 0u, 0, TypeCode::Bool}; }
    static constexpr TypedValue ofLong(int64_t v)
    {
        return {static_cast<uint32_t>(v), static_cast<uint32_t>(static_cast<uint64_t>(v) >> 32), TypeCode::Long};
    }
    static TypedValue ofPointer(const void* p, uint32_t type)
    {
        const auto bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p));
        return {static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32), type};
    }
    static TypedValue ofDouble(double v, uint32_t type = TypeCode::Double)
    {
        TypedValue t{0, 0, type};
        std::memcpy(&t.low, &v, 4);
        std::memcpy(&t.high, reinterpret_cast<const char*>(&v) + 4, 4);
        return t;
    }
    static TypedValue ofFloat(float v)
    {
        TypedValue t{0, 0, TypeCode::Float};
        std::memcpy(&t.low, &v, 4);
        return t;
    }
    static constexpr TypedValue ofUnit(uint32_t window, uint32_t unit, uint32_t type) { return {window, unit, type}; }

    constexpr bool given() const { return type != 0; }
    constexpr uint32_t baseType() const { return withoutArgumentFlag(type); }
    constexpr int32_t asInt() const { return static_cast<int32_t>(low); }
    constexpr bool asBool() const { return low != 0; }
    constexpr uint64_t bits64() const { return (static_cast<uint64_t>(high) << 32) | low; }
    constexpr int64_t asLong() const { return static_cast<int64_t>(bits64()); }
    double asDouble() const
    {
        double d;
        const uint64_t b = bits64();
        std::memcpy(&d, &b, 8);
        return d;
    }
    float asFloat() const
    {
        float f;
        std::memcpy(&f, &low, 4);
        return f;
    }
    template <class T = void>
    T* pointer() const
    {
        return reinterpret_cast<T*>(static_cast<uintptr_t>(bits64()));
    }
    const char* text() const { return pointer<const char>(); }
};

static_assert(sizeof(TypedValue) == 12);
static_assert(offsetof(TypedValue, high) == 4 && offsetof(TypedValue, type) == 8);

}  // namespace tessaly
