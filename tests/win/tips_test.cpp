#include "TestSupport.h"
#include "ui/Environment.h"
#include "app/Global.h"
#include "app/TipsForm.h"
#include <gtest/gtest.h>
#include <memory>
#include <set>

using namespace corvane;
using namespace corvane::app;
using namespace corvane::test;

namespace {

class TipsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ui::TheEnvironment().folders.program = folder.path();
        options.showTips = true;
        options.exploreFolder = true;
        options.askDelete = false;
    }
    void TearDown() override {
        dlg.reset();
        ui::TheEnvironment().folders.program = "";
    }
    void showDialog() {
        dlg = std::make_unique<TipsForm>(nullptr, options);
        dlg->create();
        dlg->show();
        PumpPending();
    }
    RECT bounds(const ui::WinControl* c) const { return c->boundsRect(); }

    TempFolder folder;
    ScriptedPrompt user;
    OptionFlags options;
    std::unique_ptr<TipsForm> dlg;
};

bool SameRect(const RECT& r, int x, int y, int w, int h) {
    return r.left == x && r.top == y && r.right - r.left == w && r.bottom - r.top == h;
}

} // namespace

TEST_F(TipsDialog, LayoutIsAsLaidOut) {
    showDialog();
    HWND h = dlg->handle();
    EXPECT_EQ(dlg->text(), "Corvane Tip of the Day");
    RECT rc;
    GetClientRect(h, &rc);
    EXPECT_EQ(rc.right, 352);
    EXPECT_EQ(rc.bottom, 206);
    RECT wr;
    GetWindowRect(h, &wr);
    EXPECT_NEAR((wr.left + wr.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((wr.top + wr.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & WS_THICKFRAME);

    EXPECT_TRUE(SameRect(bounds(dlg->panel()), 6, 6, 338, 163));
    EXPECT_TRUE(SameRect(bounds(dlg->nextButton()), 188, 175, 73, 25));
    EXPECT_TRUE(SameRect(bounds(dlg->closeButton()), 272, 175, 73, 25));
    RECT cb = bounds(dlg->startupChoice());
    EXPECT_EQ(cb.left, 8);
    EXPECT_EQ(cb.top, 177);
    EXPECT_EQ(cb.right - cb.left, 166);
    EXPECT_EQ(dlg->nextButton()->text(), "&Next Tip");
    EXPECT_EQ(dlg->closeButton()->text(), "&Close");
    EXPECT_EQ(GetWindowLongA(dlg->startupChoice()->handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    ASSERT_EQ(dlg->startupChoice()->count(), 2);
    EXPECT_EQ(dlg->startupChoice()->item(0), "Always show tips at startup");
    EXPECT_EQ(dlg->startupChoice()->item(1), "Never show tips at startup");

    // nextButton_ is first in the tab order and has the focus.
    HWND first = nullptr;
    for (HWND c = GetWindow(h, GW_CHILD); c && !first; c = GetWindow(c, GW_HWNDNEXT))
        if (GetWindowLongA(c, GWL_STYLE) & WS_TABSTOP) first = c;
    EXPECT_EQ(first, dlg->nextButton()->handle());
    EXPECT_EQ(GetFocus(), dlg->nextButton()->handle());
}

TEST_F(TipsDialog, PagesHoldTheTipsWithTheirBlanksAndQuotes) {
    const auto& pages = TipPages();
    ASSERT_EQ(pages.size(), 5u);
    const size_t counts[] = {4, 5, 7, 5, 6};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(pages[i].labels.size(), counts[i]) << i;
    EXPECT_STREQ(pages[0].name, "Default");
    EXPECT_STREQ(pages[1].labels[1].text, "to edit select folders. ");
    EXPECT_EQ(pages[1].labels[1].left, 7);
    EXPECT_STREQ(pages[2].labels[0].text, "You access the \"Corvane\" menu by ");
    EXPECT_EQ(pages[2].labels[6].left, 105);
    EXPECT_EQ(pages[2].labels[6].top, 100);
    EXPECT_STREQ(pages[3].labels[4].text, "\"Add to Corvane\".");
    EXPECT_STREQ(pages[4].labels[5].text, "4.Sort all favorite folders");
}

TEST_F(TipsDialog, ShowSetsTheChoiceFromShowTips) {
    showDialog();
    EXPECT_EQ(dlg->startupChoice()->itemIndex(), 0);
    options.showTips = false;
    showDialog();
    EXPECT_EQ(dlg->startupChoice()->itemIndex(), 1);
}

TEST_F(TipsDialog, FirstPageIsOneOfTheFirstFourNeverTheLast) {
    std::set<int> seen;
    for (int i = 0; i < 120; ++i) {
        TipsForm d(nullptr, options);
        d.create();
        d.show();
        int page = d.panel()->pageIndex();
        ASSERT_GE(page, 0);
        ASSERT_LE(page, 3);
        seen.insert(page);
    }
    EXPECT_EQ(seen.size(), 4u); // all four turn up (a miss has odds below 1e-14)
}

TEST_F(TipsDialog, NextTipWalksThePagesAndWrapsToTheFirst) {
    showDialog();
    dlg->panel()->setPageIndex(0);
    for (int want = 1; want <= 4; ++want) {
        SendMessageA(dlg->nextButton()->handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(dlg->panel()->pageIndex(), want);
    }
    SendMessageA(dlg->nextButton()->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dlg->panel()->pageIndex(), 0);
    EXPECT_EQ(dlg->modalResult(), ui::ModalResult::None);
}

TEST_F(TipsDialog, CloseSavesOnlyAChangedChoice) {
    dlg = std::make_unique<TipsForm>(nullptr, options);
    dlg->create();
    PostMessageA(dlg->closeButton()->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dlg->showModal(), ui::ModalResult::Ok);
    EXPECT_FALSE(FileExists(OptionsFilePath())); // unchanged: nothing written
    EXPECT_TRUE(options.showTips);

    dlg = std::make_unique<TipsForm>(nullptr, options);
    dlg->create();
    PostMessageA(dlg->startupChoice()->handle(), CB_SETCURSEL, 1, 0);
    PostMessageA(dlg->closeButton()->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dlg->showModal(), ui::ModalResult::Ok);
    EXPECT_FALSE(options.showTips);
    EXPECT_EQ(folder.read("options.ini"), "[Options]\r\nExploreFolder=1\r\nAskDelete=0\r\nShowTips=0\r\n");
    EXPECT_EQ(user.count("message"), 0);
}

TEST_F(TipsDialog, TheCloseBoxSavesNothing) {
    dlg = std::make_unique<TipsForm>(nullptr, options);
    dlg->create();
    PostMessageA(dlg->startupChoice()->handle(), CB_SETCURSEL, 1, 0);
    PostMessageA(dlg->handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dlg->showModal(), ui::ModalResult::Cancel);
    EXPECT_TRUE(options.showTips);
    EXPECT_FALSE(FileExists(OptionsFilePath()));
}

TEST_F(TipsDialog, FailedSaveIsShownAndTheDialogStaysOpen) {
    ui::TheEnvironment().folders.program = folder.file("missing");
    showDialog();
    dlg->startupChoice()->setItemIndex(1);
    dlg->closeButton()->click();
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls[0].text, "Unable to write to " + folder.file("missing\\options.ini") + ".");
    EXPECT_EQ(user.calls[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_FALSE(options.showTips); // already holds the new choice
    EXPECT_EQ(dlg->modalResult(), ui::ModalResult::None);
}

TEST_F(TipsDialog, PanelDrawsHeadingPictureStripRuleAndTheCurrentPage) {
    showDialog();
    auto dark = [](COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; };
    auto gray = [](COLORREF c) { return c == RGB(128, 128, 128); };
    auto pageInk = [&](int page) {
        dlg->panel()->setPageIndex(page);
        Capture cap(dlg->panel()->handle());
        std::vector<int> rows;
        for (const TipLabel& l : TipPages()[static_cast<size_t>(page)].labels) {
            RECT line{59 + l.left, 37 + l.top, 59 + l.left + 60, 37 + l.top + 13};
            rows.push_back(cap.count(line, dark));
        }
        return rows;
    };
    for (int page = 0; page < 5; ++page)
        for (int ink : pageInk(page)) EXPECT_GT(ink, 5) << "page " << page;

    Capture cap(dlg->panel()->handle());
    EXPECT_EQ(cap.pixel(200, 140), RGB(255, 255, 255));         // white panel
    EXPECT_GT(cap.count(RECT{65, 8, 200, 28}, dark), 50);       // heading
    EXPECT_GT(cap.count(RECT{2, 120, 44, 160}, gray), 500);     // picture strip
    EXPECT_EQ(cap.pixel(200, 35), GetSysColor(COLOR_GRAYTEXT)); // rule
    EXPECT_EQ(cap.pixel(0, 80), GetSysColor(COLOR_BTNSHADOW));  // lowered bevel
    EXPECT_EQ(cap.pixel(337, 80), GetSysColor(COLOR_BTNHIGHLIGHT));
    // Pages differ where their labels differ: page 2's "4.Start Button" stands alone at 105, 100.
    dlg->panel()->setPageIndex(0);
    Capture page0(dlg->panel()->handle());
    dlg->panel()->setPageIndex(2);
    Capture page2(dlg->panel()->handle());
    RECT start{59 + 105, 37 + 100, 59 + 180, 37 + 113};
    EXPECT_EQ(page0.count(start, dark), 0);
    EXPECT_GT(page2.count(start, dark), 20);
}
