// Appends template data in the block's encoding: little-endian words,
// counted strings and blobs, zero-terminated strings.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/ui/byte_reader.h"

namespace tessaly::ui {

class ByteWriter {
public:
    ByteWriter& u32(uint32_t v);
    ByteWriter& i32(int32_t v) { return u32(static_cast<uint32_t>(v)); }
    ByteWriter& u16(uint16_t v);
    ByteWriter& raw(ByteView bytes);
    ByteWriter& raw(std::string_view text);
    ByteWriter& counted(ByteView bytes);
    ByteWriter& counted(std::string_view text);
    ByteWriter& zeroTerminated(std::string_view text);

    const Bytes& bytes() const { return out_; }
    Bytes take() { return std::move(out_); }

private:
    Bytes out_;
};

}  // namespace tessaly::ui
