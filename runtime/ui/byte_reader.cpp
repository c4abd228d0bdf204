#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

uint32_t loadU32(const uint8_t* p)
{
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void storeU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

ByteView ByteReader::take(size_t n)
{
    if (!ok_ || n > remaining()) {
        fail();
        return {};
    }
    ByteView part = data_.subspan(pos_, n);
    pos_ += n;
    return part;
}

uint32_t ByteReader::u32()
{
    const ByteView b = take(4);
    return b.empty() ? 0 : loadU32(b.data());
}

uint16_t ByteReader::u16()
{
    const ByteView b = take(2);
    return b.empty() ? 0 : static_cast<uint16_t>(b[0] | b[1] << 8);
}

ByteView ByteReader::counted()
{
    const uint32_t n = u32();
    return take(n);
}

std::string ByteReader::countedString()
{
    const ByteView b = counted();
    return {reinterpret_cast<const char*>(b.data()), b.size()};
}

Bytes ByteReader::countedBlob()
{
    const ByteView b = counted();
    return {b.begin(), b.end()};
}

std::string_view ByteReader::zeroTerminated()
{
    if (!ok_) return {};
    for (size_t i = pos_; i < data_.size(); ++i) {
        if (data_[i] == 0) {
            std::string_view text(reinterpret_cast<const char*>(data_.data() + pos_), i - pos_);
            pos_ = i + 1;
            return text;
        }
    }
    fail();
    return {};
}

}  // namespace tessaly::ui
