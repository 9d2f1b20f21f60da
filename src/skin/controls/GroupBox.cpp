#include "skin/controls/GroupBox.h"

#include <cstdlib>
#include <vector>

#include "skin/controls/Button.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/ControlAccessibility.h"
#include "skin/controls/ControlGeometry.h"
#include "skin/theme/SkinPublic.h"
#include "ui/Environment.h"
#include "ui/Form.h"
#include "ui/Gdi.h"

namespace corvane::skin {

namespace {
constexpr const char* kGroupBoxClass = "CorvaneSkinGroupBox";
}

GroupBox::GroupBox(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h)
    : Skinned(owner, std::move(name)) {
    const Placement at = designed(parent, x, y, w, h);
    createWindow(ui::WindowClass{kGroupBoxClass, CS_HREDRAW | CS_VREDRAW},
                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, at.x, at.y, at.w, at.h,
                 parent, " ");
    if (parent) font_ = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
    setUIStyle(FormUIStyle(owner));
}

void GroupBox::applyLook() {
    ApplyThemeToChildren(this, uiStyle(), fileTheme());
    const Look l = look();
    borderColor_ = l.color(role::ControlBorderColor);
    fontColor_ = l.color(role::ControlFontColor);
    invalidate();
}

void GroupBox::themeRemoved() { ApplyThemeToChildren(this, UIStyle::DeepBlue, nullptr); }

void GroupBox::setCaption(const std::string& c) {
    const bool changed = c != caption_;
    caption_ = c;
    invalidate();
    if (changed) ui::NotifyAccessible(handle(), EVENT_OBJECT_NAMECHANGE);
}
void GroupBox::setBorderColor(std::uint32_t c) {
    borderColor_ = c;
    invalidate();
}
void GroupBox::setFontColor(std::uint32_t c) {
    fontColor_ = c;
    invalidate();
}
void GroupBox::setTransparent(bool t) {
    transparent_ = t;
    invalidate();
}
void GroupBox::setRightToLeft(bool r) {
    rightToLeft_ = r;
    invalidate();
}

std::uint32_t GroupBox::color() const { return color_.of(handle()); }

void GroupBox::setColor(std::uint32_t c) {
    color_.set(c);
    invalidate();
}

int GroupBox::fontHeight() const {
    LOGFONTW lf{};
    if (!GetObjectW(font_ ? font_ : ui::GuiFont(scaler().dpi()), sizeof lf, &lf)) return 0;
    return lf.lfHeight;
}

RECT GroupBox::alignRect() const {
    const RECT c = clientRect();
    const Rect r = GroupBoxAlignRect(Rect{c.left, c.top, c.right, c.bottom}, fontHeight());
    return RECT{r.left, r.top, r.right, r.bottom};
}

void GroupBox::paintTo(HDC target) {
    const RECT c = clientRect();
    if (c.right <= 0 || c.bottom <= 0) return;
    ui::OffscreenBitmap off(target, c.right, c.bottom);
    HDC dc = off.dc();
    if (transparent_) PaintParentBackground(dc, this);
    else ui::FillSolid(dc, c, ui::ToRgb(color()));
    ui::SelectObjectScope font(dc, font_ ? font_ : ui::GuiFont(scaler().dpi()));
    SIZE cs{};
    cs = ui::TextExtent(dc, caption_);
    const bool rtl = ui::RightToLeftReading(rightToLeft_);
    const std::vector<Point> line = GroupBoxFrame(Rect{c.left, c.top, c.right, c.bottom}, fontHeight(), cs.cx,
                                                  !caption_.empty(), rtl);
    std::vector<POINT> pts;
    for (const Point& p : line) pts.push_back(POINT{p.x, p.y});
    ui::PenHandle pen(CreatePen(PS_SOLID, 1, ui::ToRgb(borderColor_)));
    {
        ui::SelectObjectScope penScope(dc, pen.get());
        Polyline(dc, pts.data(), static_cast<int>(pts.size()));
    }
    if (!caption_.empty()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, enabled() ? ui::ToRgb(fontColor_) : 0x808080);
        ui::TextOutUtf8(dc, rtl ? c.right - cs.cx - 6 : 5, 0, caption_);
    }
    BitBlt(target, 0, 0, c.right, c.bottom, dc, 0, 0, SRCCOPY);
}

ui::AccessibleSourceFactory GroupBox::accessibleFactory() const { return &GroupBoxAccessible; }

LRESULT GroupBox::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const ui::AccessibleMessageEvents events(handle(), msg);
    LRESULT done = 0;
    const auto paint = [this](HDC dc) { paintTo(dc); };
    const auto fontSet = [this](bool) {
        realign(); // the caption line's height moved
        invalidate();
    };
    if (drawsItselfInFont(msg, wp, lp, font_, paint, fontSet, done)) return done;
    switch (msg) {
    case WM_ENABLE: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        invalidate();
        return r;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Plain children sit on the box's colour and write in its font colour.
        const std::uint32_t bg = ui::ToRgb(color());
        if (!brush_ || brushColor_ != bg) {
            brush_.reset(CreateSolidBrush(bg));
            brushColor_ = bg;
        }
        HDC dc = reinterpret_cast<HDC>(wp);
        SetBkColor(dc, bg);
        SetTextColor(dc, ui::ToRgb(fontColor_));
        return reinterpret_cast<LRESULT>(brush_.get());
    }
    }
    return ui::WinControl::wndProc(msg, wp, lp);
}

} // namespace corvane::skin
