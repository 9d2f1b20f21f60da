// Colour arithmetic of the flat controls: shading and the advanced colours
// derived from a base colour.
#pragma once

#include <cstdint>

#include "ui/Colors.h"

namespace corvane::flat {

using ui::SysColorFn;

inline std::uint32_t ColorToRgb(std::uint32_t color, SysColorFn sysColor) { return ui::ColorToRgb(color, sysColor); }

enum class Shade : std::uint8_t { Lighten, Darken };

// Shade of `base` by `percent` points of lightness; `given` comes back
// unchanged when percent is 0. The first overload takes a plain RGB base.
std::uint32_t ShadeColor(std::uint32_t base, std::uint32_t given, int percent, Shade shade);
std::uint32_t ShadeColor(std::uint32_t base, std::uint32_t given, int percent, Shade shade, SysColorFn sysColor);

// The button's colours with the values a new button has.
struct FlatButtonColors {
    std::uint32_t color = 0xE1EAEB;
    std::uint32_t focused = 0xE1EAEB;
    std::uint32_t down = 0xC5D6D9;
    std::uint32_t border = 0x8396A0;
    std::uint32_t highlight = 0xFFFFFF;
    std::uint32_t shadow = 0x000000;
};

// Percentages (0..100) for the derived colours.
struct FlatButtonAdvColors {
    int focused = 10;
    int down = 10;
    int border = 50;
};

// Derives focused (lighter), down and border (darker) from `color`.
void ApplyAdvColors(FlatButtonColors& colors, const FlatButtonAdvColors& adv, SysColorFn sysColor);

struct FlatComboColors {
    std::uint32_t color = 0xE1EAEB;
    std::uint32_t arrow = 0x000000;
    std::uint32_t arrowBackground = 0xC5D6D9;
    std::uint32_t border = 0x8396A0;
};

struct FlatComboAdvColors {
    int border = 50;
    int arrowBackground = 10;
};

// The combo box shades from its parent's colour, not its own.
void ApplyComboAdvColors(FlatComboColors& colors, std::uint32_t parentColor, const FlatComboAdvColors& adv,
                         SysColorFn sysColor);

// Clamps a percentage to the 0..100 range of the advanced-colour properties.
int ClampAdvColor(int percent);

} // namespace corvane::flat
