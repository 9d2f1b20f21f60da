#include "TestSupport.h"
#include "app/TipsForm.h"
#include "flat/FlatButton.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

using namespace corvane;
using namespace corvane::flat;
using namespace corvane::test;

namespace {

constexpr COLORREF kBorder = 0x8396A0;
constexpr COLORREF kFocused = 0xE1EAEB;
constexpr COLORREF kDown = 0xC5D6D9;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

class Host : public ui::Form {
public:
    Host() : ui::Form(nullptr, "FlatHost") {
        caption = "Flat buttons";
        clientWidth = 300;
        clientHeight = 120;
        position = ui::FormPosition::Designed;
        color = RGB(200, 190, 180);
    }
};

// A bitmap filled by `paint`, for glyphs.
HBITMAP MakeBitmap(int w, int h, const std::function<COLORREF(int, int)>& paint) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(dc, x, y, paint(x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    return bmp;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class FlatButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<Host>();
        form->create();
        SetWindowPos(form->handle(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        form->show();
        SetForegroundWindow(form->handle());
        SetActiveWindow(form->handle());
        SetFocus(form->handle()); // the buttons start idle
        PumpPending();
    }
    void TearDown() override { form.reset(); }

    FlatButton* add(const std::string& caption, int x, int y, int w = 73, int h = 25) {
        auto* b = new FlatButton(form.get(), caption, form->handle(), x, y, w, h);
        b->setCaption(caption);
        return b;
    }
    void press(FlatButton* b, int x, int y) { b->perform(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
    void release(FlatButton* b, int x, int y) { b->perform(WM_LBUTTONUP, 0, At(x, y)); }
    void clickAt(FlatButton* b, int x, int y) {
        press(b, x, y);
        release(b, x, y);
    }
    // Moves the real cursor over a point of the button (client coordinates).
    void hoverAt(FlatButton* b, int x, int y) {
        POINT p{x, y};
        ClientToScreen(b->handle(), &p);
        SetCursorPos(p.x, p.y);
        b->perform(WM_MOUSEMOVE, 0, At(x, y));
    }
    void cursorAway() {
        POINT p{5, 115};
        ClientToScreen(form->handle(), &p);
        SetCursorPos(p.x, p.y);
    }

    std::unique_ptr<Host> form;
};

} // namespace

TEST_F(FlatButtonTest, NewButtonHasItsInitialProperties) {
    auto* b = new FlatButton(form.get(), "b", form->handle());
    EXPECT_EQ(b->width(), 25);
    EXPECT_EQ(b->height(), 25);
    EXPECT_EQ(b->transparentMode(), TransparentMode::None);
    EXPECT_FALSE(b->isDefault());
    EXPECT_FALSE(b->allowAllUp());
    EXPECT_TRUE(b->parentColor());
    EXPECT_EQ(b->color(), form->color);
    EXPECT_EQ(b->colorFocused(), kFocused);
    EXPECT_EQ(b->colorDown(), kDown);
    EXPECT_EQ(b->colorBorder(), kBorder);
    EXPECT_EQ(b->colorHighLight(), kWhite);
    EXPECT_EQ(b->colorShadow(), kBlack);
    EXPECT_EQ(b->advColorFocused(), 10);
    EXPECT_EQ(b->advColorDown(), 10);
    EXPECT_EQ(b->advColorBorder(), 50);
    EXPECT_FALSE(b->useAdvColors());
    EXPECT_EQ(b->groupIndex(), 0);
    EXPECT_FALSE(b->down());
    EXPECT_EQ(b->layout(), ButtonLayout::GlyphTop);
    EXPECT_EQ(b->margin(), -1);
    EXPECT_EQ(b->numGlyphs(), 1);
    EXPECT_EQ(b->spacing(), 4);
    EXPECT_EQ(b->modalResult(), ui::ModalResult::None);
    EXPECT_EQ(b->font(), form->font());
}

TEST_F(FlatButtonTest, AdvancedColoursShadeTheParentColour) {
    auto* b = add("Adv", 10, 10);
    b->setUseAdvColors(true);
    EXPECT_EQ(b->colorFocused(), ShadeColor(form->color, kFocused, 10, Shade::Lighten));
    EXPECT_EQ(b->colorDown(), ShadeColor(form->color, kDown, 10, Shade::Darken));
    EXPECT_EQ(b->colorBorder(), ShadeColor(form->color, kBorder, 50, Shade::Darken));
    const std::uint32_t before = b->colorBorder();
    b->setAdvColorBorder(0); // 0 keeps the colour as it is
    EXPECT_EQ(b->colorBorder(), before);
    b->setAdvColorDown(250); // clamped to 100
    EXPECT_EQ(b->advColorDown(), 100);
}

TEST_F(FlatButtonTest, IdleHoveredPressedAndDefaultLooks) {
    auto* b = add("&Next Tip", 10, 10);
    {
        Capture c(b->handle());
        EXPECT_EQ(c.pixel(0, 0), kBorder);
        EXPECT_EQ(c.pixel(72, 24), kBorder);
        EXPECT_EQ(c.pixel(1, 1), form->color); // parent's colour, one-pixel frame
        EXPECT_EQ(c.pixel(71, 23), form->color);
        // The caption is drawn in the window text colour.
        EXPECT_GT(c.count(RECT{2, 2, 71, 23}, [](COLORREF p) { return p == GetSysColor(COLOR_WINDOWTEXT); }), 10);
    }
    b->setFocus();
    ASSERT_EQ(GetFocus(), b->handle());
    EXPECT_TRUE(b->mouseInControl());
    {
        Capture c(b->handle());
        EXPECT_EQ(c.pixel(0, 0), kWhite); // raised
        EXPECT_EQ(c.pixel(72, 0), kBlack);
        EXPECT_EQ(c.pixel(72, 24), kBlack);
        EXPECT_EQ(c.pixel(0, 24), kBlack);
        EXPECT_EQ(c.pixel(0, 23), kWhite);
        EXPECT_EQ(c.pixel(3, 3), kFocused);
    }
    press(b, 5, 5);
    EXPECT_EQ(b->state(), ButtonState::Down);
    {
        Capture c(b->handle());
        EXPECT_EQ(c.pixel(0, 0), kBlack); // sunken
        EXPECT_EQ(c.pixel(72, 24), kWhite);
        EXPECT_EQ(c.pixel(3, 3), kDown);
    }
    release(b, 200, 5); // outside: no click
    SetFocus(form->handle());
    b->setDefault(true);
    {
        Capture c(b->handle());
        EXPECT_EQ(c.pixel(0, 0), kBorder);
        EXPECT_EQ(c.pixel(1, 1), kBorder); // two-pixel frame
        EXPECT_EQ(c.pixel(71, 23), kBorder);
        EXPECT_EQ(c.pixel(2, 2), form->color);
    }
}

TEST_F(FlatButtonTest, DisabledSingleImageGlyphIsEmbossed) {
    auto* b = add("", 10, 10, 40, 40);
    // Olive background (bottom-left pixel), a dark 8 x 8 square in the middle.
    HBITMAP g = MakeBitmap(16, 16, [](int x, int y) {
        return (x >= 4 && x < 12 && y >= 4 && y < 12) ? RGB(0, 0, 128) : RGB(128, 128, 0);
    });
    b->setGlyph(g);
    DeleteObject(g);
    ASSERT_EQ(b->numGlyphs(), 1);
    b->setEnabled(false);
    Capture c(b->handle());
    // A 16 x 16 glyph without caption sits centred in the 40 x 40 button, at (12, 12).
    const int gx = 12, gy = 12;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(c.pixel(gx + 5, gy + 5), shadow);  // the square, in the shadow colour
    EXPECT_EQ(c.pixel(gx + 12, gy + 12), light); // the highlight copy, one pixel down-right
    EXPECT_EQ(c.pixel(gx + 12, gy + 6), light);
    EXPECT_EQ(c.pixel(gx + 1, gy + 1), form->color); // background stays transparent
    EXPECT_EQ(c.count(RECT{0, 0, 40, 40}, [](COLORREF p) { return p == RGB(0, 0, 128); }), 0);
}

TEST_F(FlatButtonTest, DisabledCaptionIsEmbossed) {
    auto* b = add("Close", 10, 10);
    b->setEnabled(false);
    Capture c(b->handle());
    const RECT inner{2, 2, 71, 23};
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_GT(c.count(inner, [&](COLORREF p) { return p == shadow; }), 10);
    EXPECT_GT(c.count(inner, [&](COLORREF p) { return p == light; }), 5);
    EXPECT_EQ(c.count(inner, [](COLORREF p) { return p == GetSysColor(COLOR_WINDOWTEXT); }), 0);
    EXPECT_EQ(c.pixel(0, 0), kBorder);
}

TEST_F(FlatButtonTest, NumGlyphsFollowsTheGlyphShape) {
    auto* b = add("", 10, 10, 40, 40);
    // Two images side by side: red for up, green for disabled.
    HBITMAP two = MakeBitmap(32, 16, [](int x, int y) {
        if (y == 15 && x % 16 == 0) return RGB(255, 0, 255); // transparent colour
        return x < 16 ? RGB(255, 0, 0) : RGB(0, 255, 0);
    });
    b->setGlyph(two);
    DeleteObject(two);
    EXPECT_EQ(b->numGlyphs(), 2);
    auto count = [&](COLORREF colour) {
        Capture c(b->handle());
        return c.count(RECT{0, 0, 40, 40}, [&](COLORREF p) { return p == colour; });
    };
    EXPECT_GT(count(RGB(255, 0, 0)), 200);
    EXPECT_EQ(count(RGB(0, 255, 0)), 0);
    b->setEnabled(false);
    EXPECT_GT(count(RGB(0, 255, 0)), 200); // the second image when disabled
    EXPECT_EQ(count(RGB(255, 0, 0)), 0);

    HBITMAP five = MakeBitmap(100, 20, [](int, int) { return RGB(0, 0, 255); });
    b->setGlyph(five);
    DeleteObject(five);
    EXPECT_EQ(b->numGlyphs(), 1); // five images would exceed four
    HBITMAP odd = MakeBitmap(30, 20, [](int, int) { return RGB(0, 0, 255); });
    b->setNumGlyphs(3);
    b->setGlyph(odd);
    DeleteObject(odd);
    EXPECT_EQ(b->numGlyphs(), 3); // not a multiple: unchanged
}

TEST_F(FlatButtonTest, ReleaseOnBottomRowClicksOnRightColumnDoesNot) {
    auto* b = add("Go", 10, 10);
    b->setModalResult(ui::ModalResult::Ok);
    int clicks = 0;
    b->onClick = [&] { ++clicks; };
    press(b, 10, 10);
    release(b, 10, 25); // y == client height: the bottom edge row
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->modalResult(), ui::ModalResult::Ok);
    press(b, 10, 10);
    release(b, 73, 10); // x == client width: outside
    EXPECT_EQ(clicks, 1);
    press(b, 10, 10);
    release(b, 72, 24);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(b->state(), ButtonState::Up);
    // A button with ModalResult 0 still writes it.
    auto* c = add("Zero", 100, 10);
    clickAt(c, 5, 5);
    EXPECT_EQ(form->modalResult(), ui::ModalResult::None);
}

TEST_F(FlatButtonTest, GroupKeepsOneButtonDown) {
    auto* a = add("A", 10, 10);
    auto* b = add("B", 90, 10);
    a->setGroupIndex(1);
    b->setGroupIndex(1);
    int clicksA = 0;
    a->onClick = [&] { ++clicksA; };
    clickAt(a, 5, 5);
    EXPECT_TRUE(a->down());
    EXPECT_EQ(a->state(), ButtonState::Exclusive);
    clickAt(a, 5, 5); // AllowAllUp False: stays pressed
    EXPECT_TRUE(a->down());
    EXPECT_EQ(clicksA, 2);
    a->setDown(false);
    EXPECT_TRUE(a->down());
    clickAt(b, 5, 5);
    EXPECT_TRUE(b->down());
    EXPECT_FALSE(a->down());
    EXPECT_EQ(a->state(), ButtonState::Up);
    // AllowAllUp is copied through the group; then a pressed button lets go.
    b->setAllowAllUp(true);
    EXPECT_TRUE(a->allowAllUp());
    clickAt(b, 5, 5);
    EXPECT_FALSE(b->down());
    // Without a group Down cannot be set.
    auto* c = add("C", 170, 10);
    c->setDown(true);
    EXPECT_FALSE(c->down());
}

TEST_F(FlatButtonTest, SpaceClicksOnReleaseEnterNever) {
    auto* b = add("&Next Tip", 10, 10);
    b->setDefault(true);
    int clicks = 0;
    b->onClick = [&] { ++clicks; };
    b->setFocus();
    b->perform(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(b->state(), ButtonState::Down);
    b->perform(WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->state(), ButtonState::Up);
    // Through the message loop: Enter and Escape on the focused default button.
    for (WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
        PostMessageA(b->handle(), WM_KEYDOWN, key, 1);
        PostMessageA(b->handle(), WM_KEYUP, key, 0xC0000001);
    }
    PumpPending();
    EXPECT_EQ(clicks, 1);
    // Enter on another control of the form does not reach it either.
    SetFocus(form->handle());
    PostMessageA(form->handle(), WM_KEYDOWN, VK_RETURN, 1);
    PumpPending();
    EXPECT_EQ(clicks, 1);
}

TEST_F(FlatButtonTest, MnemonicClicks) {
    auto* b = add("&Next Tip", 10, 10);
    auto* c = add("&Close", 90, 10);
    int next = 0, close = 0;
    b->onClick = [&] { ++next; };
    c->onClick = [&] { ++close; };
    b->setFocus();
    PostMessageA(b->handle(), WM_CHAR, 'c', 1); // plain key while a button has the focus
    PumpPending();
    EXPECT_EQ(close, 1);
    PostMessageA(b->handle(), WM_SYSCHAR, 'N', 1 | (1 << 29)); // Alt+N
    PumpPending();
    EXPECT_EQ(next, 1);
    PostMessageA(b->handle(), WM_CHAR, 'x', 1);
    PumpPending();
    EXPECT_EQ(next + close, 2);
    c->setEnabled(false);
    PostMessageA(b->handle(), WM_CHAR, 'c', 1);
    PumpPending();
    EXPECT_EQ(close, 1);
    // A program's click.
    b->perform(BM_CLICK);
    EXPECT_EQ(next, 2);
}

TEST_F(FlatButtonTest, OneHoverTimerForAllButtons) {
    auto count = [] {
        int n = 0;
        for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, "CorvaneFlatHoverTimer", nullptr); w;
             w = FindWindowExA(HWND_MESSAGE, w, "CorvaneFlatHoverTimer", nullptr))
            ++n;
        return n;
    };
    auto* a = add("A", 10, 10);
    auto* b = add("B", 90, 10);
    EXPECT_EQ(count(), 1);
    EXPECT_FALSE(FlatButton::hoverTimerRunning()); // created stopped

    hoverAt(a, 10, 10);
    EXPECT_EQ(FlatButton::hoveredButton(), a);
    EXPECT_TRUE(FlatButton::hoverTimerRunning());
    EXPECT_TRUE(a->mouseInControl());
    hoverAt(b, 10, 10);
    EXPECT_EQ(FlatButton::hoveredButton(), b);
    EXPECT_FALSE(a->mouseInControl());
    EXPECT_TRUE(b->mouseInControl());
    {
        Capture c(b->handle());
        EXPECT_EQ(c.pixel(3, 3), kFocused);
        EXPECT_EQ(c.pixel(0, 0), kWhite);
    }
    cursorAway();
    // The hover timer notices on its next tick.
    EXPECT_TRUE(PumpUntil([&] { return !b->mouseInControl(); }));
    EXPECT_EQ(FlatButton::hoveredButton(), nullptr);
    EXPECT_FALSE(FlatButton::hoverTimerRunning());

    hoverAt(a, 10, 10);
    delete a; // the hovered button goes: the timer forgets it
    EXPECT_EQ(FlatButton::hoveredButton(), nullptr);
    EXPECT_EQ(count(), 1);
    form.reset();
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(FlatButton::hoverTimerWindow(), nullptr);
}

TEST_F(FlatButtonTest, DisablingEndsHoverAndLostCaptureEndsPress) {
    auto* b = add("B", 10, 10);
    hoverAt(b, 10, 10);
    ASSERT_TRUE(b->mouseInControl());
    b->setEnabled(false);
    EXPECT_FALSE(b->mouseInControl());
    EXPECT_EQ(b->state(), ButtonState::Disabled);
    EXPECT_EQ(FlatButton::hoveredButton(), nullptr);
    b->setEnabled(true);
    int clicks = 0;
    b->onClick = [&] { ++clicks; };
    press(b, 5, 5);
    SetCapture(form->handle()); // something else takes the mouse
    ReleaseCapture();
    release(b, 5, 5);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(b->state(), ButtonState::Up);
}

TEST_F(FlatButtonTest, TransparentModesShowTheParent) {
    const COLORREF parent = form->color;
    auto* b = add("T", 10, 10);
    b->setColor(RGB(250, 250, 0));
    EXPECT_EQ(Capture(b->handle()).pixel(3, 3), RGB(250, 250, 0));
    b->setTransparentMode(TransparentMode::NotFocused);
    {
        Capture c(b->handle());
        EXPECT_EQ(c.pixel(3, 3), parent);
        EXPECT_EQ(c.pixel(0, 0), kBorder); // the frame is still drawn
    }
    b->setFocus();
    EXPECT_EQ(Capture(b->handle()).pixel(3, 3), kFocused); // a hovered look fills again
    b->setTransparentMode(TransparentMode::Always);
    EXPECT_EQ(Capture(b->handle()).pixel(3, 3), parent);
}

TEST_F(FlatButtonTest, FailingClickHandlerIsShownAndTheButtonRecovers) {
    ScriptedPrompt user;
    auto* b = add("Go", 10, 10);
    b->onClick = [] { throw std::runtime_error("Boom"); };
    clickAt(b, 5, 5);
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls[0].text, "Boom.");
    EXPECT_EQ(b->state(), ButtonState::Up);
}

TEST(FlatButtonInTips, EnterDoesNotClickSpaceDoesOnRelease) {
    app::OptionFlags options;
    app::TipsForm tips(nullptr, options);
    tips.create();
    tips.show();
    PumpPending();
    ASSERT_EQ(GetFocus(), tips.nextButton()->handle());
    tips.panel()->setPageIndex(1);
    PostMessageA(tips.nextButton()->handle(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(tips.nextButton()->handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
    PumpPending();
    EXPECT_EQ(tips.panel()->pageIndex(), 1);
    EXPECT_EQ(tips.modalResult(), ui::ModalResult::None);
    PostMessageA(tips.nextButton()->handle(), WM_KEYDOWN, VK_SPACE, 1);
    PumpPending();
    EXPECT_EQ(tips.panel()->pageIndex(), 1);
    PostMessageA(tips.nextButton()->handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    PumpPending();
    EXPECT_EQ(tips.panel()->pageIndex(), 2);
}
