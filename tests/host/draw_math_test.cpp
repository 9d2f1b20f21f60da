#include <gtest/gtest.h>

#include <string>

#include "skin/theme/DrawMath.h"

using namespace corvane::skin;

using namespace corvane;

namespace {

TEST(BitmapPartColumns, LastPartTakesTheRightEdge) {
    const PartColumns a = BitmapPartColumns(100, 3, 1), b = BitmapPartColumns(100, 3, 2), c = BitmapPartColumns(100, 3, 3);
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

// Every character is 5 pixels wide.
int FixedWidth(const std::string& s) { return static_cast<int>(s.size()) * 5; }

TEST(FitTextWithEllipsis, KeepsFittingTextAndShortensTheRest) {
    EXPECT_EQ(FitTextWithEllipsis("Corvane", 35, FixedWidth), "Corvane");
    EXPECT_EQ(FitTextWithEllipsis("Corvane", 100, FixedWidth), "Corvane");
    EXPECT_EQ(FitTextWithEllipsis("Corvane", 34, FixedWidth), "Cor...");
    EXPECT_EQ(FitTextWithEllipsis("Corvane", 30, FixedWidth), "Cor...");
    EXPECT_EQ(FitTextWithEllipsis("Corvane", 29, FixedWidth), "Co...");
    // Narrower than one character and the ellipsis: that character and the ellipsis.
    EXPECT_EQ(FitTextWithEllipsis("Corvane", 3, FixedWidth), "C...");
    EXPECT_EQ(FitTextWithEllipsis("C", 1, FixedWidth), "C");
    EXPECT_EQ(FitTextWithEllipsis("", -5, FixedWidth), "");
    // Wider than the text less one character but narrower than the text.
    EXPECT_EQ(FitTextWithEllipsis("abcdefghij", 49, [](const std::string& s) {
                  return s.size() > 3 && s.compare(s.size() - 3, 3, "...") == 0 ? int(s.size() - 3) * 5 + 1
                                                                                : int(s.size()) * 5;
              }),
              "abcdefghi...");
}

} // namespace
