#include "DialogDriver.h"
#include "TestSupport.h"
#include "ui/Environment.h"
#include "app/Global.h"
#include "app/MainForm.h"
#include "app/OptionsForm.h"
#include <gtest/gtest.h>
#include <memory>

using namespace corvane;
using namespace corvane::app;
using namespace corvane::test;

namespace {

class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override { ui::TheEnvironment().folders.program = folder.path(); }
    void TearDown() override {
        dlg.reset();
        ui::TheEnvironment().folders.program = "";
    }
    void open() {
        dlg = std::make_unique<OptionsForm>(nullptr, options);
        dlg->show();
    }
    std::string stored(const char* key) const {
        char buf[16];
        GetPrivateProfileStringA("Options", key, "<missing>", buf, sizeof buf, OptionsFilePath().c_str());
        return buf;
    }

    TempFolder folder;
    ScriptedPrompt user;
    OptionFlags options;
    std::unique_ptr<OptionsForm> dlg;
};

} // namespace

TEST_F(OptionsDialog, LayoutCaptionsAndTabOrder) {
    open();
    EXPECT_EQ(dlg->text(), "Options");
    // The skin file is looked up by its name and handed on; none is found here.
    EXPECT_EQ(dlg->themeManager()->fileTheme(), dlg->themeFile());
    EXPECT_EQ(dlg->themeManager()->uiStyle(), skin::UIStyle::FromThemeFile);
    EXPECT_FALSE(dlg->themeFile()->ready());
    RECT rc = dlg->clientRect();
    EXPECT_EQ(rc.right, 342);
    // The skinned frame keeps the outer size and takes the caption away.
    RECT rw;
    GetWindowRect(dlg->handle(), &rw);
    EXPECT_EQ(rc.bottom, rw.bottom - rw.top - 5);
    EXPECT_FALSE(GetWindowLongA(dlg->handle(), GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(dlg->group()->left(), 9);
    EXPECT_EQ(dlg->group()->top(), 53);
    EXPECT_EQ(dlg->group()->width(), 321);
    EXPECT_EQ(dlg->group()->height(), 111);
    skin::CheckBox* boxes[] = {dlg->exploreFolderBox(), dlg->askDeleteBox(), dlg->showTipsBox()};
    const char* captions[] = {"Explore folder when opening it in a stand alone window",
                              "Ask before deleting a selected item", "Always show tips at startup"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(boxes[i]->text(), captions[i]);
        EXPECT_EQ(boxes[i]->left(), 16);
        EXPECT_EQ(boxes[i]->top(), 16 + 32 * i);
        EXPECT_EQ(GetParent(boxes[i]->handle()), dlg->group()->handle());
    }
    // Auto-sized: the longest caption needs a wider box than the shortest.
    EXPECT_GT(dlg->exploreFolderBox()->width(), dlg->showTipsBox()->width());
    EXPECT_EQ(dlg->okButton()->left(), 167);
    EXPECT_EQ(dlg->okButton()->top(), 178);
    EXPECT_EQ(dlg->cancelButton()->left(), 255);
    EXPECT_EQ(dlg->cancelButton()->width(), 75);
    EXPECT_EQ(dlg->okButton()->text(), "&OK");
    EXPECT_EQ(dlg->cancelButton()->text(), "&Cancel");

    const HWND order[] = {dlg->exploreFolderBox()->handle(), dlg->askDeleteBox()->handle(),
                          dlg->showTipsBox()->handle(), dlg->okButton()->handle(), dlg->cancelButton()->handle()};
    for (size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ(GetNextDlgTabItem(dlg->handle(), order[i], FALSE), order[(i + 1) % std::size(order)]) << i;
}

TEST_F(OptionsDialog, BoxesShowTheFlagsAndOkWritesAllThreeKeys) {
    options.exploreFolder = true;
    options.askDelete = false;
    options.showTips = true;
    open();
    EXPECT_TRUE(dlg->exploreFolderBox()->checked());
    EXPECT_FALSE(dlg->askDeleteBox()->checked());
    EXPECT_TRUE(dlg->showTipsBox()->checked());

    // Unchanged, OK still writes every key and creates the file.
    ASSERT_FALSE(FileExists(OptionsFilePath()));
    dlg->okButton()->perform(BM_CLICK);
    EXPECT_EQ(dlg->modalResult(), ui::ModalResult::Ok);
    EXPECT_EQ(stored("ExploreFolder"), "1");
    EXPECT_EQ(stored("AskDelete"), "0");
    EXPECT_EQ(stored("ShowTips"), "1");

    dlg->setModalResult(ui::ModalResult::None);
    dlg->exploreFolderBox()->perform(BM_CLICK); // a user's click toggles the box
    dlg->showTipsBox()->setChecked(false);
    dlg->askDeleteBox()->setChecked(true);
    dlg->confirm();
    EXPECT_FALSE(options.exploreFolder);
    EXPECT_TRUE(options.askDelete);
    EXPECT_FALSE(options.showTips);
    EXPECT_EQ(stored("ExploreFolder"), "0");
    EXPECT_EQ(stored("AskDelete"), "1");
    EXPECT_EQ(stored("ShowTips"), "0");
    EXPECT_EQ(user.count("message"), 0);
}

TEST_F(OptionsDialog, CancelAndCloseChangeNothing) {
    open();
    dlg->askDeleteBox()->setChecked(false);
    PostMessageA(dlg->cancelButton()->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dlg->showModal(), ui::ModalResult::Cancel);
    PostMessageA(dlg->handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dlg->showModal(), ui::ModalResult::Cancel);
    EXPECT_TRUE(options.askDelete);
    EXPECT_FALSE(FileExists(OptionsFilePath()));
}

TEST_F(OptionsDialog, UnwritableFileShowsTheErrorAndKeepsTheDialogOpen) {
    ui::TheEnvironment().folders.program = folder.path() + "missing\\";
    open();
    dlg->showTipsBox()->setChecked(false);
    dlg->okButton()->perform(BM_CLICK);
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls[0].text, "Unable to write to " + folder.path() + "missing\\options.ini.");
    EXPECT_EQ(user.calls[0].caption, "Corvane");
    EXPECT_EQ(user.calls[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(dlg->modalResult(), ui::ModalResult::None);
    EXPECT_FALSE(options.showTips); // the flags already hold the new values
}

TEST(OptionsFromMainWindow, ClearingAskDeleteMakesTheNextDeleteSilent) {
    TempFolder folder;
    ui::TheEnvironment().folders.program = folder.path();
    folder.write("options.ini", "[Options]\r\nShowTips=0\r\n");
    TestKey key("OptionsDialog");
    key.set("N0", "a");
    key.set("P0", "c:\\a");
    key.set("N1", "b");
    key.set("P1", "c:\\b");
    ScriptedPrompt user;
    {
        MainForm form(nullptr, key.path());
        form.create();
        ASSERT_TRUE(form.options().askDelete);
        bool timedOut = false;
        {
            DialogDriver<OptionsForm> driver(&form, "frmOptions", [](OptionsForm& d) {
                EXPECT_TRUE(d.askDeleteBox()->checked());
                d.askDeleteBox()->perform(BM_CLICK);
                d.okButton()->perform(BM_CLICK);
            });
            form.optionsButton()->click();
            EXPECT_TRUE(driver.ran());
            timedOut = driver.timedOut();
        }
        EXPECT_FALSE(timedOut);
        EXPECT_FALSE(form.options().askDelete);
        EXPECT_EQ(form.findComponent("frmOptions"), nullptr);
        form.list()->select(0);
        form.deleteItem();
        EXPECT_EQ(user.count("message"), 0);
        EXPECT_EQ(form.rowCount(), 1);
        EXPECT_EQ(key.get("N0"), "b");
    }
    char buf[8];
    GetPrivateProfileStringA("Options", "AskDelete", "?", buf, sizeof buf, (folder.path() + "options.ini").c_str());
    EXPECT_STREQ(buf, "0");
    ui::TheEnvironment().folders.program = "";
}
