// Hosting the main menu's bar under the title bar.
#include "skin/frame/FramePanel.h"

#include <algorithm>

#include "skin/frame/MainMenu.h"
#include "skin/frame/MenuBar.h"
#include "skin/theme/SkinPublic.h"
#include "ui/Form.h"
#include "ui/Gdi.h"

namespace corvane::skin {

void FramePanel::setMenu(MainMenu* menu) {
    if (menu == menu_) return;
    // A menu shows in one bar: another frame showing it lets it go.
    if (menu && menu->frame() && menu->frame() != this) menu->frame()->setMenu(nullptr);
    if (menu_) {
        if (menu_->frame() == this) menu_->setFrame(nullptr);
        removeFreeNotification(menu_);
        menu_ = nullptr;
    }
    dropMenu();
    if (!menu) return;
    watch(menu_, menu);
    menu->setFileThemeAndStyle(fileTheme(), uiStyle());
    menuBar_ = new MenuBar(this, menu, "MenuBar");
    menuBar_->setButtonHeight(menuBarHeight_);
    menuBar_->setColors(menuBarColor_, menuBarToColor_);
    menuBar_->applyLook(look());
    menu->setFrame(this);
    placeMenuBar();
}

void FramePanel::dropMenu() {
    if (menuBar_) {
        MenuBar* bar = menuBar_;
        menuBar_ = nullptr;
        delete bar;
    }
    placeMenuBar();
    invalidate();
}

void FramePanel::setMenuBarColor(ui::Color c) {
    menuBarColor_ = c;
    if (menuBar_) menuBar_->setColors(menuBarColor_, menuBarToColor_);
    paintFrame();
}

void FramePanel::setMenuBarToColor(ui::Color c) {
    menuBarToColor_ = c;
    if (menuBar_) menuBar_->setColors(menuBarColor_, menuBarToColor_);
    paintFrame();
}

int FramePanel::menuBarHeight() const { return menuBar_ && menuBar_->visible() ? menuBar_->height() : 0; }

void FramePanel::setMenuBarHeight(int h) {
    menuBarHeight_ = h;
    if (!menuBar_) return;
    menuBar_->setButtonHeight(h);
    placeMenuBar();
}

void FramePanel::menuChanged() {
    if (menuBar_) placeMenuBar();
}

// Lays the bar out under the title bar and keeps the controls below it.
void FramePanel::placeMenuBar() {
    int h = 0;
    if (menuBar_ && handle()) {
        const RECT r = clientRect();
        h = menuBar_->rebuild(r.right);
        menuBar_->setBounds(0, titleBarVisible() ? titleBar_->height() : 0, r.right, h);
    }
    shiftControls(h - controlsShift_);
    controlsShift_ = h;
    if (titleBar_) minHeight_ = menuBarHeight() + titleBar_->height() + b_ + 3;
    paintFrame();
}

void FramePanel::shiftControls(int dy) {
    if (!dy || !handle()) return;
    for (HWND c = GetWindow(handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if ((titleBar_ && c == titleBar_->handle()) || (menuBar_ && c == menuBar_->handle()) ||
            (formPanel_ && c == formPanel_->handle()))
            continue;
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, handle(), reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(c, nullptr, r.left, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

MenuItem* FramePanel::menuShortcutItem(const MSG& m) const {
    if (!menu_ || !form_ || !formHwnd_ || GetActiveWindow() != formHwnd_ || !IsFormActive(form_)) return nullptr;
    return menu_->shortcutItem(m);
}

bool FramePanel::menuShortcut(const MSG& m) { return menuShortcutItem(m) && menu_->isShortcut(m); }

// The frame's strips beside the bar, in the bar's colours.
void FramePanel::paintMenuBarFillers(HDC dc, int left, int right) {
    if (!menuBar_ || !menuBar_->visible() || right <= left) return;
    RECT wr, br;
    GetWindowRect(formHwnd_, &wr);
    GetWindowRect(menuBar_->handle(), &br);
    PaintMenuBarFill(dc, {left, br.top - wr.top, right, br.bottom - wr.top}, menuBarColor_, menuBarToColor_);
}

} // namespace corvane::skin
