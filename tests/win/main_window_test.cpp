#include "DialogDriver.h"
#include "ui/Environment.h"
#include "TestSupport.h"
#include "app/PropertyForm.h"
#include "app/Global.h"
#include "app/MainForm.h"
#include "app/OptionsForm.h"
#include "ui/Application.h"
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <memory>

using namespace corvane;
using namespace corvane::app;
using namespace corvane::test;

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// A main window whose store gives way part-way through a command.
class GivingWayForm : public MainForm {
public:
    using MainForm::MainForm;
    // At the n-th row read from now the key is removed under the command's open handle.
    void removeKeyAtRead(int n) { removeAt_ = reads_ + n; }

    std::string rowAlias(int i) const override {
        if (++reads_ == removeAt_) SHDeleteKeyA(HKEY_CURRENT_USER, storeKey().c_str());
        return MainForm::rowAlias(i);
    }

private:
    int removeAt_ = -1;
    mutable int reads_ = 0;
};

class MainWindow : public ::testing::Test {
protected:
    void TearDown() override { form.reset(); }

    void open(const std::vector<std::pair<std::string, std::string>>& rows) {
        for (size_t i = 0; i < rows.size(); ++i) {
            key.set(AliasValueName(static_cast<int>(i)), rows[i].first);
            key.set(PathValueName(static_cast<int>(i)), rows[i].second);
        }
        if (rows.empty()) key.set("Setting", "");
        form = std::make_unique<GivingWayForm>(nullptr, key.path());
        form->create();
        PumpPending();
    }

    std::vector<std::string> aliases() const {
        std::vector<std::string> out;
        for (int i = 0; i < form->rowCount(); ++i) out.push_back(form->rowAlias(i));
        return out;
    }
    std::vector<std::string> storedAliases() const {
        std::vector<std::string> out;
        for (int i = 0;; ++i) {
            std::string a = key.get(AliasValueName(i));
            if (a == "<missing>") return out;
            out.push_back(a);
        }
    }
    Pairs rowPairs() const {
        Pairs out;
        for (int i = 0; i < form->rowCount(); ++i) out.emplace_back(form->rowAlias(i), form->rowPath(i));
        return out;
    }
    Pairs storedPairs() const {
        Pairs out;
        for (int i = 0;; ++i) {
            std::string a = key.get(AliasValueName(i)), p = key.get(PathValueName(i));
            if (a == "<missing>" || p == "<missing>") return out;
            out.emplace_back(a, p);
        }
    }
    void choose(int row) { form->list()->select(row); }
    // A click on the tool button of `a`, through the window's own message handling.
    void press(ui::Action* a) {
        idle(); // the buttons take their actions' state
        for (ui::ToolButton* b : form->toolBar()->buttons())
            if (b->action() == a)
                SendMessageA(form->handle(), WM_COMMAND, MAKEWPARAM(b->commandId(), BN_CLICKED),
                             reinterpret_cast<LPARAM>(form->toolBar()->handle()));
    }
    void idle() { ui::Application::instance().idle(); }
    bool buttonEnabled(ui::Action* a) const {
        for (ui::ToolButton* b : form->toolBar()->buttons())
            if (b->action() == a)
                return form->toolBar()->perform(TB_ISBUTTONENABLED, static_cast<WPARAM>(b->commandId())) != 0;
        return false;
    }

    ProgramFolder folder;
    TestKey key{"MainWindow"};
    ScriptedPrompt user;
    std::unique_ptr<GivingWayForm> form;
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
    // The skinned frame keeps the window's outer size and takes the native caption
    // away: 3 pixels of frame at the top, left and right, 2 at the bottom.
    RECT rc, rw;
    GetClientRect(h, &rc);
    GetWindowRect(h, &rw);
    EXPECT_EQ(rc.right, 539);
    EXPECT_EQ(rc.bottom, rw.bottom - rw.top - 5);
    EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & WS_CAPTION);
    EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_TRUE(IsWindowVisible(h));

    const int lefts[] = {0, 44, 88, 132, 140, 184, 228, 272, 280, 324, 332, 376, 420, 428, 472, 480};
    auto& buttons = form->toolBar()->buttons();
    ASSERT_EQ(buttons.size(), 16u);
    for (size_t i = 0; i < buttons.size(); ++i) EXPECT_EQ(buttons[i]->itemRect().left, lefts[i]) << i;
    EXPECT_EQ(buttons[0]->itemRect().right - buttons[0]->itemRect().left, 44);
    EXPECT_EQ(buttons[0]->itemRect().bottom - buttons[0]->itemRect().top, 36);
    EXPECT_EQ(buttons[4]->hint(), "Sort by Alias(Ascending)");
    EXPECT_EQ(buttons[4]->caption(), "Sort");
    EXPECT_EQ(buttons[15]->hint(), "Corvane's help documents");

    EXPECT_EQ(form->list()->left(), -1);
    EXPECT_EQ(form->list()->top(), 83);
    // At start-up the list reaches 15 pixels short of the window's foot: the window is
    // the 539 x 430 dialog-bordered one the frame took over, whose outer height the
    // platform gives.
    RECT laidOut{0, 0, 539, 430};
    AdjustWindowRectEx(&laidOut, WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    EXPECT_EQ(rw.bottom - rw.top, laidOut.bottom - laidOut.top);
    EXPECT_EQ(form->list()->height(), laidOut.bottom - laidOut.top - 98);
    EXPECT_EQ(form->rowCount(), 5);
    EXPECT_EQ(form->chosenRow(), kNoRowChosen);
}

TEST_F(MainWindow, ChosenRowIsDrawnRedAndTheListKeepsNoSelection) {
    open(kFive);
    choose(2);
    EXPECT_EQ(form->chosenRow(), 2);
    EXPECT_EQ(form->list()->selectedIndex(), -1);
    EXPECT_EQ(form->list()->perform(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), -1);

    UpdateWindow(form->list()->handle());
    Capture shot(form->list()->handle());
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    for (int i = 0; i < 5; ++i) {
        RECT r = form->list()->itemRect(i);
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
    RECT last = form->list()->itemRect(4);
    POINT below{50, last.bottom + 40};
    form->list()->perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(below.x, below.y));
    form->list()->perform(WM_LBUTTONUP, 0, MAKELPARAM(below.x, below.y));
    PumpPending();
    EXPECT_EQ(form->chosenRow(), 2);

    // A real click on row 4 chooses it.
    RECT r4 = form->list()->itemRect(4);
    form->list()->perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, (r4.top + r4.bottom) / 2));
    form->list()->perform(WM_LBUTTONUP, 0, MAKELPARAM(20, (r4.top + r4.bottom) / 2));
    EXPECT_TRUE(PumpUntil([&] { return form->chosenRow() == 4; }));
    EXPECT_EQ(form->list()->selectedIndex(), -1);
}

TEST_F(MainWindow, EnablingTable) {
    open(kFive);
    idle();
    EXPECT_FALSE(form->editAction()->enabled());
    EXPECT_FALSE(form->deleteAction()->enabled());
    EXPECT_FALSE(form->upAction()->enabled());
    EXPECT_FALSE(form->downAction()->enabled());
    EXPECT_TRUE(form->sortAction()->enabled());
    EXPECT_FALSE(buttonEnabled(form->editAction()));
    EXPECT_TRUE(buttonEnabled(form->sortAction()));

    choose(2);
    idle();
    EXPECT_TRUE(form->editAction()->enabled());
    EXPECT_TRUE(form->deleteAction()->enabled());
    EXPECT_TRUE(form->upAction()->enabled());
    EXPECT_TRUE(form->downAction()->enabled());
    EXPECT_TRUE(buttonEnabled(form->downAction()));

    choose(0);
    idle();
    EXPECT_FALSE(form->upAction()->enabled());
    EXPECT_TRUE(form->downAction()->enabled());
    choose(4);
    idle();
    EXPECT_TRUE(form->upAction()->enabled());
    EXPECT_FALSE(form->downAction()->enabled());
    EXPECT_FALSE(buttonEnabled(form->downAction()));

    // Add, Refresh, Import, Export, Options and Help are always enabled.
    for (ui::ToolButton* b : {form->addButton(), form->refreshButton(), form->importButton(), form->exportButton(),
                              form->optionsButton(), form->helpButton()})
        EXPECT_TRUE(form->toolBar()->perform(TB_ISBUTTONENABLED, static_cast<WPARAM>(b->commandId())) != 0);
}

TEST_F(MainWindow, SortIsDisabledWithFewerThanTwoRows) {
    open({{"only", "c:\\"}});
    idle();
    EXPECT_FALSE(form->sortAction()->enabled());
}

TEST_F(MainWindow, SortBothDirectionsWithTheStoreAfterEach) {
    open({{"b", "pb"}, {"A", "pA"}, {"c", "pc"}, {"a", "pa"}});
    choose(1);
    form->sortAction()->execute();
    EXPECT_EQ(aliases(), (std::vector<std::string>{"A", "a", "b", "c"}));
    EXPECT_EQ(storedAliases(), (std::vector<std::string>{"A", "a", "b", "c"}));
    EXPECT_EQ(key.get("P0"), "pA");
    EXPECT_EQ(key.get("P3"), "pc");
    EXPECT_EQ(form->sortButton()->hint(), "Sort by Alias(Descending)");
    EXPECT_EQ(form->chosenRow(), 1); // the red mark stays at its position

    form->sortAction()->execute();
    EXPECT_EQ(aliases(), (std::vector<std::string>{"c", "b", "a", "A"}));
    EXPECT_EQ(storedAliases(), (std::vector<std::string>{"c", "b", "a", "A"}));
    EXPECT_EQ(key.get("P3"), "pA");
    EXPECT_EQ(form->sortButton()->hint(), "Sort by Alias(Ascending)");
}

TEST_F(MainWindow, SortWithSeparatorAndEqualAliases) {
    open({{"Music", "m1"}, {"*Separator*", "-"}, {"apps", "ap"}, {"Zed", "z"}, {"music", "m2"}});
    form->sortAction()->execute();
    EXPECT_EQ(aliases(), (std::vector<std::string>{"*Separator*", "apps", "Music", "music", "Zed"}));
    EXPECT_EQ(storedAliases(), aliases());
    EXPECT_EQ(key.get("P0"), "-");
    EXPECT_EQ(key.get("P2"), "m1");
    EXPECT_EQ(key.get("P3"), "m2");
}

TEST_F(MainWindow, SortRewritesEveryRowAlsoThoseThatStay) {
    // A row the list shows but the store lost (a failed write earlier) is written again.
    open({{"a", "pa"}, {"b", "pb"}, {"d", "pd"}, {"c", "pc"}});
    key.set("N0", "stale");
    key.set("P1", "stale");
    form->sortAction()->execute();
    EXPECT_EQ(storedAliases(), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(key.get("P1"), "pb");
    EXPECT_EQ(key.get("P3"), "pd");
}

TEST_F(MainWindow, RefreshReloadsAndKeepsTheChosenIndex) {
    open(kFive);
    choose(3);
    key.set("N0", "changed");
    form->refreshButton()->click();
    EXPECT_EQ(form->rowCount(), 5);
    EXPECT_EQ(form->rowAlias(0), "changed");
    EXPECT_EQ(form->chosenRow(), 3);
}

TEST_F(MainWindow, DeleteAsksAndNoKeepsEverything) {
    open(kFive);
    choose(2);
    user.messageAnswers = {IDNO};
    form->deleteAction()->execute();
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
    form->deleteAction()->execute();
    EXPECT_EQ(aliases(), (std::vector<std::string>{"one", "two", "four", "five"}));
    EXPECT_EQ(storedAliases(), aliases());
    EXPECT_EQ(key.get("P2"), "c:\\4");
    EXPECT_EQ(key.get("N4"), "<missing>");
    EXPECT_EQ(key.get("P4"), "<missing>");
    EXPECT_EQ(form->chosenRow(), 2);
}

TEST_F(MainWindow, DeleteLastRowChoosesRowZeroAndTheOnlyRowLeavesNoChoice) {
    open({{"a", "1"}, {"b", "2"}});
    form->options().askDelete = false;
    choose(1);
    form->deleteAction()->execute();
    EXPECT_EQ(user.count("message"), 0); // no question with AskDelete cleared
    EXPECT_EQ(storedAliases(), (std::vector<std::string>{"a"}));
    EXPECT_EQ(form->chosenRow(), 0);
    form->deleteAction()->execute();
    form->options().askDelete = true;
    EXPECT_EQ(form->rowCount(), 0);
    EXPECT_TRUE(storedAliases().empty());
    EXPECT_EQ(key.get("P0"), "<missing>");

    // No row is chosen now: Edit and Delete are off.
    EXPECT_EQ(form->chosenRow(), kNoRowChosen);
    idle();
    EXPECT_FALSE(form->editAction()->enabled());
    EXPECT_FALSE(form->deleteAction()->enabled());
    EXPECT_FALSE(buttonEnabled(form->deleteAction()));
    // A row that arrives later is not chosen by an index left over: Delete asks nothing
    // and takes nothing.
    key.set("N0", "new");
    key.set("P0", "c:\\new");
    form->refreshButton()->click();
    ASSERT_EQ(form->rowCount(), 1);
    user.messageAnswers = {IDYES};
    form->deleteItem();
    EXPECT_EQ(user.count("message"), 0);
    EXPECT_EQ(form->rowCount(), 1);
    EXPECT_EQ(key.get("N0"), "new");
}

TEST_F(MainWindow, RefreshStopsAtAValueOfAnotherTypeAndKeepsTheRowsReadSoFar) {
    open(kFive);
    key.setDword("N2", 7);
    form->refreshButton()->click();
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls[0].text, "Invalid data type for 'N2'");
    EXPECT_EQ(aliases(), (std::vector<std::string>{"one", "two"}));
    // The list repaints what changes, so its redraw is back on.
    HWND list = form->list()->handle();
    ValidateRect(list, nullptr);
    form->list()->setCaption(0, "changed");
    EXPECT_TRUE(GetUpdateRect(list, nullptr, FALSE)) << "redraw left off";
}

TEST_F(MainWindow, WriteRefusedPartWayEndsTheCommandAndRefreshShowsTheStore) {
    struct Case {
        const char* command;
        int removeAtRead; // key removed at the n-th row read (the rows' rewrite; Edit reads one first)
        std::string failedValue;
    };
    const Case cases[] = {
        {"Add", 1, "N5"}, {"Edit", 2, "N2"}, {"Delete", 2, "N3"}, {"Up", 2, "N2"}, {"Down", 2, "N3"}, {"Sort", 2, "N1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        key.remove();
        open(kFive);
        choose(2);
        user.calls.clear();
        user.messageAnswers = {IDYES};
        form->removeKeyAtRead(c.removeAtRead);
        const std::string command = c.command;
        if (command == "Add" || command == "Edit") {
            DialogDriver<PropertyForm> driver(form.get(), "frmProperty", [&](PropertyForm& d) {
                d.aliasEdit()->setText("changed");
                d.pathEdit()->setText(folder.path());
                d.okButton()->perform(BM_CLICK);
            });
            if (command == "Add") form->addButton()->click();
            else press(form->editAction());
            EXPECT_TRUE(driver.ran());
        } else {
            press(command == "Delete" ? form->deleteAction()
                  : command == "Up"   ? form->upAction()
                  : command == "Down" ? form->downAction()
                                      : form->sortAction());
        }
        const std::vector<PromptCall> calls = user.calls;
        ASSERT_EQ(calls.size(), command == "Delete" ? 2u : 1u);
        EXPECT_EQ(calls.back().text, "Failed to set data for '" + c.failedValue + "'");
        EXPECT_EQ(calls.back().flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
        form->refreshButton()->click();
        EXPECT_EQ(user.calls.size(), calls.size());
        EXPECT_EQ(rowPairs(), storedPairs());
        form.reset();
    }
}

TEST_F(MainWindow, UpAndDownExchangeRowsAndRewriteBoth) {
    open(kFive);
    choose(2);
    form->upAction()->execute();
    EXPECT_EQ(aliases(), (std::vector<std::string>{"one", "three", "two", "four", "five"}));
    EXPECT_EQ(storedAliases(), aliases());
    EXPECT_EQ(key.get("P1"), "c:\\3");
    EXPECT_EQ(form->chosenRow(), 1);
    form->downAction()->execute();
    form->downAction()->execute();
    EXPECT_EQ(aliases(), (std::vector<std::string>{"one", "two", "four", "three", "five"}));
    EXPECT_EQ(storedAliases(), aliases());
    EXPECT_EQ(key.get("P3"), "c:\\3");
    EXPECT_EQ(form->chosenRow(), 3);
}

TEST_F(MainWindow, HelpOpensThePageBesideTheProgramOrSaysItIsMissing) {
    open(kFive);
    const std::string page = folder.file("help.html");
    form->helpButton()->click();
    ASSERT_EQ(user.count("shell"), 0);
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls.back().text, "The help page " + page + " was not found. Reinstall Corvane to restore it.");
    EXPECT_EQ(user.calls.back().flags, static_cast<UINT>(MB_OK | MB_ICONERROR));

    folder.write("help.html", "<html></html>");
    form->helpButton()->click();
    ASSERT_EQ(user.count("shell"), 1);
    EXPECT_EQ(user.calls.back().text, page);
}

TEST_F(MainWindow, ErrorDuringCreationIsShownOnceAndTheWindowKeepsTheRowsReadSoFar) {
    key.setDword("N1", 5);
    open({{"a", "c:\\a"}});
    ASSERT_EQ(user.count("message"), 1);
    // "'" sorts before ".", so no full stop is added.
    EXPECT_EQ(user.calls[0].text, "Invalid data type for 'N1'");
    EXPECT_EQ(user.calls[0].caption, "Corvane");
    EXPECT_EQ(user.calls[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(IsWindowVisible(form->handle()));
    // The message loop finds the window open: no second fill, no second error.
    ui::Application::instance().setMainForm(form.get());
    int rows = -1;
    int token = ui::Application::instance().addIdleHandler([&] {
        if (rows < 0 && form->handle()) {
            rows = form->rowCount();
            PostMessageA(form->handle(), WM_CLOSE, 0, 0);
        }
    });
    ui::Application::instance().run();
    ui::Application::instance().removeIdleHandler(token);
    ui::Application::instance().setMainForm(nullptr);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(user.count("message"), 1);
}

TEST_F(MainWindow, ActivationMessageRestoresAMinimisedWindow) {
    open(kFive);
    ShowWindow(form->handle(), SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(form->handle()) != FALSE; }));
    PostMessageA(form->handle(), ui::msg::Activate, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(form->handle()); }));
    EXPECT_TRUE(IsWindowVisible(form->handle()));
    EXPECT_EQ(form->rowCount(), 5);
}

TEST_F(MainWindow, HandOverWhileADialogIsOpenBringsTheDialogForward) {
    open(kFive);
    HWND dialog = nullptr;
    bool dialogInFront = false;
    DialogDriver<OptionsForm> driver(form.get(), "frmOptions", [&](OptionsForm& d) {
        dialog = d.handle();
        // A second start whose SetForegroundWindow on the main window lands after the
        // hand-over message was handled.
        SendMessageA(form->handle(), ui::msg::Activate, 0, 0);
        SetForegroundWindow(form->handle());
        dialogInFront = PumpUntil([&] { return GetForegroundWindow() == dialog; });
        d.setModalResult(ui::ModalResult::Cancel);
    });
    form->optionsButton()->click();
    EXPECT_TRUE(driver.ran());
    EXPECT_TRUE(dialogInFront);
    EXPECT_EQ(form->rowCount(), 5);
}
