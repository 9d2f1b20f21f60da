#include <gtest/gtest.h>

#include "flat/FlatButtonMetrics.h"
#include "flat/FlatColors.h"
#include "flat/FlatComboMetrics.h"

namespace corvane::flat {
namespace {

using L = ButtonLayout;

// ---- ShadeColor and the derived colours ------------------------------------

int g_sysColorCalls = 0;
int g_lastSysIndex = -1;

std::uint32_t FakeSysColor(int index) {
    ++g_sysColorCalls;
    g_lastSysIndex = index;
    return index == 15 ? 0xE1EAEBu : 0x123456u;
}

TEST(ShadeColorTest, ZeroPercentReturnsTheGivenColourUntouched) {
    g_sysColorCalls = 0;
    EXPECT_EQ(ShadeColor(0xFFFFFF, 0x123456, 0, Shade::Lighten), 0x123456u);
    EXPECT_EQ(ShadeColor(0x000000, 0x8396A0, 0, Shade::Darken), 0x8396A0u);
    // A system colour as the given value stays a system colour.
    EXPECT_EQ(ShadeColor(0xFF00000F, 0xFF000010, 0, Shade::Darken, FakeSysColor), 0xFF000010u);
    EXPECT_EQ(g_sysColorCalls, 0);
}

TEST(ShadeColorTest, ShadesFromTheBaseNotTheGivenColour) {
    // Face colour: H 36, S 48, L 216. Darken by 10 lands back on L 216.
    EXPECT_EQ(ShadeColor(0xE1EAEB, 0x000000, 10, Shade::Darken), 0xE0EAEBu);
    EXPECT_EQ(ShadeColor(0xE1EAEB, 0xFFFFFF, 10, Shade::Darken), 0xE0EAEBu);
    EXPECT_EQ(ShadeColor(0xE1EAEB, 0xFFFFFF, 50, Shade::Darken), 0xADC6C9u);
}

TEST(ShadeColorTest, LighteningStopsAtOneHundredOnTheScale) {
    // White lightened: L 260 is held at 100, a mid grey.
    EXPECT_EQ(ShadeColor(0xFFFFFF, 0, 10, Shade::Lighten), 0x6A6A6Au);
    EXPECT_EQ(ShadeColor(0xFFFFFF, 0, 100, Shade::Lighten), 0x6A6A6Au);
    // Black lightened by 10: L 20.
    EXPECT_EQ(ShadeColor(0x000000, 0, 10, Shade::Lighten), 0x151515u);
}

TEST(ShadeColorTest, DarkeningStopsAtZero) {
    EXPECT_EQ(ShadeColor(0x000000, 0xFFFFFF, 50, Shade::Darken), 0x000000u);
    EXPECT_EQ(ShadeColor(0x101010, 0xFFFFFF, 100, Shade::Darken), 0x000000u);
}

TEST(ShadeColorTest, SlightDarkeningOfNearWhiteDoesNotWrapToBlack) {
    EXPECT_EQ(ShadeColor(0xFFFFFF, 0, 5, Shade::Darken), 0xFFFFFFu);
    const std::uint32_t c = ShadeColor(0xF8FAFF, 0, 1, Shade::Darken);
    for (int shift = 0; shift < 24; shift += 8) EXPECT_GE((c >> shift) & 0xFF, 0xF0u) << std::hex << c;
}

TEST(ShadeColorTest, SystemColourBaseIsResolvedBeforeTheArithmetic) {
    g_sysColorCalls = 0;
    EXPECT_EQ(ShadeColor(0xFF00000F, 0, 50, Shade::Darken, FakeSysColor), ShadeColor(0xE1EAEB, 0, 50, Shade::Darken));
    EXPECT_EQ(g_sysColorCalls, 1);
    EXPECT_EQ(g_lastSysIndex, 15);
    EXPECT_EQ(ColorToRgb(0x00ABCDEF, FakeSysColor), 0x00ABCDEFu);
}

TEST(AdvColorsTest, ButtonDerivesItsColoursFromColor) {
    FlatButtonColors c; // face 0xE1EAEB
    ApplyAdvColors(c, FlatButtonAdvColors{}, nullptr);
    EXPECT_EQ(c.focused, ShadeColor(0xE1EAEB, 0, 10, Shade::Lighten));
    EXPECT_EQ(c.down, 0xE0EAEBu);
    EXPECT_EQ(c.border, 0xADC6C9u);
    EXPECT_EQ(c.color, 0xE1EAEBu);
    EXPECT_EQ(c.highlight, 0xFFFFFFu);
}

TEST(AdvColorsTest, ComboShadesFromItsParentColour) {
    FlatComboColors c;
    c.color = 0x000000;
    ApplyComboAdvColors(c, 0xE1EAEB, FlatComboAdvColors{}, nullptr);
    EXPECT_EQ(c.border, 0xADC6C9u);
    EXPECT_EQ(c.arrowBackground, 0xE0EAEBu);
    EXPECT_EQ(c.color, 0x000000u);
    EXPECT_EQ(c.arrow, 0x000000u);
}

// ---- LayoutGlyphAndText ----------------------------------------------------

struct LayoutCase {
    L layout;
    int margin;
    int spacing;
    Point glyph;
    Point text;
};

// Client 100 x 40, one 16 x 16 glyph image, caption 30 x 13.
TEST(LayoutTest, EveryLayoutWithAutomaticAndFixedMarginAndSpacing) {
    const LayoutCase cases[] = {
        // Margin centres the block, fixed spacing.
        {L::GlyphLeft, -1, 4, {25, 12}, {45, 14}},
        {L::GlyphRight, -1, 4, {59, 12}, {25, 14}},
        {L::GlyphTop, -1, 4, {42, 4}, {35, 24}},
        {L::GlyphBottom, -1, 4, {42, 20}, {35, 3}},
        // Both automatic: three equal gaps.
        {L::GlyphLeft, -1, -1, {18, 12}, {52, 14}},
        {L::GlyphRight, -1, -1, {66, 12}, {18, 14}},
        {L::GlyphTop, -1, -1, {42, 3}, {35, 22}},
        {L::GlyphBottom, -1, -1, {42, 21}, {35, 5}},
        // Fixed margin, automatic spacing.
        {L::GlyphLeft, 5, -1, {5, 12}, {45, 14}},
        {L::GlyphRight, 5, -1, {79, 12}, {25, 14}},
        {L::GlyphTop, 5, -1, {42, 5}, {35, 24}},
        {L::GlyphBottom, 5, -1, {42, 19}, {35, 3}},
        // Both fixed.
        {L::GlyphLeft, 2, 3, {2, 12}, {21, 14}},
        {L::GlyphRight, 2, 3, {82, 12}, {49, 14}},
        {L::GlyphTop, 2, 3, {42, 2}, {35, 21}},
        {L::GlyphBottom, 2, 3, {42, 22}, {35, 6}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << static_cast<int>(c.layout) << " margin " << c.margin
                                        << " spacing " << c.spacing);
        const GlyphTextLayout r = LayoutGlyphAndText({0, 0, 100, 40}, {0, 0}, {16, 16}, 1, {30, 13}, c.margin,
                                                     c.spacing, c.layout);
        EXPECT_EQ(r.glyphPos, c.glyph);
        EXPECT_EQ(r.textBounds, (Rect{c.text.x, c.text.y, c.text.x + 30, c.text.y + 13}));
    }
}

TEST(LayoutTest, ClientOriginAndPressedOffsetMoveBothParts) {
    const GlyphTextLayout r = LayoutGlyphAndText({10, 20, 110, 60}, {1, 1}, {16, 16}, 1, {30, 13}, -1, 4, L::GlyphLeft);
    EXPECT_EQ(r.glyphPos, (Point{36, 33}));
    EXPECT_EQ(r.textBounds, (Rect{56, 35, 86, 48}));
}

TEST(LayoutTest, OnlyOneImageOfAMultiImageGlyphIsPlaced) {
    const GlyphTextLayout one = LayoutGlyphAndText({0, 0, 100, 40}, {0, 0}, {16, 16}, 1, {30, 13}, -1, -1,
                                                   L::GlyphRight);
    const GlyphTextLayout four = LayoutGlyphAndText({0, 0, 100, 40}, {0, 0}, {64, 16}, 4, {30, 13}, -1, -1,
                                                    L::GlyphRight);
    EXPECT_EQ(one.glyphPos, four.glyphPos);
    EXPECT_EQ(one.textBounds, four.textBounds);
}

TEST(LayoutTest, SpacingIsDroppedWithoutCaptionOrGlyph) {
    // Glyph only: centred, even when spacing asks for three gaps.
    for (int spacing : {4, -1}) {
        const GlyphTextLayout r = LayoutGlyphAndText({0, 0, 100, 40}, {0, 0}, {16, 16}, 1, {0, 0}, -1, spacing,
                                                     L::GlyphLeft);
        EXPECT_EQ(r.glyphPos, (Point{42, 12})) << spacing;
    }
    // Caption only, the tip dialog's 73 x 25 button: centred both ways.
    const GlyphTextLayout t = LayoutGlyphAndText({0, 0, 73, 25}, {0, 0}, {0, 0}, 1, {50, 13}, -1, 4, L::GlyphTop);
    EXPECT_EQ(t.textBounds, (Rect{12, 6, 62, 19}));
}

TEST(LayoutTest, DivisionTruncatesTowardZeroWhenTheClientIsTooSmall) {
    // (20 - 50 + 1) / 2 = -14, and (10 - 16 + 1) / 2 = -2.
    const GlyphTextLayout r = LayoutGlyphAndText({0, 0, 20, 10}, {0, 0}, {16, 16}, 1, {30, 13}, -1, 4, L::GlyphLeft);
    EXPECT_EQ(r.glyphPos, (Point{-14, -2}));
    EXPECT_EQ(r.textBounds.left, 6);
    EXPECT_EQ(r.textBounds.top, -1);
}

// ---- Button state rules ----------------------------------------------------

TEST(FlatButtonTest, NumGlyphsFollowsTheGlyphShape) {
    EXPECT_EQ(NumGlyphsForGlyph({32, 16}, 1), 2);
    EXPECT_EQ(NumGlyphsForGlyph({64, 16}, 1), 4);
    EXPECT_EQ(NumGlyphsForGlyph({100, 20}, 3), 1); // five images is too many
    EXPECT_EQ(NumGlyphsForGlyph({30, 16}, 3), 3);  // not a multiple: unchanged
    EXPECT_EQ(NumGlyphsForGlyph({16, 0}, 2), 2);   // empty
    EXPECT_EQ(NumGlyphsForGlyph({0, 0}, 2), 2);
}

TEST(FlatButtonTest, ImageChosenForEachState) {
    using S = ButtonState;
    const S states[] = {S::Up, S::Disabled, S::Down, S::Exclusive};
    const int expected[4][4] = {{1, 1, 1, 1}, {1, 2, 1, 1}, {1, 2, 3, 3}, {1, 2, 3, 4}};
    for (int n = 1; n <= 4; ++n)
        for (int s = 0; s < 4; ++s) EXPECT_EQ(GlyphImageForState(n, states[s]), expected[n - 1][s]) << n << "," << s;
    EXPECT_EQ(GlyphImageRect({64, 16}, 4, 3), (Rect{32, 0, 48, 16}));
    EXPECT_EQ(GlyphImageRect({20, 16}, 1, 1), (Rect{0, 0, 20, 16}));
}

TEST(FlatButtonTest, BottomRowIsInsideRightColumnIsNot) {
    EXPECT_TRUE(IsInsideButton({0, 0}, {73, 25}));
    EXPECT_TRUE(IsInsideButton({72, 25}, {73, 25}));
    EXPECT_FALSE(IsInsideButton({73, 10}, {73, 25}));
    EXPECT_FALSE(IsInsideButton({10, 26}, {73, 25}));
    EXPECT_FALSE(IsInsideButton({-1, 10}, {73, 25}));
}

TEST(FlatButtonTest, FrameAndFacePerState) {
    using S = ButtonState;
    const FlatButtonColors c;
    const BevelFrame hot = FrameForState(S::Up, true, true, c);
    EXPECT_EQ(hot.topLeft, c.highlight);
    EXPECT_EQ(hot.bottomRight, c.shadow);
    EXPECT_EQ(hot.width, 1);
    EXPECT_EQ(FrameForState(S::Up, false, true, c).width, 2);
    EXPECT_EQ(FrameForState(S::Disabled, false, true, c).width, 1);
    const BevelFrame sunken = FrameForState(S::Exclusive, true, false, c);
    EXPECT_EQ(sunken.topLeft, c.shadow);
    EXPECT_EQ(sunken.bottomRight, c.highlight);

    EXPECT_EQ(FaceColor(S::Exclusive, false, c), c.down);
    EXPECT_EQ(FaceColor(S::Exclusive, true, c), c.focused);
    EXPECT_EQ(FaceColor(S::Disabled, true, c), c.color);

    EXPECT_EQ(RefreshedState(S::Disabled, true, true, 1), S::Exclusive);
    EXPECT_EQ(RefreshedState(S::Disabled, true, true, 0), S::Up);
    EXPECT_EQ(RefreshedState(S::Down, false, false, 0), S::Disabled);
}

TEST(FlatButtonTest, BevelRingsCoverTheEdgesOfTheRectangle) {
    const auto rings = BevelFrameRings({0, 0, 10, 5}, 2);
    ASSERT_EQ(rings.size(), 2u);
    EXPECT_EQ(rings[0].topLeft[0], (Point{0, 4}));
    EXPECT_EQ(rings[0].topLeft[2], (Point{9, 0}));
    EXPECT_EQ(rings[0].bottomRight[1], (Point{9, 4}));
    EXPECT_EQ(rings[0].bottomRight[2], (Point{-1, 4}));
    EXPECT_EQ(rings[1].topLeft[1], (Point{1, 1}));
    EXPECT_EQ(rings[1].bottomRight[1], (Point{8, 3}));
}

// ---- Combo box geometry ------------------------------------------------------

TEST(FlatComboTest, TipDialogComboGeometry) {
    // 166 x 21, client the same, 17-pixel scroll bars.
    const FlatComboGeometry g = ComputeFlatComboGeometry(166, 21, 166, 21, 17);
    EXPECT_EQ(g.button, (Rect{154, 0, 165, 21}));
    EXPECT_EQ(g.button.width(), kComboArrowButtonWidth);
    EXPECT_EQ(g.buttonDrawn, (Rect{153, 0, 166, 21}));
    EXPECT_EQ(g.frame, (Rect{0, 0, 154, 21}));
    EXPECT_EQ(g.arrowOrigin, (Point{153, 9}));
    EXPECT_EQ(g.scrollStrip, (Rect{147, 0, 166, 21}));
    EXPECT_EQ(g.arrowClipStrip, (Rect{149, 0, 166, 21}));
    EXPECT_EQ(g.paintRightLimit, 151);
    EXPECT_EQ(g.listFaceStrip, (Rect{145, 3, 150, 18}));
    EXPECT_EQ(g.focusFrame, (Rect{3, 3, 150, 18}));
    EXPECT_EQ(g.dropDownFrame, (Rect{2, 2, 152, 19}));
    EXPECT_EQ(g.editChild, (Size{147, 15}));
    EXPECT_EQ(g.closeUpInvalidate, (Rect{152, 0, 165, 21}));

    // The triangle is 5 wide and 3 high, centred in the drawn button.
    const Triangle down = ComboArrowTriangle(g.arrowOrigin, false);
    EXPECT_EQ(down.p[0], (Point{157, 9}));
    EXPECT_EQ(down.p[1], (Point{161, 9}));
    EXPECT_EQ(down.p[2], (Point{159, 11}));
    const Triangle up = ComboArrowTriangle(g.arrowOrigin, true);
    EXPECT_EQ(up.p[2], (Point{159, 9}));
    EXPECT_EQ(up.p[0].y, 11);
}

} // namespace
} // namespace corvane::flat
