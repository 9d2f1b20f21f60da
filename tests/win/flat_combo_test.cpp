#include "TestSupport.h"
#include "flat/FlatComboBox.h"
#include "ui/Form.h"
#include <gtest/gtest.h>
#include <memory>

using namespace corvane;
using namespace corvane::flat;
using namespace corvane::test;

namespace {

constexpr COLORREF kBorder = 0x8396A0;
constexpr COLORREF kArrowBack = 0xC5D6D9;

class ComboHost : public ui::Form {
public:
    ComboHost() : ui::Form(nullptr, "ComboHost") {
        caption = "Flat combo";
        clientWidth = 260;
        clientHeight = 200;
        color = RGB(200, 190, 180);
    }
};

class FlatComboTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<ComboHost>();
        form->create();
        SetWindowPos(form->handle(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        form->show();
        SetForegroundWindow(form->handle());
        SetFocus(form->handle());
        // As the tips dialog has it.
        cb = new FlatComboBox(form.get(), "cbOption", form->handle(), 8, 10, 166, 21, ComboBoxStyle::DropDownList);
        cb->setColor(0xFF000005);
        cb->addItem("Always show tips at startup");
        cb->addItem("Never show tips at startup");
        cb->setItemIndex(0);
        PumpPending();
    }
    void TearDown() override {
        cb->setDroppedDown(false);
        form.reset();
    }

    // The triangle's origin in the tips dialog's 166 x 21 box.
    POINT arrowOrigin() const { return POINT{153, 9}; }

    std::unique_ptr<ComboHost> form;
    FlatComboBox* cb = nullptr;
};

} // namespace

TEST_F(FlatComboTest, NewBoxHasItsInitialProperties) {
    auto* c = new FlatComboBox(form.get(), "c", form->handle(), 8, 100, 120);
    EXPECT_EQ(c->style(), ComboBoxStyle::DropDown);
    EXPECT_EQ(c->color(), 0xFF000005u);
    EXPECT_EQ(c->colorArrow(), 0x000000u);
    EXPECT_EQ(c->colorArrowBackground(), kArrowBack);
    EXPECT_EQ(c->colorBorder(), kBorder);
    EXPECT_EQ(c->advColorBorder(), 50);
    EXPECT_EQ(c->advColorArrowBackground(), 10);
    EXPECT_FALSE(c->useAdvColors());
    EXPECT_EQ(c->dropDownCount(), 8);
    EXPECT_EQ(c->itemHeight(), 13);
    EXPECT_NE(c->editHandle(), nullptr);
    EXPECT_EQ(cb->editHandle(), nullptr);
    EXPECT_EQ(cb->height(), 21);
}

TEST_F(FlatComboTest, BorderAndArrowButton) {
    const int w = cb->width(), h = cb->height();
    ASSERT_EQ(w, 166);
    Capture c(cb->handle());
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(c.pixel(0, 0), kBorder);
    EXPECT_EQ(c.pixel(0, h - 1), kBorder);
    EXPECT_EQ(c.pixel(60, 0), kBorder);
    EXPECT_EQ(c.pixel(1, 5), window); // the inner rings cover the sunken edge
    EXPECT_EQ(c.pixel(2, 5), window);
    EXPECT_EQ(c.pixel(60, 1), window);
    // Button: 13 pixels including its frame, 11 inside.
    EXPECT_EQ(c.pixel(w - 13, 5), kBorder);
    EXPECT_EQ(c.pixel(w - 1, 5), kBorder);
    EXPECT_EQ(c.pixel(w - 12, 2), kArrowBack);
    EXPECT_EQ(c.pixel(w - 2, h - 3), kArrowBack);
    EXPECT_EQ(c.pixel(w - 14, 5), window);
    // Pointing down: wide at the top, one pixel at the bottom.
    const POINT o = arrowOrigin();
    EXPECT_EQ(c.pixel(o.x + 4, o.y), 0x000000u);
    EXPECT_EQ(c.pixel(o.x + 8, o.y), 0x000000u);
    EXPECT_EQ(c.pixel(o.x + 6, o.y + 2), 0x000000u);
    EXPECT_EQ(c.pixel(o.x + 4, o.y + 2), kArrowBack);
    EXPECT_EQ(c.pixel(o.x + 6, o.y - 1), kArrowBack);
    EXPECT_EQ(c.count(RECT{w - 13, 0, w, h}, [](COLORREF p) { return p == 0; }), 5 + 3 + 1);
}

TEST_F(FlatComboTest, TrianglePointsUpWhileDropped) {
    cb->setFocus();
    cb->setDroppedDown(true);
    PumpPending();
    ASSERT_TRUE(cb->droppedDown());
    EXPECT_TRUE(cb->active());
    const POINT o = arrowOrigin();
    {
        Capture c(cb->handle());
        EXPECT_EQ(c.pixel(o.x + 4, o.y + 2), 0x000000u);
        EXPECT_EQ(c.pixel(o.x + 8, o.y + 2), 0x000000u);
        EXPECT_EQ(c.pixel(o.x + 6, o.y), 0x000000u);
        EXPECT_EQ(c.pixel(o.x + 4, o.y), kArrowBack);
    }
    cb->setDroppedDown(false);
    PumpPending();
    Capture c(cb->handle());
    EXPECT_EQ(c.pixel(o.x + 4, o.y), 0x000000u);
}

TEST_F(FlatComboTest, DisabledArrowIsGreyWithWhiteCopy) {
    cb->setEnabled(false);
    Capture c(cb->handle());
    const POINT o = arrowOrigin();
    EXPECT_EQ(c.pixel(o.x + 4, o.y), RGB(128, 128, 128));
    EXPECT_EQ(c.pixel(o.x + 6, o.y + 2), RGB(128, 128, 128));
    EXPECT_EQ(c.pixel(o.x + 9, o.y + 1), RGB(255, 255, 255)); // the white copy, one down-right
    EXPECT_EQ(c.pixel(o.x + 7, o.y + 3), RGB(255, 255, 255));
    EXPECT_EQ(c.count(RECT{o.x, o.y - 2, o.x + 12, o.y + 6}, [](COLORREF p) { return p == 0; }), 0);
}

TEST_F(FlatComboTest, FocusFrameAroundTheChosenText) {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const int h = cb->height();
    {
        Capture c(cb->handle());
        EXPECT_NE(c.pixel(3, h / 2), highlight);
        EXPECT_FALSE(cb->active());
    }
    cb->setFocus();
    EXPECT_TRUE(PumpUntil([&] { return cb->active(); }));
    Capture c(cb->handle());
    EXPECT_EQ(c.pixel(3, h / 2), highlight);
    EXPECT_EQ(c.pixel(3, 3), highlight);
    EXPECT_EQ(c.pixel(60, 3), highlight);
    EXPECT_EQ(c.pixel(60, h - 4), highlight);
    EXPECT_EQ(c.pixel(0, 0), kBorder);
    SetFocus(form->handle());
    EXPECT_FALSE(cb->active());
}

TEST_F(FlatComboTest, ListColoursComeFromAnOwnedBrush) {
    cb->setColor(RGB(10, 200, 30));
    HDC dc = GetDC(cb->handle());
    const HBRUSH b = reinterpret_cast<HBRUSH>(cb->perform(WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), 0));
    EXPECT_EQ(GetBkColor(dc), RGB(10, 200, 30));
    ReleaseDC(cb->handle(), dc);
    ASSERT_EQ(b, cb->listBrush());
    LOGBRUSH lb{};
    ASSERT_TRUE(GetObjectA(b, sizeof lb, &lb));
    EXPECT_EQ(lb.lbColor, RGB(10, 200, 30));
    Capture c(cb->handle());
    EXPECT_EQ(c.pixel(1, 5), RGB(10, 200, 30));
}

TEST_F(FlatComboTest, FontChangeRecreatesTheWindowAndKeepsItems) {
    HWND before = cb->handle();
    cb->setItemHeight(20);
    cb->setItemIndex(1);
    HFONT f = ui::MakeUiFont(-13, "Tahoma");
    cb->setFont(f);
    EXPECT_NE(cb->handle(), before);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(cb->itemHeight(), 13);
    ASSERT_EQ(cb->count(), 2);
    EXPECT_EQ(cb->item(0), "Always show tips at startup");
    EXPECT_EQ(cb->itemIndex(), 1);
    EXPECT_EQ(reinterpret_cast<HFONT>(cb->perform(WM_GETFONT)), f);
    EXPECT_EQ(cb->left(), 8);
    form.reset(); // the window goes before the font
    DeleteObject(f);
}

TEST_F(FlatComboTest, AdvancedColoursShadeTheParentColour) {
    cb->setUseAdvColors(true);
    EXPECT_EQ(cb->colorBorder(), ShadeColor(form->color, kBorder, 50, Shade::Darken));
    EXPECT_EQ(cb->colorArrowBackground(), ShadeColor(form->color, kArrowBack, 10, Shade::Darken));
    EXPECT_EQ(cb->color(), 0xFF000005u); // its own colour stays
}
