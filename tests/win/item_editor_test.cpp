#include "DialogDriver.h"
#include "ui/Gdi.h"
#include "ui/Environment.h"
#include "TestSupport.h"
#include "app/PropertyForm.h"
#include "app/Global.h"
#include "app/MainForm.h"
#include "app/StoreNames.h"
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
        dlg = std::make_unique<PropertyForm>(nullptr, alias, path);
        dlg->show();
    }
    void type(const std::string& alias, const std::string& path) {
        dlg->aliasEdit()->setText(alias);
        dlg->pathEdit()->setText(path);
    }
    std::string folderPath() const { return folder.path().substr(0, folder.path().size() - 1); }

    ScriptedPrompt user;
    TempFolder folder;
    std::unique_ptr<PropertyForm> dlg;
};

RECT boundsIn(const ui::WinControl& c) { return c.boundsRect(); }

} // namespace

TEST_F(ItemEditor, LayoutCaptionAndTabOrder) {
    open("", "");
    EXPECT_EQ(dlg->text(), "Add Item");
    RECT rc = dlg->clientRect();
    EXPECT_EQ(rc.right, 309);
    // The skinned frame keeps the outer size and takes the caption away.
    RECT rw;
    GetWindowRect(dlg->handle(), &rw);
    EXPECT_EQ(rc.bottom, rw.bottom - rw.top - 5);
    EXPECT_FALSE(GetWindowLongA(dlg->handle(), GWL_STYLE) & WS_CAPTION);
    RECT g = boundsIn(*dlg->group());
    EXPECT_EQ(g.left, 8);
    EXPECT_EQ(g.top, 51);
    EXPECT_EQ(g.right - g.left, 291);
    EXPECT_EQ(g.bottom - g.top, 100);
    RECT e = boundsIn(*dlg->pathEdit());
    EXPECT_EQ(e.left, 46);
    EXPECT_EQ(e.top, 61);
    EXPECT_EQ(e.right - e.left, 201);
    EXPECT_EQ(e.bottom - e.top, 21);
    EXPECT_EQ(GetParent(dlg->aliasEdit()->handle()), dlg->group()->handle());
    RECT b = boundsIn(*dlg->browseButton());
    EXPECT_EQ(b.left, 256);
    EXPECT_EQ(b.top, 60);
    EXPECT_EQ(b.right - b.left, 24);
    EXPECT_EQ(dlg->browseButton()->text(), "...");
    EXPECT_EQ(dlg->separatorBox()->left(), 8);
    EXPECT_EQ(dlg->separatorBox()->top(), 160);
    EXPECT_EQ(dlg->separatorBox()->text(), "Add a Separator Line");
    EXPECT_EQ(dlg->okButton()->left(), 134);
    EXPECT_EQ(dlg->okButton()->top(), 187);
    EXPECT_EQ(dlg->okButton()->width(), 75);
    EXPECT_EQ(dlg->cancelButton()->left(), 224);
    EXPECT_EQ(dlg->cancelButton()->height(), 25);
    EXPECT_EQ(dlg->okButton()->text(), "&OK");
    EXPECT_EQ(dlg->cancelButton()->text(), "&Cancel");
    // Neither button is the default one.
    EXPECT_FALSE(GetWindowLongA(dlg->okButton()->handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);

    const HWND order[] = {dlg->aliasEdit()->handle(),    dlg->pathEdit()->handle(), dlg->browseButton()->handle(),
                          dlg->separatorBox()->handle(), dlg->okButton()->handle(), dlg->cancelButton()->handle()};
    for (size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ(GetNextDlgTabItem(dlg->handle(), order[i], FALSE), order[(i + 1) % std::size(order)]) << i;

    // The caller's caption reaches the window.
    dlg->setFrameCaption("Edit Item");
    EXPECT_EQ(dlg->text(), "Edit Item");
}

TEST_F(ItemEditor, OpensReadyForTypingAndKeepsTheFocusAcrossActivation) {
    open("", "");
    SetActiveWindow(dlg->handle());
    EXPECT_EQ(GetFocus(), dlg->aliasEdit()->handle());
    dlg->pathEdit()->setFocus();
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetActiveWindow(other);
    SetActiveWindow(dlg->handle());
    EXPECT_EQ(GetFocus(), dlg->pathEdit()->handle());
    DestroyWindow(other);

    // The group's inside shows the dialog's colour, not whatever was on the screen.
    ui::OffscreenBitmap bmp(nullptr, dlg->group()->width(), dlg->group()->height());
    RECT inside = dlg->group()->clientRect();
    FillRect(bmp.dc(), &inside, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    dlg->group()->perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bmp.dc()), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(GetPixel(bmp.dc(), 150, 50), RGB(0xE8, 0xE8, 0xE8));
}

TEST_F(ItemEditor, FieldsStartFromTheEntryAndOnlyAnExactSeparatorDisablesThem) {
    open("Docs", "C:\\Docs");
    EXPECT_EQ(dlg->aliasEdit()->text(), "Docs");
    EXPECT_EQ(dlg->pathEdit()->text(), "C:\\Docs");
    EXPECT_FALSE(dlg->separatorBox()->checked());
    EXPECT_TRUE(dlg->group()->enabled() && dlg->aliasEdit()->enabled() && dlg->pathEdit()->enabled());

    for (auto [alias, path] : {std::pair{"*separator*", "-"}, {"*Separator*", "- "}, {"*Separator* ", "-"}}) {
        open(alias, path);
        EXPECT_FALSE(dlg->separatorBox()->checked()) << alias << "|" << path;
        EXPECT_TRUE(dlg->pathEdit()->enabled());
    }

    open("*Separator*", "-");
    EXPECT_TRUE(dlg->separatorBox()->checked());
    EXPECT_FALSE(dlg->group()->enabled());
    EXPECT_FALSE(dlg->aliasEdit()->enabled());
    EXPECT_FALSE(dlg->pathEdit()->enabled());
    EXPECT_EQ(dlg->aliasEdit()->text(), "*Separator*");
}

TEST_F(ItemEditor, TogglingTheSeparatorBoxSwitchesTheFieldsAndOk) {
    open("*Separator*", "-");
    dlg->confirm();
    EXPECT_EQ(dlg->modalResult(), ui::ModalResult::Ok);
    EXPECT_EQ(user.count("message"), 0);

    // A user's click on the box (the control's own notification) unchecks it.
    dlg->setModalResult(ui::ModalResult::None);
    dlg->separatorBox()->perform(BM_CLICK);
    EXPECT_FALSE(dlg->separatorBox()->checked());
    EXPECT_TRUE(dlg->group()->enabled() && dlg->aliasEdit()->enabled() && dlg->pathEdit()->enabled());
    EXPECT_EQ(dlg->aliasEdit()->text(), "*Separator*");
    EXPECT_EQ(dlg->pathEdit()->text(), "-");

    // The separator texts, unchecked, fail the folder test.
    dlg->confirm();
    EXPECT_EQ(dlg->modalResult(), ui::ModalResult::None);
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls[0].text, "-,the input path does not exist.");
    EXPECT_EQ(user.calls[0].caption, "Corvane");
    EXPECT_EQ(user.calls[0].flags, kErrorBox);

    dlg->separatorBox()->perform(BM_CLICK);
    EXPECT_TRUE(dlg->separatorBox()->checked());
    EXPECT_FALSE(dlg->group()->enabled() || dlg->aliasEdit()->enabled() || dlg->pathEdit()->enabled());
}

TEST_F(ItemEditor, OkChecksTheFieldsAndTheFolder) {
    open("", "");
    struct Case {
        std::string alias, path;
        ui::ModalResult result;
        std::string message;
    };
    const std::string missing = folder.path() + "nope";
    const Case cases[] = {
        {"", folderPath(), ui::ModalResult::None, kEmptyFieldMessage},
        {"alias", "", ui::ModalResult::None, kEmptyFieldMessage},
        {"alias", missing, ui::ModalResult::None, missing + ",the input path does not exist."},
        {"alias", folder.file("file.txt"), ui::ModalResult::None,
         folder.file("file.txt") + ",the input path does not exist."},
        {" ", folderPath(), ui::ModalResult::Ok, ""}, // not trimmed: one blank is an alias
        {"alias", folder.path(), ui::ModalResult::Ok, ""},
    };
    folder.write("file.txt", "a file is not a folder");
    for (const Case& c : cases) {
        user.calls.clear();
        dlg->setModalResult(ui::ModalResult::None);
        type(c.alias, c.path);
        SetFocus(dlg->aliasEdit()->handle());
        dlg->confirm();
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
            EXPECT_EQ(GetFocus(), dlg->pathEdit()->handle());
        }
    }

    // With the separator box checked nothing is tested, empty boxes included.
    type("", "");
    user.calls.clear();
    dlg->setModalResult(ui::ModalResult::None);
    dlg->separatorBox()->setChecked(true);
    dlg->confirm();
    EXPECT_EQ(dlg->modalResult(), ui::ModalResult::Ok);
    EXPECT_EQ(user.count("message"), 0);
}

TEST_F(ItemEditor, RelativePathIsTestedAgainstTheCurrentFolder) {
    CreateDirectoryA(folder.file("rel").c_str(), nullptr);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.path().c_str());
    open("r", "rel");
    dlg->confirm();
    EXPECT_EQ(dlg->modalResult(), ui::ModalResult::Ok);
    type("r", "rel\\missing");
    dlg->setModalResult(ui::ModalResult::None);
    dlg->confirm();
    EXPECT_EQ(dlg->modalResult(), ui::ModalResult::None);
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(user.count("message"), 1);
}

TEST_F(ItemEditor, BrowsingFillsThePathAndReplacesATypedAlias) {
    open("", "");
    type("typed", "typed path");
    user.folderAnswers = {"D:\\Music\\Rock", "C:\\", ""};
    dlg->browseButton()->perform(BM_CLICK);
    ASSERT_EQ(user.count("browse"), 1);
    EXPECT_EQ(user.calls[0].text, "Please select the directory to add Corvane");
    EXPECT_EQ(dlg->pathEdit()->text(), "D:\\Music\\Rock");
    EXPECT_EQ(dlg->aliasEdit()->text(), "Rock");

    dlg->browse();
    EXPECT_EQ(dlg->pathEdit()->text(), "C:\\");
    EXPECT_EQ(dlg->aliasEdit()->text(), "C:\\"); // a drive root is proposed whole

    // A cancelled browser leaves both fields as they were.
    dlg->browse();
    EXPECT_EQ(user.count("browse"), 3);
    EXPECT_EQ(dlg->pathEdit()->text(), "C:\\");
    EXPECT_EQ(dlg->aliasEdit()->text(), "C:\\");
}

TEST_F(ItemEditor, CancelAndCloseEndWithTheCancelResult) {
    open("a", "b");
    // Posted before the dialog runs, handled by its modal loop.
    PostMessageA(dlg->cancelButton()->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dlg->showModal(), ui::ModalResult::Cancel);
    EXPECT_EQ(user.count("message"), 0);

    PostMessageA(dlg->handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dlg->showModal(), ui::ModalResult::Cancel);
    EXPECT_EQ(dlg->aliasEdit()->text(), "a");
}

TEST(FolderBrowser, CentresByTheClientSize) {
    // A framed window with a 301 x 201 client area: centring by the whole window would
    // put it further up and left, and an odd client size shows the rounding.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_THICKFRAME;
    RECT outer{0, 0, 301, 201};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    HWND w = CreateWindowExA(0, "STATIC", "", style, 10, 10, width, height, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
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
    HWND other = nullptr; // another window of the program, not the browser's owner
    std::string choose;   // folder to select, or "" to cancel
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
    ui::UserPrompt* scripted = ui::SetPrompt(&product);
    for (const std::string& choice : {std::string(), folderPath()}) {
        BrowseObservation seen;
        seen.editor = dlg->handle();
        seen.other = other;
        seen.choose = choice;
        g_browse = &seen;
        const UINT_PTR answer = SetTimer(nullptr, 0, 100, &AnswerBrowser);
        dlg->pathEdit()->setText("kept");
        {
            // A browser the answers miss would hold the test forever.
            GiveUpTimer giveUp(5000, &CancelThreadDialogs);
            dlg->browse();
            EXPECT_FALSE(giveUp.fired()) << "the browser was not answered";
        }
        KillTimer(nullptr, answer);
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
            EXPECT_EQ(dlg->pathEdit()->text(), "kept");
        } else {
            EXPECT_EQ(_stricmp(dlg->pathEdit()->text().c_str(), folderPath().c_str()), 0) << dlg->pathEdit()->text();
            EXPECT_EQ(dlg->aliasEdit()->text(), AliasFromPath(dlg->pathEdit()->text()));
        }
    }
    ui::SetPrompt(scripted);
    DestroyWindow(other);
}

// The editor run by the main window's commands, through the store.
class EditorFromMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        key.set("N0", "one");
        key.set("P0", "c:\\1");
        key.set("N1", "two");
        key.set("P1", "c:\\2");
        form = std::make_unique<MainForm>(nullptr, key.path());
        form->create();
        PumpPending();
    }
    void TearDown() override { form.reset(); }
    // Runs `command` while `act` drives the editor it opens.
    bool drive(void (MainForm::*command)(), std::function<void(PropertyForm&)> act) {
        DialogDriver<PropertyForm> driver(form.get(), "frmProperty", std::move(act));
        (form.get()->*command)();
        EXPECT_FALSE(driver.timedOut());
        return driver.ran();
    }

    ProgramFolder folder;
    TestKey key{"ItemEditor"};
    ScriptedPrompt user;
    std::unique_ptr<MainForm> form;
};

TEST_F(EditorFromMainWindow, AddAppendsTheRowAndWritesTheNewPair) {
    // An accented alias and folder pass through unchanged.
    const std::string alias = "Caf\xC3\xA9";
    const std::string path = folder.path() + "M\xC3\xBCsik";
    ASSERT_TRUE(CreateDirectoryW(ToUtf16(path).c_str(), nullptr));
    form->list()->select(0);
    ASSERT_TRUE(drive(&MainForm::addItem, [&](PropertyForm& d) {
        EXPECT_EQ(d.text(), "Add Item");
        EXPECT_EQ(d.aliasEdit()->text(), "");
        EXPECT_EQ(d.pathEdit()->text(), "");
        d.aliasEdit()->setText(alias);
        d.pathEdit()->setText(path);
        d.okButton()->perform(BM_CLICK);
    }));
    ASSERT_EQ(form->rowCount(), 3);
    EXPECT_EQ(form->rowAlias(2), alias);
    EXPECT_EQ(form->rowPath(2), path);
    EXPECT_EQ(key.getWide("N2"), L"Caf\u00E9");
    EXPECT_EQ(key.getWide("P2"), ToUtf16(folder.path()) + L"M\u00FCsik");
    EXPECT_EQ(form->chosenRow(), 0);                        // the new row is not chosen
    EXPECT_EQ(form->findComponent("frmProperty"), nullptr); // destroyed after use

    // The separator box wins over whatever the fields hold.
    ASSERT_TRUE(drive(&MainForm::addItem, [](PropertyForm& d) {
        d.aliasEdit()->setText("ignored");
        d.separatorBox()->perform(BM_CLICK);
        d.okButton()->perform(BM_CLICK);
    }));
    EXPECT_EQ(form->rowAlias(3), "*Separator*");
    EXPECT_EQ(key.get("N3"), "*Separator*");
    EXPECT_EQ(key.get("P3"), "-");

    // Typed in Chinese (outside the code page): the folder is found and kept whole.
    const std::wstring chinese = ToUtf16(folder.path()) + L"\u6587\u4EF6";
    ASSERT_TRUE(CreateDirectoryW(chinese.c_str(), nullptr));
    ASSERT_TRUE(drive(&MainForm::addItem, [&](PropertyForm& d) {
        SetWindowTextW(d.aliasEdit()->handle(), L"\u6587\u4EF6 \U0001F4C1");
        SetWindowTextW(d.pathEdit()->handle(), chinese.c_str());
        d.okButton()->perform(BM_CLICK);
    }));
    EXPECT_EQ(key.getWide("N4"), L"\u6587\u4EF6 \U0001F4C1");
    EXPECT_EQ(key.getWide("P4"), chinese);

    // A path naming a variable is tested expanded and stored as typed.
    SetEnvironmentVariableW(L"CORVANE_TEST_HOME", ToUtf16(folder.path()).c_str());
    ASSERT_TRUE(drive(&MainForm::addItem, [&](PropertyForm& d) {
        d.aliasEdit()->setText("home");
        d.pathEdit()->setText("%CORVANE_TEST_HOME%");
        d.okButton()->perform(BM_CLICK);
    }));
    SetEnvironmentVariableW(L"CORVANE_TEST_HOME", nullptr);
    EXPECT_EQ(key.get("P5"), "%CORVANE_TEST_HOME%");
}

TEST_F(EditorFromMainWindow, CancelWritesNothing) {
    auto before = key.valueNames();
    ASSERT_TRUE(drive(&MainForm::addItem, [&](PropertyForm& d) {
        d.aliasEdit()->setText("x");
        d.pathEdit()->setText(folder.path());
        d.cancelButton()->perform(BM_CLICK);
    }));
    form->list()->select(1);
    ASSERT_TRUE(drive(&MainForm::editItem, [&](PropertyForm& d) {
        d.aliasEdit()->setText("x");
        PostMessageA(d.handle(), WM_CLOSE, 0, 0); // the close box
    }));
    EXPECT_EQ(form->rowCount(), 2);
    EXPECT_EQ(form->rowAlias(1), "two");
    EXPECT_EQ(key.valueNames(), before);
    EXPECT_EQ(key.get("N1"), "two");
}

TEST_F(EditorFromMainWindow, EditWritesTheChosenRowsPair) {
    form->list()->select(1);
    ASSERT_TRUE(drive(&MainForm::editItem, [&](PropertyForm& d) {
        EXPECT_EQ(d.text(), "Edit Item");
        EXPECT_EQ(d.aliasEdit()->text(), "two");
        EXPECT_EQ(d.pathEdit()->text(), "c:\\2");
        d.aliasEdit()->setText("second");
        d.pathEdit()->setText(folder.path());
        d.confirm();
    }));
    EXPECT_EQ(form->rowAlias(1), "second");
    EXPECT_EQ(key.get("N1"), "second");
    EXPECT_EQ(key.get("P1"), folder.path());
    EXPECT_EQ(key.get("N0"), "one");
    EXPECT_EQ(key.get("N2"), "<missing>");

    // A double-click edits the chosen row; making it a separator writes the separator.
    ASSERT_TRUE(drive(&MainForm::editChosenRow, [](PropertyForm& d) {
        EXPECT_EQ(d.aliasEdit()->text(), "second");
        d.separatorBox()->setChecked(true);
        d.confirm();
    }));
    EXPECT_EQ(key.get("N1"), "*Separator*");
    EXPECT_EQ(key.get("P1"), "-");
    EXPECT_EQ(form->rowPath(1), "-");
}

TEST_F(EditorFromMainWindow, EditNeverOpensForARowThatDoesNotExist) {
    // No row chosen yet, then a chosen index past the end after a Refresh.
    EXPECT_FALSE(drive(&MainForm::editItem, [](PropertyForm& d) { d.setModalResult(ui::ModalResult::Ok); }));
    EXPECT_FALSE(drive(&MainForm::editChosenRow, [](PropertyForm& d) { d.setModalResult(ui::ModalResult::Ok); }));
    form->list()->select(1);
    key.set("N1", "");
    form->refreshRows();
    ASSERT_EQ(form->rowCount(), 1);
    EXPECT_FALSE(drive(&MainForm::editItem, [](PropertyForm& d) { d.setModalResult(ui::ModalResult::Ok); }));
    EXPECT_EQ(key.get("N1"), "");
}
