// The pop-up palette a colour picker opens under itself: an entry for no
// colour, forty colours and an entry that opens the system colour dialog.
// It tells the picker how it ended with a private message, so the picker
// never waits for it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace tessaly::ui {

inline constexpr uint32_t NoColour = 0xFF000000;

namespace ColourPopupMessage {
inline constexpr UINT Chosen = 0x83EC;  // wParam: the colour chosen (NoColour for the no-colour entry)
inline constexpr UINT Left = 0x83ED;    // the pop-up closed without a choice
}  // namespace ColourPopupMessage

inline constexpr wchar_t ColourPopupClass[] = L"_QX_ColourPopup";
inline constexpr int32_t PaletteColumns = 8;

// The palette, row by row.
std::span<const COLORREF> colourPalette();

// Opens the pop-up under `picker`; answers its handle, or none when it could
// not be made. The entry for no colour is offered only when it is allowed.
HWND openColourPopup(HWND picker, uint32_t current, bool allowNoColour);

}  // namespace tessaly::ui
