#include <gtest/gtest.h>

#include "skin/theme/DrawMath.h"

using namespace corvane::skin;

namespace {

TEST(BitmapPartColumns, LastPartTakesTheRightEdge) {
    const PartColumns a = BitmapPartColumns(100, 3, 1), b = BitmapPartColumns(100, 3, 2),
                      c = BitmapPartColumns(100, 3, 3);
    EXPECT_EQ(a.left, 0);
    EXPECT_EQ(a.width, 33);
    EXPECT_EQ(b.left, 33);
    EXPECT_EQ(c.left, 67);
    EXPECT_EQ(c.width, 33);
    // No parts means the whole picture; odd part numbers stay inside it.
    EXPECT_EQ(BitmapPartColumns(100, 0, 0).width, 100);
    EXPECT_EQ(BitmapPartColumns(100, 3, 9).left, 67);
    EXPECT_EQ(BitmapPartColumns(100, 3, -1).left, 0);
    EXPECT_EQ(BitmapPartColumns(2, 3, 3).width, 0);
    EXPECT_EQ(BitmapPartColumns(0, 3, 1).width, 0);
}

TEST(GradientColorAt, TruncatesTowardZeroPerChannel) {
    // red 0 -> 255 over 7: 255/7*3 = 109.28 -> 109; green 200 -> 0: -200/7*3 = -85.7 -> -85
    EXPECT_EQ(GradientColorAt(0x0000C800u, 0x000000FFu, 7, 3), (0u << 16) | (115u << 8) | 109u);
    EXPECT_EQ(GradientColorAt(0x00102030u, 0x00102030u, 5, 4), 0x00102030u);
    EXPECT_EQ(GradientColorAt(0x00000000u, 0x00FFFFFFu, 10, 0), 0u);
    EXPECT_EQ(GradientColorAt(0x00000010u, 0x00000000u, 3, 1), 0x0000000Bu); // 16 - 5.33 -> 16 - 5
    EXPECT_EQ(GradientColorAt(0x00ABCDEFu, 0u, 0, 5), 0x00ABCDEFu);
}

} // namespace
