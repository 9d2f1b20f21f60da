#include "TestSupport.h"
#include "skin/controls/Button.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/Edit.h"
#include "skin/controls/GroupBox.h"
#include "skin/controls/ParentColor.h"
#include "skin/controls/ToolBar.h"
#include "skin/frame/FramePanel.h"
#include "skin/frame/PopupMenu.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/StyleBitmaps.h"
#include "skinpack/SkinWriter.h"
#include "ui/Application.h"
#include "ui/Environment.h"
#include "ui/Form.h"
#include "ui/Handles.h"
#include "ui/StdControls.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace corvane;
using namespace corvane::test;
using skinpack::DescriptionWriter;

namespace {

constexpr COLORREF kFormColor = RGB(200, 190, 180);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kParts[6] = {RGB(200, 0, 0),   RGB(0, 160, 0),   RGB(0, 0, 210),
                                RGB(120, 120, 0), RGB(0, 120, 120), RGB(90, 0, 90)};

class Host : public ui::Form {
public:
    Host() : ui::Form(nullptr, "SkinHost") {
        caption = "Skinned controls";
        clientWidth = 360;
        clientHeight = 220;
        color = kFormColor;
    }
};

COLORREF ScreenPixel(HWND w, int x, int y, bool client = true) {
    POINT p{x, y};
    if (client) ClientToScreen(w, &p);
    else {
        RECT r;
        GetWindowRect(w, &r);
        p = {r.left + x, r.top + y};
    }
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return c;
}

// Real input, as a user gives it, each waited for until this thread has handled it.
void Type(WORD vk) { EXPECT_TRUE(PressKeys({vk})) << "key " << vk << " never reached the test's window"; }
void CursorTo(HWND w, int x, int y) { EXPECT_TRUE(MoveMouseTo(w, x, y)) << "the move never reached the window"; }

// Where the first ink of `text` lies when DrawText puts it at (0, 0) in the window's font.
POINT InkOffset(HWND w, const std::string& text, UINT flags) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0));
    ui::WindowDc screen(nullptr);
    ui::OffscreenBitmap off(screen.get(), 200, 40);
    RECT r{0, 0, 200, 40};
    ui::FillSolid(off.dc(), r, RGB(255, 255, 255));
    ui::SelectObjectScope f(off.dc(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(off.dc(), TRANSPARENT);
    SetTextColor(off.dc(), 0);
    DrawTextA(off.dc(), text.c_str(), static_cast<int>(text.size()), &r, flags);
    POINT first{200, 40};
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            if (GetPixel(off.dc(), x, y) != RGB(255, 255, 255))
                first = {std::min<LONG>(first.x, x), std::min<LONG>(first.y, y)};
    return first;
}

// Exact colours: no smoothing of the letters' edges. A face whose bold has thicker
// strokes here, unlike Tahoma at this size.
ui::FontHandle SharpFont() {
    return ui::FontHandle(CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY,
                                      0, "MS Sans Serif"));
}

ui::BitmapHandle SolidBitmap(int w, int h, COLORREF c, bool magentaCorner = false) {
    return skin::BitmapFromBmpBytes(skinpack::MakeBmp24(
        w, h, [=](int x, int y) { return uint32_t(magentaCorner && x == 0 && y == 0 ? kMagenta : c); }));
}

class SkinControls : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<Host>();
        form->create();
        SetWindowPos(form->handle(), HWND_TOP, 60, 60, 0, 0, SWP_NOSIZE);
        form->show();
        SetForegroundWindow(form->handle());
        SetActiveWindow(form->handle());
        PumpFor(30);
    }
    void TearDown() override { form.reset(); }

    // A ready file theme owned by the form, from a skin of our own.
    skin::FileTheme* theme(const DescriptionWriter& d) {
        EXPECT_TRUE(skinpack::WriteFile(folder.file("t.ssk"), skinpack::BuildSkin(d, {})));
        auto* t = new skin::FileTheme(form.get(), "theme");
        t->setThemeFile(folder.file("t.ssk"));
        EXPECT_TRUE(t->ready());
        return t;
    }

    TempFolder folder;
    std::unique_ptr<Host> form;
};

// Three 18 x 21 parts, each its own colour, with magenta in the top-left corner
// pixel and in the centre piece.
DescriptionWriter ButtonSkin(bool transparent) {
    DescriptionWriter d;
    d.addBitmap("SKIN2_BUTTON", skinpack::MakeBmp24(54, 21, [](int x, int y) {
                    const int px = x % 18;
                    if ((px == 0 && y == 0) || (px == 9 && y == 10)) return uint32_t(kMagenta);
                    return uint32_t(kParts[x / 18]);
                }));
    d.addBool("SKIN2_BUTTONTRANS", transparent);
    d.addInt("SKIN2_BUTTONFONTCOLOR", 0x00FF00);
    return d;
}

TEST_F(SkinControls, ButtonStatePicturesStretchInNineParts) {
    auto* t = theme(ButtonSkin(false));
    auto* b = new skin::Button(form.get(), "b", form->handle(), 10, 10, 75, 25);
    b->setUIStyle(skin::UIStyle::FromThemeFile);
    b->setFileTheme(t);
    EXPECT_EQ(b->fontColor(), 0x00FF00u);
    auto probe = [&](int x, int y) { return Capture(b->handle()).pixel(x, y); };
    EXPECT_EQ(probe(37, 5), kParts[0]);   // top edge, stretched
    EXPECT_EQ(probe(0, 24), kParts[0]);   // bottom-left corner
    EXPECT_EQ(probe(0, 0), kMagenta);     // opaque picture: the corner is drawn plain
    EXPECT_EQ(probe(37, 12), kFormColor); // magenta in a stretched piece is transparent
    b->perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(b->hover());
    EXPECT_EQ(probe(37, 5), kParts[1]);
    b->perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(probe(37, 5), kParts[2]);
    b->setEnabled(false);
    EXPECT_EQ(probe(37, 5), kParts[0]);
    b->perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

    // A transparent picture masks its corners too.
    auto* clear = new skin::Button(form.get(), "clear", form->handle(), 100, 10, 75, 25);
    clear->setUIStyle(skin::UIStyle::FromThemeFile);
    clear->setFileTheme(theme(ButtonSkin(true)));
    EXPECT_TRUE(clear->transparent());
    EXPECT_EQ(Capture(clear->handle()).pixel(0, 0), kFormColor);
    // On a tool bar, what is behind the bar shows through, not the bar.
    auto* bar = new skin::ToolBar(form.get(), "bar", form->handle(), 0, 150, 360, 40, 44, 36, nullptr);
    auto* onBar = new skin::Button(form.get(), "onBar", bar->handle(), 200, 5, 75, 25);
    onBar->setUIStyle(skin::UIStyle::FromThemeFile);
    onBar->setFileTheme(clear->fileTheme());
    EXPECT_EQ(Capture(onBar->handle()).pixel(0, 0), kFormColor);
}

TEST_F(SkinControls, ButtonWithoutPictureShowsTheEmptyOne) {
    DescriptionWriter d;
    d.addInt("SKIN2_FORMCOLOR", 1);
    auto* b = new skin::Button(form.get(), "b", form->handle(), 10, 10, 75, 25);
    b->setUIStyle(skin::UIStyle::FromThemeFile);
    b->setFileTheme(theme(d));
    const Capture c(b->handle());
    EXPECT_EQ(c.pixel(37, 5), RGB(255, 255, 255));
    EXPECT_EQ(c.pixel(70, 20), RGB(255, 255, 255));
}

TEST_F(SkinControls, GlyphDrawnForTheState) {
    auto* b = new skin::Button(form.get(), "g", form->handle(), 10, 10, 80, 27);
    b->setUIStyle(skin::UIStyle::WinXP);
    const auto bytes = skinpack::MakeBmp24(32, 16, [](int x, int y) {
        if (x == 0 && y == 0) return uint32_t(kMagenta);
        return uint32_t(x < 16 ? RGB(0, 200, 0) : RGB(0, 0, 200));
    });
    ui::BitmapHandle glyph = skin::BitmapFromBmpBytes(bytes);
    b->setGlyph(glyph.get());
    // 16 x 16 image at ((80 - 16 - 0 - 4) / 2, (27 - 16) / 2).
    EXPECT_EQ(Capture(b->handle()).pixel(38, 13), RGB(0, 200, 0));
    b->setEnabled(false);
    EXPECT_EQ(Capture(b->handle()).pixel(38, 13), RGB(0, 0, 200));

    // A single image is greyed instead: drawn, but none of its colour.
    b->setGlyph(nullptr);
    const Capture bare(b->handle());
    b->setGlyph(SolidBitmap(16, 16, RGB(0, 200, 0), true).get());
    const Capture greyed(b->handle());
    const RECT box{30, 5, 46, 21};
    EXPECT_EQ(greyed.count(box, [](COLORREF p) { return p == RGB(0, 200, 0); }), 0);
    int drawn = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) drawn += greyed.pixel(x, y) != bare.pixel(x, y);
    EXPECT_GT(drawn, 16 * 16 / 2);
}

// A button without a glyph takes its action's image, when the index is in range.
TEST_F(SkinControls, ActionImageBecomesTheMissingGlyph) {
    constexpr COLORREF kImage = RGB(0, 200, 0);
    auto* images = new ui::ImageList(form.get(), "images", 16, 16);
    ImageList_AddMasked(images->handle(), SolidBitmap(16, 16, kImage, true).get(), kMagenta);
    auto* actions = new ui::ActionList(form.get(), "actions");
    struct Case {
        int imageIndex;
        bool ownGlyph;
        int imagePixels;
        bool glyph;
    };
    for (const Case& c : {Case{0, false, 16 * 16 - 1, true}, Case{1, false, 0, false}, Case{0, true, 0, true}}) {
        SCOPED_TRACE(c.imageIndex * 10 + c.ownGlyph);
        auto* b = new skin::Button(form.get(), "", form->handle(), 10, 10);
        b->setUIStyle(skin::UIStyle::WinXP);
        if (c.ownGlyph) b->setGlyph(SolidBitmap(16, 16, RGB(0, 0, 200), true).get());
        b->setAction(actions->add("", "Go", c.imageIndex), images);
        EXPECT_EQ(Capture(b->handle()).count(RECT{0, 0, 80, 27}, [&](COLORREF p) { return p == kImage; }),
                  c.imagePixels);
        EXPECT_EQ(b->glyph() != nullptr, c.glyph);
        delete b;
    }
}

TEST_F(SkinControls, CaptionEngravedWhenDisabledAndMovedWhenPressed) {
    auto* t = theme(ButtonSkin(false));
    auto* b = new skin::Button(form.get(), "c", form->handle(), 10, 10, 80, 27);
    b->setUIStyle(skin::UIStyle::FromThemeFile);
    b->setFileTheme(t);
    b->setCaption("IIII");
    ui::FontHandle font = SharpFont();
    b->setFont(font.get());
    b->setEnabled(false);
    const Capture c(b->handle());
    auto grey = [](COLORREF p) { return p == RGB(128, 128, 128); };
    auto white = [](COLORREF p) { return p == RGB(255, 255, 255); };
    RECT all{0, 0, 80, 27};
    ASSERT_GT(c.count(all, grey), 10);
    // Every grey pixel has its white twin one pixel down-right, unless grey covers it.
    int twins = 0;
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 79; ++x)
            if (grey(c.pixel(x, y)) && (white(c.pixel(x + 1, y + 1)) || grey(c.pixel(x + 1, y + 1)))) ++twins;
    EXPECT_EQ(twins, c.count(RECT{0, 0, 79, 26}, grey));

    // Pressed, the caption moves one pixel down-right.
    b->setEnabled(true);
    auto ink = [&] { return Capture(b->handle()).bounds(all, [](COLORREF p) { return p == RGB(0, 255, 0); }); };
    const RECT up = ink();
    ASSERT_LT(up.left, up.right);
    b->perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    const RECT down = ink();
    b->perform(WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));
    EXPECT_EQ(down.left, up.left + 1);
    EXPECT_EQ(down.top, up.top + 1);
}

// MacOS and BlueGlass show focus by a bold caption, the other styles by a focus
// rectangle (outside the counted area); the bold lasts only while focused.
TEST_F(SkinControls, FocusedCaptionIsBoldInMacOSAndBlueGlassOnly) {
    ui::FontHandle font = SharpFont();
    auto* b = new skin::Button(form.get(), "b", form->handle(), 10, 10, 80, 27);
    auto* other = new skin::Button(form.get(), "other", form->handle(), 100, 10, 80, 27);
    b->setCaption("MMMM");
    b->setFont(font.get());
    auto ink = [&] { return Capture(b->handle()).count(RECT{3, 3, 77, 24}, [](COLORREF p) { return p == 0; }); };
    struct Case {
        skin::UIStyle style;
        bool bold;
    };
    for (const Case& c :
         {Case{skin::UIStyle::WinXP, false}, Case{skin::UIStyle::MacOS, true}, Case{skin::UIStyle::BlueGlass, true}}) {
        SCOPED_TRACE(static_cast<int>(c.style));
        b->setUIStyle(c.style);
        other->setFocus();
        const int plain = ink();
        ASSERT_GT(plain, 20);
        b->setFocus();
        const int focused = ink();
        other->setFocus();
        EXPECT_EQ(ink(), plain);
        if (c.bold) EXPECT_GT(focused, plain + 20);
        else EXPECT_EQ(focused, plain);
    }
}

// AutoSize takes one part of the built-in style's strip, whatever a file theme holds:
// a third of MacOS's 252 x 23, WinXP's 54 x 21, DeepBlue's and Protein's 222 x 21 and
// BlueGlass's 231 x 27; FromThemeFile finds no strip there and takes a third of the
// empty 74 x 21.
TEST_F(SkinControls, ButtonAutoSizeTakesThePartOfTheBuiltInStrip) {
    auto* b = new skin::Button(form.get(), "b", form->handle(), 10, 10);
    b->setFileTheme(theme(ButtonSkin(false))); // 18 x 21 parts, never the size
    struct Case {
        skin::UIStyle style;
        int width, height;
    };
    const Case cases[] = {{skin::UIStyle::MacOS, 84, 23},     {skin::UIStyle::WinXP, 18, 21},
                          {skin::UIStyle::DeepBlue, 74, 21},  {skin::UIStyle::Protein, 74, 21},
                          {skin::UIStyle::BlueGlass, 77, 27}, {skin::UIStyle::FromThemeFile, 24, 21}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.style));
        b->setAutoSize(false);
        b->setBounds(10, 10, 80, 27);
        b->setUIStyle(c.style);
        EXPECT_EQ(b->width(), 80);
        b->setAutoSize(true);
        EXPECT_EQ(b->width(), c.width);
        EXPECT_EQ(b->height(), c.height);
    }
}

// Glyph (found by its colour) and caption (by its ink) where each Layout puts them on a
// 100 x 64 button with a 20 x 14 glyph and Spacing 4; a pressed button moves both one
// pixel down-right. The arithmetic with the caption's size is pinned by the host tests.
TEST_F(SkinControls, GlyphLayoutsPlaceGlyphAndCaption) {
    constexpr COLORREF kGlyph = RGB(0, 200, 0), kText = RGB(230, 0, 0);
    ui::FontHandle font = SharpFont();
    auto* b = new skin::Button(form.get(), "g", form->handle(), 10, 10, 100, 64);
    b->setUIStyle(skin::UIStyle::WinXP);
    b->setFont(font.get());
    b->setFontColor(kText);
    b->setCaption("Go");
    b->setGlyph(SolidBitmap(20, 14, kGlyph, true).get());
    const POINT ink = InkOffset(b->handle(), "Go", DT_SINGLELINE);
    struct Placed {
        RECT glyph, text;
    };
    auto paint = [&](skin::ButtonLayout layout) {
        b->setLayout(layout);
        const Capture cap(b->handle());
        const RECT all{0, 0, 100, 64};
        return Placed{cap.bounds(all, [&](COLORREF p) { return p == kGlyph; }),
                      cap.bounds(all, [&](COLORREF p) { return p == kText; })};
    };
    const Placed left = paint(skin::ButtonLayout::GlyphLeft), right = paint(skin::ButtonLayout::GlyphRight),
                 top = paint(skin::ButtonLayout::GlyphTop), bottom = paint(skin::ButtonLayout::GlyphBottom);
    for (const Placed& p : {left, right, top, bottom}) {
        EXPECT_EQ(p.glyph.right - p.glyph.left, 20);
        EXPECT_EQ(p.glyph.bottom - p.glyph.top, 14);
        EXPECT_LT(p.text.left, p.text.right) << "no caption";
    }
    // Beside the caption the glyph is centred vertically, (64 - 14) div 2; above or
    // below it, horizontally, (100 - 20) div 2.
    EXPECT_EQ(left.glyph.top, 25);
    EXPECT_EQ(right.glyph.top, 25);
    EXPECT_EQ(top.glyph.left, 40);
    EXPECT_EQ(bottom.glyph.left, 40);
    // The caption starts Spacing after the glyph, or ends Spacing before it.
    EXPECT_EQ(left.text.left, left.glyph.right + 4 + ink.x);
    EXPECT_LE(right.text.right, right.glyph.left - 4);
    EXPECT_GT(right.text.right, right.glyph.left - 4 - 3);
    EXPECT_EQ(top.text.top, top.glyph.bottom + 4 + ink.y);
    EXPECT_LE(bottom.text.bottom, bottom.glyph.top - 4);
    EXPECT_LT(left.glyph.left, right.glyph.left);
    EXPECT_LT(top.glyph.top, bottom.glyph.top);

    b->setLayout(skin::ButtonLayout::GlyphLeft);
    b->perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    const Placed pressed = paint(skin::ButtonLayout::GlyphLeft);
    EXPECT_EQ(pressed.glyph.left, left.glyph.left + 1);
    EXPECT_EQ(pressed.glyph.top, left.glyph.top + 1);
    EXPECT_EQ(pressed.text.left, left.text.left + 1);
    EXPECT_EQ(pressed.text.top, left.text.top + 1);
    b->perform(WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));
}

class SkinKeys : public SkinControls {
protected:
    void SetUp() override {
        SkinControls::SetUp();
        ok = new skin::Button(form.get(), "ok", form->handle(), 10, 150, 75, 25);
        ok->setCaption("&OK");
        ok->onClick = [this] { ++okClicks; };
        other = new skin::Button(form.get(), "other", form->handle(), 100, 150, 75, 25);
        other->setCaption("&Cancel");
        other->setDefault(true);
        other->setCancel(true);
        other->onClick = [this] { ++otherClicks; };
        edit = new skin::Edit(form.get(), "edit", form->handle(), 10, 10, 120, 21);
    }
    skin::Button* ok = nullptr;
    skin::Button* other = nullptr;
    skin::Edit* edit = nullptr;
    int okClicks = 0, otherClicks = 0;
};

TEST_F(SkinKeys, EnterGoesToTheFocusedButtonElseToTheDefault) {
    ok->setFocus();
    Type(VK_RETURN);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(otherClicks, 0);
    edit->setFocus();
    Type(VK_RETURN);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(otherClicks, 1);
    Type(VK_ESCAPE);
    EXPECT_EQ(otherClicks, 2);
    // Each click hands the button's modal result to the form, None included.
    form->setModalResult(ui::ModalResult::Retry);
    ok->setModalResult(ui::ModalResult::None);
    ok->setFocus();
    Type(VK_SPACE);
    EXPECT_EQ(okClicks, 2);
    EXPECT_EQ(form->modalResult(), ui::ModalResult::None);
}

TEST_F(SkinKeys, PlainLetterIsAMnemonicOnlyFromASkinnedButton) {
    other->setFocus();
    Type('O');
    EXPECT_EQ(okClicks, 1);
    edit->setFocus();
    Type('O');
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(edit->text(), "o");
}

// A press of Space toggles a focused box once (on release: there is no key-down
// handling); its letter, with no Alt, takes the focus and toggles it.
TEST_F(SkinKeys, CheckBoxTogglesOnceOnSpaceAndOnItsLetter) {
    auto* box = new skin::CheckBox(form.get(), "box", form->handle(), 10, 60);
    box->setCaption("&Wrap");
    box->setFocus();
    Type(VK_SPACE);
    EXPECT_TRUE(box->checked());
    ok->setFocus();
    Type('W');
    EXPECT_FALSE(box->checked());
    EXPECT_EQ(GetFocus(), box->handle());
    EXPECT_EQ(okClicks, 0);
}

TEST_F(SkinKeys, HeldMouseRepeatsAndClicksOnceOnReleaseInside) {
    int ticks = 0;
    ok->setMouseContinuouslyDownInterval(100);
    ok->onMouseContinuouslyDown = [&] { ++ticks; };
    CursorTo(ok->handle(), 20, 10);
    LeftButton(false);
    PumpFor(1000);
    EXPECT_GE(ticks, 7);
    EXPECT_LE(ticks, 13);
    EXPECT_EQ(okClicks, 0);
    LeftButton(true);
    EXPECT_TRUE(PumpUntil([&] { return okClicks == 1; }));
    EXPECT_FALSE(ok->repeating());

    ticks = 0;
    LeftButton(false);
    PumpFor(300);
    CursorTo(form->handle(), 300, 60);
    const int atLeave = ticks;
    EXPECT_GT(atLeave, 0);
    PumpFor(400);
    EXPECT_EQ(ticks, atLeave);
    EXPECT_TRUE(LeftButton(true));
    EXPECT_EQ(okClicks, 1);
}

TEST_F(SkinKeys, FocusRectangleAtTheMarginAndCancelModeEndsAHold) {
    ok->setCaption("");
    ok->setFocusedRectMargin(4);
    other->setFocus();
    const Capture idle(ok->handle());
    ok->setFocus();
    const Capture focused(ok->handle());
    auto changedIn = [&](int x) {
        int n = 0;
        for (int y = 6; y < 19; ++y) n += idle.pixel(x, y) != focused.pixel(x, y);
        return n;
    };
    EXPECT_GT(changedIn(4), 0);
    EXPECT_EQ(changedIn(3), 0);
    EXPECT_EQ(changedIn(5), 0);
    EXPECT_GT(changedIn(75 - 4 - 1), 0);

    int ticks = 0;
    ok->onMouseContinuouslyDown = [&] { ++ticks; };
    ok->perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(ok->repeating());
    ok->perform(WM_CANCELMODE);
    EXPECT_FALSE(ok->repeating());
    EXPECT_FALSE(ok->pressed());
    PumpFor(250);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(okClicks, 0);
}

// An auto-sized WinXP box (13 x 13 pictures) in the host's font, MS Sans Serif -11,
// 13 pixels high: 19 high, and as wide as picture, caption and 8 pixels, so that the
// caption, drawn from 4 pixels after the picture, ends 4 pixels before the right edge
// (its last letter's ink a pixel or two short of that).
static bool FitsItsCaption(skin::CheckBox* box) {
    const Capture cap(box->handle());
    // The caption's black ink; a focus rectangle around it is no part of it.
    const RECT ink = cap.bounds({17, 0, cap.width(), cap.height()}, [](COLORREF p) { return p == 0; });
    const int end = box->width() - 4;
    return box->height() == 19 && ink.left >= 17 && ink.right <= end && ink.right >= end - 2;
}

TEST_F(SkinControls, CheckBoxStateAndClicks) {
    auto* box = new skin::CheckBox(form.get(), "box", form->handle(), 10, 10);
    box->setUIStyle(skin::UIStyle::WinXP);
    int clicks = 0;
    box->onClick = [&] { ++clicks; };
    box->setChecked(true);
    EXPECT_EQ(clicks, 1);
    box->setState(skin::CheckBoxState::Checked);
    EXPECT_EQ(clicks, 1);
    box->setState(skin::CheckBoxState::Grayed);
    EXPECT_FALSE(box->checked());
    EXPECT_EQ(box->state(), skin::CheckBoxState::Unchecked);
    EXPECT_EQ(clicks, 2);
    box->setState(skin::CheckBoxState::Unchecked);
    EXPECT_EQ(clicks, 2);
    // A click on release inside toggles.
    box->perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    box->perform(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(box->checked());
    EXPECT_EQ(clicks, 3);

    box->setCaption("Add a Separator Line");
    Capture(box->handle()); // a paint sizes the box
    EXPECT_TRUE(FitsItsCaption(box));
}

// A caption changed at run time: with AutoSize off the box keeps its size; turned on,
// the next paint fits picture, caption and 8 pixels, and a shorter caption shrinks it.
TEST_F(SkinControls, CheckBoxFitsARunTimeCaptionWhenAutoSized) {
    auto* box = new skin::CheckBox(form.get(), "box", form->handle(), 10, 10);
    box->setUIStyle(skin::UIStyle::WinXP);
    box->setAutoSize(false);
    box->setBounds(10, 10, 93, 17);
    box->setCaption("A caption much longer than the box");
    PumpPending();
    EXPECT_EQ(box->width(), 93);
    EXPECT_EQ(box->height(), 17);
    box->setAutoSize(true);
    EXPECT_TRUE(PumpUntil([&] { return box->width() > 93 && FitsItsCaption(box); }));
    const int longWidth = box->width();
    box->setCaption("Short");
    EXPECT_TRUE(PumpUntil([&] { return box->width() < longWidth && FitsItsCaption(box); }));
}

TEST_F(SkinControls, CheckBoxPartsFromTheFileTheme) {
    DescriptionWriter d;
    d.addBitmap("SKIN2_CHECKBOX", skinpack::MakeBmp24(78, 13, [](int x, int) { return uint32_t(kParts[x / 13]); }));
    auto* box = new skin::CheckBox(form.get(), "box", form->handle(), 10, 10);
    box->setUIStyle(skin::UIStyle::FromThemeFile);
    box->setFileTheme(theme(d));
    struct Case {
        bool checked, enabled;
        int part;
    };
    for (const Case& c : {Case{true, true, 1}, Case{true, false, 4}, Case{false, true, 3}, Case{false, false, 6}}) {
        box->setChecked(c.checked);
        box->setEnabled(c.enabled);
        const Capture cap(box->handle());
        EXPECT_EQ(cap.pixel(7, cap.height() / 2), kParts[c.part - 1]) << c.checked << c.enabled;
    }
}

TEST_F(SkinControls, ToolBarDrawsDeepBlueWithoutAReadyTheme) {
    auto* bar = new skin::ToolBar(form.get(), "bar", form->handle(), 0, 0, 360, 36, 44, 36, nullptr);
    bar->setUIStyle(skin::UIStyle::FromThemeFile);
    ui::ToolButton* add = bar->addButton("add");
    add->setCaption("&Add");
    bar->addButton("edit")->setCaption("Edit");
    EXPECT_EQ(bar->gradientStart(), bar->gradientEnd());
    PumpFor(50);
    const RECT r = add->itemRect();
    EXPECT_EQ(ScreenPixel(bar->handle(), r.right + 150, 20), RGB(0xE8, 0xE8, 0xE8));

    CursorTo(bar->handle(), r.left + 3, r.top + 3);
    auto face = [&](COLORREF c) { return ScreenPixel(bar->handle(), r.left + 2, r.top + 2) == c; };
    EXPECT_TRUE(PumpUntil([&] { return face(RGB(0xEF, 0xEF, 0xEF)); }));
    EXPECT_EQ(ScreenPixel(bar->handle(), r.left, r.top + 10), RGB(0x47, 0x47, 0x47));
    LeftButton(false);
    EXPECT_TRUE(PumpUntil([&] { return face(RGB(0xD8, 0xD8, 0xD8)); }));
    EXPECT_EQ(ScreenPixel(bar->handle(), r.left, r.top + 10), RGB(0x47, 0x47, 0x47));
    CursorTo(form->handle(), 300, 200);
    EXPECT_TRUE(LeftButton(true));
}

// Hovered with the real mouse, each face puts its image (found by its colour, from the
// hot list when there is one) and its caption (by its ink) where the tool bar's layout
// says; a drop-down button keeps 14 pixels at its right for the arrow and its line.
TEST_F(SkinControls, ToolBarHotButtonFaces) {
    constexpr COLORREF kImage = RGB(20, 120, 220), kHotImage = RGB(220, 120, 20), kFace = RGB(0xEF, 0xEF, 0xEF);
    constexpr int iw = 24, ih = 20; // not square, and taller than 16 to move a List caption
    auto* images = new ui::ImageList(form.get(), "images", iw, ih);
    ImageList_AddMasked(images->handle(), SolidBitmap(iw, ih, kImage).get(), kMagenta);
    auto* hotImages = new ui::ImageList(form.get(), "hot", iw, ih);
    ImageList_AddMasked(hotImages->handle(), SolidBitmap(iw, ih, kHotImage).get(), kMagenta);
    auto* bar = new skin::ToolBar(form.get(), "bar", form->handle(), 0, 0, 360, 48, 60, 44, images);
    bar->setUIStyle(skin::UIStyle::DeepBlue);
    for (const char* name : {"add", "open"}) bar->addButton(name)->setImageIndex(0);
    bar->buttons()[0]->setCaption("&Add");
    bar->buttons()[1]->setCaption("&Open");
    TBBUTTONINFOA drop{};
    drop.cbSize = sizeof drop;
    drop.dwMask = TBIF_STYLE;
    drop.fsStyle = BTNS_DROPDOWN;
    bar->perform(TB_SETBUTTONINFOA, static_cast<WPARAM>(bar->buttons()[1]->commandId()),
                 reinterpret_cast<LPARAM>(&drop));

    struct Case {
        const char* name;
        bool list;
        int button;
        const char* shown;
        bool hotList;
    };
    for (const Case& c : {Case{"centred", false, 0, "Add", false}, Case{"drop-down", false, 1, "Open", false},
                          Case{"list", true, 0, "Add", false}, Case{"hot list", true, 0, "Add", true}}) {
        SCOPED_TRACE(c.name);
        bar->setList(c.list);
        bar->perform(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(c.hotList ? hotImages->handle() : nullptr));
        const COLORREF shows = c.hotList ? kHotImage : kImage;
        ui::ToolButton* button = bar->buttons()[static_cast<size_t>(c.button)];
        const bool dropDown = c.button == 1;
        const RECT R = button->itemRect();
        CursorTo(bar->handle(), R.left + 3, R.top + 3);
        ASSERT_TRUE(PumpUntil([&] { return bar->perform(TB_GETHOTITEM) == c.button; }));
        const Capture cap(bar->handle());

        const int span = R.right - R.left - (dropDown ? 14 : 0);
        const POINT imageAt = c.list ? POINT{R.left + 5, R.top + 3} : POINT{R.left + (span - iw) / 2, R.top + 3};
        const RECT face{R.left + 1, R.top + 1, R.right - 1, R.bottom - 1};
        const RECT image = cap.bounds(face, [&](COLORREF p) { return p == shows; });
        EXPECT_EQ(image.left, imageAt.x);
        EXPECT_EQ(image.top, imageAt.y);
        EXPECT_EQ(image.right - image.left, iw);
        EXPECT_EQ(image.bottom - image.top, ih);

        const int shownWidth = TextSizeIn(bar->handle(), c.shown).cx;
        const POINT textAt = c.list ? POINT{R.left + iw + 7, R.top + 4 + (ih - 16) / 2}
                                    : POINT{R.left + (span - shownWidth) / 2, R.top + ih + 4};
        const RECT textArea{c.list ? imageAt.x + iw : face.left, c.list ? face.top : imageAt.y + ih,
                            dropDown ? R.right - 14 : face.right, face.bottom};
        const RECT text = cap.bounds(textArea, [&](COLORREF p) { return p != kFace && p != shows; });
        const POINT ink = InkOffset(bar->handle(), button->caption(), 0);
        EXPECT_EQ(text.left, textAt.x + ink.x);
        EXPECT_EQ(text.top, textAt.y + ink.y);

        if (dropDown) {
            const int m = (R.bottom - R.top) / 2;
            for (int y = R.top; y < R.bottom; ++y) ASSERT_EQ(cap.pixel(R.right - 14, y), 0u) << y;
            for (POINT p : {POINT{R.right - 9, m}, POINT{R.right - 5, m}, POINT{R.right - 7, m + 1}})
                EXPECT_EQ(cap.pixel(p.x, p.y), 0u) << p.x - R.right << "," << p.y;
            EXPECT_EQ(cap.pixel(R.right - 11, m), kFace);
        }
    }
}

// A caption longer than any fixed buffer is drawn from its start to the button's edge.
TEST_F(SkinControls, ToolBarHotButtonWithALongCaption) {
    auto* bar = new skin::ToolBar(form.get(), "bar", form->handle(), 0, 0, 360, 36, 44, 36, nullptr);
    bar->setUIStyle(skin::UIStyle::DeepBlue);
    bar->setList(true);
    ui::ToolButton* b = bar->addButton("long");
    b->setCaption(std::string(2000, 'W'));
    const RECT R = b->itemRect();
    CursorTo(bar->handle(), R.left + 3, R.top + 3);
    ASSERT_TRUE(PumpUntil([&] { return bar->perform(TB_GETHOTITEM) == 0; }));
    const Capture cap(bar->handle());
    const RECT text = cap.bounds(R, [](COLORREF p) { return p == 0; });
    EXPECT_EQ(text.left, R.left + 8 + InkOffset(bar->handle(), "W", 0).x);
    EXPECT_EQ(text.right, R.right);
}

// Once the bar's window is gone, a window given its tips' handle reports to no one:
// the bar no longer answers for it (a dead bar would crash).
TEST_F(SkinControls, ToolBarTipsReportToTheBarOnlyWhileItsWindowLives) {
    auto* bar = new skin::ToolBar(form.get(), "bar", form->handle(), 0, 0, 360, 36, 44, 36, nullptr);
    ui::ToolButton* b = bar->addButton("add");
    b->setHint("Adds");
    const HWND tips = reinterpret_cast<HWND>(bar->perform(TB_GETTOOLTIPS));
    ASSERT_TRUE(tips);
    auto ask = [&] {
        NMTTDISPINFOA info{};
        info.hdr = {tips, static_cast<UINT_PTR>(b->commandId()), static_cast<UINT>(TTN_GETDISPINFOA)};
        form->perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return std::string(info.lpszText ? info.lpszText : "");
    };
    EXPECT_EQ(ask(), "Adds");
    DestroyWindow(bar->handle());
    EXPECT_EQ(ask(), "");
}

// A child that takes its parent's look asks the parent it sits in, whatever that is: a
// form, a group box in it, a plain group box's text colour for its labels.
TEST_F(SkinControls, ChildrenTakeTheColoursOfTheParentTheySitIn) {
    form->color = 0x00ABCDEF;
    auto* group = new skin::GroupBox(form.get(), "group", form->handle(), 10, 10, 200, 100);
    group->setColor(0x00336699);
    auto childOf = [](HWND parent) {
        return CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, parent, nullptr, nullptr, nullptr);
    };
    EXPECT_EQ(0x00ABCDEFu, skin::ParentColorOf(childOf(form->handle())));
    EXPECT_EQ(0x00336699u, skin::ParentColorOf(childOf(group->handle())));

    auto* box = new ui::GroupBox(form.get(), "box", form->handle(), 10, 120, 200, 60, "Box");
    box->fontColor = RGB(1, 2, 3);
    auto* label = new ui::Label(form.get(), "label", box->handle(), 8, 20, "Label");
    HDC dc = GetDC(label->handle());
    SendMessageW(box->handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(label->handle()));
    EXPECT_EQ(RGB(1, 2, 3), GetTextColor(dc));
    ReleaseDC(label->handle(), dc);
}

TEST_F(SkinControls, GroupBoxFrameAndStyleForItsChildren) {
    auto* group = new skin::GroupBox(form.get(), "group", form->handle(), 10, 10, 200, 100);
    group->setBorderColor(0x686868);
    const COLORREF line = RGB(0x68, 0x68, 0x68);
    Capture closed(group->handle());
    for (int x = 1; x < 199; ++x) ASSERT_EQ(closed.pixel(x, 6), line) << x;

    group->setCaption("Options");
    const SIZE s = TextSizeIn(group->handle(), "Options");
    Capture gap(group->handle());
    EXPECT_EQ(gap.pixel(1, 6), line);
    EXPECT_NE(gap.pixel(3, 6), line);
    EXPECT_NE(gap.pixel(6 + s.cx, 6), line);
    EXPECT_EQ(gap.pixel(6 + s.cx + 1, 6), line);
    EXPECT_EQ(gap.pixel(100, 99), line);

    auto* button = new skin::Button(form.get(), "in", group->handle(), 10, 20);
    auto* box = new skin::CheckBox(form.get(), "box", group->handle(), 10, 50);
    auto* edit = new skin::Edit(form.get(), "edit", group->handle(), 100, 20, 80, 21);
    auto* plain = new ui::Edit(form.get(), "plain", group->handle(), 100, 50, 80, 21);
    (void)plain;
    EXPECT_EQ(button->uiStyle(), skin::UIStyle::DeepBlue);
    group->setUIStyle(skin::UIStyle::WinXP);
    EXPECT_EQ(button->uiStyle(), skin::UIStyle::WinXP);
    EXPECT_EQ(box->uiStyle(), skin::UIStyle::WinXP);
    EXPECT_EQ(edit->uiStyle(), skin::UIStyle::WinXP);
    EXPECT_EQ(edit->borderColor(), 0x686868u);
    EXPECT_EQ(group->fontColor(), 0xCF4602u);
}

TEST_F(SkinControls, EditWithTheDialogColourShowsOneFrameLine) {
    auto* edit = new skin::Edit(form.get(), "edit", form->handle(), 20, 20, 120, 21);
    edit->setUIStyle(skin::UIStyle::WinXP);
    edit->setColor(kFormColor);
    RECT w, c;
    GetWindowRect(edit->handle(), &w);
    GetClientRect(edit->handle(), &c);
    EXPECT_EQ(w.right - w.left - c.right, 4); // two pixels of frame on each side
    edit->repaint();
    PumpFor(50);
    EXPECT_EQ(ScreenPixel(edit->handle(), 0, 10, false), RGB(0x68, 0x68, 0x68));
    EXPECT_EQ(ScreenPixel(edit->handle(), 1, 10, false), kFormColor);
    EXPECT_EQ(ScreenPixel(edit->handle(), 3, 10, false), kFormColor);
    EXPECT_EQ(ScreenPixel(edit->handle(), 60, 0, false), RGB(0x68, 0x68, 0x68));
}

TEST_F(SkinControls, GroupBoxAlignsChildrenClearOfFrameAndCaption) {
    auto* group = new skin::GroupBox(form.get(), "group", form->handle(), 10, 10, 200, 100);
    auto* inside = new ui::Button(form.get(), "inside", group->handle(), 50, 50, 20, 20, "");
    inside->setAlign(ui::Align::Client);
    auto fontHeight = [&] {
        LOGFONTA lf{};
        GetObjectA(group->font() ? static_cast<HGDIOBJ>(group->font()) : GetStockObject(DEFAULT_GUI_FONT), sizeof lf,
                   &lf);
        return std::abs(lf.lfHeight);
    };
    struct Step {
        int w, h, fontHeight;
    }; // a font height of 0 keeps the font
    std::vector<ui::FontHandle> fonts;
    for (const Step& s : {Step{200, 100, 0}, Step{240, 130, 0}, Step{240, 130, -20}, Step{150, 90, 16}}) {
        if (s.fontHeight) {
            LOGFONTA lf{};
            lf.lfHeight = s.fontHeight;
            lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
            fonts.emplace_back(CreateFontIndirectA(&lf));
            group->setFont(fonts.back().get());
        }
        group->setBounds(10, 10, s.w, s.h);
        const RECT r = inside->boundsRect();
        const int top = fontHeight() + 5;
        EXPECT_TRUE(r.left == 3 && r.top == top && r.right == s.w - 3 && r.bottom == s.h - 3)
            << s.w << "x" << s.h << " font " << s.fontHeight << ": (" << r.left << "," << r.top << "," << r.right << ","
            << r.bottom << ")";
    }
    group->setFont(nullptr, false);
}

// Right-to-left pictures only when the control asks and the system reads so; in
// every other case the left-to-right picture, pixel for pixel.
TEST_F(SkinControls, RightToLeftOnlyWhereTheSystemReadsSo) {
    auto* group = new skin::GroupBox(form.get(), "group", form->handle(), 10, 10, 200, 100);
    group->setBorderColor(0x686868);
    group->setCaption("Options");
    DescriptionWriter d;
    d.addBitmap("SKIN2_CHECKBOX", skinpack::MakeBmp24(78, 13, [](int x, int) { return uint32_t(kParts[x / 13]); }));
    auto* box = new skin::CheckBox(form.get(), "box", form->handle(), 10, 150);
    box->setUIStyle(skin::UIStyle::FromThemeFile);
    box->setFileTheme(theme(d));
    box->setChecked(true); // part 1, 13 wide
    box->setCaption("Wrap");
    const Capture groupLtr(group->handle()), boxLtr(box->handle());

    LOGFONTA lf{};
    GetObjectA(group->font() ? static_cast<HGDIOBJ>(group->font()) : GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    const int y = std::abs(lf.lfHeight) / 2 + 1;
    const SIZE cs = TextSizeIn(group->handle(), "Options");
    const int w = groupLtr.width();
    const COLORREF line = RGB(0x68, 0x68, 0x68), back = groupLtr.pixel(w / 2, 60);
    // The caption's first column of ink, which sits as far right of where the text
    // starts in either direction.
    auto inkLeft = [&](const Capture& c) {
        for (int x = 0; x < w; ++x)
            for (int row = 0; row < 2 * y + 4; ++row)
                if (c.pixel(x, row) != back && c.pixel(x, row) != line) return x;
        return -1;
    };
    const int lead = inkLeft(groupLtr) - 5;
    ASSERT_GE(lead, 0);

    struct Case {
        bool system, asked;
    };
    for (const Case& c : {Case{true, false}, Case{false, true}, Case{true, true}}) {
        SCOPED_TRACE(testing::Message() << "system " << c.system << ", asked " << c.asked);
        ui::TheEnvironment().rightToLeftSystem = c.system;
        group->setRightToLeft(c.asked);
        box->setRightToLeft(c.asked);
        const Capture g(group->handle()), b(box->handle());
        if (!(c.system && c.asked)) {
            EXPECT_TRUE(g == groupLtr);
            EXPECT_TRUE(b == boxLtr);
            continue;
        }
        // The top line starts at the right and leaves the caption's gap there.
        struct Probe {
            int x;
            bool line;
        };
        for (const Probe& p : {Probe{0, false}, Probe{1, true}, Probe{w - cs.cx - 8, true}, Probe{w - cs.cx - 7, false},
                               Probe{w - 4, false}, Probe{w - 3, true}, Probe{w - 1, true}})
            EXPECT_EQ(g.pixel(p.x, y) == line, p.line) << "x " << p.x;
        EXPECT_EQ(inkLeft(g), w - cs.cx - 6 + lead);
        const int bw = b.width(), mid = b.height() / 2;
        EXPECT_NE(b.pixel(bw - 15, mid), kParts[0]);
        EXPECT_EQ(b.pixel(bw - 14, mid), kParts[0]);
        EXPECT_EQ(b.pixel(bw - 2, mid), kParts[0]);
        EXPECT_NE(b.pixel(bw - 1, mid), kParts[0]);
    }
}

// A file theme that goes away leaves every component that held it on DeepBlue; the
// group box restyles its children first, whatever style they had.
// A frame whose theme goes hands DeepBlue to the skinned controls placed on it,
// though it does not hand its style on otherwise.
TEST_F(SkinControls, FrameHandsDeepBlueToItsControlsWhenItsThemeGoes) {
    auto* frame = new skin::FramePanel(form.get(), "frame");
    auto* onFrame = new skin::Button(form.get(), "onFrame", frame->handle(), 10, 40);
    onFrame->setUIStyle(skin::UIStyle::WinXP);
    skin::FileTheme* t = theme(ButtonSkin(false));
    frame->setFileTheme(t);
    ASSERT_EQ(onFrame->uiStyle(), skin::UIStyle::WinXP);
    delete t;
    EXPECT_EQ(onFrame->uiStyle(), skin::UIStyle::DeepBlue);
}

TEST_F(SkinControls, EveryComponentFallsBackToDeepBlueWhenItsThemeGoes) {
    HWND p = form->handle();
    auto* group = new skin::GroupBox(form.get(), "group", p, 200, 100);
    auto* inGroup = new skin::Button(form.get(), "inGroup", group->handle(), 10, 20);
    const std::vector<skin::Themed*> held = {
        new skin::Button(form.get(), "button", p, 0, 0),
        new skin::CheckBox(form.get(), "check", p, 0, 30),
        new skin::Edit(form.get(), "edit", p, 0, 60, 80, 21),
        new skin::ToolBar(form.get(), "bar", p, 0, 90, 100, 36, 44, 36, nullptr),
        new skin::PopupMenu(form.get(), "menu"),
        group,
        new skin::FramePanel(form.get(), "frame"), // with its title bar and system menu
    };
    skin::FileTheme* t = theme(ButtonSkin(false));
    for (skin::Themed* c : held) {
        c->setFileTheme(t);
        c->setUIStyle(skin::UIStyle::FromThemeFile);
    }
    inGroup->setFileTheme(nullptr); // the group handed its theme on; only the group's rule restyles it now
    inGroup->setUIStyle(skin::UIStyle::WinXP);
    auto* frame = dynamic_cast<skin::FramePanel*>(held.back());
    ASSERT_EQ(frame->titleBar()->fileTheme(), t);
    delete t;
    std::vector<skin::Themed*> all = held;
    all.push_back(frame->titleBar());
    all.push_back(&frame->titleBar()->systemMenu());
    all.push_back(inGroup);
    for (size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(all[i]->fileTheme(), nullptr);
        EXPECT_EQ(all[i]->uiStyle(), skin::UIStyle::DeepBlue);
    }
}

} // namespace
