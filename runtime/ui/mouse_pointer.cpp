#include "runtime/ui/mouse_pointer.h"

#include <array>
#include <cstring>

#include "runtime/ui/icon_data.h"

namespace tessaly::ui {
namespace {

constexpr int32_t OwnCursorFile = -1;
constexpr uint32_t HandCursorResource = 1032;

// Kind k (1-13) is the system cursor at index k - 1; kind 14 the hand.
constexpr std::array<uint32_t, 14> CursorIds = {32512, 32515, 32513, 32514, 32651, 32650, 32648,
                                                32646, 32643, 32645, 32642, 32644, 32516, HandCursorResource};

int32_t firstWord(ByteView form)
{
    if (form.empty()) return 0;
    if (form.size() < 4) return form[0];
    return static_cast<int32_t>(loadU32(form.data()));
}

Bytes withFirstWord(ByteView form, uint32_t word)
{
    Bytes out(4);
    storeU32(out.data(), word);
    if (form.size() > 4) out.insert(out.end(), form.begin() + 4, form.end());
    return out;
}

}  // namespace

Bytes storedPointer(ByteView programForm)
{
    const int32_t kind = firstWord(programForm);
    if (programForm.empty() || kind == 0) return {};
    if (kind >= 1 && kind <= 14) return withFirstWord(programForm, CursorIds[static_cast<size_t>(kind - 1)]);
    return withFirstWord(programForm, static_cast<uint32_t>(kind));
}

Bytes programPointer(ByteView storedForm)
{
    if (storedForm.empty()) return {};
    const auto id = static_cast<uint32_t>(firstWord(storedForm));
    for (size_t k = 0; k < CursorIds.size(); ++k)
        if (CursorIds[k] == id) return withFirstWord(storedForm, static_cast<uint32_t>(k + 1));
    return withFirstWord(storedForm, id);
}

LoadedPointer loadPointer(ByteView storedForm)
{
    const int32_t word = firstWord(storedForm);
    if (storedForm.empty() || word == 0) return {};
    if (word == OwnCursorFile) {
        UniqueIcon cursor = iconFromFileBytes(storedForm.subspan(4));
        return {static_cast<HCURSOR>(cursor.release()), true};
    }
    const auto id = static_cast<uint32_t>(word) == HandCursorResource ? 32649u : static_cast<uint32_t>(word);
    return {LoadCursorW(nullptr, MAKEINTRESOURCEW(id)), false};
}

uintptr_t pointerSlotWord(const LoadedPointer& pointer)
{
    if (pointer.cursor == nullptr) return 0;
    return reinterpret_cast<uintptr_t>(pointer.cursor) | (pointer.owned ? 1u : 0u);
}

HCURSOR cursorOfSlot(uintptr_t slot) { return reinterpret_cast<HCURSOR>(slot & ~uintptr_t{1}); }

void releasePointer(uintptr_t slot)
{
    if ((slot & 1) != 0) DestroyCursor(cursorOfSlot(slot));
}

}  // namespace tessaly::ui
