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
    void SetUp() override { ui::environment().folders.program = folder.path(); }
    void TearDown() override {
        dlg.reset();
        ui::environment().folders.program = "";
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
    EXPECT_EQ(dlg->suiThemeManager1->fileTheme(), dlg->suiFileTheme1);
    EXPECT_EQ(dlg->suiThemeManager1->uiStyle(), skin::UIStyle::FromThemeFile);
    EXPECT_FALSE(dlg->suiFileTheme1->ready());
    RECT rc = dlg->clientRect();
    EXPECT_EQ(rc.right, 342);
    EXPECT_EQ(rc.bottom, 218);
    EXPECT_EQ(dlg->GroupBox1->left(), 9);
    EXPECT_EQ(dlg->GroupBox1->top(), 53);
    EXPECT_EQ(dlg->GroupBox1->width(), 321);
    EXPECT_EQ(dlg->GroupBox1->height(), 111);
    ui::CheckBox* boxes[] = {dlg->cbExploreFolder, dlg->cbAskDelete, dlg->cbShowTips};
    const char* captions[] = {"Explore folder when opening it in a stand alone window",
                              "Ask before deleting a selected item", "Always show tips at startup"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(boxes[i]->text(), captions[i]);
        EXPECT_EQ(boxes[i]->left(), 16);
        EXPECT_EQ(boxes[i]->top(), 16 + 32 * i);
        EXPECT_EQ(GetParent(boxes[i]->handle()), dlg->GroupBox1->handle());
    }
    // Auto-sized: the longest caption needs a wider box than the shortest.
    EXPECT_GT(dlg->cbExploreFolder->width(), dlg->cbShowTips->width());
    EXPECT_EQ(dlg->bOK->left(), 167);
    EXPECT_EQ(dlg->bOK->top(), 178);
    EXPECT_EQ(dlg->bCancel->left(), 255);
    EXPECT_EQ(dlg->bCancel->width(), 75);
    EXPECT_EQ(dlg->bOK->text(), "&OK");
    EXPECT_EQ(dlg->bCancel->text(), "&Cancel");

    const HWND order[] = {dlg->cbExploreFolder->handle(), dlg->cbAskDelete->handle(), dlg->cbShowTips->handle(),
                          dlg->bOK->handle(), dlg->bCancel->handle()};
    for (size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ(GetNextDlgTabItem(dlg->handle(), order[i], FALSE), order[(i + 1) % std::size(order)]) << i;
}

TEST_F(OptionsDialog, BoxesShowTheFlagsAndOkWritesAllThreeKeys) {
    options.exploreFolder = true;
    options.askDelete = false;
    options.showTips = true;
    open();
    EXPECT_TRUE(dlg->cbExploreFolder->checked());
    EXPECT_FALSE(dlg->cbAskDelete->checked());
    EXPECT_TRUE(dlg->cbShowTips->checked());

    // Unchanged, OK still writes every key and creates the file.
    ASSERT_FALSE(FileExists(OptionsFilePath()));
    dlg->bOK->perform(BM_CLICK);
    EXPECT_EQ(dlg->modalResult(), ui::ModalResult::Ok);
    EXPECT_EQ(stored("ExploreFolder"), "1");
    EXPECT_EQ(stored("AskDelete"), "0");
    EXPECT_EQ(stored("ShowTips"), "1");

    dlg->setModalResult(ui::ModalResult::None);
    dlg->cbExploreFolder->perform(BM_CLICK); // a user's click toggles the box
    dlg->cbShowTips->setChecked(false);
    dlg->cbAskDelete->setChecked(true);
    dlg->suitempbOKClick();
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
    dlg->cbAskDelete->setChecked(false);
    PostMessageA(dlg->bCancel->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dlg->showModal(), ui::ModalResult::Cancel);
    PostMessageA(dlg->handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dlg->showModal(), ui::ModalResult::Cancel);
    EXPECT_TRUE(options.askDelete);
    EXPECT_FALSE(FileExists(OptionsFilePath()));
}

TEST_F(OptionsDialog, UnwritableFileShowsTheErrorAndKeepsTheDialogOpen) {
    ui::environment().folders.program = folder.path() + "missing\\";
    open();
    dlg->cbShowTips->setChecked(false);
    dlg->bOK->perform(BM_CLICK);
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls[0].text, "Unable to write to " + folder.path() + "missing\\options.ini.");
    EXPECT_EQ(user.calls[0].caption, "Corvane");
    EXPECT_EQ(user.calls[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(dlg->modalResult(), ui::ModalResult::None);
    EXPECT_FALSE(options.showTips); // the flags already hold the new values
}

TEST(OptionsFromMainWindow, ClearingAskDeleteMakesTheNextDeleteSilent) {
    TempFolder folder;
    ui::environment().folders.program = folder.path();
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
                EXPECT_TRUE(d.cbAskDelete->checked());
                d.cbAskDelete->perform(BM_CLICK);
                d.bOK->perform(BM_CLICK);
            });
            form.ToolButton10->click();
            EXPECT_TRUE(driver.ran());
            timedOut = driver.timedOut();
        }
        EXPECT_FALSE(timedOut);
        EXPECT_FALSE(form.options().askDelete);
        EXPECT_EQ(form.findComponent("frmOptions"), nullptr);
        form.lvMain->select(0);
        form.aDeleteExecute();
        EXPECT_EQ(user.count("message"), 0);
        EXPECT_EQ(form.rowCount(), 1);
        EXPECT_EQ(key.get("N0"), "b");
    }
    char buf[8];
    GetPrivateProfileStringA("Options", "AskDelete", "?", buf, sizeof buf, (folder.path() + "options.ini").c_str());
    EXPECT_STREQ(buf, "0");
    ui::environment().folders.program = "";
}
