#include <gtest/gtest.h>

#include "skin/controls/ControlGeometry.h"

using namespace corvane::skin;

namespace {

struct PieceCase {
    NinePiece::Kind kind;
    Rect source;
    Rect target;
};

void ExpectPieces(Size picture, Size target, const std::vector<PieceCase>& want) {
    const auto pieces = NinePartStretch(picture, target);
    ASSERT_EQ(want.size(), pieces.size());
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pieces[i].kind, want[i].kind);
        EXPECT_EQ(pieces[i].source, want[i].source);
        EXPECT_EQ(pieces[i].target, want[i].target);
        if (pieces[i].corner()) {
            EXPECT_EQ(pieces[i].source.width(), pieces[i].target.width());
            EXPECT_EQ(pieces[i].source.height(), pieces[i].target.height());
        }
    }
}

TEST(NinePartStretch, ButtonLargerThanPicture) {
    // One 18 x 21 part of a three-part strip on a 75 x 25 button.
    ExpectPieces({18, 21}, {75, 25},
                 {{NinePiece::TopLeft, {0, 0, 9, 10}, {0, 0, 9, 10}},
                  {NinePiece::BottomLeft, {0, 12, 9, 21}, {0, 16, 9, 25}},
                  {NinePiece::LeftEdge, {0, 10, 9, 11}, {0, 10, 9, 16}},
                  {NinePiece::TopRight, {10, 0, 18, 10}, {67, 0, 75, 10}},
                  {NinePiece::BottomRight, {10, 12, 18, 21}, {67, 16, 75, 25}},
                  {NinePiece::RightEdge, {10, 11, 18, 12}, {67, 10, 75, 16}},
                  {NinePiece::TopEdge, {9, 0, 10, 10}, {9, 0, 67, 10}},
                  {NinePiece::Centre, {9, 10, 10, 11}, {9, 10, 67, 15}},
                  {NinePiece::BottomEdge, {9, 12, 10, 21}, {8, 15, 67, 25}}});
}

TEST(NinePartStretch, CornersShrinkToTheirQuarterOfASmallTarget) {
    ExpectPieces({18, 21}, {10, 8},
                 {{NinePiece::TopLeft, {0, 0, 5, 4}, {0, 0, 5, 4}},
                  {NinePiece::BottomLeft, {0, 18, 5, 21}, {0, 5, 5, 8}},
                  {NinePiece::LeftEdge, {0, 10, 5, 11}, {0, 4, 5, 5}},
                  {NinePiece::TopRight, {14, 0, 18, 4}, {6, 0, 10, 4}},
                  {NinePiece::BottomRight, {14, 18, 18, 21}, {6, 5, 10, 8}},
                  {NinePiece::RightEdge, {14, 11, 18, 12}, {6, 4, 10, 5}},
                  {NinePiece::TopEdge, {9, 0, 10, 4}, {5, 0, 6, 4}},
                  {NinePiece::Centre, {9, 10, 10, 11}, {5, 4, 6, 4}},
                  {NinePiece::BottomEdge, {9, 18, 10, 21}, {4, 4, 6, 8}}});
    // The centre has no room here and is skipped; an empty target skips everything.
    EXPECT_TRUE(NinePartStretch({18, 21}, {10, 8})[7].empty());
    for (const NinePiece& p : NinePartStretch({18, 21}, {0, 0})) EXPECT_TRUE(p.empty());
}

TEST(StateParts, ButtonAndCheckBox) {
    EXPECT_EQ(ButtonStatePart(false, true, true), 1);
    EXPECT_EQ(ButtonStatePart(true, true, true), 3);
    EXPECT_EQ(ButtonStatePart(true, false, true), 2);
    EXPECT_EQ(ButtonStatePart(true, false, false), 1);
    struct Case {
        bool file, checked, enabled;
        int part, count;
    };
    const Case cases[] = {{true, true, true, 1, 6},   {true, true, false, 4, 6},  {true, false, true, 3, 6},
                          {true, false, false, 6, 6}, {false, true, true, 1, 4},  {false, true, false, 3, 4},
                          {false, false, true, 2, 4}, {false, false, false, 4, 4}};
    for (const Case& c : cases) {
        const StripPart p = CheckBoxStatePart(c.file, c.checked, c.enabled);
        EXPECT_EQ(p.part, c.part) << c.file << c.checked << c.enabled;
        EXPECT_EQ(p.count, c.count);
    }
}

TEST(LayoutGlyph, EachLayoutAndTwoImageGlyphs) {
    struct Case {
        ButtonLayout layout;
        Size glyph;
        Point g, c;
    };
    // 80 x 27 button, caption 30 x 13, spacing 4.
    const Case cases[] = {
        {ButtonLayout::GlyphLeft, {16, 16}, {15, 5}, {35, 7}},
        {ButtonLayout::GlyphRight, {16, 16}, {49, 5}, {15, 7}},
        {ButtonLayout::GlyphTop, {16, 16}, {32, -3}, {25, 17}},
        {ButtonLayout::GlyphBottom, {16, 16}, {32, 14}, {25, -3}},
        // Two images side by side: laid out as one 16 x 16 image.
        {ButtonLayout::GlyphLeft, {32, 16}, {15, 5}, {35, 7}},
        // Odd differences truncate toward zero.
        {ButtonLayout::GlyphLeft, {15, 15}, {15, 6}, {34, 7}},
    };
    for (const Case& c : cases) {
        const GlyphLayout l = LayoutGlyph({80, 27}, {30, 13}, c.glyph, c.layout, 4);
        EXPECT_EQ(l.glyph, c.g) << static_cast<int>(c.layout) << " " << c.glyph.cx;
        EXPECT_EQ(l.caption, c.c) << static_cast<int>(c.layout) << " " << c.glyph.cx;
    }
    EXPECT_TRUE(IsTwoImageGlyph({32, 16}));
    EXPECT_FALSE(IsTwoImageGlyph({33, 16}));
    EXPECT_FALSE(IsTwoImageGlyph({0, 0}));
}

TEST(AutoSize, ButtonStripAndCheckBox) {
    EXPECT_EQ(AutoSizeFromStrip({54, 21}), (Size{18, 21}));
    EXPECT_EQ(AutoSizeFromStrip({0, 0}), (Size{24, 21}));
    EXPECT_EQ(CheckBoxAutoSize({13, 13}, 13, 100), (Size{121, 19}));
    EXPECT_EQ(CheckBoxAutoSize({15, 17}, 13, 100), (Size{123, 21}));
    // At 150 percent the margins of 8, 2 and 4 are 12, 3 and 6; picture and text come scaled.
    EXPECT_EQ(CheckBoxAutoSize({20, 20}, 20, 150, corvane::ui::Scaler(144)), (Size{182, 29}));
}

TEST(LayoutToolButton, ImagesCaptionsAndDropDown) {
    const Rect r{10, 0, 54, 36};
    // Not list mode: image and caption centred; a drop-down keeps its arrow area.
    ToolButtonFace f = LayoutToolButton(r, {16, 16}, false, false, false, 20);
    EXPECT_EQ(f.image, (Point{24, 3}));
    EXPECT_EQ(f.caption, (Rect{22, 20, 54, 36}));
    f = LayoutToolButton(r, {16, 16}, false, true, false, 20);
    EXPECT_EQ(f.image, (Point{17, 3}));
    EXPECT_EQ(f.caption.left, 15);
    f = LayoutToolButton(r, {16, 16}, true, false, false, 20);
    EXPECT_EQ(f.image, (Point{15, 3}));
    EXPECT_EQ(f.caption, (Rect{33, 4, 54, 36}));
    EXPECT_EQ(LayoutToolButton(r, {0, 0}, true, false, false, 20).caption, (Rect{18, 3, 54, 36}));
    EXPECT_EQ(LayoutToolButton(r, {0, 0}, false, false, true, 20).caption.top, 5);
    EXPECT_EQ(LayoutToolButton(r, {0, 0}, false, false, false, 20).caption.top, 4);
    EXPECT_EQ(StripAmpersands("&Add && go"), "Add  go");
}

TEST(GroupBoxFrame, ClosedWithoutCaptionGapWithOne) {
    const Rect c{0, 0, 100, 50};
    const std::vector<Point> closed = GroupBoxFrame(c, -11, 40, false, false);
    EXPECT_EQ(closed, (std::vector<Point>{{2, 6}, {0, 6}, {0, 49}, {99, 49}, {99, 6}, {0, 6}}));
    EXPECT_EQ(GroupBoxFrame(c, -11, 40, true, false).back(), (Point{46, 6}));
    EXPECT_EQ(GroupBoxFrame(c, -11, 40, true, true),
              (std::vector<Point>{{97, 6}, {99, 6}, {99, 49}, {1, 49}, {1, 6}, {53, 6}}));
    EXPECT_EQ(GroupBoxFrame(c, -11, 40, false, true).back(), (Point{99, 6}));
    EXPECT_EQ(GroupBoxAlignRect(c, -11), (Rect{3, 16, 97, 47}));
}

} // namespace
