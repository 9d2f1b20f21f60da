// The skinned form's menu bar: its height and the controls below it, buttons that
// follow the main menu's items, its colours and hot button on screen, the popup
// below a button, and shortcut keys typed on the active form.
#include "TestSupport.h"
#include "skin/frame/FramePanel.h"
#include "skin/frame/MainMenu.h"
#include "skin/frame/MenuBar.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/StyleTable.h"
#include "skinpack/SkinWriter.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include "ui/StdControls.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace corvane;
using namespace corvane::test;

namespace {

class MenuForm : public ui::Form {
public:
    explicit MenuForm(bool framed) : ui::Form(nullptr, "frmMenuTest"), framed_(framed) {
        caption = "Menu Test";
        clientWidth = 320;
        clientHeight = 200;
        position = ui::FormPosition::ScreenCenter;
    }
    skin::FramePanel* frame = nullptr;
    ui::Edit* edit = nullptr;

protected:
    void buildComponents() override {
        HWND parent = handle();
        if (framed_) {
            frame = new skin::FramePanel(this, "suiForm1");
            parent = frame->handle();
        }
        edit = new ui::Edit(this, "edtName", parent, 10, 40, 120, 21);
    }

private:
    bool framed_;
};

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<MenuForm>(true);
        form->create();
        form->show();
        SetForegroundWindow(form->handle());
        menu = new skin::MainMenu(form.get(), "mainMenu");
        file = menu->root().add("&File");
        save = file->add("&Save", [this] { ++saved; });
        save->shortcut = "Ctrl+S";
        file->add("-");
        file->add("E&xit");
        menu->root().add("&Edit")->add("&Copy")->shortcut = "Ctrl+C";
        help = menu->root().add("&Help");
        help->enabled = false;
        help->add("&About");
        PumpFor(50);
    }
    void TearDown() override {
        form.reset();
        PumpPending();
    }
    skin::FramePanel& frame() const { return *form->frame; }
    skin::MenuBar& bar() const { return *form->frame->menuBar(); }

    std::unique_ptr<MenuForm> form;
    skin::MainMenu* menu = nullptr;
    skin::MenuItem* file = nullptr;
    skin::MenuItem* save = nullptr;
    skin::MenuItem* help = nullptr;
    int saved = 0;
};

TEST_F(MenuBarTest, HeightAndControlsFollowTheMenuAndItsRemoval) {
    const int editTop = form->edit->top();
    const int minWithout = frame().minHeight();
    EXPECT_EQ(frame().menuBarHeight(), 0);
    frame().setMenu(menu);
    EXPECT_EQ(frame().menuBarHeight(), 22);
    EXPECT_EQ(bar().top(), frame().titleBar()->height());
    EXPECT_EQ(form->edit->top(), editTop + 22);
    EXPECT_EQ(frame().minHeight(), minWithout + 22);
    frame().setMenuBarHeight(30);
    EXPECT_EQ(frame().menuBarHeight(), 30);
    EXPECT_EQ(form->edit->top(), editTop + 30);
    frame().setUIStyle(skin::UIStyle::WinXP);
    EXPECT_EQ(menu->uiStyle(), skin::UIStyle::WinXP);

    delete menu;
    PumpFor(30);
    EXPECT_EQ(frame().menu(), nullptr);
    EXPECT_EQ(frame().menuBar(), nullptr);
    EXPECT_EQ(frame().menuBarHeight(), 0);
    EXPECT_EQ(form->edit->top(), editTop);

    // A menu that outlives the frame forgets it.
    skin::MainMenu own(nullptr);
    own.root().add("&File");
    frame().setMenu(&own);
    EXPECT_EQ(own.frame(), form->frame);
    form.reset();
    EXPECT_EQ(own.frame(), nullptr);
}

TEST_F(MenuBarTest, ButtonsFollowTheItems) {
    frame().setMenu(menu);
    auto captions = [this] {
        std::vector<std::string> c;
        for (const auto& b : bar().buttons()) c.push_back(b.caption + (b.enabled ? "" : " (disabled)"));
        return c;
    };
    EXPECT_EQ(captions(), (std::vector<std::string>{"&File", "&Edit", "&Help (disabled)"}));
    const auto& b = bar().buttons();
    for (size_t i = 0; i < b.size(); ++i) {
        EXPECT_EQ(b[i].rect.left, i ? b[i - 1].rect.right : 0);
        EXPECT_EQ(b[i].rect.top, 0);
        EXPECT_EQ(b[i].rect.bottom, 22);
    }
    const LONG fileWidth = b[0].rect.right;
    menu->setCaption(*file, "&Document");
    menu->setEnabled(*help, true);
    EXPECT_EQ(captions(), (std::vector<std::string>{"&Document", "&Edit", "&Help"}));
    EXPECT_GT(bar().buttons()[0].rect.right, fileWidth);
    // Too wide for one row: the bar wraps and the controls move down with it.
    const int editTop = form->edit->top();
    menu->setCaption(*file, std::string(60, 'W'));
    EXPECT_EQ(frame().menuBarHeight(), 44);
    EXPECT_EQ(form->edit->top(), editTop + 22);
}

TEST_F(MenuBarTest, BarColoursBesideTheFrameAndTheHotButton) {
    frame().setMenu(menu);
    HWND h = bar().handle();
    RECT br;
    GetWindowRect(h, &br);
    const RECT fr = [this] {
        RECT r;
        GetWindowRect(form->handle(), &r);
        return r;
    }();
    const int free = br.right - br.left - 5; // right of the last button
    auto screen = [](int x, int y) {
        HDC dc = GetDC(nullptr);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(nullptr, dc);
        return c;
    };
    struct Case {
        const char* name;
        ui::Color from, to;
    };
    const Case cases[] = {{"plain", 0x30A0F0, 0x30A0F0}, {"gradient", 0x30A0F0, 0x804000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frame().setMenuBarColor(c.from);
        frame().setMenuBarToColor(c.to);
        UpdateWindow(h);
        EXPECT_EQ(ScreenPixelOf(h, free, 0), c.from);
        EXPECT_EQ(ScreenPixelOf(h, free, 21), c.to);
        // The frame's strip left of the bar (inside the one-pixel border) matches it.
        EXPECT_EQ(screen(fr.left + 1, br.top), c.from);
        EXPECT_EQ(screen(fr.left + 1, br.bottom - 1), c.to);
    }

    frame().setMenuBarToColor(0x30A0F0);
    const RECT file = bar().buttons()[0].rect, helpRect = bar().buttons()[2].rect;
    ASSERT_TRUE(MoveMouseTo(h, helpRect.left + 4, 10)); // handled: a disabled button does not light up
    EXPECT_EQ(bar().hotButton(), -1);
    MoveMouseTo(h, file.left + 4, 10);
    ASSERT_TRUE(PumpUntil([this] { return bar().hotButton() == 0; }));
    UpdateWindow(h);
    // DeepBlue's selected item and its border are both 0xA04A44.
    EXPECT_EQ(ScreenPixelOf(h, file.left + 2, 2), 0xA04A44u);
    EXPECT_EQ(ScreenPixelOf(h, file.left, 10), 0xA04A44u);
    MoveMouseTo(nullptr, fr.right + 20, fr.bottom + 20);
    ASSERT_TRUE(PumpUntil([this] { return bar().hotButton() == -1; }));
    UpdateWindow(h);
    EXPECT_EQ(ScreenPixelOf(h, file.left + 2, 2), 0x30A0F0u);
}

TEST_F(MenuBarTest, SkinColoursTheBarAndTheStripsBesideIt) {
    // Borders 2 pixels wide: the frame fills the 2 pixels inside them beside the bar.
    skinpack::DescriptionWriter d;
    auto solid = [](int w, int h, uint32_t c) { return skinpack::MakeBmp24(w, h, [c](int, int) { return c; }); };
    d.addBitmap("SKIN2_FORMLEFTBORDER", solid(2, 4, 0x00FFFF));
    d.addBitmap("SKIN2_FORMRIGHTBORDER", solid(2, 4, 0x00FFFF));
    d.addBitmap("SKIN2_FORMBOTTOMBORDER1", solid(30, 4, 0x0000FF));
    const std::pair<const char*, int32_t> colours[] = {{"SKIN2_FORMCOLOR", 0xE0E0E0},
                                                       {"SKIN2_MENUBARSTARTCOLOR", 0x102030},
                                                       {"SKIN2_MENUBARENDCOLOR", 0x405060},
                                                       {"SKIN2_TOPSELECTEDMENUCOLOR", 0x00C000},
                                                       {"SKIN2_TOPSELECTEDMENUBORDERCOLOR", 0xC00000},
                                                       {"SKIN2_TOPMENUFONTCOLOR", 0xFFFFFF}};
    for (const auto& [key, colour] : colours) d.addInt(key, colour);
    TempFolder folder;
    ASSERT_TRUE(skinpack::WriteFile(folder.file("bar.ssk"), skinpack::BuildSkin(d)));
    skin::FileTheme theme(nullptr);
    theme.setThemeFile(folder.file("bar.ssk"));
    ASSERT_TRUE(theme.ready());
    frame().setMenu(menu);
    frame().setUIStyle(skin::UIStyle::FromThemeFile);
    frame().setFileTheme(&theme);
    HWND h = bar().handle();
    const RECT file = bar().buttons()[0].rect;
    MoveMouseTo(h, file.left + 4, 10);
    ASSERT_TRUE(PumpUntil([this] { return bar().hotButton() == 0; }));
    UpdateWindow(h);
    RedrawWindow(form->handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixelOf(h, file.left + 2, 2), 0x00C000u);
    EXPECT_EQ(ScreenPixelOf(h, file.left, 10), 0xC00000u);
    RECT br;
    GetWindowRect(h, &br);
    const int barHeight = br.bottom - br.top;
    for (int x : {static_cast<int>(br.right - br.left - 3), -1}) { // the bar's free end, and the frame's strip
        SCOPED_TRACE(x);
        EXPECT_EQ(ScreenPixelOf(h, x, 0), 0x102030u);
        EXPECT_EQ(ScreenPixelOf(h, x, barHeight - 1), 0x405060u);
    }
    frame().setFileTheme(nullptr);
}

// The popup open when the timer fires, and the key then typed into it.
RECT openMenu{};
void CALLBACK NoteMenuAndPressS(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND m = FindWindowA("#32768", nullptr); m && IsWindowVisible(m)) GetWindowRect(m, &openMenu);
    SendKeys({'S'});
}
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(MenuBarTest, ButtonOpensItsItemsBelowIt) {
    frame().setMenu(menu);
    HWND h = bar().handle();
    const RECT file = bar().buttons()[0].rect;
    openMenu = {};
    SetTimer(nullptr, 0, 200, &NoteMenuAndPressS);
    const UINT_PTR safety = SetTimer(nullptr, 0, 2000, &CloseMenu);
    MoveMouseTo(h, file.left + 4, 10);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    // "&Save" is chosen by its accelerator in the open popup.
    EXPECT_TRUE(PumpUntil([this] { return saved == 1; }));
    KillTimer(nullptr, safety);
    POINT corner{file.left, file.bottom};
    ClientToScreen(h, &corner);
    EXPECT_EQ(openMenu.left, corner.x);
    EXPECT_EQ(openMenu.top, corner.y);
}

TEST_F(MenuBarTest, ShortcutKeysWorkOnlyOnTheActiveForm) {
    frame().setMenu(menu);
    // Each step types Ctrl+S and then a letter into an edit, and waits for the letter.
    auto typeShortcut = [](ui::Edit* edit, WORD letter) {
        edit->setFocus();
        const std::string before = edit->text();
        PressKeys({VK_CONTROL, 'S'});
        PressKeys({letter});
        return PumpUntil([&] { return edit->text().size() == before.size() + 1; });
    };
    ASSERT_TRUE(typeShortcut(form->edit, 'A'));
    EXPECT_EQ(saved, 1);

    MenuForm other(false);
    other.create();
    other.show();
    SetForegroundWindow(other.handle());
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == other.handle(); }));
    ASSERT_TRUE(typeShortcut(other.edit, 'B'));
    EXPECT_EQ(saved, 1);
    other.hide();

    SetForegroundWindow(form->handle());
    ASSERT_TRUE(PumpUntil([this] { return GetActiveWindow() == form->handle(); }));
    menu->setEnabled(*file, false); // and so everything under it
    ASSERT_TRUE(typeShortcut(form->edit, 'C'));
    EXPECT_EQ(saved, 1);
    menu->setEnabled(*file, true);
    ASSERT_TRUE(typeShortcut(form->edit, 'D'));
    EXPECT_EQ(saved, 2);

    // An action that fails is reported in the error box; the program goes on.
    ScriptedPrompt prompt;
    save->onClick = [this] {
        ++saved;
        throw ui::UiError("Disk full");
    };
    ASSERT_TRUE(typeShortcut(form->edit, 'E'));
    EXPECT_EQ(saved, 3);
    EXPECT_EQ(prompt.count("message"), 1);
}

} // namespace
