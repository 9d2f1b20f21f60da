#include "TestSupport.h"
#include "skin/controls/Button.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/Edit.h"
#include "skin/controls/GroupBox.h"
#include "skin/controls/ToolBar.h"
#include "skin/theme/FileTheme.h"
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
constexpr COLORREF kParts[6] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 210), RGB(120, 120, 0), RGB(0, 120, 120),
                                RGB(90, 0, 90)};

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

// Real input, as a user gives it.
void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}
void Type(WORD vk) {
    Key(vk, false);
    Key(vk, true);
    PumpFor(60);
}
void CursorTo(HWND w, int x, int y) {
    POINT p{x, y};
    ClientToScreen(w, &p);
    SetCursorPos(p.x, p.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
    PumpFor(40);
}
void LeftButton(bool up) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &in, sizeof in);
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
    void TearDown() override {
        form.reset();
    }

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
    EXPECT_EQ(probe(37, 5), kParts[0]);     // top edge, stretched
    EXPECT_EQ(probe(0, 24), kParts[0]);     // bottom-left corner
    EXPECT_EQ(probe(0, 0), kMagenta);       // opaque picture: the corner is drawn plain
    EXPECT_EQ(probe(37, 12), kFormColor);   // magenta in a stretched piece is transparent
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

TEST_F(SkinControls, TwoImageGlyphDrawsItsHalfForTheState) {
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
}

TEST_F(SkinControls, DisabledCaptionIsEngraved) {
    auto* t = theme(ButtonSkin(false));
    auto* b = new skin::Button(form.get(), "c", form->handle(), 10, 10, 80, 27);
    b->setUIStyle(skin::UIStyle::FromThemeFile);
    b->setFileTheme(t);
    b->setCaption("IIII");
    // Exact colours: no smoothing of the letters' edges.
    ui::FontHandle font(CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                                    "Tahoma"));
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
    PumpFor(50);
    EXPECT_EQ(okClicks, 1);
    EXPECT_FALSE(ok->repeating());

    ticks = 0;
    LeftButton(false);
    PumpFor(300);
    CursorTo(form->handle(), 300, 60);
    const int atLeave = ticks;
    EXPECT_GT(atLeave, 0);
    PumpFor(400);
    EXPECT_EQ(ticks, atLeave);
    LeftButton(true);
    PumpFor(50);
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
    Capture paint(box->handle());
    const SIZE text = TextSizeIn(box->handle(), "Add a Separator Line"), w = TextSizeIn(box->handle(), "W");
    EXPECT_EQ(box->width(), 13 + text.cx + 8); // WinXP check box pictures are 13 wide
    EXPECT_EQ(box->height(), std::max<int>(w.cy + 2, 13) + 4);
}

TEST_F(SkinControls, CheckBoxPartsFromTheFileTheme) {
    DescriptionWriter d;
    d.addBitmap("SKIN2_CHECKBOX", skinpack::MakeBmp24(78, 13, [](int x, int) { return uint32_t(kParts[x / 13]); }));
    auto* box = new skin::CheckBox(form.get(), "box", form->handle(), 10, 10);
    box->setUIStyle(skin::UIStyle::FromThemeFile);
    box->setFileTheme(theme(d));
    struct Case { bool checked, enabled; int part; };
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
    PumpFor(100);
    EXPECT_EQ(ScreenPixel(bar->handle(), r.left, r.top + 10), RGB(0x47, 0x47, 0x47));
    EXPECT_EQ(ScreenPixel(bar->handle(), r.left + 2, r.top + 2), RGB(0xEF, 0xEF, 0xEF));
    // The caption is centred on the width of "Add", the "&" taking no room.
    const SIZE s = TextSizeIn(bar->handle(), "Add");
    const int expectLeft = r.left + (r.right - r.left - s.cx) / 2;
    int firstInk = -1;
    for (int x = r.left + 1; x < r.right - 1 && firstInk < 0; ++x)
        for (int y = r.top + 4; y < r.top + 4 + s.cy; ++y)
            if (ScreenPixel(bar->handle(), x, y) == RGB(0, 0, 0)) {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, expectLeft);
    EXPECT_LE(firstInk, expectLeft + 2);

    LeftButton(false);
    PumpFor(100);
    EXPECT_EQ(ScreenPixel(bar->handle(), r.left + 2, r.top + 2), RGB(0xD8, 0xD8, 0xD8));
    EXPECT_EQ(ScreenPixel(bar->handle(), r.left, r.top + 10), RGB(0x47, 0x47, 0x47));
    CursorTo(form->handle(), 300, 200);
    LeftButton(true);
    PumpFor(50);
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
        GetObjectA(group->font() ? static_cast<HGDIOBJ>(group->font()) : GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
        return std::abs(lf.lfHeight);
    };
    struct Step { int w, h, fontHeight; }; // a font height of 0 keeps the font
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
            << s.w << "x" << s.h << " font " << s.fontHeight << ": (" << r.left << "," << r.top << "," << r.right
            << "," << r.bottom << ")";
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
    box->setChecked(true);  // part 1, 13 wide
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

    struct Case { bool system, asked; };
    for (const Case& c : {Case{true, false}, Case{false, true}, Case{true, true}}) {
        SCOPED_TRACE(testing::Message() << "system " << c.system << ", asked " << c.asked);
        ui::environment().rightToLeftSystem = c.system;
        group->setRightToLeft(c.asked);
        box->setRightToLeft(c.asked);
        const Capture g(group->handle()), b(box->handle());
        if (!(c.system && c.asked)) {
            EXPECT_TRUE(g == groupLtr);
            EXPECT_TRUE(b == boxLtr);
            continue;
        }
        // The top line starts at the right and leaves the caption's gap there.
        struct Probe { int x; bool line; };
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

} // namespace
