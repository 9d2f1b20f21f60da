#include "DialogDriver.h"
#include "TestSupport.h"
#include "app/AddItem.h"
#include "app/Global.h"
#include "app/MainForm.h"
#include "app/PathRules.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <memory>

using namespace corvane;
using namespace corvane::app;
using namespace corvane::test;

namespace {

const UINT kErrorBox = MB_OK | MB_ICONERROR; // 0x10

class ItemEditor : public ::testing::Test {
protected:
    void open(const std::string& alias, const std::string& path) {
        dlg = std::make_unique<TfrmProperty>(nullptr, alias, path);
        dlg->show();
    }
    void type(const std::string& alias, const std::string& path) {
        dlg->feName->setText(alias);
        dlg->fePath->setText(path);
    }
    std::string folderPath() const { return folder.path().substr(0, folder.path().size() - 1); }

    ScriptedPrompt user;
    TempFolder folder;
    std::unique_ptr<TfrmProperty> dlg;
};

RECT boundsIn(const ui::WinControl& c) { return c.boundsRect(); }

} // namespace

TEST_F(ItemEditor, LayoutCaptionAndTabOrder) {
    open("", "");
    EXPECT_EQ(dlg->text(), "Add Item");
    RECT rc = dlg->clientRect();
    EXPECT_EQ(rc.right, 309);
    EXPECT_EQ(rc.bottom, 226);
    RECT g = boundsIn(*dlg->GroupBox1);
    EXPECT_EQ(g.left, 8); EXPECT_EQ(g.top, 51); EXPECT_EQ(g.right - g.left, 291); EXPECT_EQ(g.bottom - g.top, 100);
    RECT e = boundsIn(*dlg->fePath);
    EXPECT_EQ(e.left, 46); EXPECT_EQ(e.top, 61); EXPECT_EQ(e.right - e.left, 201); EXPECT_EQ(e.bottom - e.top, 21);
    EXPECT_EQ(GetParent(dlg->feName->handle()), dlg->GroupBox1->handle());
    RECT b = boundsIn(*dlg->fsbBrowse);
    EXPECT_EQ(b.left, 256); EXPECT_EQ(b.top, 60); EXPECT_EQ(b.right - b.left, 24);
    EXPECT_EQ(dlg->fsbBrowse->text(), "...");
    EXPECT_EQ(dlg->cAddSeparator->left(), 8);
    EXPECT_EQ(dlg->cAddSeparator->top(), 160);
    EXPECT_EQ(dlg->cAddSeparator->text(), "Add a Separator Line");
    EXPECT_EQ(dlg->fbOk->left(), 134); EXPECT_EQ(dlg->fbOk->top(), 187); EXPECT_EQ(dlg->fbOk->width(), 75);
    EXPECT_EQ(dlg->fbCancel->left(), 224); EXPECT_EQ(dlg->fbCancel->height(), 25);
    EXPECT_EQ(dlg->fbOk->text(), "&OK");
    EXPECT_EQ(dlg->fbCancel->text(), "&Cancel");
    // Neither button is the default one.
    EXPECT_FALSE(GetWindowLongA(dlg->fbOk->handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);

    const HWND order[] = {dlg->feName->handle(), dlg->fePath->handle(), dlg->fsbBrowse->handle(),
                          dlg->cAddSeparator->handle(), dlg->fbOk->handle(), dlg->fbCancel->handle()};
    for (size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ(GetNextDlgTabItem(dlg->handle(), order[i], FALSE), order[(i + 1) % std::size(order)]) << i;

    // The caller's caption reaches the window.
    dlg->setFrameCaption("Edit Item");
    EXPECT_EQ(dlg->text(), "Edit Item");
}

TEST_F(ItemEditor, OpensReadyForTypingAndKeepsTheFocusAcrossActivation) {
    open("", "");
    SetActiveWindow(dlg->handle());
    EXPECT_EQ(GetFocus(), dlg->feName->handle());
    dlg->fePath->setFocus();
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetActiveWindow(other);
    SetActiveWindow(dlg->handle());
    EXPECT_EQ(GetFocus(), dlg->fePath->handle());
    DestroyWindow(other);

    // The group's inside shows the dialog's colour, not whatever was on the screen.
    ui::OffscreenBitmap bmp(nullptr, dlg->GroupBox1->width(), dlg->GroupBox1->height());
    RECT inside = dlg->GroupBox1->clientRect();
    FillRect(bmp.dc(), &inside, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    dlg->GroupBox1->perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(bmp.dc()));
    EXPECT_EQ(GetPixel(bmp.dc(), 150, 50), RGB(0xE8, 0xE8, 0xE8));
}

TEST_F(ItemEditor, FieldsStartFromTheEntryAndOnlyAnExactSeparatorDisablesThem) {
    open("Docs", "C:\\Docs");
    EXPECT_EQ(dlg->feName->text(), "Docs");
    EXPECT_EQ(dlg->fePath->text(), "C:\\Docs");
    EXPECT_FALSE(dlg->cAddSeparator->checked());
    EXPECT_TRUE(dlg->GroupBox1->enabled() && dlg->feName->enabled() && dlg->fePath->enabled());

    for (auto [alias, path] : {std::pair{"*separator*", "-"}, {"*Separator*", "- "}, {"*Separator* ", "-"}}) {
        open(alias, path);
        EXPECT_FALSE(dlg->cAddSeparator->checked()) << alias << "|" << path;
        EXPECT_TRUE(dlg->fePath->enabled());
    }

    open("*Separator*", "-");
    EXPECT_TRUE(dlg->cAddSeparator->checked());
    EXPECT_FALSE(dlg->GroupBox1->enabled());
    EXPECT_FALSE(dlg->feName->enabled());
    EXPECT_FALSE(dlg->fePath->enabled());
    EXPECT_EQ(dlg->feName->text(), "*Separator*");
}

TEST_F(ItemEditor, TogglingTheSeparatorBoxSwitchesTheFieldsAndOk) {
    open("*Separator*", "-");
    dlg->suitempfbOkClick();
    EXPECT_EQ(dlg->modalResult(), ui::mrOk);
    EXPECT_EQ(user.count("message"), 0);

    // A user's click on the box (the control's own notification) unchecks it.
    dlg->setModalResult(ui::mrNone);
    dlg->cAddSeparator->perform(BM_CLICK);
    EXPECT_FALSE(dlg->cAddSeparator->checked());
    EXPECT_TRUE(dlg->GroupBox1->enabled() && dlg->feName->enabled() && dlg->fePath->enabled());
    EXPECT_EQ(dlg->feName->text(), "*Separator*");
    EXPECT_EQ(dlg->fePath->text(), "-");

    // The separator texts, unchecked, fail the folder test.
    dlg->suitempfbOkClick();
    EXPECT_EQ(dlg->modalResult(), ui::mrNone);
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls[0].text, "-,the input path does not exist.");
    EXPECT_EQ(user.calls[0].caption, "Corvane");
    EXPECT_EQ(user.calls[0].flags, kErrorBox);

    dlg->cAddSeparator->perform(BM_CLICK);
    EXPECT_TRUE(dlg->cAddSeparator->checked());
    EXPECT_FALSE(dlg->GroupBox1->enabled() || dlg->feName->enabled() || dlg->fePath->enabled());
}

TEST_F(ItemEditor, OkChecksTheFieldsAndTheFolder) {
    open("", "");
    struct Case { std::string alias, path; int result; std::string message; };
    const std::string missing = folder.path() + "nope";
    const Case cases[] = {
        {"", folderPath(), ui::mrNone, kEmptyFieldMessage},
        {"alias", "", ui::mrNone, kEmptyFieldMessage},
        {"alias", missing, ui::mrNone, missing + ",the input path does not exist."},
        {"alias", folder.file("file.txt"), ui::mrNone, folder.file("file.txt") + ",the input path does not exist."},
        {" ", folderPath(), ui::mrOk, ""},  // not trimmed: one blank is an alias
        {"alias", folder.path(), ui::mrOk, ""},
    };
    folder.write("file.txt", "a file is not a folder");
    for (const Case& c : cases) {
        user.calls.clear();
        dlg->setModalResult(ui::mrNone);
        type(c.alias, c.path);
        SetFocus(dlg->feName->handle());
        dlg->suitempfbOkClick();
        EXPECT_EQ(dlg->modalResult(), c.result) << c.alias << "|" << c.path;
        if (c.message.empty()) {
            EXPECT_EQ(user.count("message"), 0);
            continue;
        }
        ASSERT_EQ(user.count("message"), 1) << c.path;
        EXPECT_EQ(user.calls[0].text, c.message);
        EXPECT_EQ(user.calls[0].caption, "Corvane");
        EXPECT_EQ(user.calls[0].flags, kErrorBox);
        if (c.message != kEmptyFieldMessage) {
            EXPECT_EQ(GetFocus(), dlg->fePath->handle());
        }
    }

    // With the separator box checked nothing is tested, empty boxes included.
    type("", "");
    user.calls.clear();
    dlg->setModalResult(ui::mrNone);
    dlg->cAddSeparator->setChecked(true);
    dlg->suitempfbOkClick();
    EXPECT_EQ(dlg->modalResult(), ui::mrOk);
    EXPECT_EQ(user.count("message"), 0);
}

TEST_F(ItemEditor, RelativePathIsTestedAgainstTheCurrentFolder) {
    CreateDirectoryA(folder.file("rel").c_str(), nullptr);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.path().c_str());
    open("r", "rel");
    dlg->suitempfbOkClick();
    EXPECT_EQ(dlg->modalResult(), ui::mrOk);
    type("r", "rel\\missing");
    dlg->setModalResult(ui::mrNone);
    dlg->suitempfbOkClick();
    EXPECT_EQ(dlg->modalResult(), ui::mrNone);
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(user.count("message"), 1);
}

TEST_F(ItemEditor, BrowsingFillsThePathAndReplacesATypedAlias) {
    open("", "");
    type("typed", "typed path");
    user.folderAnswers = {"D:\\Music\\Rock", "C:\\", ""};
    dlg->fsbBrowse->perform(BM_CLICK);
    ASSERT_EQ(user.count("browse"), 1);
    EXPECT_EQ(user.calls[0].text, "Please select the directory to add Corvane");
    EXPECT_EQ(dlg->fePath->text(), "D:\\Music\\Rock");
    EXPECT_EQ(dlg->feName->text(), "Rock");

    dlg->fsbBrowseClick();
    EXPECT_EQ(dlg->fePath->text(), "C:\\");
    EXPECT_EQ(dlg->feName->text(), "C:\\"); // a drive root is proposed whole

    // A cancelled browser leaves both fields as they were.
    dlg->fsbBrowseClick();
    EXPECT_EQ(user.count("browse"), 3);
    EXPECT_EQ(dlg->fePath->text(), "C:\\");
    EXPECT_EQ(dlg->feName->text(), "C:\\");
}

TEST_F(ItemEditor, CancelAndCloseEndWithTheCancelResult) {
    open("a", "b");
    // Posted before the dialog runs, handled by its modal loop.
    PostMessageA(dlg->fbCancel->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dlg->showModal(), ui::mrCancel);
    EXPECT_EQ(user.count("message"), 0);

    PostMessageA(dlg->handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dlg->showModal(), ui::mrCancel);
    EXPECT_EQ(dlg->feName->text(), "a");
}

TEST(FolderBrowser, CentresByTheClientSize) {
    // A framed window with a 301 x 201 client area: centring by the whole window would
    // put it further up and left, and an odd client size shows the rounding.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_THICKFRAME;
    RECT outer{0, 0, 301, 201};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    HWND w = CreateWindowExA(0, "STATIC", "", style, 10, 10, width, height, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(w);
    RECT client;
    GetClientRect(w, &client);
    ASSERT_EQ(client.right, 301);
    EXPECT_EQ(CentreBrowseDialog(w, BFFM_SELCHANGED, 0, 0), 0);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 10); // only the opening message moves it
    EXPECT_EQ(CentreBrowseDialog(w, BFFM_INITIALIZED, 0, 0), 0);
    GetWindowRect(w, &r);
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(r.left, (screenW - 301) / 2);
    EXPECT_EQ(r.top, (screenH - 201) / 2);
    EXPECT_EQ(r.right - r.left, width); // size kept
    DestroyWindow(w);
}

namespace {
// What the real browser saw while it was open, gathered by a timer on this thread.
struct BrowseObservation {
    HWND editor = nullptr;
    HWND other = nullptr;        // another window of the program, not the browser's owner
    std::string choose;          // folder to select, or "" to cancel
    bool seen = false;
    bool editorDisabled = false;
    bool otherDisabled = false;
    int ticks = 0;
    UINT errorMode = 0;
    RECT rect{};
    RECT client{};
};
BrowseObservation* g_browse = nullptr;

void CALLBACK AnswerBrowser(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = GetActiveWindow();
    if (!g_browse || !dialog || dialog == g_browse->editor) return;
    if (!g_browse->seen) {
        g_browse->seen = true;
        g_browse->editorDisabled = !IsWindowEnabled(g_browse->editor);
        g_browse->otherDisabled = !IsWindowEnabled(g_browse->other);
        g_browse->errorMode = SetErrorMode(0); // reads the mode; put back at once
        SetErrorMode(g_browse->errorMode);
        GetWindowRect(dialog, &g_browse->rect);
        GetClientRect(dialog, &g_browse->client);
    }
    // The tree fills in steps after the dialog opens: select on two ticks, answer on the third.
    if (!g_browse->choose.empty())
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(g_browse->choose.c_str()));
    if (++g_browse->ticks < 3) return;
    KillTimer(nullptr, id);
    PostMessageA(dialog, WM_COMMAND, g_browse->choose.empty() ? IDCANCEL : IDOK, 0);
}
} // namespace

TEST_F(ItemEditor, RealFolderBrowserDisablesTheProgramAndReturnsTheChosenFolder) {
    open("", "");
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetActiveWindow(dlg->handle());
    const UINT before = SetErrorMode(0);
    SetErrorMode(before);

    ProductPrompt product;
    ui::UserPrompt* scripted = ui::setPrompt(&product);
    for (const std::string& choice : {std::string(), folderPath()}) {
        BrowseObservation seen;
        seen.editor = dlg->handle();
        seen.other = other;
        seen.choose = choice;
        g_browse = &seen;
        SetTimer(nullptr, 0, 100, &AnswerBrowser);
        dlg->fePath->setText("kept");
        dlg->fsbBrowseClick();
        g_browse = nullptr;

        ASSERT_TRUE(seen.seen) << "the browser did not open";
        EXPECT_TRUE(seen.editorDisabled);
        EXPECT_TRUE(seen.otherDisabled);
        EXPECT_TRUE(IsWindowEnabled(other));
        EXPECT_EQ(seen.errorMode & SEM_FAILCRITICALERRORS, static_cast<UINT>(SEM_FAILCRITICALERRORS));
        // Placed as if only its client area were centred on the screen.
        EXPECT_NEAR(seen.rect.left + seen.client.right / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1.0);
        EXPECT_NEAR(seen.rect.top + seen.client.bottom / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1.0);
        EXPECT_TRUE(IsWindowEnabled(dlg->handle()));
        EXPECT_EQ(SetErrorMode(before), before);
        if (choice.empty()) {
            EXPECT_EQ(dlg->fePath->text(), "kept");
        } else {
            EXPECT_EQ(_stricmp(dlg->fePath->text().c_str(), folderPath().c_str()), 0) << dlg->fePath->text();
            EXPECT_EQ(dlg->feName->text(), AliasFromPath(dlg->fePath->text()));
        }
    }
    ui::setPrompt(scripted);
    DestroyWindow(other);
}

// The editor run by the main window's commands, through the store.
class EditorFromMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFolderOverride(folder.path());
        folder.write("options.ini", "[Options]\r\nShowTips=0\r\n");
        key.set("N0", "one");
        key.set("P0", "c:\\1");
        key.set("N1", "two");
        key.set("P1", "c:\\2");
        form = std::make_unique<TfrmMain>(nullptr, key.path());
        form->create();
        PumpPending();
    }
    void TearDown() override {
        form.reset();
        SetProgramFolderOverride("");
    }
    // Runs `command` while `act` drives the editor it opens.
    bool drive(void (TfrmMain::*command)(), std::function<void(TfrmProperty&)> act) {
        DialogDriver<TfrmProperty> driver(form.get(), "frmProperty", std::move(act));
        (form.get()->*command)();
        EXPECT_FALSE(driver.timedOut());
        return driver.ran();
    }

    TempFolder folder;
    TestKey key{"ItemEditor"};
    ScriptedPrompt user;
    std::unique_ptr<TfrmMain> form;
};

TEST_F(EditorFromMainWindow, AddAppendsTheRowAndWritesTheNewPair) {
    // An accented alias and folder (ANSI code page) pass through unchanged.
    const std::string alias = "Caf\xE9";
    const std::string path = folder.path() + "M\xFCsik";
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    form->lvMain->select(0);
    ASSERT_TRUE(drive(&TfrmMain::tbAddClick, [&](TfrmProperty& d) {
        EXPECT_EQ(d.text(), "Add Item");
        EXPECT_EQ(d.feName->text(), "");
        EXPECT_EQ(d.fePath->text(), "");
        d.feName->setText(alias);
        d.fePath->setText(path);
        d.fbOk->perform(BM_CLICK);
    }));
    ASSERT_EQ(form->rowCount(), 3);
    EXPECT_EQ(form->rowAlias(2), alias);
    EXPECT_EQ(form->rowPath(2), path);
    EXPECT_EQ(key.get("N2"), alias);
    EXPECT_EQ(key.get("P2"), path);
    EXPECT_EQ(form->selectedIndex, 0); // the new row is not chosen
    EXPECT_EQ(form->findComponent("frmProperty"), nullptr); // destroyed after use

    // The separator box wins over whatever the fields hold.
    ASSERT_TRUE(drive(&TfrmMain::tbAddClick, [](TfrmProperty& d) {
        d.feName->setText("ignored");
        d.cAddSeparator->perform(BM_CLICK);
        d.fbOk->perform(BM_CLICK);
    }));
    EXPECT_EQ(form->rowAlias(3), "*Separator*");
    EXPECT_EQ(key.get("N3"), "*Separator*");
    EXPECT_EQ(key.get("P3"), "-");
}

TEST_F(EditorFromMainWindow, CancelWritesNothing) {
    auto before = key.valueNames();
    ASSERT_TRUE(drive(&TfrmMain::tbAddClick, [&](TfrmProperty& d) {
        d.feName->setText("x");
        d.fePath->setText(folder.path());
        d.fbCancel->perform(BM_CLICK);
    }));
    form->lvMain->select(1);
    ASSERT_TRUE(drive(&TfrmMain::aEditExecute, [&](TfrmProperty& d) {
        d.feName->setText("x");
        PostMessageA(d.handle(), WM_CLOSE, 0, 0); // the close box
    }));
    EXPECT_EQ(form->rowCount(), 2);
    EXPECT_EQ(form->rowAlias(1), "two");
    EXPECT_EQ(key.valueNames(), before);
    EXPECT_EQ(key.get("N1"), "two");
}

TEST_F(EditorFromMainWindow, EditWritesTheChosenRowsPair) {
    form->lvMain->select(1);
    ASSERT_TRUE(drive(&TfrmMain::aEditExecute, [&](TfrmProperty& d) {
        EXPECT_EQ(d.text(), "Edit Item");
        EXPECT_EQ(d.feName->text(), "two");
        EXPECT_EQ(d.fePath->text(), "c:\\2");
        d.feName->setText("second");
        d.fePath->setText(folder.path());
        d.suitempfbOkClick();
    }));
    EXPECT_EQ(form->rowAlias(1), "second");
    EXPECT_EQ(key.get("N1"), "second");
    EXPECT_EQ(key.get("P1"), folder.path());
    EXPECT_EQ(key.get("N0"), "one");
    EXPECT_EQ(key.get("N2"), "<missing>");

    // A double-click edits the chosen row; making it a separator writes the separator.
    ASSERT_TRUE(drive(&TfrmMain::lvMainDblClick, [](TfrmProperty& d) {
        EXPECT_EQ(d.feName->text(), "second");
        d.cAddSeparator->setChecked(true);
        d.suitempfbOkClick();
    }));
    EXPECT_EQ(key.get("N1"), "*Separator*");
    EXPECT_EQ(key.get("P1"), "-");
    EXPECT_EQ(form->rowPath(1), "-");
}

TEST_F(EditorFromMainWindow, EditNeverOpensForARowThatDoesNotExist) {
    // No row chosen yet, then a chosen index past the end after a Refresh.
    EXPECT_FALSE(drive(&TfrmMain::aEditExecute, [](TfrmProperty& d) { d.setModalResult(ui::mrOk); }));
    EXPECT_FALSE(drive(&TfrmMain::lvMainDblClick, [](TfrmProperty& d) { d.setModalResult(ui::mrOk); }));
    form->lvMain->select(1);
    key.set("N1", "");
    form->tbRefreshClick();
    ASSERT_EQ(form->rowCount(), 1);
    EXPECT_FALSE(drive(&TfrmMain::aEditExecute, [](TfrmProperty& d) { d.setModalResult(ui::mrOk); }));
    EXPECT_EQ(key.get("N1"), "");
}
