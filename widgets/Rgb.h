#pragma once
// A plain 8-bit colour used by the widget arithmetic (kept free of any GUI type
// so the rules can be checked without a window).
#include <cstdint>

namespace relvo7::widgets {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// Each component scaled by percent/100 (integer arithmetic, as the bar shading needs).
constexpr Rgb scaled(Rgb c, int percent)
{
    return Rgb{static_cast<std::uint8_t>(c.r * percent / 100), static_cast<std::uint8_t>(c.g * percent / 100),
               static_cast<std::uint8_t>(c.b * percent / 100)};
}

} // namespace relvo7::widgets
