#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/frame/FrameLayout.h"

using namespace corvane::skin;

namespace {

TEST(NcCalcRect, BordersOfSkinAndBuiltInStyles) {
    struct Case {
        const char* name;
        NcSizes s;
        Rect want;
    };
    // Window at (100, 50), 300 x 200; native frame 3 (a dialog frame).
    const Case cases[] = {
        {"built-in, border 1", {3, 3, 0, 0, 0, 1}, {100, 50, 400, 50 + 200 + 4 - 1 - 2}},
        {"built-in, border 3", {3, 3, 0, 0, 0, 3}, {100, 50, 400, 250}},
        {"skin L=6 R=5 B=7", {3, 3, 6, 5, 7, 1}, {100 + 6 - 4 + 1, 50, 400 + 4 - 5 - 1, 250 + 4 - 7 - 1}},
        {"skin thin L=2 R=2 B=2", {3, 3, 2, 2, 2, 1}, {100 + 4 - 4 + 1, 50, 400 + 4 - 4 - 1, 250 + 4 - 4 - 1}},
        {"wide native frame", {8, 9, 0, 0, 0, 1}, {100 - 8 + 4, 50 - 9 + 4, 400 + 8 - 4, 250 + 9 - 1 - 2}},
        // At 150 percent the frame's own 4, 3 and 2 are 6, 5 and 3; the native frame's clamp,
        // its one-pixel steps, the top and the built-in sides stay. Skin borders are given scaled,
        // the border width not.
        {"built-in at 150%", {6, 6, 0, 0, 0, 1, corvane::ui::Scaler(144)}, {100 - 6 + 4, 48, 400 + 6 - 4, 252}},
        {"skin at 150% L=9 R=8 B=11",
         {4, 4, 9, 8, 11, 1, corvane::ui::Scaler(144)},
         {100 + 9 - 4 + 1, 50, 400 + 4 - 8 - 1, 250 + 4 - 11 - 1}},
    };
    for (const Case& c : cases) EXPECT_EQ(NcCalcRect(100, 50, 300, 200, c.s), c.want) << c.name;
}

TEST(FrameSmallRules, ThicknessInsetAndMaximizedBounds) {
    EXPECT_EQ(SaneFrameThickness(-1), 4);
    EXPECT_EQ(SaneFrameThickness(17), 4);
    EXPECT_EQ(SaneFrameThickness(16), 16);
    EXPECT_EQ(TitleInset(0, 3), 2);
    EXPECT_EQ(TitleInset(2, 3), 4);
    EXPECT_EQ(TitleInset(6, 3), 6);
    EXPECT_EQ(MaximizedBounds({0, 0, 1024, 740}), (Rect{-2, -2, 1026, 739}));
    const corvane::ui::Scaler at150(144);
    EXPECT_EQ(SaneFrameThickness(24, at150), 24) << "16 at 96 DPI";
    EXPECT_EQ(SaneFrameThickness(25, at150), 6);
    EXPECT_EQ(TitleInset(0, 6, at150), 5);
    EXPECT_EQ(TitleInset(2, 6, at150), 6);
}

TEST(FrameLayout, RegionRowsScaleAsTheRowsTheyCover) {
    struct Case {
        int minY, maxY, dpi;
        RegionRows want;
    } cases[] = {
        {0, 3, 96, {0, 3}},  {0, 3, 120, {0, 4}},     {0, 3, 144, {0, 5}},   {0, 3, 192, {0, 7}},
        {2, 3, 144, {3, 5}}, {2, 3, 192, {4, 7}},     {-1, 3, 144, {-1, 5}}, {2, 2, 144, {3, 3}},
        {5, 1, 144, {8, 8}}, {-1, -1, 192, {-1, -1}}, // scan to the end
    };
    for (const Case& c : cases) {
        const RegionRows got = ScaledRegionRows(c.minY, c.maxY, corvane::ui::Scaler(c.dpi));
        EXPECT_EQ(got.minY, c.want.minY) << c.minY << ".." << c.maxY << " at " << c.dpi;
        EXPECT_EQ(got.maxY, c.want.maxY) << c.minY << ".." << c.maxY << " at " << c.dpi;
    }
}

// Pictures from text rows: '#' opaque, '.' the transparent colour.
struct Picture {
    std::vector<uint32_t> px;
    PixelView view;
    explicit Picture(const std::vector<std::string>& rows) {
        for (const std::string& r : rows)
            for (char ch : r) px.push_back(ch == '#' ? 0x00123456u : 0x00FF00FFu);
        view = {px.data(), static_cast<int>(rows[0].size()), static_cast<int>(rows.size())};
    }
};

TEST(FrameRegionRects, ScansRowsBetweenTheLimits) {
    const Picture title({"..##..", ".####.", "######", "######"});
    const Picture bottom({"######", "#....#", "......"});
    struct Case {
        const char* name;
        int minY, maxY;
        bool withBottom;
        std::vector<Rect> want;
    };
    const Case cases[] = {
        {"min -1 scans from row 0 to max", -1, 1, false, {{2, 0, 4, 1}, {1, 1, 5, 2}, {0, 2, 6, 4}, {0, 4, 6, 20}}},
        {"min not below max scans to the last row",
         1,
         1,
         false,
         {{0, 0, 6, 1}, {1, 1, 5, 2}, {0, 2, 6, 3}, {0, 3, 6, 4}, {0, 4, 6, 20}}},
        {"bottom strip shifted, runs end in the last column",
         0,
         0,
         true,
         {{2, 0, 4, 1},
          {1, 1, 5, 2},
          {0, 2, 6, 3},
          {0, 3, 6, 4},
          {0, 4, 6, 17},
          {0, 17, 6, 18},
          {0, 18, 1, 19},
          {5, 18, 6, 19}}},
    };
    for (const Case& c : cases) {
        RegionInput in;
        in.width = 6;
        in.height = 20;
        in.title = &title.view;
        in.titleMinY = c.minY;
        in.titleMaxY = c.maxY;
        if (c.withBottom) {
            in.bottom = &bottom.view;
            in.bottomMinY = -1;
            in.bottomMaxY = 5;
        }
        EXPECT_EQ(FrameRegionRects(in), c.want) << c.name;
    }
}

TEST(FrameRegionRects, LonePixelInTheLastColumnAndNoStrips) {
    const Picture bottom({".....#", "......"});
    std::vector<Rect> out;
    AddStripRegion(bottom.view, 0xFF00FF, 0, 1, 6, 10, out);
    EXPECT_EQ(out, (std::vector<Rect>{{5, 10, 6, 11}}));
    RegionInput none;
    none.width = 30;
    none.height = 40;
    EXPECT_EQ(FrameRegionRects(none), (std::vector<Rect>{{0, 0, 30, 40}}));
}

TEST(FrameRegionRects, PictureThatCouldNotBeMadeLeavesItsStripSolid) {
    const PixelView missing{nullptr, 6, 4}; // a failed DIB section: a size but no pixels
    RegionInput in{6, 20, 0xFF00FF, &missing, -1, 3, &missing, 0, 3};
    EXPECT_EQ(FrameRegionRects(in), (std::vector<Rect>{{0, 0, 6, 4}, {0, 4, 6, 16}, {0, 16, 6, 20}}));
}

TEST(LayoutTitleButtons, PlacesFromTheRightAndHitsEdges) {
    // Control box, close, max (hidden), min: the program's windows.
    std::vector<TitleButtonSlot> b = {{TitleButtonType::ControlBox, true, true, 19, 19},
                                      {TitleButtonType::Close, true, true, 19, 19},
                                      {TitleButtonType::Max, false, true, 19, 19},
                                      {TitleButtonType::Min, true, true, 19, 19}};
    TitleBarMetrics m;
    m.width = 300;
    m.inset = 0;
    m.interval = 2;
    m.buttonTop = 3;
    m.iconTop = 3;
    TitleButtonLayout l = LayoutTitleButtons(m, b, 300 - 19 - 1 + 19 - 19, 3 + 19);
    const int closeX = 300 - 1 - 19; // flush right
    EXPECT_EQ(l.rects[1], (Rect{closeX, 3, closeX + 19, 22}));
    EXPECT_EQ(l.rects[3].left, closeX - 19 - 2 - 1); // one pixel plus the interval
    EXPECT_EQ(l.rects[2], Rect{});
    EXPECT_EQ(l.buttonsLeft, l.rects[3].left);
    EXPECT_EQ(l.controlBox, 0);
    // A point on the right or bottom edge counts.
    EXPECT_EQ(LayoutTitleButtons(m, b, closeX + 19, 22).hot, 1);
    EXPECT_EQ(LayoutTitleButtons(m, b, closeX - 1, 22).hot, -1);
    EXPECT_EQ(LayoutTitleButtons(m, b, l.rects[3].right, l.rects[3].bottom).hot, 3);
    // A button that would stick out is pulled in to end one pixel inside.
    m.rightOffset = -40;
    EXPECT_EQ(LayoutTitleButtons(m, b, -1, -1).rects[1].left, 300 - 19 - 1);
}

TEST(LayoutTitleButtons, CaptionStartsAfterIconOrControlBox) {
    struct Case {
        const char* name;
        bool controlBox, appIcon;
        int leftOffset, inset, want, dpi = 96;
    };
    const Case cases[] = {
        {"app icon", true, true, 10, 2, 10 - 2 - 3 + 21},
        {"control-box picture", true, false, 10, 2, 10 - 2 - 3 + 19 + 5},
        {"nothing, offset 0", false, true, 0, 2, 6},
        {"nothing, small offset", false, true, 4, 2, 6},
        // At 150 percent the fixed gaps of 3, 21, 5 and 6 are 5 (4.5), 32 (31.5), 8 (7.5) and 9.
        {"app icon at 150%", true, true, 15, 3, 15 - 3 - 5 + 32, 144},
        {"control-box picture at 150%", true, false, 15, 3, 15 - 3 - 5 + 19 + 8, 144},
        {"nothing at 150%", false, true, 0, 3, 9, 144},
    };
    for (const Case& c : cases) {
        std::vector<TitleButtonSlot> b = {{TitleButtonType::ControlBox, c.controlBox, true, 19, 19}};
        TitleBarMetrics m;
        m.width = 200;
        m.inset = c.inset;
        m.leftOffset = c.leftOffset;
        m.drawAppIcon = c.appIcon;
        m.scale = corvane::ui::Scaler(c.dpi);
        EXPECT_EQ(LayoutTitleButtons(m, b, -1, -1).captionLeft, c.want) << c.name;
    }
}

TEST(LayoutSections, LeftRightThenClientFillsTheRest) {
    // Five sections on a frame: left, caption, right, client, right.
    const std::vector<SectionSlot> s = {{SectionAlign::Left, false, 30, 30},
                                        {SectionAlign::Left, true, 8, 10},
                                        {SectionAlign::Right, false, 20, 20},
                                        {SectionAlign::Client, false, 5, 10},
                                        {SectionAlign::Right, false, 40, 40}};
    const auto p = LayoutSections(s, 200, -2, 50);
    EXPECT_EQ(p[0].left, -2);
    EXPECT_EQ(p[1].left, 28);
    EXPECT_EQ(p[1].right, 78);
    EXPECT_EQ(p[2].right, 202);
    EXPECT_EQ(p[4].left, 202 - 20 - 40);
    EXPECT_EQ(p[3].left, 78);
    EXPECT_EQ(p[3].right, 142);
}

TEST(MeasureMenuItem, HeightsAndWidth) {
    MenuLook look;
    look.applyStyle(false);
    EXPECT_EQ(MeasureMenuItem(look, "-", 3, 13, 0), (MenuItemSize{3 + 26 + 40, 5}));
    EXPECT_EQ(MeasureMenuItem(look, "&Close", 30, 13, 0), (MenuItemSize{30 + 26 + 40, 21}));
    EXPECT_EQ(MeasureMenuItem(look, "Open", 30, 25, 40), (MenuItemSize{30 + 40 + 26 + 40, 25}));
    look.applyStyle(true);
    look.setItemHeight(40);
    look.setSeparatorHeight(30);
    EXPECT_EQ(MeasureMenuItem(look, "x", 6, 13, 0).height, 20);
    EXPECT_EQ(MeasureMenuItem(look, "-", 6, 13, 0).height, 12);
    look.applyStyle(false);
    look.setItemHeight(40);
    EXPECT_EQ(MeasureMenuItem(look, "x", 6, 13, 0).height, 40);
}

} // namespace
