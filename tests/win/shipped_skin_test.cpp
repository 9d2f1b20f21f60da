// The skin the build places beside the exe ("msn.ssk"), read as the program
// reads it: every key that the windows look up is there with its kind, the
// pictures have the shapes the frame cuts them into, and the transparent
// colour cuts the window's corners within the rows the region scan visits.
#include "TestSupport.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/FileThemeManager.h"
#include "skin/theme/SkinKeys.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace corvane::skin;

using namespace corvane;
using namespace corvane::test;
using Kind = skin::SkinFileReader::Kind;

namespace {

std::string ShippedSkin() {
    char buf[MAX_PATH * 2];
    std::string exe(buf, GetModuleFileNameA(nullptr, buf, sizeof buf));
    return exe.substr(0, exe.find_last_of('\\') + 1) + "msn.ssk";
}

// The keys that the frame, title bar, system menu, buttons, check boxes, tool
// bar, group boxes and edits read.
const ColorKey kColors[] = {
    ColorKey::TRANSCOLOR,
    ColorKey::TITLEFONTCOLOR,
    ColorKey::FORMCOLOR,
    ColorKey::MENUBARSTARTCOLOR,
    ColorKey::MENUBARENDCOLOR,
    ColorKey::TOPSELECTEDMENUCOLOR,
    ColorKey::TOPSELECTEDMENUBORDERCOLOR,
    ColorKey::TOPSELECTEDMENUFONTCOLOR,
    ColorKey::TOPMENUFONTCOLOR,
    ColorKey::LEFTBARSTARTCOLOR,
    ColorKey::LEFTBARENDCOLOR,
    ColorKey::MENUITEMCOLOR,
    ColorKey::MENUITEMFONTCOLOR,
    ColorKey::SELECTEDMENUCOLOR,
    ColorKey::SELECTEDMENUBORDERCOLOR,
    ColorKey::SELECTEDMENUFONTCOLOR,
    ColorKey::TOOLBARSTARTCOLOR,
    ColorKey::TOOLBARENDCOLOR,
    ColorKey::TOOLBARBORDERCOLOR,
    ColorKey::TOOLBARDOWNCOLOR,
    ColorKey::CONTROLBORDERCOLOR,
    ColorKey::CONTROLFONTCOLOR,
    ColorKey::BUTTONFONTCOLOR,
};
const BitmapKey kBitmaps[] = {
    BitmapKey::TITLEBAR1,         BitmapKey::TITLEBAR2,         BitmapKey::TITLEBAR3,
    BitmapKey::TITLEBAR4,         BitmapKey::TITLEBAR5,         BitmapKey::FORMLEFTBORDER,
    BitmapKey::FORMRIGHTBORDER,   BitmapKey::FORMBOTTOMBORDER1, BitmapKey::FORMBOTTOMBORDER2,
    BitmapKey::FORMBOTTOMBORDER3, BitmapKey::TITLEBUTTONS,      BitmapKey::BUTTON,
    BitmapKey::CHECKBOX,
};
const BoolKey kBools[] = {
    BoolKey::TITLEFIVESECT,          BoolKey::BOTTOMBORDERTHREESECT, BoolKey::TITLEBARNEEDREGION,
    BoolKey::BOTTOMBORDERNEEDREGION, BoolKey::TITLEBTNTRANS,         BoolKey::BUTTONTRANS,
};

// A bitmap of the theme as 0x00BBGGRR pixels, top row first.
struct Pixels {
    explicit Pixels(HBITMAP b) {
        BITMAP bm{};
        GetObjectA(b, sizeof bm, &bm);
        w = bm.bmWidth;
        h = bm.bmHeight;
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<DWORD> bgra(static_cast<size_t>(w) * h);
        HDC dc = GetDC(nullptr);
        GetDIBits(dc, b, 0, static_cast<UINT>(h), bgra.data(), &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        for (DWORD v : bgra) px.push_back(RGB(GetBValue(v), GetGValue(v), GetRValue(v)));
    }
    COLORREF at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
    bool rowHas(int y, COLORREF c) const {
        for (int x = 0; x < w; ++x)
            if (at(x, y) == c) return true;
        return false;
    }
    int w = 0, h = 0;
    std::vector<COLORREF> px;
};

class ShippedSkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = ShippedSkin();
        ASSERT_TRUE(FileExists(path)) << path << ": the build places the skin beside the exe";
        theme.setThemeFile(path);
        ASSERT_TRUE(theme.ready());
    }
    Pixels picture(BitmapKey k) const { return Pixels(theme.lookupBitmap(k)); }

    std::string path;
    skin::FileTheme theme{nullptr};
};

} // namespace

TEST_F(ShippedSkinTest, EveryKeyTheWindowsReadIsThereWithItsKind) {
    TempFolder temp;
    skin::FileThemeManager mgr;
    ASSERT_TRUE(mgr.load(path, "", temp.file("description")));
    const skin::SkinFileReader& r = *mgr.reader();
    for (ColorKey k : kColors) EXPECT_TRUE(r.has(Kind::Integer, SkinKeyName(k))) << SkinKeyName(k);
    for (int i = 0; i < kIntKeyCount; ++i) {
        const char* name = SkinKeyName(static_cast<IntKey>(i));
        EXPECT_TRUE(r.has(Kind::Integer, name)) << name;
    }
    for (BoolKey k : kBools) EXPECT_TRUE(r.has(Kind::Boolean, SkinKeyName(k))) << SkinKeyName(k);
    for (BitmapKey k : kBitmaps) {
        EXPECT_TRUE(r.has(Kind::Bitmap, SkinKeyName(k))) << SkinKeyName(k);
        EXPECT_NE(theme.lookupBitmap(k), nullptr) << SkinKeyName(k) << " does not become a bitmap";
    }
    // The title bar is built from five sections and both region scans run.
    for (BoolKey k : {BoolKey::TITLEFIVESECT, BoolKey::TITLEBARNEEDREGION, BoolKey::BOTTOMBORDERNEEDREGION})
        EXPECT_TRUE(theme.lookupBool(k)) << SkinKeyName(k);
}

TEST_F(ShippedSkinTest, PicturesHaveTheShapesTheControlsCutThemInto) {
    const int titleH = picture(BitmapKey::TITLEBAR1).h;
    for (BitmapKey k : {BitmapKey::TITLEBAR2, BitmapKey::TITLEBAR3, BitmapKey::TITLEBAR4, BitmapKey::TITLEBAR5})
        EXPECT_EQ(picture(k).h, titleH) << SkinKeyName(k);
    const int bottomH = picture(BitmapKey::FORMBOTTOMBORDER1).h;
    for (BitmapKey k : {BitmapKey::FORMBOTTOMBORDER2, BitmapKey::FORMBOTTOMBORDER3})
        EXPECT_EQ(picture(k).h, bottomH) << SkinKeyName(k);
    struct Strip {
        BitmapKey key;
        int parts;
    };
    for (Strip s : {Strip{BitmapKey::TITLEBUTTONS, 18}, Strip{BitmapKey::BUTTON, 3}, Strip{BitmapKey::CHECKBOX, 6}}) {
        const Pixels p = picture(s.key);
        EXPECT_EQ(p.w % s.parts, 0) << SkinKeyName(s.key);
        EXPECT_GT(p.w, 0) << SkinKeyName(s.key);
    }
    // Title buttons sit inside the bar.
    const int buttonH = picture(BitmapKey::TITLEBUTTONS).h;
    EXPECT_LE(theme.lookupInt(IntKey::TITLEBARBUTTONPOSY) + buttonH, titleH);
    // Row limits of the region scans lie within the pictures they scan.
    EXPECT_LE(0, theme.lookupInt(IntKey::TITLEBARREGIONMINY));
    EXPECT_LT(theme.lookupInt(IntKey::TITLEBARREGIONMINY), theme.lookupInt(IntKey::TITLEBARREGIONMAXY));
    EXPECT_LT(theme.lookupInt(IntKey::TITLEBARREGIONMAXY), titleH);
    EXPECT_LE(0, theme.lookupInt(IntKey::BOTTOMREGIONMINY));
    EXPECT_LT(theme.lookupInt(IntKey::BOTTOMREGIONMINY), theme.lookupInt(IntKey::BOTTOMREGIONMAXY));
    EXPECT_LT(theme.lookupInt(IntKey::BOTTOMREGIONMAXY), bottomH);
}

TEST_F(ShippedSkinTest, TheRegionScanCutsTheFourCornersAndNothingOutsideItsRows) {
    const COLORREF t = static_cast<COLORREF>(theme.lookupColor(ColorKey::TRANSCOLOR));
    const Pixels left = picture(BitmapKey::TITLEBAR1), right = picture(BitmapKey::TITLEBAR5);
    const Pixels bottomLeft = picture(BitmapKey::FORMBOTTOMBORDER1),
                 bottomRight = picture(BitmapKey::FORMBOTTOMBORDER3);
    EXPECT_EQ(left.at(0, 0), t);
    EXPECT_EQ(right.at(right.w - 1, 0), t);
    EXPECT_EQ(bottomLeft.at(0, bottomLeft.h - 1), t);
    EXPECT_EQ(bottomRight.at(bottomRight.w - 1, bottomRight.h - 1), t);
    // The bar's top edge stays: only the corners are cut.
    EXPECT_NE(left.at(left.w - 1, 0), t);
    EXPECT_NE(right.at(0, 0), t);

    // A transparent pixel on a row the scan skips would show on screen.
    const int top0 = theme.lookupInt(IntKey::TITLEBARREGIONMINY), top1 = theme.lookupInt(IntKey::TITLEBARREGIONMAXY);
    for (BitmapKey k : {BitmapKey::TITLEBAR1, BitmapKey::TITLEBAR2, BitmapKey::TITLEBAR3, BitmapKey::TITLEBAR4,
                        BitmapKey::TITLEBAR5}) {
        const Pixels p = picture(k);
        for (int y = 0; y < p.h; ++y)
            if (y < top0 || y > top1) {
                EXPECT_FALSE(p.rowHas(y, t)) << SkinKeyName(k) << " row " << y;
            }
    }
    const int bot0 = theme.lookupInt(IntKey::BOTTOMREGIONMINY), bot1 = theme.lookupInt(IntKey::BOTTOMREGIONMAXY);
    for (BitmapKey k : {BitmapKey::FORMBOTTOMBORDER1, BitmapKey::FORMBOTTOMBORDER2, BitmapKey::FORMBOTTOMBORDER3}) {
        const Pixels p = picture(k);
        for (int y = 0; y < p.h; ++y)
            if (y < bot0 || y > bot1) {
                EXPECT_FALSE(p.rowHas(y, t)) << SkinKeyName(k) << " row " << y;
            }
    }
    // Side borders are stretched, never scanned: no transparent pixel at all.
    for (BitmapKey k : {BitmapKey::FORMLEFTBORDER, BitmapKey::FORMRIGHTBORDER}) {
        const Pixels p = picture(k);
        for (int y = 0; y < p.h; ++y) EXPECT_FALSE(p.rowHas(y, t)) << SkinKeyName(k);
    }
}
