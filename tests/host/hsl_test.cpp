#include <gtest/gtest.h>

#include <cstdlib>

#include "flat/HSLUtils.h"

namespace corvane {
namespace {

TEST(HslTest, PureRedConvertsBothWays) {
    const Hsl v = ColorToHsl(0x0000FF);
    EXPECT_DOUBLE_EQ(v.h, 0.0);
    EXPECT_DOUBLE_EQ(v.s, 1.0);
    EXPECT_DOUBLE_EQ(v.l, 0.5);

    const HslScaled s = ColorToHslScaled(0x0000FF);
    EXPECT_EQ(s.h, 0);
    EXPECT_EQ(s.s, 240);
    EXPECT_EQ(s.l, 120);

    EXPECT_EQ(HslToColor(0, 1, 0.5), 0x0000FFu);
    EXPECT_EQ(ScaledHslToColor(0, 240, 120), 0x0000FFu);
}

TEST(HslTest, ChannelsKeepTheirPlaceInTheColour) {
    // Green and blue sit at a third and two thirds of the hue circle.
    EXPECT_NEAR(ColorToHsl(0x00FF00).h, 1.0 / 3, 1e-12);
    EXPECT_NEAR(ColorToHsl(0xFF0000).h, 2.0 / 3, 1e-12);
    EXPECT_EQ(ColorToHslScaled(0x00FF00).h, 80);  // 79.67
    EXPECT_EQ(ColorToHslScaled(0xFF0000).h, 159); // 159.33
    EXPECT_EQ(HslToColor(1.0 / 3, 1, 0.5), 0x00FF00u);
    EXPECT_EQ(HslToColor(2.0 / 3, 1, 0.5), 0xFF0000u);
    // Red above blue: the hue comes out negative and wraps to the top.
    EXPECT_NEAR(ColorToHsl(0xFF00FF).h, 5.0 / 6, 1e-12);
}

TEST(HslTest, GreysHaveNoHueOrSaturation) {
    for (std::uint32_t c : {0x000000u, 0x808080u, 0xFFFFFFu}) {
        const Hsl v = ColorToHsl(c);
        EXPECT_EQ(v.h, 0.0) << std::hex << c;
        EXPECT_EQ(v.s, 0.0) << std::hex << c;
    }
    EXPECT_EQ(ColorToHslScaled(0xFFFFFF).l, 240);
    EXPECT_EQ(ColorToHslScaled(0x808080).l, 120); // 120.47
    EXPECT_EQ(HslToColor(0.7, 0, 1.0), 0xFFFFFFu);
}

TEST(HslTest, ScaledValuesOfTheFlatFaceColour) {
    // 0xE1EAEB: r 235, g 234, b 225; l 230/255, s 0.2, h 0.15.
    const HslScaled s = ColorToHslScaled(0xE1EAEB);
    EXPECT_EQ(s.h, 36);
    EXPECT_EQ(s.s, 48);
    EXPECT_EQ(s.l, 216);
}

TEST(HslTest, RoundingTakesHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5L), 0);
    EXPECT_EQ(RoundHalfEven(1.5L), 2);
    EXPECT_EQ(RoundHalfEven(2.5L), 2);
    EXPECT_EQ(RoundHalfEven(-0.5L), 0);
    EXPECT_EQ(RoundHalfEven(-1.5L), -2);
    EXPECT_EQ(RoundHalfEven(2.4999L), 2);
    EXPECT_EQ(RoundHalfEven(-2.6L), -3);
    // A channel of exactly 382.5 rounds down to the even 382.
    EXPECT_EQ(HueChannel(0.4, 0.0, 1.5), 382);
}

TEST(HslTest, HueChannelCorrectsTheHueOnlyOnce) {
    EXPECT_EQ(HueChannel(1.1, 0, 1), HueChannel(0.1, 0, 1));
    EXPECT_EQ(HueChannel(-0.9, 0, 1), HueChannel(0.1, 0, 1));
    EXPECT_EQ(HueChannel(0.1, 0, 1), 153); // rising edge: 0.6 of full
    // 2.5 becomes 1.5, past every sector test: m1.
    EXPECT_EQ(HueChannel(2.5, 0.2, 1), 51);
}

TEST(HslTest, DoublePrecisionRoundTripIsExact) {
    for (std::uint32_t r = 0; r < 256; r += 15)
        for (std::uint32_t g = 0; g < 256; g += 17)
            for (std::uint32_t b = 0; b < 256; b += 13) {
                const std::uint32_t c = r | (g << 8) | (b << 16);
                const Hsl v = ColorToHsl(c);
                ASSERT_EQ(HslToColor(v.h, v.s, v.l), c) << std::hex << c;
            }
}

TEST(HslTest, ScaledRoundTripStaysClose) {
    for (std::uint32_t r = 0; r < 256; r += 15)
        for (std::uint32_t g = 0; g < 256; g += 17)
            for (std::uint32_t b = 0; b < 256; b += 13) {
                const std::uint32_t c = r | (g << 8) | (b << 16);
                const HslScaled s = ColorToHslScaled(c);
                ASSERT_GE(s.h, 0);
                ASSERT_LE(s.h, 239);
                ASSERT_LE(s.s, 240);
                ASSERT_LE(s.l, 240);
                const std::uint32_t back = ScaledHslToColor(s.h, s.s, s.l);
                for (int shift = 0; shift < 24; shift += 8) {
                    const int want = static_cast<int>((c >> shift) & 0xFF);
                    const int got = static_cast<int>((back >> shift) & 0xFF);
                    ASSERT_LE(std::abs(want - got), 4) << std::hex << c << " -> " << back;
                }
            }
}

TEST(HslTest, OutOfRangeInputStaysInsideTheColour) {
    // Channels are cut to their low byte; nothing spills into the top byte.
    EXPECT_EQ(ScaledHslToColor(100, 240, 1000) & 0xFF000000u, 0u);
    EXPECT_EQ(HslToColor(0.3, 0, 1e300) & 0xFF000000u, 0u);
}

} // namespace
} // namespace corvane
