#include "runtime/ui/icon_data.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace tessaly::ui {
namespace {

#pragma pack(push, 1)
struct IconDirectory {
    uint16_t reserved;
    uint16_t type;  // 1 icon, 2 cursor
    uint16_t count;
};
struct IconDirectoryEntry {
    uint8_t width, height, colours, reserved;
    uint16_t planesOrHotX, bitsOrHotY;
    uint32_t size;
    uint32_t offset;
};
#pragma pack(pop)
static_assert(sizeof(IconDirectory) == 6 && sizeof(IconDirectoryEntry) == 16);

UniqueIcon iconOfType(std::span<const uint8_t> bytes, uint16_t wantedType, int width, int height)
{
    if (bytes.size() < sizeof(IconDirectory)) return {};
    IconDirectory directory;
    std::memcpy(&directory, bytes.data(), sizeof directory);
    if (directory.reserved != 0 || directory.type != wantedType || directory.count == 0) return {};
    const size_t entriesEnd = sizeof directory + size_t{directory.count} * sizeof(IconDirectoryEntry);
    if (entriesEnd > bytes.size()) return {};

    // Choose the entry closest to the wanted width (0 = the largest).
    size_t chosen = 0;
    int best = -1;
    for (size_t i = 0; i < directory.count; ++i) {
        IconDirectoryEntry e;
        std::memcpy(&e, bytes.data() + sizeof directory + i * sizeof e, sizeof e);
        const int w = e.width == 0 ? 256 : e.width;
        const int score = width == 0 ? w : 1000 - std::abs(w - width);
        if (score > best) {
            best = score;
            chosen = i;
        }
    }
    IconDirectoryEntry entry;
    std::memcpy(&entry, bytes.data() + sizeof directory + chosen * sizeof entry, sizeof entry);
    if (entry.offset > bytes.size() || entry.size > bytes.size() - entry.offset || entry.size < 40) return {};

    std::vector<uint8_t> image(bytes.begin() + entry.offset, bytes.begin() + entry.offset + entry.size);
    const bool isIcon = wantedType == 1;
    if (!isIcon) {
        // A cursor resource starts with its hot spot.
        const uint16_t hot[2] = {entry.planesOrHotX, entry.bitsOrHotY};
        image.insert(image.begin(), reinterpret_cast<const uint8_t*>(hot), reinterpret_cast<const uint8_t*>(hot) + 4);
    }
    return UniqueIcon(CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), isIcon, 0x00030000,
                                               width, height, LR_DEFAULTCOLOR));
}

}  // namespace

UniqueIcon iconFromFileBytes(std::span<const uint8_t> bytes, int width, int height)
{
    if (UniqueIcon icon = iconOfType(bytes, 1, width, height)) return icon;
    return iconOfType(bytes, 2, width, height);
}

}  // namespace tessaly::ui
