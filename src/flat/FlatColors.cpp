#include "flat/FlatColors.h"

#include <algorithm>

#include "flat/HSLUtils.h"

namespace corvane::flat {

std::uint32_t ShadeColor(std::uint32_t base, std::uint32_t given, int percent, Shade shade) {
    return ShadeColor(base, given, percent, shade, nullptr);
}

std::uint32_t ShadeColor(std::uint32_t base, std::uint32_t given, int percent, Shade shade, SysColorFn sysColor) {
    if (percent == 0) return given;
    HslScaled hsl = ColorToHslScaled(ColorToRgb(base, sysColor));
    int l = hsl.l + 10;
    if (shade == Shade::Lighten) {
        l += percent;
        if (l > 100) l = 100;
    } else {
        l -= percent;
        if (l < 0) l = 0;
    }
    // Darkening a near-white base by less than 10 points would push L past the
    // top of the scale, and the channel bytes would wrap to near black.
    l = std::clamp(l, 0, HslScale);
    return ScaledHslToColor(hsl.h, hsl.s, l);
}

void ApplyAdvColors(FlatButtonColors& colors, const FlatButtonAdvColors& adv, SysColorFn sysColor) {
    colors.focused = ShadeColor(colors.color, colors.focused, adv.focused, Shade::Lighten, sysColor);
    colors.down = ShadeColor(colors.color, colors.down, adv.down, Shade::Darken, sysColor);
    colors.border = ShadeColor(colors.color, colors.border, adv.border, Shade::Darken, sysColor);
}

void ApplyComboAdvColors(FlatComboColors& colors, std::uint32_t parentColor, const FlatComboAdvColors& adv,
                         SysColorFn sysColor) {
    colors.border = ShadeColor(parentColor, colors.border, adv.border, Shade::Darken, sysColor);
    colors.arrowBackground = ShadeColor(parentColor, colors.arrowBackground, adv.arrowBackground, Shade::Darken,
                                        sysColor);
}

int ClampAdvColor(int percent) { return std::clamp(percent, 0, 100); }

} // namespace corvane::flat
