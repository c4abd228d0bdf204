// A bounds-checked reader over a block of little-endian template data. Every
// read past the end of the block fails the reader instead of touching memory
// outside it; once failed, it stays failed and answers zeros and empties.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::ui {

using Bytes = std::vector<uint8_t>;
using ByteView = std::span<const uint8_t>;

class ByteReader {
public:
    explicit ByteReader(ByteView data) : data_(data) {}

    uint32_t u32();
    int32_t i32() { return static_cast<int32_t>(u32()); }
    uint16_t u16();
    // A span inside the block of exactly n bytes; empty and failed when fewer remain.
    ByteView take(size_t n);
    // 32-bit byte count, then that many bytes.
    ByteView counted();
    std::string countedString();
    Bytes countedBlob();
    // Bytes up to a 0 byte, which is consumed; failed when the block ends first.
    std::string_view zeroTerminated();
    void skip(size_t n) { take(n); }

    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ == data_.size(); }
    size_t position() const { return pos_; }
    size_t remaining() const { return data_.size() - pos_; }
    void fail() { ok_ = false; pos_ = data_.size(); }

private:
    ByteView data_;
    size_t pos_ = 0;
    bool ok_ = true;
};

// Little-endian access to a word at a known position of a byte buffer.
uint32_t loadU32(const uint8_t* p);
void storeU32(uint8_t* p, uint32_t v);

}  // namespace tessaly::ui
