// Reading a command's argument records. A record past the count is treated as
// omitted ({0, 0, 0}), so a shorter call and an explicit omission take the
// same default.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/core/typed_value.h"
#include "runtime/core/value_blocks.h"

namespace tessaly {

class CommandArguments {
public:
    CommandArguments(int32_t count, const TypedValue* records) : count_(count < 0 ? 0 : count), records_(records) {}

    int32_t count() const { return count_; }
    TypedValue at(int32_t index) const { return index < count_ ? records_[index] : TypedValue::omitted(); }
    bool given(int32_t index) const { return at(index).given(); }

    // Text arguments are never null from the program; a null still reads as empty.
    std::string_view text(int32_t index) const { return textView(at(index).text()); }
    int32_t integer(int32_t index, int32_t fallback) const
    {
        const TypedValue v = at(index);
        return v.given() ? v.asInt() : fallback;
    }

private:
    int32_t count_;
    const TypedValue* records_;
};

// Results write the value words only: the type word is the caller's, except
// where a command's result type varies.
inline void setPointerResult(TypedValue* result, const void* block)
{
    const TypedValue v = TypedValue::ofPointer(block, 0);
    result->low = v.low;
    result->high = v.high;
}

inline void setTextResult(TypedValue* result, std::string_view text) { setPointerResult(result, makeResultText(text)); }

inline void setIntResult(TypedValue* result, int32_t value) { result->low = static_cast<uint32_t>(value); }

}  // namespace tessaly
