// The text of a settings ("private-profile") file, read and changed as GBK
// bytes. The system's own profile calls convert a file's bytes with the ANSI
// code page of the machine they run on, so a file of GBK sections and keys
// reads as other characters on a Western Windows; the settings commands work
// on the bytes themselves instead, with the system's rules: "[section]"
// lines, "key=value" lines, blanks around names and values ignored, names
// compared without regard to ASCII case, a value in matching quotes read
// without them, lines starting with ";" and lines before the first section
// belonging to no key. A change leaves every other line as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// The value of `key` in `section`; none when either is absent.
std::optional<std::string> profileValue(std::string_view file, std::string_view section, std::string_view key);

// The text with `key` of `section` set to `value` (section and key made as
// needed), the key removed when `value` is none, or the whole section removed
// when `key` is none.
std::string withProfileValue(std::string_view file, std::string_view section, std::optional<std::string_view> key,
                             std::optional<std::string_view> value);

}  // namespace tessaly
