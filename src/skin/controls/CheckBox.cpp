#include "skin/controls/CheckBox.h"

#include <algorithm>

#include "skin/controls/ControlAccessibility.h"
#include "skin/controls/Button.h"
#include "skin/theme/SkinPublic.h"
#include "skin/theme/StyleBitmaps.h"
#include "ui/Environment.h"
#include "ui/Focus.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Mnemonic.h"

namespace corvane::skin {

namespace {
constexpr const char* kCheckBoxClass = "CorvaneSkinCheckBox";

SIZE TextSize(HDC dc, const std::string& s) {
    SIZE sz{};
    sz = ui::TextExtent(dc, s);
    return sz;
}
} // namespace

CheckBox::CheckBox(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h)
    : Skinned(owner, std::move(name)) {
    const Placement at = designed(parent, x, y, w, h);
    createWindow(ui::WindowClass{kCheckBoxClass, CS_HREDRAW | CS_VREDRAW},
                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, at.x, at.y, at.w, at.h, parent);
    if (parent)
        if (auto f = SendMessageW(parent, WM_GETFONT, 0, 0))
            SendMessageW(handle(), WM_SETFONT, static_cast<WPARAM>(f), FALSE);
    presetUIStyle(FormUIStyle(owner));
}

void CheckBox::applyLook() {
    fitToCaption();
    invalidate();
}

void CheckBox::setChecked(bool c) {
    if (c == checked_) return;
    checked_ = c;
    invalidate();
    ui::NotifyAccessible(handle(), EVENT_OBJECT_STATECHANGE);
    changed();
}

void CheckBox::changed() {
    if (onClick) onClick();
}

void CheckBox::toggle() { setChecked(!checked_); }

void CheckBox::click() {
    beforeToggle();
    toggle();
}

void CheckBox::setAutoSize(bool a) {
    autoSize_ = a;
    invalidate();
}
void CheckBox::setTransparent(bool t) {
    transparent_ = t;
    invalidate();
}
void CheckBox::setFontColor(std::uint32_t c) {
    fontColor_ = c;
    invalidate();
}
void CheckBox::setRightToLeft(bool r) {
    rightToLeft_ = r;
    invalidate();
}

std::uint32_t CheckBox::color() const { return color_.of(handle()); }

void CheckBox::setColor(std::uint32_t c) {
    color_.set(c);
    invalidate();
}

void CheckBox::setTabStop(bool t) {
    ui::WinControl::setTabStop(t);
    invalidate();
}

bool CheckBox::showFocus() const { return tabStop() && GetFocus() == handle(); }

bool CheckBox::canFocus() const { return ui::CanTakeFocus(handle()); }

ui::BitmapHandle CheckBox::picture(int& width, int& height) {
    const PictureRole strip = pictureRole();
    const bool fileStrip = strip.item == role::CheckBoxFace.item;
    const Look l(fileStrip ? fileTheme() : nullptr, uiStyle(), scaler().dpi());
    const StripPart p = CheckBoxStatePart(l.fromFile(), checked_, enabled());
    ui::BitmapHandle bmp = l.picture(strip, p.count, p.part);
    const SIZE s = ui::BitmapSize(bmp.get());
    width = s.cx;
    height = s.cy;
    return bmp;
}

void CheckBox::fitToCaption(int pictureWidth, int pictureHeight) {
    if (!autoSize_ || !handle()) return;
    ui::WindowDc wdc(handle());
    ui::SelectObjectScope f(wdc.get(), font_ ? font_ : ui::GuiFont(scaler().dpi()));
    const Size s = CheckBoxAutoSize(Size{pictureWidth, pictureHeight}, TextSize(wdc.get(), "W").cy,
                                    TextSize(wdc.get(), caption()).cx, scaler());
    const RECT b = boundsRect();
    if (b.right - b.left != s.cx || b.bottom - b.top != s.cy)
        SetWindowPos(handle(), nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CheckBox::fitToCaption() {
    int pw = 0, ph = 0;
    const ui::BitmapHandle pic = picture(pw, ph);
    fitToCaption(pw, ph);
}

void CheckBox::paintTo(HDC target) {
    int pw = 0, ph = 0;
    ui::BitmapHandle pic = picture(pw, ph);
    HFONT font = font_;
    if (!font) font = ui::GuiFont(scaler().dpi());
    const std::string text = caption();
    fitToCaption(pw, ph);
    const RECT c = clientRect();
    if (c.right <= 0 || c.bottom <= 0) return;
    ui::OffscreenBitmap off(target, c.right, c.bottom);
    HDC dc = off.dc();
    ui::SelectObjectScope fontScope(dc, font);
    if (transparent_) PaintParentBackground(dc, this);
    else ui::FillSolid(dc, c, ui::ToRgb(color()));
    SetBkMode(dc, TRANSPARENT);
    const int lineHeight = TextSize(dc, "W").cy;
    const int textTop = (c.bottom - lineHeight) / 2;
    const int picTop = (c.bottom - ph) / 2;
    const bool rtl = ui::RightToLeftReading(rightToLeft_);
    const ui::Scaler s = scaler();
    const int picX = rtl ? c.right - pw - s(1) : s(1);
    if (pic) {
        ui::BitmapDc src(pic.get());
        BitBlt(dc, picX, picTop, pw, ph, src.get(), 0, 0, SRCCOPY);
    }
    RECT tr = rtl ? RECT{0, textTop, c.right - pw - s(4), c.bottom} : RECT{pw + s(4), textTop, c.right, c.bottom};
    SetTextColor(dc, ui::ToRgb(fontColor_));
    ui::DrawUtf8Text(dc, text, tr, DT_SINGLELINE | (rtl ? DT_RIGHT : DT_LEFT));
    if (showFocus()) {
        RECT fr = rtl ? RECT{0, textTop, c.right - pw - s(2), textTop + lineHeight + s(2)}
                      : RECT{pw + s(3), textTop, c.right, textTop + lineHeight + s(2)};
        SetBkColor(dc, 0xFFFFFF);
        SetTextColor(dc, 0x000000);
        DrawFocusRect(dc, &fr);
    }
    BitBlt(target, 0, 0, c.right, c.bottom, dc, 0, 0, SRCCOPY);
}

bool CheckBox::dialogChar(unsigned ch) {
    if (!ui::IsMnemonic(ch, caption()) || !enabled() || !IsWindowVisible(handle())) return false;
    HWND parent = GetParent(handle());
    if (!parent || !IsWindowEnabled(parent)) return false;
    if (canFocus()) SetFocus(handle());
    click();
    return true;
}

ui::AccessibleSourceFactory CheckBox::accessibleFactory() const { return &CheckBoxAccessible; }

LRESULT CheckBox::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const ui::AccessibleMessageEvents events(handle(), msg);
    LRESULT done = 0;
    const auto paint = [this](HDC dc) { paintTo(dc); };
    const auto fontSet = [this](bool) {
        fitToCaption();
        invalidate();
    };
    if (drawsItselfInFont(msg, wp, lp, font_, paint, fontSet, done)) return done;
    switch (msg) {
    case WM_LBUTTONDOWN:
        if (canFocus()) SetFocus(handle());
        SetCapture(handle());
        clicking_ = true;
        return 0;
    case WM_LBUTTONUP: {
        const bool was = clicking_;
        clicking_ = false;
        if (GetCapture() == handle()) ReleaseCapture();
        const RECT c = clientRect();
        const POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        if (was && PtInRect(&c, p)) click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != handle()) clicking_ = false;
        return 0;
    case WM_KEYUP:
        if ((wp == VK_SPACE || wp == VK_RETURN) && GetFocus() == handle() && enabled() && clicksOnKeyUp()) {
            invalidate();
            click();
        }
        return 0;
    case WM_SETTEXT: {
        // Sized at once, not only at the next paint, so callers see the size.
        const LRESULT r = defaultHandler(msg, wp, lp);
        fitToCaption();
        invalidate();
        return r;
    }
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        invalidate();
        return r;
    }
    case ui::msg::DialogChar: return dialogChar(static_cast<unsigned>(wp)) ? 1 : 0;
    case BM_CLICK:
        if (enabled()) click();
        return 0;
    }
    return ui::WinControl::wndProc(msg, wp, lp);
}

} // namespace corvane::skin
