#include "ui/PictureScale.h"
#include <gtest/gtest.h>

namespace corvane::ui {
namespace {

constexpr std::uint32_t kKey = 0xFF00FF, kBlue = 0x0000FF, kRed = 0xFF0000;

TEST(PictureScale, RepeatsPixelsExactlyAtWholeFactors) {
    const Pixels from{2, 2, {1, 2, 3, 4}};
    const Pixels twice = ScalePixels(from, 4, 4);
    EXPECT_EQ((std::vector<std::uint32_t>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}), twice.data);
}

TEST(PictureScale, AveragesTheAreaEachNewPixelCovers) {
    // At 150 percent the middle pixel covers a third of each neighbour: an even mix.
    const Pixels mixed = ScalePixels(Pixels{2, 1, {0x000000, 0xFFFFFF}}, 3, 1);
    EXPECT_EQ((std::vector<std::uint32_t>{0x000000, 0x808080, 0xFFFFFF}), mixed.data);
    const Pixels smaller = ScalePixels(Pixels{2, 1, {kRed, kBlue}}, 1, 1);
    EXPECT_EQ((std::vector<std::uint32_t>{0x800080}), smaller.data);
}

TEST(PictureScale, NeverBlendsTheTransparentColour) {
    // Which pixels are key follows the nearest source pixel; the rest mix only what is not key.
    const Pixels from{4, 1, {kBlue, kKey, kKey, kBlue}};
    const Pixels wider = ScalePixels(from, 6, 1, kKey);
    EXPECT_EQ((std::vector<std::uint32_t>{kBlue, kKey, kKey, kKey, kBlue, kBlue}), wider.data);
    // A mix that lands on the key exactly stays visible.
    const Pixels mixToKey = ScalePixels(Pixels{2, 1, {0xFF00FE, 0xFE00FF}}, 1, 1, kKey);
    ASSERT_EQ(1u, mixToKey.data.size());
    EXPECT_NE(kKey, mixToKey.data[0]);
}

TEST(PictureScale, ToleratesEmptyAndShortInput) {
    EXPECT_TRUE(ScalePixels(Pixels{}, 3, 3).data.empty());
    EXPECT_TRUE(ScalePixels(Pixels{4, 4, {1, 2}}, 6, 6).data.empty()) << "fewer pixels than its size says";
    EXPECT_TRUE(ScalePixels(Pixels{1, 1, {1}}, 0, 5).data.empty());
}

} // namespace
} // namespace corvane::ui
