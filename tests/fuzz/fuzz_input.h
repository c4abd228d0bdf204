// Taking typed pieces off the front of a fuzzer's input: a number, a choice
// among n, a piece of bytes up to a length the input itself gives. Once the
// input is used up every piece is empty or zero, so each harness runs to its
// end on any input.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

namespace tessaly::fuzzing {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : rest_(data, size) {}

    template <class T>
    T number()
    {
        T value{};
        const size_t n = std::min(sizeof value, rest_.size());
        std::memcpy(&value, rest_.data(), n);
        rest_ = rest_.subspan(n);
        return value;
    }
    // 0 to n - 1.
    size_t choice(size_t n) { return n == 0 ? 0 : number<uint8_t>() % n; }
    // A piece whose length (a byte, or a wider Length) comes first.
    template <class Length = uint8_t>
    std::string piece()
    {
        const size_t n = std::min<size_t>(number<Length>(), rest_.size());
        std::string text(reinterpret_cast<const char*>(rest_.data()), n);
        rest_ = rest_.subspan(n);
        return text;
    }
    // Everything that is left.
    std::string rest()
    {
        std::string text(reinterpret_cast<const char*>(rest_.data()), rest_.size());
        rest_ = {};
        return text;
    }
    std::span<const uint8_t> restBytes()
    {
        const auto bytes = rest_;
        rest_ = {};
        return bytes;
    }

private:
    std::span<const uint8_t> rest_;
};

// A failed check: the fuzzer reports the input that broke it.
[[noreturn]] inline void fault(const char* what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}
inline void check(bool holds, const char* what)
{
    if (!holds) fault(what);
}

}  // namespace tessaly::fuzzing
