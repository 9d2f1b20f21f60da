#include "TestSupport.h"
#include "app/MainForm.h"
#include "app/PropertyForm.h"
#include "ui/Environment.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <memory>
#include <utility>

using namespace corvane;
using namespace corvane::app;
using namespace corvane::test;

// Run at the DPI the screen has: the normal run at 96, and again with LogPixels at 144
// (win-tests.sh). Each size is written out by hand for both.
namespace {

using Dim = std::pair<int, int>; // width, height

struct Expected {
    int dpi;
    int mainWidth;
    Dim toolButton;
    int aliasColumn, pathColumn, listTop;
    int editorWidth;
    Dim edit;
    int fontHeight;
};
constexpr Expected kExpected[] = {
    {96, 539, {44, 36}, 190, 315, 83, 309, {201, 21}, -11},
    {144, 809, {66, 54}, 285, 473, 125, 464, {302, 32}, -17}, // 808.5, 472.5, 124.5, 463.5, 301.5, 31.5, -16.5
};

const Expected* ForScreen() {
    const int dpi = ui::ScreenDpi();
    for (const Expected& e : kExpected)
        if (e.dpi == dpi) return &e;
    return nullptr;
}

Dim ClientSize(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return {r.right, r.bottom};
}

int FontHeight(HWND w) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf.lfHeight;
}

TEST(AtScreenDpi, WindowsAreTheDesignScaledAsAWhole) {
    const Expected* want = ForScreen();
    if (!want) GTEST_SKIP() << "no sizes written for " << ui::ScreenDpi() << " DPI";
    TempFolder folder;
    ui::TheEnvironment().folders.program = folder.path();
    folder.write("options.ini", "[Options]\r\nShowTips=0\r\n");
    TestKey key{"AtScreenDpi"};
    {
        MainForm main(nullptr, key.path());
        main.create();
        PumpPending();
        // The height also holds the system's caption, which the skinned frame takes back: not a design number.
        EXPECT_EQ(want->mainWidth, ClientSize(main.handle()).first);
        const LRESULT button = main.toolBar()->perform(TB_GETBUTTONSIZE);
        EXPECT_EQ(want->toolButton, (Dim{LOWORD(button), HIWORD(button)}));
        EXPECT_EQ(want->aliasColumn, main.list()->perform(LVM_GETCOLUMNWIDTH, 0));
        EXPECT_EQ(want->pathColumn, main.list()->perform(LVM_GETCOLUMNWIDTH, 1));
        EXPECT_EQ(want->listTop, main.list()->top());
        EXPECT_EQ(want->fontHeight, FontHeight(main.handle()));
        EXPECT_EQ(want->dpi, ui::DpiOf(main.handle()));
    }
    {
        PropertyForm item(nullptr, "", "", true);
        EXPECT_EQ(want->editorWidth, ClientSize(item.handle()).first);
        EXPECT_EQ(want->edit, (Dim{item.aliasEdit()->width(), item.aliasEdit()->height()}));
        EXPECT_EQ(want->fontHeight, FontHeight(item.handle()));
    }
    ui::TheEnvironment().folders.program = "";
}

} // namespace
