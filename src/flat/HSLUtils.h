// Conversions between 0x00BBGGRR colours and hue/saturation/lightness.
#pragma once

#include <cstdint>

namespace corvane {

// Scale of the integer form: hue 0..HslScale-1, saturation and lightness 0..HslScale.
inline constexpr int HslScale = 240;

struct Hsl {
    double h = 0; // 0..1
    double s = 0; // 0..1
    double l = 0; // 0..1
};

struct HslScaled {
    int h = 0; // 0..239
    int s = 0; // 0..240
    int l = 0; // 0..240
};

// Rounds to the nearest integer, halves to the even neighbour, independent of
// the floating-point environment. Values beyond the int64 range give 0.
std::int64_t RoundHalfEven(long double x);

// Only the low three bytes of the colour are read; resolve system colours first.
Hsl ColorToHsl(std::uint32_t color);
HslScaled ColorToHslScaled(std::uint32_t color);

// Each channel is taken as its low byte, so out-of-range input wraps rather
// than spilling into the neighbouring channel.
std::uint32_t HslToColor(double h, double s, double l);
std::uint32_t ScaledHslToColor(int h, int s, int l);

// One channel of HslToColor for hue position x, before the low-byte cut.
std::int64_t HueChannel(double x, double m1, double m2);

} // namespace corvane
