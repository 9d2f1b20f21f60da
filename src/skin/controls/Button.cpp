#include "skin/controls/Button.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/WideText.h"

#include <algorithm>

#include "skin/controls/ControlAccessibility.h"
#include "skin/controls/DialogKeys.h"
#include "skin/controls/GroupBox.h"
#include "skin/controls/ToolBar.h"
#include "skin/theme/SkinPublic.h"
#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/StyleTable.h"
#include "ui/Focus.h"
#include "ui/Mnemonic.h"
#include "ui/StdControls.h"

namespace corvane::skin {

namespace {

constexpr const char* kButtonClass = "CorvaneSkinButton";
constexpr UINT_PTR kRepeatTimer = 1;
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kEngraveLight = 0xFFFFFF;
constexpr COLORREF kEngraveDark = 0x808080;

bool ShiftCtrlAltHeld() { return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0; }

std::string Trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

ui::BitmapHandle EmptyPicture() {
    ui::WindowDc screen(nullptr);
    ui::BitmapHandle bmp(CreateCompatibleBitmap(screen.get(), 74, 21));
    ui::MemDcHandle dc(CreateCompatibleDC(screen.get()));
    ui::SelectObjectScope sel(dc.get(), bmp.get());
    ui::FillSolid(dc.get(), RECT{0, 0, 74, 21}, 0xFFFFFF);
    return bmp;
}

// A bold copy of a font, for MacOS and BlueGlass focused captions.
ui::FontHandle BoldFont(HFONT f) {
    LOGFONTW lf{};
    if (!GetObjectW(f ? f : GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf)) return {};
    lf.lfWeight = FW_BOLD;
    return ui::FontHandle(CreateFontIndirectW(&lf));
}

COLORREF TopLeftPixel(HBITMAP bmp) {
    ui::BitmapDc dc(bmp);
    return GetPixel(dc.get(), 0, 0);
}

} // namespace

std::uint32_t ParentColorOf(HWND control) {
    // The nearest coloured ancestor: a skinned frame colours its panel, which sits
    // between a form and its controls.
    for (HWND parent = control ? GetParent(control) : nullptr; parent; parent = GetParent(parent)) {
        if (ui::WinControl* p = ui::WinControl::fromHandle(parent))
            if (auto color = p->childBackground()) return *color;
    }
    return GetSysColor(COLOR_BTNFACE);
}

void DrawNinePartStretch(HDC dc, HBITMAP picture, const RECT& target, bool transparent) {
    const SIZE ps = ui::BitmapSize(picture);
    if (ps.cx <= 0 || ps.cy <= 0) return;
    ui::MemDcHandle src(CreateCompatibleDC(dc));
    const auto pieces = NinePartStretch(Size{ps.cx, ps.cy},
                                        Size{target.right - target.left, target.bottom - target.top});
    for (const NinePiece& p : pieces) {
        if (p.empty()) continue;
        const Rect s = p.source, t = p.target.offset(target.left, target.top);
        if (p.corner()) {
            // Unscaled, through an image list: masked only for a transparent picture.
            ui::BitmapHandle part = ui::CopyBitmap(picture, s.left, s.top, s.width(), s.height());
            ui::ImageListHandle list(
                ImageList_Create(s.width(), s.height(), ILC_COLOR24 | (transparent ? ILC_MASK : 0), 1, 0));
            if (!list || !part) continue;
            if (transparent) ImageList_AddMasked(list.get(), part.get(), kMagenta);
            else ImageList_Add(list.get(), part.get(), nullptr);
            ImageList_Draw(list.get(), 0, dc, t.left, t.top, transparent ? ILD_TRANSPARENT : ILD_NORMAL);
        } else {
            ui::SelectObjectScope sel(src.get(), picture);
            TransparentBlt(dc, t.left, t.top, t.width(), t.height(), src.get(), s.left, s.top, s.width(), s.height(),
                           kMagenta);
        }
    }
}

// ---- CustomButton -------------------------------------------------------------

CustomButton::CustomButton(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h)
    : Skinned(owner, std::move(name)) {
    // No double clicks: a quick second click is another click.
    const Placement at = designed(parent, x, y, w, h);
    createWindow(ui::WindowClass{kButtonClass, CS_HREDRAW | CS_VREDRAW},
                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, at.x, at.y, at.w, at.h, parent);
    if (parent) font_ = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
    presetUIStyle(FormUIStyle(owner));
}

CustomButton::~CustomButton() {
    ui::BindAction(*this, *this, action_, nullptr);
    if (handle()) KillTimer(handle(), kRepeatTimer);
}

void CustomButton::applyLook() {
    styleChanged();
    invalidate();
}

void CustomButton::notification(ui::Component* component, ui::Operation op) {
    Skinned::notification(component, op);
    if (op == ui::Operation::Remove && component && component == action_) action_ = nullptr;
}

void CustomButton::setDefault(bool d) {
    default_ = d;
    invalidate();
}

void CustomButton::setCaption(const std::string& c) {
    caption_ = c;
    if (handle()) SetWindowTextW(handle(), ui::WideArg(c));
    captionChanged();
    invalidate();
}

void CustomButton::setTransparent(bool t) {
    transparent_ = t;
    pictureTransparent_ = t;
    transparencyChanged();
    invalidate();
}

void CustomButton::transparencyChanged() {
    pictureTransparent_ = transparent_;
    invalidate();
}

void CustomButton::setAutoSize(bool a) {
    autoSize_ = a;
    autoSizeStep();
    invalidate();
}

void CustomButton::autoSizeStep() {
    if (!autoSize_) return;
    // The built-in table, whatever the file theme: FromThemeFile has no picture there.
    const ui::BitmapHandle strip = StylePicture(uiStyle(), role::ButtonFace.item);
    const SIZE s = ui::BitmapSize(strip.get());
    const Size size = AutoSizeFromStrip(Size{s.cx, s.cy});
    const RECT b = boundsRect();
    setBounds(b.left, b.top, size.cx, size.cy);
}

void CustomButton::setFocusedRectMargin(int m) {
    focusedRectMargin_ = m;
    invalidate();
}

void CustomButton::setTabStop(bool t) {
    ui::WinControl::setTabStop(t);
    invalidate();
}

void CustomButton::setFont(HFONT f) {
    font_ = f;
    fontChanged();
}

void CustomButton::fontChanged() { invalidate(); }

void CustomButton::setFontColor(std::uint32_t c) {
    fontColor_ = c;
    invalidate();
}

std::uint32_t CustomButton::color() const { return color_.of(handle()); }

void CustomButton::setColor(std::uint32_t c) {
    color_.set(c);
    invalidate();
}

HFONT CustomButton::effectiveFont() const { return font_ ? font_ : ui::GuiFont(scaler().dpi()); }

void CustomButton::setAction(ui::Action* action, ui::ImageList* images) {
    actionImages_ = images;
    ui::BindAction(*this, *this, action_, action);
    if (action) actionChanged(*action);
}

void CustomButton::actionChanged(ui::Action& a) {
    setCaption(a.caption());
    setEnabled(a.enabled());
}

ui::BitmapHandle CustomButton::statePicture(int part) {
    ui::BitmapHandle picture = look().picture(role::ButtonFace, 3, part);
    const SIZE s = ui::BitmapSize(picture.get());
    if (s.cx <= 0 || s.cy <= 0) picture = EmptyPicture();
    return picture;
}

bool CustomButton::canFocus() const { return ui::CanTakeFocus(handle()); }

bool CustomButton::defaultActive() const {
    HWND focus = GetFocus();
    if (auto* b = dynamic_cast<Button*>(fromHandle(focus));
        b && handle() && GetAncestor(focus, GA_ROOT) == GetAncestor(handle(), GA_ROOT))
        return b == this;
    return default_;
}

void CustomButton::click() {
    if (pressed_) {
        stopRepeat();
        pressed_ = false;
        invalidate();
    }
    ui::ClickButton(*this, modalResult_, onClick);
}

void CustomButton::stopRepeat() {
    if (repeating_ && handle()) KillTimer(handle(), kRepeatTimer);
    repeating_ = false;
}

void CustomButton::mouseDown(int, int) {
    pressed_ = true;
    clicking_ = true;
    if (!repeating_ && handle()) {
        SetTimer(handle(), kRepeatTimer, static_cast<UINT>(std::max(repeatInterval_, 0)), nullptr);
        repeating_ = true;
    }
    if (tabStop() && canFocus()) SetFocus(handle());
    SetCapture(handle());
    invalidate();
}

void CustomButton::mouseUp(int x, int y) {
    const bool wasClicking = clicking_;
    clicking_ = false;
    if (GetCapture() == handle()) ReleaseCapture();
    const RECT c = clientRect();
    const POINT p{x, y};
    if (wasClicking && PtInRect(&c, p)) {
        click();
    } else {
        // Released elsewhere: the held button's ticks end with it.
        stopRepeat();
        pressed_ = false;
        invalidate();
    }
}

void CustomButton::mouseMove(int x, int y) {
    if (!tracking_) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle(), 0};
        tracking_ = TrackMouseEvent(&t) != FALSE;
    }
    const bool inside = x >= 0 && x <= width() && y >= 0 && y <= height();
    if (inside && !hover_) mouseEnter();
    else if (!inside && (hover_ || pressed_ || repeating_)) mouseLeave(hover_);
}

void CustomButton::mouseEnter() {
    hover_ = true;
    invalidate();
    if (onMouseEnter) onMouseEnter();
}

void CustomButton::mouseLeave(bool raise) {
    hover_ = false;
    pressed_ = false;
    stopRepeat();
    invalidate();
    if (raise && onMouseExit) onMouseExit();
}

bool CustomButton::dialogKey(WPARAM key) {
    const bool mine = (key == VK_RETURN && defaultActive()) || (key == VK_ESCAPE && cancel_);
    if (!mine || ShiftCtrlAltHeld() || !canFocus()) return false;
    click();
    return true;
}

bool CustomButton::dialogChar(unsigned ch, LPARAM keyData) {
    if (!ui::IsMnemonic(ch, caption_)) return false;
    HWND focus = GetFocus();
    const bool viaButton = focus && SendMessageW(focus, ui::msg::IsSkinButtonQuery, 0, 0) == 1;
    if (!AltHeld(keyData) && !viaButton) return false;
    HWND parent = GetParent(handle());
    if (!parent || !IsWindowEnabled(parent) || !enabled() || !IsWindowVisible(handle())) return false;
    click();
    return true;
}

// ---- painting -----------------------------------------------------------------

void CustomButton::paintTo(HDC target) {
    const RECT client = clientRect();
    if (client.right <= 0 || client.bottom <= 0) return;
    ui::BitmapHandle picture;
    if (!enabled()) picture = disabledPicture();
    else if (pressed_) picture = pressedPicture();
    else if (hover_) picture = hoverPicture();
    else picture = normalPicture();

    ui::OffscreenBitmap off(target, client.right, client.bottom);
    HDC dc = off.dc();
    if (transparent_) {
        auto* bar = dynamic_cast<ToolBar*>(fromHandle(GetParent(handle())));
        PaintParentBackground(dc, bar ? static_cast<ui::WinControl*>(bar) : this);
    } else {
        ui::FillSolid(dc, client, ui::ToRgb(color()));
    }
    drawPicture(dc, picture.get());
    if (GetFocus() == handle() && tabStop()) drawFocus(dc);
    ui::SelectObjectScope font(dc, effectiveFont());
    if (!Trimmed(caption_).empty()) drawCaption(dc);
    boldCaption_ = false;
    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

void CustomButton::drawPicture(HDC dc, HBITMAP picture) {
    SelectObject(dc, effectiveFont());
    DrawNinePartStretch(dc, picture, clientRect(), pictureTransparent_);
}

void CustomButton::drawFocus(HDC dc) {
    if (uiStyle() == UIStyle::MacOS || uiStyle() == UIStyle::BlueGlass) {
        boldCaption_ = true;
        return;
    }
    const RECT c = clientRect();
    const int m = focusedRectMargin_;
    RECT r{m, m, c.right - m, c.bottom - m};
    SetBkColor(dc, 0xFFFFFF);
    SetTextColor(dc, 0x000000);
    DrawFocusRect(dc, &r);
}

void CustomButton::drawCaption(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    const RECT client = clientRect();
    ui::FontHandle bold;
    if (boldCaption_) bold = BoldFont(effectiveFont());
    ui::SelectObjectScope font(dc, bold ? static_cast<HFONT>(bold.get()) : effectiveFont());
    RECT m = client;
    ui::DrawUtf8Text(dc, caption_, m, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    OffsetRect(&m, ((client.right - client.left) - (m.right - m.left)) / 2,
               ((client.bottom - client.top) - (m.bottom - m.top)) / 2);
    if (!enabled()) {
        // Engraved: a light copy one pixel down-right under the grey one.
        RECT light = m;
        OffsetRect(&light, 1, 1);
        SetTextColor(dc, kEngraveLight);
        ui::DrawUtf8Text(dc, caption_, light, DT_CENTER);
        SetTextColor(dc, kEngraveDark);
        ui::DrawUtf8Text(dc, caption_, m, DT_CENTER);
    } else {
        if (pressed_) OffsetRect(&m, 1, 1);
        SetTextColor(dc, ui::ToRgb(fontColor_));
        ui::DrawUtf8Text(dc, caption_, m, DT_CENTER);
    }
}

// ---- messages -----------------------------------------------------------------

ui::AccessibleSourceFactory CustomButton::accessibleFactory() const { return &ButtonAccessible; }

LRESULT CustomButton::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const ui::AccessibleMessageEvents events(handle(), msg);
    const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    LRESULT done = 0;
    const auto paint = [this](HDC dc) { paintTo(dc); };
    const auto fontSet = [this](bool) { fontChanged(); };
    if (drawsItselfInFont(msg, wp, lp, font_, paint, fontSet, done)) return done;
    switch (msg) {
    case WM_SETTEXT: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        caption_ = text();
        invalidate();
        return r;
    }
    case WM_LBUTTONDOWN: mouseDown(x, y); return 0;
    case WM_LBUTTONUP: mouseUp(x, y); return 0;
    case WM_MOUSEMOVE: mouseMove(x, y); return 0;
    case WM_MOUSELEAVE:
        tracking_ = false;
        // Held down, the button keeps the mouse; leaving shows in the moves.
        if (!clicking_ && hover_) mouseLeave(true);
        return 0;
    case WM_CANCELMODE: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        clicking_ = false;
        if (GetCapture() == handle()) ReleaseCapture();
        mouseLeave(false);
        return r;
    }
    case WM_CAPTURECHANGED:
        // Another window took the mouse while it was held here.
        if (clicking_ && reinterpret_cast<HWND>(lp) != handle()) {
            clicking_ = false;
            mouseLeave(false);
        }
        return 0;
    case WM_TIMER:
        if (wp == kRepeatTimer) {
            if (onMouseContinuouslyDown) onMouseContinuouslyDown();
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if ((wp == VK_SPACE || wp == VK_RETURN) && enabled()) {
            pressed_ = true;
            invalidate();
        }
        return 0;
    case WM_KEYUP:
        if ((wp == VK_SPACE || wp == VK_RETURN) && pressed_ && enabled()) {
            pressed_ = false;
            invalidate();
            click();
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        invalidate();
        return r;
    }
    case WM_ENABLE: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        enabledChanged();
        invalidate();
        return r;
    }
    case ui::msg::IsSkinButtonQuery: return 1;
    case ui::msg::DialogKey: return dialogKey(wp) ? 1 : 0;
    case ui::msg::DialogChar: return dialogChar(static_cast<unsigned>(wp), lp) ? 1 : 0;
    case BM_CLICK:
        // A program's click (automation, tests), as the keyboard gives it.
        if (enabled()) click();
        return 0;
    }
    return ui::WinControl::wndProc(msg, wp, lp);
}

// ---- Button -------------------------------------------------------------------

Button::Button(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h)
    : CustomButton(owner, std::move(name), parent, x, y, w, h) {
    styleChanged();
}

void Button::setGlyph(HBITMAP g) {
    const SIZE s = ui::BitmapSize(g);
    if (g && s.cx > 0 && s.cy > 0) glyph_ = ui::CopyBitmap(g);
    else glyph_.reset();
    invalidate();
}

void Button::setLayout(ButtonLayout l) {
    layout_ = l;
    invalidate();
}

void Button::setSpacing(int s) {
    spacing_ = s;
    invalidate();
}

void Button::styleChanged() {
    const Look l = look();
    setTransparent(l.flag(role::ButtonTransparent));
    fontColor_ = l.fromFile() ? l.color(role::ButtonFontColor) : 0x000000;
}

void Button::actionChanged(ui::Action& a) {
    CustomButton::actionChanged(a);
    ui::ImageList* images = actionImages();
    if (glyph_ || !images || a.imageIndex() < 0 || a.imageIndex() >= images->count()) return;
    const int w = images->width(), h = images->height();
    ui::WindowDc screen(nullptr);
    ui::BitmapHandle bmp(CreateCompatibleBitmap(screen.get(), w, h));
    {
        ui::MemDcHandle dc(CreateCompatibleDC(screen.get()));
        ui::SelectObjectScope sel(dc.get(), bmp.get());
        ui::FillSolid(dc.get(), RECT{0, 0, w, h}, kMagenta);
        ImageList_Draw(images->handle(), a.imageIndex(), dc.get(), 0, 0, ILD_TRANSPARENT);
    }
    glyph_ = std::move(bmp);
    invalidate();
}

void Button::drawPicture(HDC dc, HBITMAP picture) {
    CustomButton::drawPicture(dc, picture);
    const SIZE gs = ui::BitmapSize(glyph_.get());
    if (gs.cx <= 0 || gs.cy <= 0) return;
    const RECT c = clientRect();
    SIZE ts{};
    ts = ui::TextExtent(dc, caption());
    const GlyphLayout l = LayoutGlyph(Size{c.right, c.bottom}, Size{ts.cx, ts.cy}, Size{gs.cx, gs.cy}, layout_,
                                      spacing_);
    captionOrigin_ = l.caption;
    Point at = l.glyph;
    if (pressed()) at = {at.x + 1, at.y + 1};
    ui::ImageListHandle list(ImageList_Create(l.image.cx, l.image.cy, ILC_COLOR24 | ILC_MASK, 2, 0));
    if (!list) return;
    ImageList_AddMasked(list.get(), glyph_.get(), TopLeftPixel(glyph_.get()));
    if (IsTwoImageGlyph(Size{gs.cx, gs.cy})) {
        ImageList_Draw(list.get(), enabled() ? 0 : 1, dc, at.x, at.y, ILD_TRANSPARENT);
    } else if (enabled()) {
        ImageList_Draw(list.get(), 0, dc, at.x, at.y, ILD_TRANSPARENT);
    } else if (HICON icon = ImageList_GetIcon(list.get(), 0, ILD_TRANSPARENT)) {
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, at.x, at.y, 0, 0, DST_ICON | DSS_DISABLED);
        DestroyIcon(icon);
    }
}

void Button::drawCaption(HDC dc) {
    if (!glyph_) {
        CustomButton::drawCaption(dc);
        return;
    }
    SetBkMode(dc, TRANSPARENT);
    const RECT c = clientRect();
    Point o = captionOrigin_;
    if (!enabled()) {
        RECT light{o.x + 1, o.y + 1, c.right, c.bottom};
        SetTextColor(dc, kEngraveLight);
        ui::DrawUtf8Text(dc, caption(), light, DT_SINGLELINE);
        RECT dark{o.x, o.y, c.right, c.bottom};
        SetTextColor(dc, kEngraveDark);
        ui::DrawUtf8Text(dc, caption(), dark, DT_SINGLELINE);
        return;
    }
    if (pressed()) o = {o.x + 1, o.y + 1};
    RECT r{o.x, o.y, c.right, c.bottom};
    SetTextColor(dc, ui::ToRgb(fontColor_));
    ui::DrawUtf8Text(dc, caption(), r, DT_SINGLELINE);
}

} // namespace corvane::skin
