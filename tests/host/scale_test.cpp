#include "ui/Scale.h"
#include <gtest/gtest.h>

namespace corvane::ui {
namespace {

// Expected values worked out by hand from value * dpi / 96, halves away from zero as
// MulDiv gives them.
TEST(Scale, RoundsAsTheSystemDoes) {
    struct Case {
        int value, dpi, expected;
    } cases[] = {
        {13, 96, 13},    {539, 96, 539},
        {-11, 96, -11},                   // the design's own DPI changes nothing
        {11, 144, 17},   {-11, 144, -17}, // 16.5: away from zero both ways
        {7, 144, 11},    {-7, 144, -11},
        {29, 120, 36}, // 36.25
        {3, 120, 4},   // 3.75
        {21, 120, 26},   {539, 144, 809},
        {430, 192, 860}, {1, 168, 2},               // 1.75
        {0, 192, 0},     {30000000, 144, 45000000}, // the product passes int's range
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, ScaleToDpi(c.value, c.dpi)) << c.value << " at " << c.dpi;
}

TEST(Scale, ScalesEdgesSoNeighboursStayNeighbours) {
    const Scaler s(120);
    // Two boxes side by side: 0..13 and 13..26 at 96; 16.25 and 32.5 at 120.
    EXPECT_EQ((Rect{0, 0, 16, 16}), s(Rect{0, 0, 13, 13}));
    EXPECT_EQ((Rect{16, 0, 33, 16}), s(Rect{13, 0, 26, 13}));
    EXPECT_EQ(96, Scaler(0).dpi()) << "an unknown DPI is the design's";
    EXPECT_TRUE(Scaler().identity());
}

} // namespace
} // namespace corvane::ui
