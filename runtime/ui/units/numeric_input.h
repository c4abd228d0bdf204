// The canonical text of an edit box's numeric input modes, written back into
// the box when it loses the focus: the typed text read as a number of the
// mode's type, clamped to that type's range, and shown in its usual form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly::ui {

namespace InputMode {
inline constexpr int32_t Normal = 0;
inline constexpr int32_t ReadOnly = 1;
inline constexpr int32_t Password = 2;
inline constexpr int32_t Byte = 5;
inline constexpr int32_t Short = 6;
inline constexpr int32_t Integer = 7;
inline constexpr int32_t Long = 8;
inline constexpr int32_t Single = 9;
inline constexpr int32_t Double = 10;
inline constexpr int32_t DateTime = 11;
}  // namespace InputMode

constexpr bool isNumericInputMode(int32_t mode) { return mode >= InputMode::Byte && mode <= InputMode::DateTime; }

// None for the modes that keep what was typed. A text that does not read as
// a number becomes "0"; one that is no valid date becomes empty.
std::optional<std::string> canonicalInputText(int32_t mode, std::string_view text);

// An OLE date (days since 30 December 1899) from "2024-3-5", "2024/03/05",
// "2024.3.5" or "2024年3月5日", each optionally followed by a time as
// "13:30[:15]" or "13时30分[15秒]"; none when it is no valid date.
std::optional<double> readDateText(std::string_view text);

}  // namespace tessaly::ui
