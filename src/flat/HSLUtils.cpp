#include "flat/HSLUtils.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

// Kept wider than double: the hue offsets and the 2/3 boundary are compared
// at this precision so channels at a sector edge round the same way as the
// x87 arithmetic the colours were tuned with.
constexpr long double kThird = 1.0L / 3.0L;
constexpr long double kTwoThirds = 2.0L / 3.0L;

std::uint32_t LowByte(std::int64_t v) { return static_cast<std::uint32_t>(v) & 0xFFu; }

} // namespace

std::int64_t RoundHalfEven(long double x) {
    if (!std::isfinite(x) || std::fabs(x) >= 9.0e18L) return 0;
    const long double f = std::floor(x);
    const long double diff = x - f;
    auto n = static_cast<std::int64_t>(f);
    if (diff > 0.5L || (diff == 0.5L && (n % 2 != 0))) ++n;
    return n;
}

Hsl ColorToHsl(std::uint32_t color) {
    const double r = static_cast<double>(color & 0xFFu) / 255.0;
    const double g = static_cast<double>((color >> 8) & 0xFFu) / 255.0;
    const double b = static_cast<double>((color >> 16) & 0xFFu) / 255.0;
    const double mx = std::max({r, g, b});
    const double mn = std::min({r, g, b});

    Hsl out;
    out.l = (mx + mn) / 2.0;
    if (mx == mn) return out;

    const double d = mx - mn;
    out.s = out.l < 0.5 ? d / (mx + mn) : d / (2.0 - mx - mn);
    double h;
    if (r == mx) h = (g - b) / d;
    else if (g == mx) h = 2.0 + (b - r) / d;
    else h = 4.0 + (r - g) / d;
    h /= 6.0;
    if (h < 0) h += 1.0;
    out.h = h;
    return out;
}

HslScaled ColorToHslScaled(std::uint32_t color) {
    const Hsl v = ColorToHsl(color);
    HslScaled out;
    out.h = static_cast<int>(RoundHalfEven(static_cast<long double>(v.h) * (HslScale - 1)));
    out.s = static_cast<int>(RoundHalfEven(static_cast<long double>(v.s) * HslScale));
    out.l = static_cast<int>(RoundHalfEven(static_cast<long double>(v.l) * HslScale));
    return out;
}

std::int64_t HueChannel(double x, double m1, double m2) {
    long double t = x;
    if (t < 0) t += 1;
    else if (t > 1) t -= 1;
    const long double lo = m1;
    const long double hi = m2;
    long double v;
    if (6 * t < 1) v = lo + (hi - lo) * t * 6;
    else if (2 * t < 1) v = hi;
    else if (3 * t < 2) v = lo + (hi - lo) * (kTwoThirds - t) * 6;
    else v = lo;
    return RoundHalfEven(v * 255);
}

std::uint32_t HslToColor(double h, double s, double l) {
    if (s == 0) {
        const std::uint32_t c = LowByte(RoundHalfEven(static_cast<long double>(l) * 255));
        return c | (c << 8) | (c << 16);
    }
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    const std::uint32_t red = LowByte(HueChannel(static_cast<double>(h + kThird), m1, m2));
    const std::uint32_t green = LowByte(HueChannel(h, m1, m2));
    const std::uint32_t blue = LowByte(HueChannel(static_cast<double>(h - kThird), m1, m2));
    return red | (green << 8) | (blue << 16);
}

std::uint32_t ScaledHslToColor(int h, int s, int l) {
    return HslToColor(static_cast<double>(h) / (HslScale - 1), static_cast<double>(s) / HslScale,
                      static_cast<double>(l) / HslScale);
}

} // namespace corvane
