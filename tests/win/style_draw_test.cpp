#include "TestSupport.h"
#include "ui/Gdi.h"
#include "skin/theme/SkinPublic.h"
#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/StyleTable.h"
#include "skin/theme/Themed.h"
#include "ui/Application.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace corvane::skin;

using namespace corvane;
using namespace corvane::test;

namespace {

// A 32-bit top-down DIB section whose pixels the test reads directly.
class Canvas {
public:
    Canvas(int w, int h, COLORREF fill = RGB(1, 2, 3)) : w_(w), h_(h) {
        BITMAPINFO bi = ui::TopDown32(w, h);
        dc_.reset(CreateCompatibleDC(nullptr));
        bmp_.reset(CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
        old_ = SelectObject(dc_.get(), bmp_.get());
        RECT r{0, 0, w, h};
        ui::BrushHandle b(CreateSolidBrush(fill));
        FillRect(dc_.get(), &r, b.get());
    }
    ~Canvas() { SelectObject(dc_.get(), old_); }
    HDC dc() const { return dc_.get(); }
    COLORREF at(int x, int y) const {
        GdiFlush();
        const DWORD p = bits_[y * w_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int width() const { return w_; }
    int height() const { return h_; }

private:
    int w_, h_;
    ui::MemDcHandle dc_;
    ui::BitmapHandle bmp_;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

// A picture whose pixel (x, y) is pick(x, y).
template <class F>
HBITMAP MakePicture(int w, int h, F pick) {
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(dc, x, y, pick(x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    return b;
}

COLORREF PixelOf(HBITMAP b, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

TEST(BuiltInStyles, ValuesOfTheWrongKindAndFromThemeFile) {
    EXPECT_EQ(StyleInt(skin::UIStyle::FromThemeFile, 7), -1);
    EXPECT_EQ(StyleColor(skin::UIStyle::DeepBlue, 1), 0u);
    ui::BitmapHandle keep(MakePicture(2, 2, [](int, int) { return RGB(9, 9, 9); }));
    HBITMAP before = keep.get();
    StyleBitmap(skin::UIStyle::FromThemeFile, 1, keep);
    StyleBitmap(skin::UIStyle::DeepBlue, 2, keep); // a boolean item
    EXPECT_EQ(keep.get(), before);
    EXPECT_THROW(StyleBitmap(skin::UIStyle::WinXP, 43, keep), ui::UiError); // empty name
}

TEST(BuiltInStyles, EveryPictureResourceLoadsAtItsSize) {
    for (const BuiltInPicture& p : BuiltInPictures()) {
        ui::BitmapHandle b(LoadBitmapResource(p.name));
        ASSERT_TRUE(b) << p.name;
        const SIZE s = ui::BitmapSize(b.get());
        EXPECT_EQ(s.cx, p.width) << p.name;
        EXPECT_EQ(s.cy, p.height) << p.name;
    }
    // And every bitmap item of the table names one of them.
    for (int style = 1; style <= 5; ++style)
        for (int item = 1; item <= kStyleItemCount; ++item) {
            const char* name = StyleBitmapName(static_cast<skin::UIStyle>(style), item);
            if (!name || !*name) continue;
            ui::BitmapHandle b;
            StyleBitmap(static_cast<skin::UIStyle>(style), item, b);
            const BuiltInPicture* p = FindBuiltInPicture(name);
            ASSERT_NE(p, nullptr) << name;
            EXPECT_EQ(ui::BitmapSize(b.get()).cx, p->width) << name;
        }
}

TEST(BuiltInStyles, StyleBitmapPartCutsTheResource) {
    StyleBitmapPart(skin::UIStyle::DeepBlue, 1, nullptr, 3, 1); // no destination: nothing
    ui::BitmapHandle whole, part;
    StyleBitmapPart(skin::UIStyle::DeepBlue, 1, &whole, 0, 0);
    EXPECT_EQ(ui::BitmapSize(whole.get()).cx, 222);
    StyleBitmapPart(skin::UIStyle::DeepBlue, 1, &part, 6, 6);
    EXPECT_EQ(ui::BitmapSize(part.get()).cx, 37);
    EXPECT_EQ(ui::BitmapSize(part.get()).cy, 21);
    for (int y = 0; y < 21; y += 5) EXPECT_EQ(PixelOf(part.get(), 0, y), PixelOf(whole.get(), 185, y));
}

TEST(SharedRoutines, CutBitmapPartGivesTheLastPartTheRightEdge) {
    ui::BitmapHandle src(MakePicture(100, 2, [](int x, int) { return RGB(x, 0, 0); }));
    ui::BitmapHandle part;
    const int firstColumn[] = {0, 33, 67};
    for (int no = 1; no <= 3; ++no) {
        part = CutBitmapPart(src.get(), 3, no);
        ASSERT_TRUE(part);
        EXPECT_EQ(ui::BitmapSize(part.get()).cx, 33);
        EXPECT_EQ(ui::BitmapSize(part.get()).cy, 2);
        EXPECT_EQ(PixelOf(part.get(), 0, 1), RGB(firstColumn[no - 1], 0, 0)) << no;
        EXPECT_EQ(PixelOf(part.get(), 32, 0), RGB(firstColumn[no - 1] + 32, 0, 0)) << no;
    }
    part = CutBitmapPart(nullptr, 3, 1);
    EXPECT_FALSE(part);
}

TEST(SharedRoutines, CopyBitmapTakesTheAreaAndLeavesWhatLiesOutsideBlack) {
    ui::BitmapHandle src(MakePicture(4, 3, [](int x, int y) { return RGB(10 + x, 20 + y, 200); }));
    const BYTE monoBits[2] = {0x40, 0}; // black, white
    ui::BitmapHandle mono(CreateBitmap(2, 1, 1, 1, monoBits));
    struct Case {
        HBITMAP source;
        int left, top, width, height;
        POINT at;
        COLORREF expected;
    };
    const Case cases[] = {
        {src.get(), 0, 0, 4, 3, {3, 2}, RGB(13, 22, 200)},
        {src.get(), 1, 1, 2, 2, {0, 0}, RGB(11, 21, 200)},
        {src.get(), 1, 1, 2, 2, {1, 1}, RGB(12, 22, 200)},
        {src.get(), 2, 1, 4, 4, {1, 1}, RGB(13, 22, 200)}, // the last column and row inside
        {src.get(), 2, 1, 4, 4, {2, 0}, RGB(0, 0, 0)},     // right of the source
        {src.get(), 2, 1, 4, 4, {0, 2}, RGB(0, 0, 0)},     // below it
        {src.get(), -1, -1, 3, 3, {0, 0}, RGB(0, 0, 0)},   // before it
        {src.get(), -1, -1, 3, 3, {1, 1}, RGB(10, 20, 200)},
        {mono.get(), 0, 0, 2, 1, {0, 0}, RGB(0, 0, 0)},
        {mono.get(), 0, 0, 2, 1, {1, 0}, RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        ui::BitmapHandle copy = ui::CopyBitmap(c.source, c.left, c.top, c.width, c.height);
        ASSERT_TRUE(copy);
        EXPECT_EQ(ui::BitmapSize(copy.get()).cx, c.width);
        EXPECT_EQ(ui::BitmapSize(copy.get()).cy, c.height);
        EXPECT_EQ(PixelOf(copy.get(), c.at.x, c.at.y), c.expected) << c.left << "," << c.top << " at " << c.at.x;
    }
    EXPECT_FALSE(ui::CopyBitmap(src.get(), 0, 0, 0, 3));
    EXPECT_FALSE(ui::CopyBitmap(nullptr, 0, 0, 2, 2));
}

// The DC pictures are drawn from is shared; a scope opened inside another must not
// take the outer one's picture out of it, and every picture is let go at the end.
TEST(SharedRoutines, BitmapDcNestsAndLetsGoOfItsPicture) {
    ui::BitmapHandle red(MakePicture(2, 2, [](int, int) { return RGB(255, 0, 0); }));
    ui::BitmapHandle blue(MakePicture(2, 2, [](int, int) { return RGB(0, 0, 255); }));
    Canvas canvas(4, 2);
    {
        const ui::BitmapDc outer(red.get());
        {
            const ui::BitmapDc inner(blue.get());
            EXPECT_NE(inner.get(), outer.get());
            BitBlt(canvas.dc(), 2, 0, 2, 2, inner.get(), 0, 0, SRCCOPY);
        }
        BitBlt(canvas.dc(), 0, 0, 2, 2, outer.get(), 0, 0, SRCCOPY);
    }
    EXPECT_EQ(canvas.at(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(2, 0), RGB(0, 0, 255));
    ui::MemDcHandle other(CreateCompatibleDC(nullptr));
    for (HBITMAP b : {red.get(), blue.get()}) {
        const HGDIOBJ was = SelectObject(other.get(), b); // fails while another DC holds it
        EXPECT_NE(was, nullptr);
        SelectObject(other.get(), was);
    }
}

TEST(SharedRoutines, PointInRectCountsEveryEdge) {
    const RECT r{10, 20, 30, 40};
    EXPECT_TRUE(PointInRect(POINT{30, 25}, r));
    EXPECT_TRUE(PointInRect(POINT{10, 20}, r));
    EXPECT_TRUE(PointInRect(POINT{30, 40}, r));
    EXPECT_FALSE(PointInRect(POINT{31, 25}, r));
    EXPECT_FALSE(PointInRect(POINT{20, 19}, r));
    EXPECT_FALSE(PointInRect(POINT{9, 40}, r));
}

TEST(SharedRoutines, GradientsDrawTheirEndsAndInterpolateBetween) {
    Canvas c(8, 8);
    GradientFillVertical(c.dc(), RECT{1, 2, 7, 4}, RGB(0, 0, 0), RGB(200, 100, 50));
    EXPECT_EQ(c.at(1, 2), RGB(0, 0, 0));
    EXPECT_EQ(c.at(6, 3), RGB(200, 100, 50));
    EXPECT_EQ(c.at(0, 2), RGB(1, 2, 3)); // right and left bounds hold
    EXPECT_EQ(c.at(7, 3), RGB(1, 2, 3));
    EXPECT_EQ(c.at(3, 4), RGB(1, 2, 3));

    Canvas v(2, 10);
    GradientFillVertical(v.dc(), RECT{0, 0, 2, 10}, RGB(10, 250, 0), RGB(110, 50, 7));
    // Line y gets start + trunc((end - start) / 10 * (y - 1)) per channel.
    const COLORREF lines[] = {RGB(10, 250, 0), RGB(20, 230, 0), RGB(30, 210, 1), RGB(40, 190, 2),
                              RGB(50, 170, 2), RGB(60, 150, 3), RGB(70, 130, 4), RGB(80, 110, 4)};
    for (int y = 1; y <= 8; ++y) EXPECT_EQ(v.at(1, y), lines[y - 1]) << y;
    EXPECT_EQ(v.at(0, 9), RGB(110, 50, 7));

    Canvas h(10, 1);
    GradientFillHorizontal(h.dc(), RECT{0, 0, 10, 1}, RGB(0, 0, 0), RGB(100, 0, 0));
    EXPECT_EQ(h.at(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(h.at(1, 0), RGB(10, 0, 0)); // factor x - Left, without the - 1
    EXPECT_EQ(h.at(8, 0), RGB(80, 0, 0));
    EXPECT_EQ(h.at(9, 0), RGB(100, 0, 0));

    Canvas s(2, 2);
    GradientFillVertical(s.dc(), RECT{0, 0, 2, 0}, 0, 0xFFFFFF);
    EXPECT_EQ(s.at(0, 0), RGB(1, 2, 3));
    GradientFillVertical(s.dc(), RECT{0, 0, 2, 2}, 0xFF000000u | COLOR_WINDOW, 0xFF000000u | COLOR_WINDOW);
    EXPECT_EQ(s.at(0, 0), GetSysColor(COLOR_WINDOW));
}

TEST(SharedRoutines, FitTextWithEllipsisOnTheCanvasFont) {
    Canvas c(4, 4);
    ui::FontHandle font(ui::MakeUiFont(-11));
    SelectObject(c.dc(), font.get());
    const std::string text = "C:\\Program Files\\Corvane\\favourites";
    SIZE full{};
    GetTextExtentPoint32A(c.dc(), text.c_str(), int(text.size()), &full);
    EXPECT_EQ(FitTextWithEllipsis(c.dc(), text, full.cx + 50), text);
    EXPECT_EQ(FitTextWithEllipsis(c.dc(), text, full.cx), text);
    EXPECT_EQ(FitTextWithEllipsis(c.dc(), text, 1), "C...");
    const std::string mid = FitTextWithEllipsis(c.dc(), text, full.cx / 2);
    SIZE m{};
    GetTextExtentPoint32A(c.dc(), mid.c_str(), int(mid.size()), &m);
    EXPECT_LE(m.cx, full.cx / 2);
    EXPECT_EQ(mid.substr(mid.size() - 3), "...");
    EXPECT_EQ(text.compare(0, mid.size() - 3, mid, 0, mid.size() - 3), 0);
    SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
}

TEST(SharedRoutines, ThreePartBitmapStretchesTheMiddleOnly) {
    const COLORREF magenta = RGB(255, 0, 255);
    // Parts of 10 columns: red with a magenta corner, green, blue.
    ui::BitmapHandle strip(MakePicture(31, 4, [&](int x, int y) {
        if (x == 0 && y == 0) return magenta;
        return x < 10 ? RGB(255, 0, 0) : x < 20 ? RGB(0, 255, 0) : RGB(0, 0, 255);
    }));
    Canvas c(100, 6);
    DrawThreePartBitmap(strip.get(), c.dc(), RECT{0, 1, 100, 6}, 0xFF00FF, false);
    EXPECT_EQ(c.at(0, 1), magenta);
    EXPECT_EQ(c.at(9, 4), RGB(255, 0, 0));
    EXPECT_EQ(c.at(10, 2), RGB(0, 255, 0));
    EXPECT_EQ(c.at(89, 4), RGB(0, 255, 0));
    EXPECT_EQ(c.at(90, 2), RGB(0, 0, 255)); // the right end is the strip's last 10 columns
    EXPECT_EQ(c.at(99, 4), RGB(0, 0, 255));
    EXPECT_EQ(c.at(50, 0), RGB(1, 2, 3));
    EXPECT_EQ(c.at(50, 5), RGB(1, 2, 3)); // only the picture's height

    Canvas t(40, 4);
    DrawThreePartBitmap(strip.get(), t.dc(), RECT{0, 0, 40, 4}, 0xFF00FF, true);
    EXPECT_EQ(t.at(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(t.at(1, 0), RGB(255, 0, 0));

    Canvas n(20, 4);
    DrawThreePartBitmap(strip.get(), n.dc(), RECT{2, 0, 7, 4}, 0, false);
    EXPECT_EQ(n.at(3, 1), RGB(255, 0, 0));
    EXPECT_EQ(n.at(6, 1), RGB(255, 0, 0));
    EXPECT_EQ(n.at(7, 1), RGB(1, 2, 3));

    // Between one and two parts wide the ends overlap; nothing is drawn mirrored.
    Canvas o(15, 4);
    DrawThreePartBitmap(strip.get(), o.dc(), RECT{0, 0, 15, 4}, 0, false);
    EXPECT_EQ(o.at(4, 1), RGB(255, 0, 0));
    EXPECT_EQ(o.at(5, 1), RGB(0, 0, 255));
    EXPECT_EQ(o.at(14, 1), RGB(0, 0, 255));
}

TEST(SharedRoutines, TilePictureStartsAtTheOriginAndSkipsEmptyPictures) {
    ui::BitmapHandle tile(
        MakePicture(3, 2, [](int x, int y) { return x == 0 && y == 0 ? RGB(0, 0, 255) : RGB(255, 255, 0); }));
    Canvas c(10, 7);
    TilePicture(c.dc(), tile.get(), RECT{0, 0, 10, 7});
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(c.at(x, y), x % 3 == 0 && y % 2 == 0 ? RGB(0, 0, 255) : RGB(255, 255, 0)) << x << "," << y;
    Canvas e(4, 4);
    TilePicture(e.dc(), nullptr, RECT{0, 0, 4, 4});
    EXPECT_EQ(e.at(0, 0), RGB(1, 2, 3));
}

// A parent that paints its left 50 columns red and the rest blue.
class TwoToneForm : public ui::Form {
public:
    TwoToneForm() : ui::Form(nullptr, "frmTwoTone") {
        clientWidth = 200;
        clientHeight = 100;
    }
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_ERASEBKGND) {
            HDC dc = reinterpret_cast<HDC>(wp);
            RECT l{0, 0, 50, 100}, r{50, 0, 200, 100};
            ui::BrushHandle red(CreateSolidBrush(RGB(255, 0, 0))), blue(CreateSolidBrush(RGB(0, 0, 255)));
            FillRect(dc, &l, red.get());
            FillRect(dc, &r, blue.get());
            ++erased;
            return 1;
        }
        return ui::Form::wndProc(msg, wp, lp);
    }
    int erased = 0;
};

// A child window that publishes FileTheme and UIStyle and records the calls.
class ThemedChild : public ui::WinControl, public ThemedFrame {
public:
    ThemedChild(ui::Form* form, const char* name, int x, int y, std::vector<std::string>* log)
        : ui::WinControl(form, name), log_(log) {
        createControl("STATIC", WS_VISIBLE, 0, x, y, 20, 20, form->handle());
    }
    skin::FileTheme* fileTheme() const override { return theme_; }
    void setFileTheme(skin::FileTheme* t) override {
        theme_ = t;
        log_->push_back(name() + ".FileTheme");
    }
    skin::UIStyle uiStyle() const override { return style_; }
    std::uint32_t frameColor() const override { return 0xE8E8E8; }
    void setUIStyle(skin::UIStyle s) override {
        style_ = s;
        log_->push_back(name() + ".UIStyle");
    }

private:
    std::vector<std::string>* log_;
    skin::FileTheme* theme_ = nullptr;
    skin::UIStyle style_ = skin::UIStyle::Protein;
};

class Plain : public ui::WinControl {
public:
    Plain(ui::Form* form, int x, int y) : ui::WinControl(form, "plain") {
        createControl("STATIC", WS_VISIBLE, 0, x, y, 20, 20, form->handle());
    }
};

TEST(SharedRoutines, PaintParentBackgroundShowsWhatLiesUnderTheControl) {
    TwoToneForm form;
    form.create();
    Plain child(&form, 40, 10);
    Canvas c(20, 20, RGB(0, 255, 0));
    PaintParentBackground(c.dc(), &child);
    EXPECT_EQ(form.erased, 1);
    EXPECT_EQ(c.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.at(9, 19), RGB(255, 0, 0));
    EXPECT_EQ(c.at(10, 0), RGB(0, 0, 255));
    EXPECT_EQ(c.at(19, 19), RGB(0, 0, 255));
    // The canvas's own origin and clipping are back afterwards.
    POINT org{};
    GetViewportOrgEx(c.dc(), &org);
    EXPECT_EQ(org.x, 0);
    EXPECT_EQ(org.y, 0);
}

TEST(SharedRoutines, EditBorderFramesTheWholeWindow) {
    TwoToneForm form;
    form.create();
    form.show();
    Plain child(&form, 60, 20);
    SetWindowLongA(child.handle(), GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    SetWindowPos(child.handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    PumpPending();
    DrawEditBorder(&child, RGB(0, 200, 0), 0xFF000000u | COLOR_WINDOW, true);
    HDC dc = GetWindowDC(child.handle());
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 200, 0));
    EXPECT_EQ(GetPixel(dc, 19, 19), RGB(0, 200, 0));
    EXPECT_EQ(GetPixel(dc, 1, 1), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(GetPixel(dc, 18, 10), GetSysColor(COLOR_WINDOW));
    ReleaseDC(child.handle(), dc);
}

TEST(SharedRoutines, ChildrenGetThemeThenStyleInCreationOrder) {
    ui::Form form(nullptr, "frmChildren");
    form.create();
    std::vector<std::string> log;
    EXPECT_EQ(FormUIStyle(&form), skin::UIStyle::DeepBlue);
    Plain plain(&form, 0, 0);
    ThemedChild a(&form, "a", 0, 30, &log), b(&form, "b", 30, 30, &log);
    ApplyThemeToChildren(&form, skin::UIStyle::MacOS, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"a.FileTheme", "a.UIStyle", "b.FileTheme", "b.UIStyle"}));
    EXPECT_EQ(FormUIStyle(&form), skin::UIStyle::MacOS);
    EXPECT_EQ(FormUIStyle(&a), skin::UIStyle::DeepBlue); // not a form
    EXPECT_EQ(FormUIStyle(nullptr), skin::UIStyle::DeepBlue);
    EXPECT_TRUE(HasPublishedProperty(&a, "filetheme"));
    EXPECT_TRUE(HasPublishedProperty(&a, "UIStyle"));
    EXPECT_FALSE(HasPublishedProperty(&a, "Caption"));
    EXPECT_FALSE(HasPublishedProperty(&plain, "UIStyle"));
}

TEST(SharedRoutines, BoundsWorkAreaAndActiveForm) {
    ui::Form form(nullptr, "frmBounds");
    form.clientWidth = 300;
    form.clientHeight = 200;
    form.create();
    Plain child(&form, 0, 0);
    SetBoundsFromRect(&child, RECT{5, 6, 45, 26});
    const RECT b = child.boundsRect();
    EXPECT_EQ(b.left, 5);
    EXPECT_EQ(b.top, 6);
    EXPECT_EQ(b.right, 45);
    EXPECT_EQ(b.bottom, 26);

    // The test display has no task bar: the work area is the whole screen, with a main
    // form (its monitor's) or without one (the system's).
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    ASSERT_EQ(ui::Application::instance().mainForm(), nullptr);
    const RECT wa = GetWorkArea();
    EXPECT_TRUE(EqualRect(&wa, &screen));

    // Without a main form a form is active when it is the active window.
    form.show();
    SetActiveWindow(form.handle());
    EXPECT_TRUE(IsFormActive(&form));
    ui::Form other(nullptr, "frmOther");
    other.create();
    EXPECT_FALSE(IsFormActive(&other));
    EXPECT_FALSE(IsFormActive(nullptr));

    // With a main form: the work area of its monitor, and "no form" or the main form
    // count as active while the program is; another form by its own activity.
    ui::Application::instance().setMainForm(&form);
    const RECT mainArea = GetWorkArea();
    EXPECT_TRUE(EqualRect(&mainArea, &screen));
    SetForegroundWindow(form.handle());
    EXPECT_TRUE(IsFormActive(nullptr));
    EXPECT_TRUE(IsFormActive(&form));
    EXPECT_FALSE(IsFormActive(&other));
    other.show();
    SetActiveWindow(other.handle());
    EXPECT_TRUE(IsFormActive(&other));
    EXPECT_TRUE(IsFormActive(&form)); // the main form, while the program is active
    ui::Application::instance().setMainForm(nullptr);
}

} // namespace
