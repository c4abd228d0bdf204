#include "runtime/ui/type_data_io.h"

#include <algorithm>

namespace tessaly::ui {
namespace {

constexpr size_t LogFontCharSetAt = 23;
constexpr size_t LogFontFaceAt = 28;
constexpr size_t LogFontFaceSize = 32;

}  // namespace

std::optional<uint32_t> readVersion(ByteReader& in, uint32_t highest)
{
    const uint32_t version = in.u32();
    if (!in.ok() || version == 0 || version > highest) return std::nullopt;
    return version;
}

Bytes readFontBlob(ByteReader& in)
{
    Bytes font = in.countedBlob();
    if (!font.empty() && font.size() != LogFontSize) in.fail();
    return font;
}

std::vector<std::string> readListItems(ByteReader& in)
{
    std::vector<std::string> items;
    const uint16_t count = in.u16();
    for (uint16_t i = 0; i < count && in.ok(); ++i) items.push_back(in.countedString());
    return items;
}

void writeListItems(ByteWriter& out, const std::vector<std::string>& items)
{
    out.u16(static_cast<uint16_t>(items.size()));
    for (const std::string& item : items) out.counted(item);
}

Bytes makeLogFont(int32_t height, int32_t weight, uint8_t charSet, std::string_view faceName)
{
    Bytes font(LogFontSize, 0);
    storeU32(font.data(), static_cast<uint32_t>(height));
    storeU32(font.data() + 16, static_cast<uint32_t>(weight));
    font[LogFontCharSetAt] = charSet;
    const size_t n = std::min(faceName.size(), LogFontFaceSize - 1);
    std::copy_n(faceName.begin(), n, font.begin() + LogFontFaceAt);
    return font;
}

}  // namespace tessaly::ui
