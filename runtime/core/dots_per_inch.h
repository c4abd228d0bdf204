// Window descriptions are laid out for a screen of 96 dots per inch; on a
// screen of more (150 % is 144, 200 % is 192) their places and sizes grow
// with it, as the system's fonts do, so that text still fits its units.
#pragma once

#include <cstdint>

namespace tessaly {

inline constexpr int32_t TemplateDotsPerInch = 96;

// `value` laid out for 96 dots per inch, at `dotsPerInch`; rounded to the
// nearest pixel, halves away from zero.
constexpr int32_t scaledToDots(int32_t value, int32_t dotsPerInch)
{
    const int64_t product = static_cast<int64_t>(value) * dotsPerInch;
    const int64_t half = product < 0 ? -TemplateDotsPerInch / 2 : TemplateDotsPerInch / 2;
    return static_cast<int32_t>((product + half) / TemplateDotsPerInch);
}

}  // namespace tessaly
