#include "skin/frame/MenuBar.h"

#include <climits>
#include <memory>

#include "skin/frame/FrameAccessibility.h"
#include "skin/frame/MainMenu.h"
#include "skin/frame/MenuBarLayout.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/SkinPublic.h"
#include "skin/theme/StyleTable.h"
#include "ui/Accessible.h"
#include "ui/Gdi.h"

namespace corvane::skin {

void PaintMenuBarFill(HDC dc, const RECT& r, ui::Color from, ui::Color to) {
    if (from == to) ui::FillSolid(dc, r, ui::ToRgb(from));
    else GradientFillVertical(dc, r, from, to);
}

MenuBar::MenuBar(ui::WinControl* parent, MainMenu* menu, std::string name)
    : ui::WinControl(parent, std::move(name)), menu_(menu) {
    static const ui::WindowClass cls{"CorvaneMenuBar"};
    createWindow(cls, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, 0, parent->handle());
}

MenuBar::~MenuBar() { *alive_ = false; }

int MenuBar::rebuild(int width) {
    buttons_.clear();
    font_.reset(menu_->createFont(false));
    std::vector<int> widths;
    {
        ui::WindowDc dc(handle());
        ui::SelectObjectScope sel(dc.get(), font_.get());
        for (const auto& item : menu_->root().items) {
            RECT t{0, 0, 0, 0};
            ui::DrawUtf8Text(dc.get(), item->caption, t, DT_SINGLELINE | DT_CALCRECT);
            widths.push_back(t.right - t.left);
            buttons_.push_back({item.get(), item->caption, item->enabled, {}});
        }
    }
    const std::vector<Rect> rects = LayoutMenuBar(widths, width, buttonHeight_);
    for (size_t i = 0; i < rects.size(); ++i)
        buttons_[i].rect = {rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
    if (hot_ >= static_cast<int>(buttons_.size())) hot_ = -1;
    if (pressed_ >= static_cast<int>(buttons_.size())) pressed_ = -1;
    invalidate();
    return MenuBarHeightFor(rects, buttonHeight_);
}

void MenuBar::setColors(ui::Color from, ui::Color to) {
    from_ = from;
    to_ = to;
    invalidate();
}

void MenuBar::applyLook(const Look& look) {
    macOs_ = look.style() == UIStyle::MacOS;
    selectedColor_ = look.color(role::TopMenuSelectedColor);
    selectedBorderColor_ = look.color(role::TopMenuSelectedBorderColor);
    selectedFontColor_ = look.color(role::TopMenuSelectedFontColor);
    fontColor_ = look.color(role::TopMenuFontColor);
    invalidate();
}

void MenuBar::paint(HDC target) {
    const RECT r = clientRect();
    if (r.right <= 0 || r.bottom <= 0) return;
    ui::OffscreenBitmap img(target, r.right, r.bottom);
    HDC dc = img.dc();
    if (macOs_) StretchMenuPicture(dc, r, "MACOS_MENU_BAR", INT_MAX);
    else PaintMenuBarFill(dc, r, from_, to_);
    ui::SelectObjectScope sel(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const Button& b = buttons_[i];
        const bool lit = b.enabled && (static_cast<int>(i) == pressed_ || static_cast<int>(i) == hot_);
        if (lit && macOs_) {
            StretchMenuPicture(dc, b.rect, "MACOS_MENU_SELECT", INT_MAX);
        } else if (lit) {
            ui::FillSolid(dc, b.rect, ui::ToRgb(selectedColor_));
            ui::FrameSolid(dc, b.rect, ui::ToRgb(selectedBorderColor_));
        }
        SetTextColor(dc, !b.enabled ? RGB(128, 128, 128) : ui::ToRgb(lit ? selectedFontColor_ : fontColor_));
        RECT text = b.rect;
        OffsetRect(&text, 0, 2);
        ui::DrawUtf8Text(dc, b.caption, text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    BitBlt(target, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
}

int MenuBar::buttonAt(int x, int y) const {
    const POINT p{x, y};
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (PtInRect(&buttons_[i].rect, p)) return static_cast<int>(i);
    return -1;
}

void MenuBar::setHot(int index) {
    if (index >= 0 && !buttons_[static_cast<size_t>(index)].enabled) index = -1;
    if (index == hot_) return;
    hot_ = index;
    repaint();
}

void MenuBar::press(int index) {
    const Button& b = buttons_[static_cast<size_t>(index)];
    if (!b.enabled) return;
    pressed_ = index;
    repaint();
    POINT p{b.rect.left, b.rect.bottom};
    ClientToScreen(handle(), &p);
    // The form's window runs the menu loop: its frame draws the skinned items.
    HWND owner = GetAncestor(handle(), GA_ROOT);
    const std::shared_ptr<bool> alive = alive_;
    menu_->open(*b.item, p.x, p.y, owner);
    if (!*alive) return; // the item's action removed the bar
    pressed_ = -1;
    POINT c;
    GetCursorPos(&c);
    ScreenToClient(handle(), &c);
    hot_ = -1;
    setHot(buttonAt(c.x, c.y));
    repaint();
}

ui::AccessibleSourceFactory MenuBar::accessibleFactory() const { return &MenuBarAccessible; }

LRESULT MenuBar::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (LRESULT r = 0; paintsItself(
            msg, wp, [this](HDC dc) { paint(dc); }, r))
        return r;
    switch (msg) {
    case WM_MOUSEMOVE:
        if (!tracking_) {
            TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle(), 0};
            tracking_ = TrackMouseEvent(&t) != FALSE;
        }
        setHot(buttonAt(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))));
        return 0;
    case WM_MOUSELEAVE:
        tracking_ = false;
        setHot(-1);
        return 0;
    case WM_LBUTTONDOWN:
        if (const int i = buttonAt(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))); i >= 0) press(i);
        return 0;
    }
    return defaultHandler(msg, wp, lp);
}

} // namespace corvane::skin
