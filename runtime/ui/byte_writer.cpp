#include "runtime/ui/byte_writer.h"

namespace tessaly::ui {

ByteWriter& ByteWriter::u32(uint32_t v)
{
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
}

ByteWriter& ByteWriter::u16(uint16_t v)
{
    out_.push_back(static_cast<uint8_t>(v));
    out_.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
}

ByteWriter& ByteWriter::raw(ByteView bytes)
{
    out_.insert(out_.end(), bytes.begin(), bytes.end());
    return *this;
}

ByteWriter& ByteWriter::raw(std::string_view text)
{
    out_.insert(out_.end(), text.begin(), text.end());
    return *this;
}

ByteWriter& ByteWriter::counted(ByteView bytes) { return u32(static_cast<uint32_t>(bytes.size())).raw(bytes); }

ByteWriter& ByteWriter::counted(std::string_view text) { return u32(static_cast<uint32_t>(text.size())).raw(text); }

ByteWriter& ByteWriter::zeroTerminated(std::string_view text)
{
    raw(text);
    out_.push_back(0);
    return *this;
}

}  // namespace tessaly::ui
