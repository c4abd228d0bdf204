#include "runtime/core/commands/number_reading.h"

#include <algorithm>

namespace tessaly {
namespace {

// Walks the text as if it had been normalised, without copying it.
class NormalisedReader {
public:
    explicit NormalisedReader(std::string_view text) : text_(text) {}

    // The current character after normalisation; 0 at the end. A double-byte
    // character without an equivalent reads as its lead byte, which no
    // number contains, so reading stops there.
    unsigned char peek()
    {
        width_ = 0;
        if (at_ >= text_.size()) return 0;
        const auto c = static_cast<unsigned char>(text_[at_]);
        width_ = 1;
        if ((c & 0x80) == 0 || at_ + 1 >= text_.size()) return c;
        width_ = 2;
        const unsigned char single = singleByteEquivalent(c, static_cast<unsigned char>(text_[at_ + 1]));
        return single != 0 ? single : c;
    }
    void advance() { at_ += width_; }

private:
    std::string_view text_;
    size_t at_ = 0;
    size_t width_ = 0;
};

constexpr bool isCSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int32_t readDecimalInteger(std::string_view text)
{
    NormalisedReader reader(text);
    unsigned char c = reader.peek();
    while (isCSpace(c)) {
        reader.advance();
        c = reader.peek();
    }
    const bool negative = c == '-';
    if (c == '-' || c == '+') {
        reader.advance();
        c = reader.peek();
    }
    constexpr int64_t Limit = int64_t{1} << 31;  // magnitude of the most negative value
    int64_t magnitude = 0;
    for (; c >= '0' && c <= '9'; c = reader.peek()) {
        magnitude = std::min<int64_t>(magnitude * 10 + (c - '0'), Limit);
        reader.advance();
    }
    if (negative) return static_cast<int32_t>(-magnitude);
    return static_cast<int32_t>(std::min<int64_t>(magnitude, Limit - 1));
}

}  // namespace tessaly
