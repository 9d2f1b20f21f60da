#include "TestSupport.h"
#include "app/MainForm.h"
#include "app/OptionsForm.h"
#include "app/PropertyForm.h"
#include "ui/Dpi.h"
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
    // The font: the design's 11 pixels scaled, or smaller where the face writes wider at
    // this DPI (Wine has the bitmap face at 96 only), never down to 11.
    int fontAtMost, fontAtLeast;
    int glyph;
};
constexpr Expected kExpected[] = {
    {96, 539, {44, 36}, 190, 315, 83, 309, {201, 21}, -11, -11, 16},
    {144, 809, {66, 54}, 285, 473, 125, 464, {302, 32}, -17, -12, 24}, // 808.5, 472.5, 124.5, 463.5, 301.5, 31.5, -16.5
};

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

void ExpectFormFont(HWND w, const Expected& want) {
    EXPECT_LE(want.fontAtMost, FontHeight(w));
    EXPECT_GE(want.fontAtLeast, FontHeight(w));
}

const Expected* At(int dpi) {
    for (const Expected& e : kExpected)
        if (e.dpi == dpi) return &e;
    return nullptr;
}

// What the main window and the item editor show at `want`'s DPI, the form widths aside.
void ExpectMainAt(MainForm& main, const Expected& want) {
    const LRESULT button = main.toolBar()->perform(TB_GETBUTTONSIZE);
    EXPECT_EQ(want.toolButton, (Dim{LOWORD(button), HIWORD(button)}));
    EXPECT_EQ(want.aliasColumn, main.list()->perform(LVM_GETCOLUMNWIDTH, 0));
    EXPECT_EQ(want.pathColumn, main.list()->perform(LVM_GETCOLUMNWIDTH, 1));
    EXPECT_EQ(want.listTop, main.list()->top());
    ExpectFormFont(main.handle(), want);
    EXPECT_EQ(FontHeight(main.handle()), FontHeight(main.list()->handle())) << "the list takes the form's font";
    EXPECT_EQ(want.dpi, ui::DpiOf(main.list()->handle()));
    int glyph = 0, glyphHeight = 0;
    HIMAGELIST shown = reinterpret_cast<HIMAGELIST>(main.toolBar()->perform(TB_GETIMAGELIST));
    ImageList_GetIconSize(shown, &glyph, &glyphHeight);
    EXPECT_EQ(want.glyph, glyph) << "the tool bar's pictures";
    EXPECT_EQ(12, ImageList_GetImageCount(shown));
}

void ExpectEditorAt(PropertyForm& item, const Expected& want) {
    EXPECT_EQ(want.edit, (Dim{item.aliasEdit()->width(), item.aliasEdit()->height()}));
    ExpectFormFont(item.handle(), want);
}

class AtScreenDpi : public ::testing::Test {
protected:
    ProgramFolder folder;
    TestKey key{"AtScreenDpi"};
};

TEST_F(AtScreenDpi, WindowsAreTheDesignScaledAsAWhole) {
    const Expected* want = At(ui::ScreenDpi());
    if (!want) GTEST_SKIP() << "no sizes written for " << ui::ScreenDpi() << " DPI";
    {
        MainForm main(nullptr, key.path());
        main.create();
        PumpPending();
        // The height also holds the system's caption, which the skinned frame takes back: not a design number.
        EXPECT_EQ(want->mainWidth, ClientSize(main.handle()).first);
        ExpectMainAt(main, *want);
    }
    PropertyForm item(nullptr, "", "", true);
    EXPECT_EQ(want->editorWidth, ClientSize(item.handle()).first);
    ExpectEditorAt(item, *want);
}

// Check boxes fit their captions to the scaled layout: none may write past its group.
TEST_F(AtScreenDpi, OptionsCaptionsFitTheirGroup) {
    OptionFlags flags;
    OptionsForm options(nullptr, flags);
    for (skin::CheckBox* box : {options.exploreFolderBox(), options.askDeleteBox(), options.showTipsBox()}) {
        HWND group = GetParent(box->handle());
        RECT inGroup{}, room{};
        GetWindowRect(box->handle(), &inGroup);
        MapWindowPoints(nullptr, group, reinterpret_cast<POINT*>(&inGroup), 2);
        GetClientRect(group, &room);
        // The text ends 4 pixels (scaled) before the box does; at 96 the longest caption ends 2 past
        // the group's edge (blank side of its last letter), which may grow with the scale.
        const ui::Scaler at(ui::ScreenDpi());
        EXPECT_LE(inGroup.right - at(4), room.right + at(2)) << box->caption() << " at " << ui::ScreenDpi();
    }
}

// Wine shows one DPI on every monitor: the move to a screen of the other scale is the
// message the system would send.
TEST_F(AtScreenDpi, FollowsAMoveToAScreenOfAnotherScale) {
    const Expected* here = At(ui::ScreenDpi());
    if (!here) GTEST_SKIP() << "no sizes written for " << ui::ScreenDpi() << " DPI";
    const Expected& there = *At(here->dpi == 96 ? 144 : 96);
    const auto move = [&](ui::Form& form) {
        RECT r{};
        GetWindowRect(form.handle(), &r);
        RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, there.dpi, here->dpi),
                       r.top + MulDiv(r.bottom - r.top, there.dpi, here->dpi)};
        SendMessageW(form.handle(), ui::kDpiChangedMessage, MAKEWPARAM(there.dpi, there.dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        PumpPending();
        GetWindowRect(form.handle(), &r);
        EXPECT_EQ(suggested.right - suggested.left, r.right - r.left) << "the suggested rectangle is taken";
    };
    {
        MainForm main(nullptr, key.path());
        main.create();
        PumpPending();
        move(main);
        ExpectMainAt(main, there);
    }
    PropertyForm item(nullptr, "", "", true);
    // Asked first for the size at the new DPI: the design's client there, in the frame the
    // system draws around it.
    SIZE asked{};
    EXPECT_TRUE(SendMessageW(item.handle(), ui::kGetDpiScaledSizeMessage, there.dpi, reinterpret_cast<LPARAM>(&asked)));
    RECT framed{0, 0, there.editorWidth, 0};
    AdjustWindowRectEx(&framed, static_cast<DWORD>(GetWindowLongW(item.handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(item.handle(), GWL_EXSTYLE)));
    EXPECT_EQ(framed.right - framed.left, asked.cx);
    move(item);
    ExpectEditorAt(item, there);
}

} // namespace
