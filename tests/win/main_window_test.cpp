#include "TestSupport.h"
#include "app/Global.h"
#include "app/MainForm.h"
#include "ui/Application.h"
#include <gtest/gtest.h>
#include <memory>

using namespace corvane;
using namespace corvane::app;
using namespace corvane::test;

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFolderOverride(folder.path());
        folder.write("options.ini", "[Options]\r\nShowTips=0\r\n");
    }
    void TearDown() override {
        form.reset();
        SetProgramFolderOverride("");
    }

    void open(const std::vector<std::pair<std::string, std::string>>& rows) {
        for (size_t i = 0; i < rows.size(); ++i) {
            key.set("N" + std::to_string(i), rows[i].first);
            key.set("P" + std::to_string(i), rows[i].second);
        }
        if (rows.empty()) key.set("Setting", "");
        form = std::make_unique<TfrmMain>(nullptr, key.path());
        form->create();
        PumpMessages(30);
    }

    std::vector<std::string> aliases() const {
        std::vector<std::string> out;
        for (int i = 0; i < form->rowCount(); ++i) out.push_back(form->rowAlias(i));
        return out;
    }
    std::vector<std::string> storedAliases() const {
        std::vector<std::string> out;
        for (int i = 0;; ++i) {
            std::string a = key.get("N" + std::to_string(i));
            if (a == "<missing>") return out;
            out.push_back(a);
        }
    }
    void choose(int row) { form->lvMain->select(row); }
    void idle() { ui::Application::instance().idle(); }
    bool buttonEnabled(ui::Action* a) const {
        for (ui::ToolButton* b : form->suiToolBar1->buttons())
            if (b->action() == a)
                return form->suiToolBar1->perform(TB_ISBUTTONENABLED, static_cast<WPARAM>(b->commandId())) != 0;
        return false;
    }

    TempFolder folder;
    TestKey key{"MainWindow"};
    ScriptedPrompt user;
    std::unique_ptr<TfrmMain> form;
};

const std::vector<std::pair<std::string, std::string>> kFive = {
    {"one", "c:\\1"}, {"two", "c:\\2"}, {"three", "c:\\3"}, {"four", "c:\\4"}, {"five", "c:\\5"}};

} // namespace

TEST_F(MainWindow, WindowLayoutIsAsLaidOut) {
    open(kFive);
    HWND h = form->handle();
    char cls[128] = {};
    GetClassNameA(h, cls, sizeof cls);
    EXPECT_STREQ(cls, kMainWindowClass);
    EXPECT_EQ(form->text(), " Corvane 1.2");
    RECT rc;
    GetClientRect(h, &rc);
    EXPECT_EQ(rc.right, 539);
    EXPECT_EQ(rc.bottom, 430);
    EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_TRUE(IsWindowVisible(h));

    const int lefts[] = {0, 44, 88, 132, 140, 184, 228, 272, 280, 324, 332, 376, 420, 428, 472, 480};
    auto& buttons = form->suiToolBar1->buttons();
    ASSERT_EQ(buttons.size(), 16u);
    for (size_t i = 0; i < buttons.size(); ++i) EXPECT_EQ(buttons[i]->itemRect().left, lefts[i]) << i;
    EXPECT_EQ(buttons[0]->itemRect().right - buttons[0]->itemRect().left, 44);
    EXPECT_EQ(buttons[0]->itemRect().bottom - buttons[0]->itemRect().top, 36);
    EXPECT_EQ(buttons[4]->hint(), "Sort by Alias(Ascending)");
    EXPECT_EQ(buttons[4]->caption(), "Sort");
    EXPECT_EQ(buttons[15]->hint(), "Corvane's help documents");

    EXPECT_EQ(form->lvMain->left(), -1);
    EXPECT_EQ(form->lvMain->top(), 83);
    EXPECT_EQ(form->lvMain->height(), 430 - 83 - 15);
    EXPECT_EQ(form->rowCount(), 5);
    EXPECT_EQ(form->selectedIndex, kNoRowChosen);
}

TEST_F(MainWindow, ChosenRowIsDrawnRedAndTheListKeepsNoSelection) {
    open(kFive);
    choose(2);
    EXPECT_EQ(form->selectedIndex, 2);
    EXPECT_EQ(form->lvMain->selectedIndex(), -1);
    EXPECT_EQ(form->lvMain->perform(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), -1);

    UpdateWindow(form->lvMain->handle());
    Capture shot(form->lvMain->handle());
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    for (int i = 0; i < 5; ++i) {
        RECT r = form->lvMain->itemRect(i);
        int red = shot.count(r, IsReddish);
        if (i == 2) EXPECT_GT(red, 10) << "row " << i;
        else EXPECT_EQ(red, 0) << "row " << i;
        EXPECT_EQ(shot.count(r, [&](COLORREF c) { return c == highlight; }), 0) << "row " << i;
        // Both columns of the chosen row are red.
        if (i == 2) {
            RECT path = r;
            path.left = 200;
            EXPECT_GT(shot.count(path, IsReddish), 5);
        }
    }

    // Clicking empty space below the rows leaves the chosen row as it was.
    RECT last = form->lvMain->itemRect(4);
    POINT below{50, last.bottom + 40};
    form->lvMain->perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(below.x, below.y));
    form->lvMain->perform(WM_LBUTTONUP, 0, MAKELPARAM(below.x, below.y));
    PumpMessages(30);
    EXPECT_EQ(form->selectedIndex, 2);

    // A real click on row 4 chooses it.
    RECT r4 = form->lvMain->itemRect(4);
    form->lvMain->perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, (r4.top + r4.bottom) / 2));
    form->lvMain->perform(WM_LBUTTONUP, 0, MAKELPARAM(20, (r4.top + r4.bottom) / 2));
    PumpMessages(30);
    EXPECT_EQ(form->selectedIndex, 4);
    EXPECT_EQ(form->lvMain->selectedIndex(), -1);
}

TEST_F(MainWindow, EnablingTable) {
    open(kFive);
    idle();
    EXPECT_FALSE(form->aEdit->enabled());
    EXPECT_FALSE(form->aDelete->enabled());
    EXPECT_FALSE(form->aItemUp->enabled());
    EXPECT_FALSE(form->aItemDown->enabled());
    EXPECT_TRUE(form->aSort->enabled());
    EXPECT_FALSE(buttonEnabled(form->aEdit));
    EXPECT_TRUE(buttonEnabled(form->aSort));

    choose(2);
    idle();
    EXPECT_TRUE(form->aEdit->enabled());
    EXPECT_TRUE(form->aDelete->enabled());
    EXPECT_TRUE(form->aItemUp->enabled());
    EXPECT_TRUE(form->aItemDown->enabled());
    EXPECT_TRUE(buttonEnabled(form->aItemDown));

    choose(0);
    idle();
    EXPECT_FALSE(form->aItemUp->enabled());
    EXPECT_TRUE(form->aItemDown->enabled());
    choose(4);
    idle();
    EXPECT_TRUE(form->aItemUp->enabled());
    EXPECT_FALSE(form->aItemDown->enabled());
    EXPECT_FALSE(buttonEnabled(form->aItemDown));

    // Add, Refresh, Import, Export, Options and Help are always enabled.
    for (ui::ToolButton* b : {form->tbAdd, form->tbRefresh, form->bImport, form->bExport, form->ToolButton10, form->tbHelp})
        EXPECT_TRUE(form->suiToolBar1->perform(TB_ISBUTTONENABLED, static_cast<WPARAM>(b->commandId())) != 0);
}

TEST_F(MainWindow, SortIsDisabledWithFewerThanTwoRows) {
    open({{"only", "c:\\"}});
    idle();
    EXPECT_FALSE(form->aSort->enabled());
}

TEST_F(MainWindow, SortBothDirectionsWithTheStoreAfterEach) {
    open({{"b", "pb"}, {"A", "pA"}, {"c", "pc"}, {"a", "pa"}});
    choose(1);
    form->aSort->execute();
    EXPECT_EQ(aliases(), (std::vector<std::string>{"A", "a", "b", "c"}));
    EXPECT_EQ(storedAliases(), (std::vector<std::string>{"A", "a", "b", "c"}));
    EXPECT_EQ(key.get("P0"), "pA");
    EXPECT_EQ(key.get("P3"), "pc");
    EXPECT_EQ(form->ToolButton4->hint(), "Sort by Alias(Descending)");
    EXPECT_EQ(form->selectedIndex, 1); // the red mark stays at its position

    form->aSort->execute();
    EXPECT_EQ(aliases(), (std::vector<std::string>{"c", "b", "a", "A"}));
    EXPECT_EQ(storedAliases(), (std::vector<std::string>{"c", "b", "a", "A"}));
    EXPECT_EQ(key.get("P3"), "pA");
    EXPECT_EQ(form->ToolButton4->hint(), "Sort by Alias(Ascending)");
}

TEST_F(MainWindow, SortWithSeparatorAndEqualAliases) {
    open({{"Music", "m1"}, {"*Separator*", "-"}, {"apps", "ap"}, {"Zed", "z"}, {"music", "m2"}});
    form->aSort->execute();
    EXPECT_EQ(aliases(), (std::vector<std::string>{"*Separator*", "apps", "Music", "music", "Zed"}));
    EXPECT_EQ(storedAliases(), aliases());
    EXPECT_EQ(key.get("P0"), "-");
    EXPECT_EQ(key.get("P2"), "m1");
    EXPECT_EQ(key.get("P3"), "m2");
}

TEST_F(MainWindow, RefreshReloadsAndKeepsTheChosenIndex) {
    open(kFive);
    choose(3);
    key.set("N0", "changed");
    form->tbRefresh->click();
    EXPECT_EQ(form->rowCount(), 5);
    EXPECT_EQ(form->rowAlias(0), "changed");
    EXPECT_EQ(form->selectedIndex, 3);
}

TEST_F(MainWindow, DeleteAsksAndNoKeepsEverything) {
    open(kFive);
    choose(2);
    user.messageAnswers = {IDNO};
    form->aDelete->execute();
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls[0].text, "Are you sure you want to delete the selected item?");
    EXPECT_EQ(user.calls[0].caption, "Corvane");
    EXPECT_EQ(user.calls[0].flags, 0x124u);
    EXPECT_EQ(form->rowCount(), 5);
    EXPECT_EQ(storedAliases().size(), 5u);
}

TEST_F(MainWindow, DeleteMiddleRowShiftsTheStoreAndChoosesTheNextRow) {
    open(kFive);
    choose(2);
    user.messageAnswers = {IDYES};
    form->aDelete->execute();
    EXPECT_EQ(aliases(), (std::vector<std::string>{"one", "two", "four", "five"}));
    EXPECT_EQ(storedAliases(), aliases());
    EXPECT_EQ(key.get("P2"), "c:\\4");
    EXPECT_EQ(key.get("N4"), "<missing>");
    EXPECT_EQ(key.get("P4"), "<missing>");
    EXPECT_EQ(form->selectedIndex, 2);
}

TEST_F(MainWindow, DeleteLastRowChoosesRowZeroAndOnlyRowLeavesNothing) {
    open({{"a", "1"}, {"b", "2"}});
    AskDelete = false;
    choose(1);
    form->aDelete->execute();
    EXPECT_EQ(user.count("message"), 0); // no question with AskDelete cleared
    EXPECT_EQ(storedAliases(), (std::vector<std::string>{"a"}));
    EXPECT_EQ(form->selectedIndex, 0);
    form->aDelete->execute();
    EXPECT_EQ(form->rowCount(), 0);
    EXPECT_TRUE(storedAliases().empty());
    EXPECT_EQ(key.get("P0"), "<missing>");
    // The index names no row now: Edit, Delete and Up must not act.
    form->aDelete->execute();
    form->aItemUpExecute();
    form->aEditExecute();
    EXPECT_EQ(form->rowCount(), 0);
    AskDelete = true;
}

TEST_F(MainWindow, UpAndDownExchangeRowsAndRewriteBoth) {
    open(kFive);
    choose(2);
    form->aItemUp->execute();
    EXPECT_EQ(aliases(), (std::vector<std::string>{"one", "three", "two", "four", "five"}));
    EXPECT_EQ(storedAliases(), aliases());
    EXPECT_EQ(key.get("P1"), "c:\\3");
    EXPECT_EQ(form->selectedIndex, 1);
    form->aItemDown->execute();
    form->aItemDown->execute();
    EXPECT_EQ(aliases(), (std::vector<std::string>{"one", "two", "four", "three", "five"}));
    EXPECT_EQ(storedAliases(), aliases());
    EXPECT_EQ(key.get("P3"), "c:\\3");
    EXPECT_EQ(form->selectedIndex, 3);
}

TEST_F(MainWindow, HelpOpensThePageBesideTheProgramOrSaysItIsMissing) {
    open(kFive);
    const std::string page = folder.file("help.html");
    form->tbHelp->click();
    ASSERT_EQ(user.count("shell"), 0);
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls.back().text, "The help page " + page + " was not found. Reinstall Corvane to restore it.");
    EXPECT_EQ(user.calls.back().flags, static_cast<UINT>(MB_OK | MB_ICONERROR));

    folder.write("help.html", "<html></html>");
    form->tbHelp->click();
    ASSERT_EQ(user.count("shell"), 1);
    EXPECT_EQ(user.calls.back().text, page);
}

TEST_F(MainWindow, ErrorDuringCreationIsShownAndTheWindowStillOpens) {
    key.setDword("N0", 5);
    open({});
    ASSERT_EQ(user.count("message"), 1);
    // "'" sorts before ".", so no full stop is added.
    EXPECT_EQ(user.calls[0].text, "Invalid data type for 'N0'");
    EXPECT_EQ(user.calls[0].caption, "Corvane");
    EXPECT_EQ(user.calls[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    // The message loop opens the window.
    ui::Application::instance().setMainForm(form.get());
    PostMessageA(form->handle(), WM_CLOSE, 0, 0);
    bool wasVisible = false;
    int token = ui::Application::instance().addIdleHandler([&] {
        if (form->handle() && IsWindowVisible(form->handle())) wasVisible = true;
    });
    ui::Application::instance().run();
    ui::Application::instance().removeIdleHandler(token);
    ui::Application::instance().setMainForm(nullptr);
    EXPECT_TRUE(wasVisible || !form->handle());
    EXPECT_GE(user.count("message"), 1);
}

TEST_F(MainWindow, ActivationMessageRestoresAMinimisedWindow) {
    open(kFive);
    ShowWindow(form->handle(), SW_MINIMIZE);
    PumpMessages(30);
    ASSERT_TRUE(IsIconic(form->handle()));
    PostMessageA(form->handle(), kActivateMessage, 0, 0);
    PumpMessages(50);
    EXPECT_FALSE(IsIconic(form->handle()));
    EXPECT_TRUE(IsWindowVisible(form->handle()));
    EXPECT_EQ(form->rowCount(), 5);
}
