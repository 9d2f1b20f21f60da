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

TEST(Scale, PicksTheArtDrawnForTheScaleOrTheNextLarger) {
    const int cases[][2] = {{72, 96}, {96, 96}, {97, 144}, {120, 144}, {144, 144}, {168, 192}, {192, 192}, {288, 192}};
    for (const auto& c : cases) EXPECT_EQ(c[1], ArtDpiFor(c[0])) << c[0];
}

TEST(Scale, TakesOnlyRenditionsOfTheDesignsSize) {
    struct Case {
        int w, h, parts, rw, rh, art;
        bool fits;
    } cases[] = {
        {342, 19, 18, 522, 29, 144, true},  // 18 parts of 19: 29 (28.5) each
        {342, 19, 18, 513, 29, 144, false}, // the strip scaled whole: parts would drift
        {342, 19, 18, 684, 38, 192, true},  {342, 19, 18, 684, 39, 192, false},
        {100, 19, 3, 150, 29, 144, false},                                    // no equal parts at 96
        {97, 32, 0, 146, 48, 144, true},    {97, 32, 0, 194, 48, 144, false}, // 200 percent art taken for 150
        {4, 4, 0, 7, 6, 144, true}, // whole: within a quarter pixel per design pixel
        {4, 4, 0, 8, 6, 144, false},        {0, 4, 0, 0, 6, 144, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.fits, RenditionFits(c.w, c.h, c.parts, c.rw, c.rh, c.art))
            << c.w << "x" << c.h << "/" << c.parts << " as " << c.rw << "x" << c.rh << " at " << c.art;
}

} // namespace
} // namespace corvane::ui
