// The skinned frame on a test form: non-client sizes, frame pixels on screen, the
// window region, the title bar and system menu, and real mouse and key input.
#include "FrameSkin.h"
#include "TestSupport.h"
#include "skin/frame/FramePanel.h"
#include "skin/frame/PopupMenu.h"
#include "skin/frame/TitleBar.h"
#include "skin/controls/ToolBar.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/SkinPublic.h"
#include "skinpack/SkinWriter.h"
#include "ui/Application.h"
#include "ui/Environment.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

using namespace corvane;
using namespace corvane::test;
using skinpack::Bytes;
using skinpack::DescriptionWriter;

namespace {

constexpr uint32_t T = 0xFF00FF;

class FramedForm : public ui::Form {
public:
    explicit FramedForm(ui::Component* owner = nullptr) : ui::Form(owner, "frmFrameTest") {
        caption = "Frame Test";
        clientWidth = 300;
        clientHeight = 200;
        position = ui::FormPosition::ScreenCenter;
    }
    skin::FramePanel* frame = nullptr;

protected:
    void buildComponents() override {
        frame = new skin::FramePanel(this, "suiForm1");
        frame->setBorderColor(0);
        frame->setBorderWidth(1);
        frame->setColor(0xE8E8E8);
    }
};

RECT WindowRect(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r;
}

// Client edges relative to the window's outer edges.
RECT ClientInsets(HWND h) {
    RECT w = WindowRect(h), c;
    GetClientRect(h, &c);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&c), 2);
    return {c.left - w.left, c.top - w.top, w.right - c.right, w.bottom - c.bottom};
}

COLORREF ScreenPixel(HWND h, int x, int y) {
    const RECT w = WindowRect(h);
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, w.left + x, w.top + y);
    ReleaseDC(nullptr, dc);
    return c;
}

bool InRegion(HWND h, int x, int y) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(h, rgn);
    const bool in = kind != ERROR && PtInRegion(rgn, x, y);
    DeleteObject(rgn);
    return in;
}

// Real input at a point of the screen, each step waited for until it was handled.
void MouseTo(int x, int y) { EXPECT_TRUE(MoveMouseTo(nullptr, x, y)); }

void Click(int x, int y) {
    MouseTo(x, y);
    EXPECT_TRUE(LeftButton(false));
    EXPECT_TRUE(LeftButton(true));
}

// Skins made here: pictures in plain colours with TRANSCOLOR where the test needs it.
Bytes Solid(int w, int h, uint32_t c) {
    return skinpack::MakeBmp24(w, h, [c](int, int) { return c; });
}

struct SkinRecipe {
    bool titleRegion = false, bottomRegion = false, threeSect = false, fiveSect = false;
    int titleMinY = 0, titleMaxY = 0;
};

DescriptionWriter MakeSkin(const SkinRecipe& s) {
    DescriptionWriter d;
    // Title pictures 30 high: the left column transparent on every row, and row 2
    // transparent except for the last column of the right picture.
    auto title = [](int w, bool right) {
        return skinpack::MakeBmp24(w, 30, [w, right](int x, int y) -> uint32_t {
            if (y == 2) return right && x == w - 1 ? 0x203040 : T;
            if (!right && x == 0) return T;
            return 0x804020;
        });
    };
    d.addBitmap("SKIN2_TITLEBAR1", title(20, false));
    d.addBitmap("SKIN2_TITLEBAR2",
                skinpack::MakeBmp24(10, 30, [](int, int y) -> uint32_t { return y == 2 ? T : 0x804020; }));
    d.addBitmap("SKIN2_TITLEBAR3", title(20, !s.fiveSect));
    if (s.fiveSect) {
        d.addBitmap("SKIN2_TITLEBAR4",
                    skinpack::MakeBmp24(10, 30, [](int, int y) -> uint32_t { return y == 2 ? T : 0x804020; }));
        d.addBitmap("SKIN2_TITLEBAR5", title(20, true));
        d.addBool("SKIN2_TITLEFIVESECT", true);
    }
    AddFrameBasics(d, T);
    // Bottom border 7 high in three 10-pixel parts; its corners are transparent.
    d.addBitmap("SKIN2_FORMBOTTOMBORDER1", skinpack::MakeBmp24(30, 7, [](int x, int y) -> uint32_t {
                    if (y == 6 && (x == 0 || x == 29)) return T;
                    return 0x0000FF;
                }));
    if (s.threeSect) {
        d.addBitmap("SKIN2_FORMBOTTOMBORDER2", Solid(5, 7, 0x00FF00));
        d.addBitmap("SKIN2_FORMBOTTOMBORDER3", Solid(8, 7, 0xFF0000));
        d.addBool("SKIN2_BOTTOMBORDERTHREESECT", true);
    }
    d.addInt("SKIN2_TITLEBARREGIONMINY", s.titleMinY);
    d.addInt("SKIN2_TITLEBARREGIONMAXY", s.titleMaxY);
    d.addInt("SKIN2_BOTTOMREGIONMINY", 0);
    d.addInt("SKIN2_BOTTOMREGIONMAXY", 6);
    d.addBool("SKIN2_TITLEBARNEEDREGION", s.titleRegion);
    d.addBool("SKIN2_BOTTOMBORDERNEEDREGION", s.bottomRegion);
    return d;
}

class SkinFrame : public ::testing::Test {
protected:
    void SetUp() override {
        ui::TheEnvironment().folders = {folder.path(), folder.path(), folder.path(), folder.path()};
        form = std::make_unique<FramedForm>();
        form->create();
        form->show();
        SetForegroundWindow(form->handle());
        PumpFor(100);
    }
    void TearDown() override {
        form.reset();
        theme.reset();
        ui::TheEnvironment().folders = {};
        PumpFor(20);
    }
    void useSkin(const SkinRecipe& s) {
        const std::string path = folder.file("test.ssk");
        ASSERT_TRUE(skinpack::WriteFile(path, skinpack::BuildSkin(MakeSkin(s))));
        theme = std::make_unique<skin::FileTheme>(nullptr);
        theme->setThemeFile(path);
        ASSERT_TRUE(theme->ready());
        form->frame->setUIStyle(skin::UIStyle::FromThemeFile);
        form->frame->setFileTheme(theme.get());
        PumpFor(100);
    }
    HWND h() const { return form->handle(); }
    int W() const {
        const RECT r = WindowRect(h());
        return r.right - r.left;
    }
    int H() const {
        const RECT r = WindowRect(h());
        return r.bottom - r.top;
    }

    TempFolder folder;
    std::unique_ptr<skin::FileTheme> theme;
    std::unique_ptr<FramedForm> form;
};

TEST_F(SkinFrame, BuiltInStyleFrameAndRegion) {
    EXPECT_FALSE(GetWindowLongA(h(), GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(form->frame->version(), "6.2");
    form->frame->setVersion("7.0");
    EXPECT_EQ(form->frame->version(), "6.2");
    try {
        new skin::FramePanel(form.get());
        ADD_FAILURE() << "a second frame on the form was accepted";
    } catch (const ui::UiError& e) {
        EXPECT_STREQ(e.what(), "Sorry, You can create only one TsuiForm component in one form!");
    }
    const RECT in = ClientInsets(h());
    EXPECT_EQ(in.left, 3);
    EXPECT_EQ(in.top, 3);
    EXPECT_EQ(in.right, 3);
    EXPECT_EQ(in.bottom, 2); // border width + 1
    EXPECT_EQ(SendMessageA(h(), ui::msg::FrameInsetQuery, 0, 0), 2);
    EXPECT_EQ(form->frame->titleBar()->height(), 29); // the 32-pixel title less the 3 rows above it
    // One black pixel on the left, right and bottom; the form colour inside it.
    EXPECT_EQ(ScreenPixel(h(), 0, H() / 2), RGB(0, 0, 0));
    EXPECT_EQ(ScreenPixel(h(), W() - 1, H() / 2), RGB(0, 0, 0));
    EXPECT_EQ(ScreenPixel(h(), W() / 2, H() - 1), RGB(0, 0, 0));
    EXPECT_EQ(ScreenPixel(h(), 1, H() / 2), 0xE8E8E8u);
    EXPECT_EQ(ScreenPixel(h(), W() - 2, H() - 2), 0xE8E8E8u);
    EXPECT_EQ(ScreenPixel(h(), W() / 2, H() / 2), 0xE8E8E8u);
    // Built-in styles round only the corners they are asked to.
    EXPECT_TRUE(InRegion(h(), 0, 0));
    form->frame->setRoundCorner(11);
    EXPECT_FALSE(InRegion(h(), 0, 0));
    EXPECT_FALSE(InRegion(h(), W() - 1, 0));
    EXPECT_TRUE(InRegion(h(), 0, H() - 1));
    EXPECT_TRUE(InRegion(h(), W() / 2, 0));
    form->frame->setRoundCornerBottom(11);
    EXPECT_FALSE(InRegion(h(), 0, H() - 1));
    form->frame->setTitleBarVisible(false);
    EXPECT_EQ(form->frame->roundCorner(), 0);
    // A thicker outer line gives a 3-pixel bottom band.
    form->frame->setTitleBarVisible(true);
    form->frame->setBorderWidth(3);
    SetWindowPos(h(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(ClientInsets(h()).bottom, 3);
}

// A tool bar on the frame shows the frame through it in MacOS and Protein only; on a
// plain form it never does.
TEST_F(SkinFrame, ToolBarSeesThroughToTheFrameInMacOSAndProtein) {
    form->frame->setColor(0x1EC80A);
    auto* onFrame = new skin::ToolBar(form.get(), "bar", form->frame->handle(), 0, 29, 200, 36, 44, 36, nullptr);
    auto* onForm = new skin::ToolBar(form.get(), "plain", h(), 0, 100, 200, 36, 44, 36, nullptr);
    struct Case {
        skin::UIStyle style;
        bool onFrame, seesThrough;
    };
    for (const Case& c : {Case{skin::UIStyle::MacOS, true, true}, Case{skin::UIStyle::Protein, true, true},
                          Case{skin::UIStyle::WinXP, true, false}, Case{skin::UIStyle::MacOS, false, false}}) {
        SCOPED_TRACE(static_cast<int>(c.style) * 10 + c.onFrame);
        skin::ToolBar* bar = c.onFrame ? onFrame : onForm;
        bar->setUIStyle(c.style);
        EXPECT_EQ(bar->transparent(), c.seesThrough);
        if (c.onFrame) {
            EXPECT_EQ(Capture(bar->handle()).pixel(150, 20) == 0x1EC80A, c.seesThrough);
        }
    }
}

TEST_F(SkinFrame, FileThemeBordersAndRegions) {
    struct Case {
        const char* name;
        SkinRecipe recipe;
    };
    const Case cases[] = {
        {"three sections, no regions", {false, false, false, false, 0, 0}},
        {"title min -1 to 3, bottom region", {true, true, false, false, -1, 3}},
        {"title min not below max", {true, false, false, false, 5, 5}},
        {"five sections, both regions", {true, true, false, true, -1, 3}},
        {"three-part bottom border", {false, false, true, false, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useSkin(c.recipe);
        const RECT in = ClientInsets(h());
        EXPECT_EQ(in.left, 6);
        EXPECT_EQ(in.right, 6);
        EXPECT_EQ(in.bottom, 7);
        EXPECT_EQ(in.top, 3);
        const int w = W(), hh = H();
        // Left and right border pictures beside the client area, the bottom border under it.
        EXPECT_EQ(ScreenPixel(h(), 0, hh / 2), 0x00FFFFu);
        EXPECT_EQ(ScreenPixel(h(), w - 1, hh / 2), 0xFFFF00u);
        if (c.recipe.threeSect) {
            EXPECT_EQ(ScreenPixel(h(), w / 2, hh - 3), 0x00FF00u);
            EXPECT_EQ(ScreenPixel(h(), w - 2, hh - 3), 0xFF0000u);
            EXPECT_EQ(ScreenPixel(h(), 1, hh - 3), 0x0000FFu);
        } else {
            EXPECT_EQ(ScreenPixel(h(), w / 2, hh - 3), 0x0000FFu);
        }
        const SkinRecipe& s = c.recipe;
        if (!s.titleRegion && !s.bottomRegion) {
            for (POINT p : {POINT{0, 0}, POINT{0, 2}, POINT{w - 1, hh - 1}}) EXPECT_TRUE(InRegion(h(), p.x, p.y));
            continue;
        }
        if (s.titleMinY == -1) {
            EXPECT_FALSE(InRegion(h(), 0, 0)); // scanned from row 0
            EXPECT_FALSE(InRegion(h(), 0, 3));
            EXPECT_TRUE(InRegion(h(), 0, 4)); // below the last scanned row: solid
            EXPECT_TRUE(InRegion(h(), 5, 0));
            // The only opaque pixel of row 2 is the last column's.
            EXPECT_TRUE(InRegion(h(), w - 1, 2));
            EXPECT_FALSE(InRegion(h(), w - 2, 2));
            EXPECT_FALSE(InRegion(h(), w / 2, 2));
        } else {
            EXPECT_TRUE(InRegion(h(), 0, 4)); // the band above the first scanned row
            EXPECT_FALSE(InRegion(h(), 0, 5));
            EXPECT_FALSE(InRegion(h(), 0, 29)); // scanned down to the last row
        }
        EXPECT_TRUE(InRegion(h(), 0, hh / 2));
        EXPECT_EQ(InRegion(h(), 0, hh - 1), !s.bottomRegion);
        EXPECT_TRUE(InRegion(h(), w / 2, hh - 1));
    }
}

TEST_F(SkinFrame, AHiddenFormsBordersFollowEachStyleBeforeItShows) {
    // No region is set while the form is hidden: only the frame's own measurement moves
    // the client area to the new borders.
    useSkin({false, false, false, false, 0, 0});
    FramedForm hidden;
    hidden.create();
    struct Step {
        const char* name;
        skin::FileTheme* theme;
        LONG left, right, bottom;
    };
    const Step steps[] = {{"skin", theme.get(), 6, 6, 7},
                          {"built-in again", nullptr, 3, 3, 2},
                          {"built-in once more", nullptr, 3, 3, 2},
                          {"skin again", theme.get(), 6, 6, 7}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        hidden.frame->setUIStyle(skin::UIStyle::FromThemeFile);
        hidden.frame->setFileTheme(s.theme);
        ASSERT_FALSE(IsWindowVisible(hidden.handle()));
        const RECT in = ClientInsets(hidden.handle());
        EXPECT_EQ(in.left, s.left);
        EXPECT_EQ(in.right, s.right);
        EXPECT_EQ(in.bottom, s.bottom);
    }
}

TEST_F(SkinFrame, EachStyleGivesTheTitleBarItsOwnSectionsAgain) {
    useSkin({false, false, false, false, 0, 0});
    skin::TitleBarSections& sections = form->frame->titleBarSections();
    auto firstPixel = [&] {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, sections[0].picture());
        const COLORREF c = GetPixel(dc, 1, 0);
        SelectObject(dc, old);
        DeleteDC(dc);
        return c;
    };
    ASSERT_EQ(sections.count(), 3);
    EXPECT_EQ(firstPixel(), RGB(0x20, 0x40, 0x80));
    // Sections edited by hand give way to the style's when it is applied again.
    sections[0].setWidth(99);
    sections.add();
    form->frame->setUIStyle(skin::UIStyle::FromThemeFile);
    ASSERT_EQ(sections.count(), 3);
    EXPECT_EQ(sections[0].width(), 20);
    // The built-in style's pictures, then the skin's again.
    form->frame->setFileTheme(nullptr);
    ASSERT_EQ(sections.count(), 3);
    EXPECT_NE(firstPixel(), RGB(0x20, 0x40, 0x80));
    form->frame->setFileTheme(theme.get());
    ASSERT_EQ(sections.count(), 3);
    EXPECT_EQ(sections[0].width(), 20);
    EXPECT_EQ(firstPixel(), RGB(0x20, 0x40, 0x80));
}

TEST_F(SkinFrame, TitleBarButtonsAndInactiveCaption) {
    skin::TitleBar* bar = form->frame->titleBar();
    ASSERT_EQ(bar->buttons().count(), 4);
    bar->buttons()[2].setVisible(false);
    // A second control box is refused with the message.
    ScriptedPrompt user;
    bar->buttons()[1].setButtonType(skin::TitleBarButtonType::ControlBox);
    EXPECT_EQ(bar->buttons()[1].buttonType(), skin::TitleBarButtonType::Close);
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls[0].text, "Sorry, only one button's ButtonType property can be \"suiControlBox\"");
    bar->sections()[0].setAlign(skin::TitleBarAlign::Client);
    EXPECT_EQ(user.calls.back().text, "Sorry, only one section's Align property can be \"suiClient\"");

    form->frame->setInactiveCaptionColor(0x0000FF);
    bar->setCaption("MMMMMMMM");
    auto redText = [&] {
        Capture cap(bar->handle());
        return cap.count({0, 0, cap.width(), cap.height()}, IsReddish);
    };
    EXPECT_EQ(redText(), 0);
    bar->setFormActive(false);
    EXPECT_GT(redText(), 10);
}

// Setting the title bar's file theme alone keeps the caption colour it was given;
// a style of its own, or the frame handing both on, sets it.
TEST_F(SkinFrame, TitleBarKeepsItsFontColourWhenOnlyItsThemeIsSet) {
    useSkin({});
    skin::TitleBar* bar = form->frame->titleBar();
    bar->setFont(bar->logFont(), 0x123456);
    bar->setFileTheme(theme.get());
    EXPECT_EQ(bar->fontColor(), 0x123456u);
    bar->setUIStyle(skin::UIStyle::WinXP);
    EXPECT_EQ(bar->fontColor(), 0xFFFFFFu);
    bar->setFont(bar->logFont(), 0x123456);
    form->frame->setUIStyle(skin::UIStyle::MacOS);
    EXPECT_EQ(bar->fontColor(), 0u);
}

// The caption ends 10 pixels before the leftmost button when the bar asks for
// right-to-left reading and the system reads so; otherwise nothing moves.
TEST_F(SkinFrame, TitleBarCaptionFromTheRightOnlyWhereTheSystemReadsSo) {
    useSkin({});
    skin::TitleBar* bar = form->frame->titleBar();
    bar->setCaption("MMMM");
    const Capture ltr(bar->handle());
    const int w = ltr.width(), row = bar->buttonTop() + 4;
    const COLORREF button = ltr.pixel(w - 8, row);
    int xb = w - 8; // leftwards across the buttons and the one pixel between them
    for (;;) {
        if (ltr.pixel(xb - 1, row) == button) --xb;
        else if (ltr.pixel(xb - 2, row) == button) xb -= 2;
        else break;
    }
    const COLORREF back = ltr.pixel(xb - 3, row);
    // The text drawn alone at x = 0 on the same colour: its last column of ink.
    ui::FontHandle font(CreateFontIndirectW(&bar->logFont()));
    SIZE ts{};
    int lastInk = -1;
    {
        ui::OffscreenBitmap img(nullptr, 120, 40);
        ui::FillSolid(img.dc(), {0, 0, 120, 40}, back);
        ui::SelectObjectScope sel(img.dc(), font.get());
        GetTextExtentPoint32A(img.dc(), "MMMM", 4, &ts);
        SetBkMode(img.dc(), TRANSPARENT);
        SetTextColor(img.dc(), RGB(255, 255, 255));
        TextOutA(img.dc(), 0, 5, "MMMM", 4);
        for (int x = 0; x < 120; ++x)
            for (int y = 0; y < 40; ++y)
                if (GetPixel(img.dc(), x, y) != back) lastInk = x;
    }
    ASSERT_GT(lastInk, 0);
    auto barLastInk = [&](const Capture& c) {
        for (int x = xb - 1; x > 0; --x)
            for (int y = 3; y < c.height(); ++y)
                if (c.pixel(x, y) != back) return x;
        return -1;
    };
    struct Case {
        bool system, asked;
    };
    for (const Case& c : {Case{true, false}, Case{false, true}, Case{true, true}}) {
        SCOPED_TRACE(testing::Message() << "system " << c.system << ", asked " << c.asked);
        ui::TheEnvironment().rightToLeftSystem = c.system;
        bar->rightToLeft = c.asked;
        const Capture cap(bar->handle());
        if (c.system && c.asked) EXPECT_EQ(barLastInk(cap), xb - ts.cx - 10 + lastInk);
        else EXPECT_TRUE(cap == ltr);
    }
}

void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(SkinFrame, SystemMenuItemsFollowTheButtons) {
    skin::TitleBar* bar = form->frame->titleBar();
    bar->buttons()[2].setVisible(false); // maximize hidden, as in the program
    skin::TitleBarPopupMenu& menu = bar->systemMenu();
    ASSERT_EQ(menu.root().items.size(), 4u);
    EXPECT_EQ(menu.root().items[0]->caption, "Mi&nimize");
    EXPECT_EQ(menu.root().items[1]->caption, "Ma&ximize/Restore");
    EXPECT_EQ(menu.root().items[2]->caption, "-");
    EXPECT_EQ(menu.root().items[3]->caption, "&Close");
    SetTimer(nullptr, 0, 200, &EndMenuSoon);
    bar->popupSystemMenu(10, 10);
    EXPECT_TRUE(menu.minimizeItem->enabled);
    EXPECT_FALSE(menu.maximizeItem->enabled);
    EXPECT_TRUE(menu.closeItem->enabled);
}

TEST(SkinPopupMenu, MeasuresAndDrawsItems) {
    ui::Form owner(nullptr);
    skin::PopupMenu menu(&owner);
    skin::MenuItem* sep = menu.addItem("-");
    skin::MenuItem* item = menu.addItem("Item");
    ui::OffscreenBitmap img(nullptr, 200, 40);
    UINT w = 0, h = 0;
    menu.measureItem(img.dc(), *sep, w, h);
    EXPECT_EQ(h, 5u);
    menu.setUIStyle(skin::UIStyle::MacOS);
    menu.setSeparatorHeight(30);
    menu.measureItem(img.dc(), *sep, w, h);
    EXPECT_EQ(h, 12u);
    menu.setUIStyle(skin::UIStyle::DeepBlue);
    // A checked item with an image: a black frame and a fill in the selection colour.
    ui::ImageListHandle images(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
    ui::BitmapHandle pic(CreateCompatibleBitmap(img.dc(), 16, 16));
    ImageList_Add(images.get(), pic.get(), nullptr);
    menu.images = images.get();
    item->checked = true;
    item->imageIndex = 0;
    menu.color = 0xFFFFFF;
    menu.selectedColor = 0x00FF00;
    menu.drawItem(img.dc(), {0, 0, 200, 21}, *item, false);
    EXPECT_EQ(GetPixel(img.dc(), 2, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(img.dc(), 3, 2), 0x00FF00u);
    item->imageIndex = -1; // checked without an image: the shared check mark, no box
    menu.drawItem(img.dc(), {0, 0, 200, 21}, *item, false);
    EXPECT_NE(GetPixel(img.dc(), 2, 1), RGB(0, 0, 0));
}

TEST(SkinPopupMenu, BarOnTheRightOnlyWhereTheSystemReadsSo) {
    ui::Form owner(nullptr);
    skin::PopupMenu menu(&owner);
    skin::MenuItem* item = menu.addItem("Item");
    menu.setBarWidth(26);
    menu.barColor = menu.barToColor = 0x0000C0;
    menu.color = 0xFFFFFF;
    const COLORREF bar = ui::ToRgb(menu.barColor);
    ui::OffscreenBitmap img(nullptr, 200, 21);
    struct Case {
        bool system, asked;
    };
    for (const Case& c : {Case{true, false}, Case{false, true}, Case{true, true}}) {
        ui::TheEnvironment().rightToLeftSystem = c.system;
        menu.rightToLeft = c.asked;
        ui::FillSolid(img.dc(), {0, 0, 200, 21}, RGB(0, 0, 0));
        menu.drawItem(img.dc(), {0, 0, 200, 21}, *item, false);
        const bool right = c.system && c.asked;
        EXPECT_EQ(GetPixel(img.dc(), 1, 10) == bar, !right) << c.system << c.asked;
        EXPECT_EQ(GetPixel(img.dc(), 198, 10) == bar, right) << c.system << c.asked;
    }
}

// Real input from a second thread: the window's move loop holds this one. This thread
// runs its message loop until the steps are done, then handles what they left queued.
// False when a step's event did not come.
bool InputLater(std::function<bool()> steps) {
    std::atomic<bool> done{false};
    bool ok = false;
    std::thread t([&] {
        ok = steps();
        done = true;
    });
    const bool ended = PumpUntil([&] { return done.load(); }, 10000);
    t.join();
    PumpPending();
    return ended && ok;
}

void SendButton(DWORD flag) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flag;
    SendInput(1, &in, sizeof in);
}

// From the input thread: waits until `done` holds, for at most two seconds.
bool AwaitFromOutside(const std::function<bool()>& done) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 2000; Sleep(2))
        if (done()) return true;
    return done();
}

// Whether `thread` is in a window's move loop.
bool InMoveLoop(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE);
}

TEST_F(SkinFrame, MouseDragsTheWindow) {
    skin::TitleBar* bar = form->frame->titleBar();
    const RECT before = WindowRect(h());
    POINT p{100, 12};
    ClientToScreen(bar->handle(), &p);
    MouseTo(p.x, p.y);
    const DWORD self = GetCurrentThreadId();
    HWND w = h();
    auto movedBy = [w, before](int dx, int dy) {
        const RECT r = WindowRect(w);
        return r.left - before.left == dx && r.top - before.top == dy;
    };
    EXPECT_TRUE(InputLater([&] {
        SendButton(MOUSEEVENTF_LEFTDOWN);
        bool ok = AwaitFromOutside([&] { return InMoveLoop(self); });
        SetCursorPos(p.x + 20, p.y + 10);
        ok = AwaitFromOutside([&] { return movedBy(20, 10); }) && ok;
        SetCursorPos(p.x + 40, p.y + 30);
        ok = AwaitFromOutside([&] { return movedBy(40, 30); }) && ok;
        SendButton(MOUSEEVENTF_LEFTUP);
        return AwaitFromOutside([&] { return !InMoveLoop(self); }) && ok;
    }));
    const RECT after = WindowRect(h());
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 30);
}

TEST_F(SkinFrame, DoubleClickMaximizesOnlyWithTheMaximizeButton) {
    skin::TitleBar* bar = form->frame->titleBar();
    const DWORD self = GetCurrentThreadId();
    for (bool maxVisible : {true, false}) {
        SCOPED_TRACE(maxVisible);
        bar->buttons()[2].setVisible(maxVisible);
        PumpPending();
        POINT p{100, 12};
        ClientToScreen(bar->handle(), &p);
        MouseTo(p.x, p.y);
        // The first press starts the move loop, its release ends it; the second press
        // is the double click.
        EXPECT_TRUE(InputLater([self] {
            SendButton(MOUSEEVENTF_LEFTDOWN);
            bool ok = AwaitFromOutside([self] { return InMoveLoop(self); });
            SendButton(MOUSEEVENTF_LEFTUP);
            ok = AwaitFromOutside([self] { return !InMoveLoop(self); }) && ok;
            SendButton(MOUSEEVENTF_LEFTDOWN);
            SendButton(MOUSEEVENTF_LEFTUP);
            return ok;
        }));
        EXPECT_EQ(IsZoomed(h()) != FALSE, maxVisible);
        if (IsZoomed(h())) ShowWindow(h(), SW_RESTORE);
        EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(h()); }));
    }
}

// Maximized, the window covers the work area and two pixels beyond it on three sides,
// whether it was maximized before the frame attached or after.
TEST_F(SkinFrame, MaximizedWindowFollowsTheWorkAreaRule) {
    const RECT a = skin::GetWorkArea();
    const ui::Rect m = skin::MaximizedBounds({a.left, a.top, a.right, a.bottom});
    for (bool attachWhileMaximized : {false, true}) {
        SCOPED_TRACE(attachWhileMaximized);
        ui::Form plain(nullptr, "frmPlainMax");
        plain.clientWidth = 300;
        plain.clientHeight = 200;
        plain.create();
        if (attachWhileMaximized) ShowWindow(plain.handle(), SW_MAXIMIZE);
        auto* frame = new skin::FramePanel(&plain, "suiForm1");
        frame->titleBar()->buttons()[2].setVisible(true);
        if (!attachWhileMaximized) ShowWindow(plain.handle(), SW_MAXIMIZE);
        auto bounds = [&] {
            const RECT r = WindowRect(plain.handle());
            return ui::Rect{r.left, r.top, r.right, r.bottom};
        };
        PumpUntil([&] { return bounds() == m; });
        EXPECT_EQ(bounds(), m);
        ShowWindow(plain.handle(), SW_RESTORE);
        EXPECT_TRUE(PumpUntil([&] { return bounds().right - bounds().left < m.right - m.left; }));
    }
}

// The popup menu window open at the moment the timer fires.
RECT openMenu{};
bool menuSeen = false;
void CALLBACK NoteMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND m = FindWindowA("#32768", nullptr); m && IsWindowVisible(m)) {
        GetWindowRect(m, &openMenu);
        menuSeen = true;
    }
    EndMenu();
}

TEST_F(SkinFrame, AppIconOpensTheSystemMenuBelowTheBar) {
    skin::TitleBar* bar = form->frame->titleBar();
    POINT corner{0, bar->height()};
    ClientToScreen(bar->handle(), &corner);
    // Read right to left, the menu ends 176 pixels in instead of starting at the corner.
    for (bool rtl : {false, true}) {
        ui::TheEnvironment().rightToLeftSystem = rtl;
        bar->rightToLeft = rtl;
        menuSeen = false;
        SetTimer(nullptr, 0, 300, &NoteMenu);
        // The icon sits after the style's left offset.
        POINT p{4 + 8, bar->buttonTop() + 8};
        ClientToScreen(bar->handle(), &p);
        Click(p.x, p.y);
        ASSERT_TRUE(PumpUntil([] { return menuSeen; })) << rtl;
        EXPECT_EQ(rtl ? openMenu.right : openMenu.left, corner.x + (rtl ? 176 : 0));
        EXPECT_EQ(openMenu.top, corner.y);
        PumpFor(static_cast<int>(GetDoubleClickTime())); // two clicks on the icon close the window
    }
}

skin::TitleBar* closeBar = nullptr;
void CALLBACK ClickClose(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    // The close button is the rightmost, ending one pixel inside the bar.
    RECT r;
    GetClientRect(closeBar->handle(), &r);
    POINT p{r.right - 8, closeBar->buttonTop() + 6};
    ClientToScreen(closeBar->handle(), &p);
    Click(p.x, p.y);
}

TEST_F(SkinFrame, CloseButtonCancelsAModalDialog) {
    auto* dialog = new FramedForm(form.get());
    dialog->create();
    closeBar = dialog->frame->titleBar();
    SetTimer(nullptr, 0, 200, &ClickClose);
    GiveUpTimer giveUp(2500, [dialog] { EndModalLoop(*dialog); });
    EXPECT_EQ(dialog->showModal(), ui::ModalResult::Cancel);
    EXPECT_FALSE(giveUp.fired()) << "the click missed the close button";
    delete dialog;
}

std::vector<int> menusOpened;
void CALLBACK PressAltSpace(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    // Typed for real: Alt held, Space pressed and released, Alt released.
    const WORD keys[] = {VK_MENU, VK_SPACE, VK_SPACE, VK_MENU};
    INPUT in[4]{};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i];
        in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, in, sizeof(INPUT));
}

TEST_F(SkinFrame, AltSpaceShowsTheNewestFramesMenuFirst) {
    auto* dialog = new FramedForm(form.get());
    dialog->create();
    menusOpened.clear();
    dialog->frame->titleBar()->systemMenu().onPopup = [] {
        menusOpened.push_back(2);
        SetTimer(nullptr, 0, 100, &EndMenuSoon);
    };
    form->frame->titleBar()->systemMenu().onPopup = [dialog] {
        menusOpened.push_back(1);
        SetTimer(nullptr, 0, 100, &EndMenuSoon);
        dialog->setModalResult(ui::ModalResult::Cancel);
    };
    SetTimer(nullptr, 0, 150, &PressAltSpace);
    GiveUpTimer giveUp(2500, [dialog] { EndModalLoop(*dialog); });
    dialog->showModal();
    EXPECT_EQ(menusOpened, (std::vector<int>{2, 1}));
    delete dialog;
}

void CALLBACK PressC(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = 'C';
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    SetTimer(nullptr, 0, 300, &EndMenuSoon); // in case the key is not taken
}

TEST_F(SkinFrame, AcceleratorKeyChoosesASystemMenuItem) {
    auto* dialog = new FramedForm(form.get());
    dialog->create();
    // "&Close" closes the dialog: a modal one is cancelled.
    dialog->frame->titleBar()->systemMenu().onPopup = [] { SetTimer(nullptr, 0, 150, &PressC); };
    SetTimer(nullptr, 0, 100, &PressAltSpace);
    GiveUpTimer giveUp(2500, [dialog] { EndModalLoop(*dialog); });
    form->frame->titleBar()->systemMenu().onPopup = [] { SetTimer(nullptr, 0, 50, &EndMenuSoon); };
    EXPECT_EQ(dialog->showModal(), ui::ModalResult::Cancel);
    delete dialog;
}

} // namespace

TEST_F(SkinFrame, FailedAllocationsDrawNothingAndLeaveTheFrameSolid) {
    using ui::GdiAllocation;
    for (GdiAllocation kind :
         {GdiAllocation::DibSection, GdiAllocation::MemoryDc, GdiAllocation::Bitmap, GdiAllocation::Font}) {
        SCOPED_TRACE(static_cast<int>(kind));
        int failed = 0; // only the first of its kind fails, except DIB sections: all of those
        ui::TheEnvironment().failGdiAllocation = [&](GdiAllocation a) {
            return a == kind && (kind == GdiAllocation::DibSection || !failed) && ++failed;
        };
        useSkin({true, true, false, false, -1, 3});
        // Wider than the frame's pictures were made for: each must be made anew.
        const RECT was = WindowRect(h());
        SetWindowPos(h(), nullptr, 0, 0, 2 * (was.right - was.left), was.bottom - was.top, SWP_NOMOVE | SWP_NOZORDER);
        skin::TitleBar* bar = form->frame->titleBar();
        bar->setFont(bar->logFont(), 0xFFFFFF);
        RedrawWindow(h(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ui::TheEnvironment().failGdiAllocation = nullptr;
        EXPECT_GT(failed, 0);
        // Without title or bottom pixels to scan, both strips stay solid.
        if (kind == GdiAllocation::DibSection) {
            EXPECT_TRUE(InRegion(h(), 0, 0) && InRegion(h(), 0, H() - 1));
        }
        useSkin({true, true, false, false, -1, 3});
        EXPECT_FALSE(InRegion(h(), 0, 0)); // made again once allocations succeed
        SetWindowPos(h(), nullptr, 0, 0, was.right - was.left, was.bottom - was.top, SWP_NOMOVE | SWP_NOZORDER);
    }
}

namespace {

// The window's pixels as the screen shows them, row by row, 0x00RRGGBB.
std::vector<uint32_t> WindowPixels(HWND h) {
    const RECT r = WindowRect(h);
    const int w = r.right - r.left, hh = r.bottom - r.top;
    std::vector<uint32_t> out(static_cast<size_t>(w) * static_cast<size_t>(hh));
    ui::WindowDc screen(nullptr);
    ui::OffscreenBitmap image;
    if (!image.createDibSection(w, hh)) return {};
    BitBlt(image.dc(), 0, 0, w, hh, screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
    std::copy(image.bits(), image.bits() + out.size(), out.begin());
    return out;
}

} // namespace

// A frame taken through several size steps looks, and is cut, exactly as one that went
// straight to the last size: nothing composed for an earlier size is shown or scanned.
TEST_F(SkinFrame, SizeStepsLeaveTheRegionAndPixelsOfTheNewSize) {
    useSkin({true, true, false, true, -1, 3});
    FramedForm other;
    other.create();
    other.frame->setUIStyle(skin::UIStyle::FromThemeFile);
    other.frame->setFileTheme(theme.get());
    const RECT start = WindowRect(h());
    const int w0 = start.right - start.left, h0 = start.bottom - start.top;
    SetWindowPos(h(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Past the width its pictures were made with and back: kept pictures wider than shown.
    for (int d : {1, 2, 3, 5, w0 / 3, 8}) {
        SetWindowPos(h(), nullptr, 0, 0, w0 + d, h0 + d, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateWindow(h());
    }
    SetWindowPos(other.handle(), nullptr, w0 + 40, 0, w0 + 8, h0 + 8, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(other.handle(), SW_SHOWNOACTIVATE);
    SetCursorPos(1279, 1023); // no button hot
    PumpFor(150);
    // Both captions in the active colour, whichever window the system made active.
    for (skin::FramePanel* f : {form->frame, other.frame}) {
        f->titleBar()->setFormActive(true);
        UpdateWindow(f->titleBar()->handle());
    }
    PumpFor(50);
    ASSERT_EQ(W(), w0 + 8);
    ui::RegionHandle stepped(CreateRectRgn(0, 0, 0, 0)), direct(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(h(), stepped.get()), ERROR);
    ASSERT_NE(GetWindowRgn(other.handle(), direct.get()), ERROR);
    EXPECT_TRUE(EqualRgn(stepped.get(), direct.get()));
    // The skin's shape at the new width: the right picture's last column opaque on row 2.
    EXPECT_TRUE(InRegion(h(), W() - 1, 2));
    EXPECT_FALSE(InRegion(h(), W() - 2, 2));
    EXPECT_FALSE(InRegion(h(), W() - 1, H() - 1));
    EXPECT_TRUE(InRegion(h(), W() - 2, H() - 1));
    const std::vector<uint32_t> a = WindowPixels(h()), b = WindowPixels(other.handle());
    ASSERT_EQ(a.size(), b.size());
    ASSERT_FALSE(a.empty());
    int differing = 0;
    for (int y = 0; y < H(); ++y)
        for (int x = 0; x < W(); ++x) {
            const size_t i = static_cast<size_t>(y) * static_cast<size_t>(W()) + static_cast<size_t>(x);
            if (PtInRegion(direct.get(), x, y) && a[i] != b[i]) ++differing;
        }
    EXPECT_EQ(differing, 0);
}
