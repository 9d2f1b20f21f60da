#include "flat/FlatButton.h"
#include "ui/WideText.h"
#include "flat/FlatAccessibility.h"
#include "ui/Application.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Messages.h"
#include "ui/Mnemonic.h"
#include "ui/Pictures.h"
#include "ui/Property.h"
#include <algorithm>
#include <memory>
#include <vector>

namespace corvane::flat {

namespace {
constexpr const char* kButtonClass = "CorvaneFlatButton";
constexpr const char* kTimerClass = "CorvaneFlatHoverTimer";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kHoverInterval = 100;

FlatButtonColors Resolved(const FlatButtonColors& c) {
    return {ui::ToRgb(c.color),  ui::ToRgb(c.focused),   ui::ToRgb(c.down),
            ui::ToRgb(c.border), ui::ToRgb(c.highlight), ui::ToRgb(c.shadow)};
}
} // namespace

// State shared by every flat button: the hover timer (a message-only window),
// the button it watches, and the mnemonic routing.
struct HoverShared {
    static inline int live = 0;
    static inline HWND timer = nullptr;
    static inline bool running = false;
    static inline FlatButton* hovered = nullptr;
    static inline std::vector<FlatButton*> buttons;

    static void start() {
        if (!timer) return;
        SetTimer(timer, kTimerId, kHoverInterval, nullptr);
        running = true;
    }
    static void stop() {
        if (timer && running) KillTimer(timer, kTimerId);
        running = false;
    }
    static void forget(FlatButton* b) {
        if (hovered != b) return;
        stop();
        hovered = nullptr;
    }

    static LRESULT CALLBACK timerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_TIMER && wp == kTimerId) {
            if (hovered && !hovered->underCursor()) hovered->leave();
            return 0;
        }
        return DefWindowProcW(h, msg, wp, lp);
    }

    // Mnemonics: Alt+key anywhere in a window, or a plain key when the focused
    // control does not take characters, is offered to the window's flat buttons.
    static bool routeChar(MSG& m) {
        if ((m.message != WM_CHAR && m.message != WM_SYSCHAR) || !m.hwnd) return false;
        if (m.message == WM_CHAR) {
            const LRESULT code = SendMessageW(m.hwnd, WM_GETDLGCODE, m.wParam, reinterpret_cast<LPARAM>(&m));
            if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) return false;
        }
        HWND root = GetAncestor(m.hwnd, GA_ROOT);
        const auto candidates = buttons;
        for (FlatButton* b : candidates) {
            if (std::find(buttons.begin(), buttons.end(), b) == buttons.end()) continue;
            HWND h = b->handle();
            if (!h || GetAncestor(h, GA_ROOT) != root || !IsWindowVisible(h)) continue;
            if (SendMessageW(h, ui::msg::DialogChar, m.wParam, m.lParam)) return true;
        }
        return false;
    }

    static void add(FlatButton* b) {
        if (live++ == 0) {
            ui::RegisterWindowClass(ui::WindowClass{kTimerClass}, &timerProc);
            // Created disabled: it runs only while a button is hovered.
            timer = CreateWindowExW(0, ui::WideArg(kTimerClass), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
            running = false;
        }
        buttons.push_back(b);
    }

    static void remove(FlatButton* b) {
        forget(b);
        std::erase(buttons, b);
        if (--live == 0) {
            stop();
            if (timer) DestroyWindow(timer);
            timer = nullptr;
        }
    }
};

FlatButton::FlatButton(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h)
    : ui::WinControl(owner, std::move(name)), mnemonics_(&HoverShared::routeChar) {
    HoverShared::add(this);
    const Placement at = designed(parent, x, y, w, h);
    createWindow(ui::WindowClass{kButtonClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW},
                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, at.x, at.y, at.w, at.h, parent);
    takeParentColor();
    takeParentFont();
}

FlatButton::~FlatButton() {
    *alive_ = false;
    HoverShared::remove(this);
}

HWND FlatButton::hoverTimerWindow() { return HoverShared::timer; }
bool FlatButton::hoverTimerRunning() { return HoverShared::running; }
FlatButton* FlatButton::hoveredButton() { return HoverShared::hovered; }

// ---- properties -------------------------------------------------------------

void FlatButton::setTransparentMode(TransparentMode m) {
    transparentMode_ = m;
    invalidate();
}

void FlatButton::setDefault(bool d) {
    default_ = d;
    invalidate();
}

void FlatButton::setAllowAllUp(bool a) {
    if (ui::AssignIfChanged(allowAllUp_, a)) broadcastGroup();
}

void FlatButton::setColor(std::uint32_t c) {
    colors_.color = c;
    parentColor_ = false;
    invalidate();
}

void FlatButton::setParentColor(bool p) {
    parentColor_ = p;
    if (p) {
        takeParentColor();
        applyAdvColors();
    }
    invalidate();
}

void FlatButton::setColorFocused(std::uint32_t c) {
    colors_.focused = c;
    invalidate();
}
void FlatButton::setColorDown(std::uint32_t c) {
    colors_.down = c;
    invalidate();
}
void FlatButton::setColorBorder(std::uint32_t c) {
    colors_.border = c;
    invalidate();
}
void FlatButton::setColorHighLight(std::uint32_t c) {
    colors_.highlight = c;
    invalidate();
}
void FlatButton::setColorShadow(std::uint32_t c) {
    colors_.shadow = c;
    invalidate();
}

void FlatButton::setAdvColorFocused(AdvColors v) {
    adv_.focused = ClampAdvColor(v);
    applyAdvColors();
    invalidate();
}
void FlatButton::setAdvColorDown(AdvColors v) {
    adv_.down = ClampAdvColor(v);
    applyAdvColors();
    invalidate();
}
void FlatButton::setAdvColorBorder(AdvColors v) {
    adv_.border = ClampAdvColor(v);
    applyAdvColors();
    invalidate();
}

void FlatButton::setUseAdvColors(bool u) {
    if (!ui::AssignIfChanged(useAdvColors_, u)) return;
    parentColor_ = u;
    if (u) takeParentColor();
    applyAdvColors();
    invalidate();
}

void FlatButton::applyAdvColors() {
    if (useAdvColors_) ApplyAdvColors(colors_, adv_, &ui::SysColorRgb);
}

void FlatButton::takeParentColor() {
    if (!parentColor_) return;
    HWND parent = handle() ? GetParent(handle()) : nullptr;
    WinControl* p = fromHandle(parent);
    const auto color = p ? p->childBackground() : std::nullopt;
    colors_.color = color ? *color : ui::SystemColor(COLOR_BTNFACE);
}

void FlatButton::setGroupIndex(int g) {
    if (ui::AssignIfChanged(groupIndex_, g)) broadcastGroup();
}

void FlatButton::setDown(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    // A pressed grouped button is released only by another one of its group.
    if (down_ && !allowAllUp_) return;
    down_ = value;
    ui::NotifyAccessible(handle(), EVENT_OBJECT_STATECHANGE);
    if (value) {
        if (state_ == ButtonState::Up) invalidate();
        state_ = ButtonState::Exclusive;
        broadcastGroup();
    } else {
        state_ = ButtonState::Up;
        repaint();
    }
}

void FlatButton::setFont(HFONT f) {
    font_ = f;
    parentFont_ = false;
    invalidate();
}

void FlatButton::setParentFont(bool p) {
    parentFont_ = p;
    if (p) takeParentFont();
    invalidate();
}

void FlatButton::takeParentFont() {
    if (!parentFont_ || !handle()) return;
    if (HWND parent = GetParent(handle())) font_ = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
}

void FlatButton::setFontColor(std::uint32_t c) {
    fontColor_ = c;
    invalidate();
}

void FlatButton::setGlyph(HBITMAP g) {
    if (g && g == glyph_.get()) return;
    const SIZE s = ui::BitmapSize(g);
    if (g && s.cx > 0 && s.cy > 0) {
        glyph_ = ui::CopyBitmap(g);
        numGlyphs_ = NumGlyphsForGlyph(Size{s.cx, s.cy}, numGlyphs_);
    } else {
        glyph_.reset();
    }
    invalidate();
}

void FlatButton::setLayout(ButtonLayout l) {
    if (ui::AssignIfChanged(layout_, l)) invalidate();
}

void FlatButton::setMargin(int m) {
    if (m >= -1 && ui::AssignIfChanged(margin_, m)) invalidate();
}

void FlatButton::setNumGlyphs(NumGlyphs n) {
    if (ui::AssignIfChanged(numGlyphs_, std::clamp(n, 1, kMaxGlyphs))) invalidate();
}

void FlatButton::setSpacing(int s) {
    if (ui::AssignIfChanged(spacing_, s)) invalidate();
}

// ---- behaviour --------------------------------------------------------------

void FlatButton::click() { ui::ClickButton(*this, modalResult_, onClick); }

bool FlatButton::inside(int x, int y) const {
    const RECT c = clientRect();
    return IsInsideButton(Point{x, y}, Size{c.right, c.bottom});
}

bool FlatButton::underCursor() const {
    POINT p;
    return handle() && GetCursorPos(&p) && ControlAtScreenPoint(p) == handle();
}

void FlatButton::enter() {
    if (enabled() && !mouseIn_) {
        mouseIn_ = true;
        invalidate();
    }
}

void FlatButton::leave() {
    if (enabled() && mouseIn_ && !dragging_) {
        mouseIn_ = false;
        HoverShared::forget(this);
        invalidate();
    }
}

void FlatButton::startHover() {
    if (HoverShared::hovered && HoverShared::hovered != this) HoverShared::hovered->leave();
    if (!GetActiveWindow()) return;
    HoverShared::stop();
    HoverShared::hovered = this;
    HoverShared::start();
    enter();
}

void FlatButton::updateTracking() {
    if (!enabled()) return;
    if (underCursor()) {
        mouseIn_ = false;
        if (HoverShared::hovered != this) startHover();
        else enter();
    } else {
        mouseIn_ = true;
        leave();
    }
}

void FlatButton::mouseMove(WPARAM keys, int x, int y) {
    if (!tracking_) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle(), 0};
        tracking_ = TrackMouseEvent(&t) != FALSE;
        if (onMouseEnter) onMouseEnter();
    }
    if (onMouseMove) onMouseMove(static_cast<unsigned>(keys), x, y);
    if (HoverShared::hovered != this && underCursor()) startHover();
    if (dragging_) {
        const ButtonState s = DraggingState(down_, inside(x, y));
        if (s != state_) {
            state_ = s;
            invalidate();
        }
    }
}

void FlatButton::mouseDown(int button, WPARAM keys, int x, int y, bool dbl) {
    if (button == 0) SetCapture(handle());
    if (onMouseDown) onMouseDown(button, static_cast<unsigned>(keys), x, y);
    if (button == 0 && enabled()) {
        if (!down_) {
            state_ = ButtonState::Down;
            invalidate();
        }
        dragging_ = true;
        SetFocus(handle());
    }
    if (dbl && down_ && onDblClick) onDblClick();
}

void FlatButton::mouseUp(int button, WPARAM keys, int x, int y) {
    if (button == 0 && GetCapture() == handle()) {
        releasingCapture_ = true;
        ReleaseCapture();
        releasingCapture_ = false;
    }
    const std::shared_ptr<bool> alive = alive_;
    if (onMouseUp) onMouseUp(button, static_cast<unsigned>(keys), x, y);
    if (!*alive || !dragging_) return;
    dragging_ = false;
    const bool in = inside(x, y);
    if (groupIndex_ == 0) {
        state_ = ButtonState::Up;
        mouseIn_ = false;
        if (in) invalidate();
    } else if (in) {
        setDown(!down_);
        if (down_) repaint();
    } else {
        if (down_) state_ = ButtonState::Exclusive;
        repaint();
    }
    if (in) click();
    else leave();
    if (*alive) updateTracking();
}

void FlatButton::endDrag() {
    // The capture went elsewhere (a window popped up): no click, no stuck press.
    dragging_ = false;
    state_ = down_ ? ButtonState::Exclusive : ButtonState::Up;
    invalidate();
}

void FlatButton::broadcastGroup() {
    if (groupIndex_ == 0 || !handle()) return;
    HWND parent = GetParent(handle());
    if (!parent) return;
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    for (HWND c : children)
        if (IsWindow(c))
            SendMessageW(c, ui::msg::ButtonPressed, static_cast<WPARAM>(groupIndex_),
                         reinterpret_cast<LPARAM>(handle()));
}

void FlatButton::groupNotified(WPARAM group, HWND sender) {
    if (static_cast<int>(group) != groupIndex_) return;
    auto* s = dynamic_cast<FlatButton*>(fromHandle(sender));
    if (!s || s == this) return;
    if (s->down_ && down_) {
        down_ = false;
        state_ = ButtonState::Up;
        invalidate();
    }
    allowAllUp_ = s->allowAllUp_;
}

bool FlatButton::dialogChar(unsigned ch) {
    if (!ui::IsMnemonic(ch, caption()) || !enabled()) return false;
    if (groupIndex_ != 0) setDown(true);
    click();
    return true;
}

void FlatButton::enabledChanged(bool isEnabled) {
    if (!isEnabled) {
        mouseIn_ = false;
        state_ = ButtonState::Disabled;
        HoverShared::forget(this);
        if (GetCapture() == handle()) ReleaseCapture();
    }
    updateTracking();
    invalidate();
}

// ---- painting ---------------------------------------------------------------

void FlatButton::paintTo(HDC target) {
    const RECT client = clientRect();
    if (client.right <= 0 || client.bottom <= 0) return;
    ui::OffscreenBitmap off(target, client.right, client.bottom);
    HDC dc = off.dc();
    HFONT f = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    ui::SelectObjectScope fontScope(dc, f);

    COLORREF transparent = ui::BottomLeftPixel(glyph_.get());
    const Point offset = PaintOffset(state_);
    const std::string text = caption();
    const GlyphTextLayout lay = LayoutGlyphAndText(dc, client, POINT{offset.x, offset.y}, text, glyph_.get(),
                                                   numGlyphs_, margin_, spacing_, layout_);
    glyphPos_ = POINT{lay.glyphPos.x, lay.glyphPos.y};
    textBounds_ = RECT{lay.textBounds.left, lay.textBounds.top, lay.textBounds.right, lay.textBounds.bottom};

    const bool isEnabled = enabled();
    state_ = RefreshedState(state_, isEnabled, down_, groupIndex_);
    if (!isEnabled) dragging_ = false;

    const FlatButtonColors rc = Resolved(colors_);
    if (FaceIsTransparent(transparentMode_, mouseIn_)) ui::PaintParentBackgroundOf(dc, handle());
    else ui::FillSolid(dc, client, FaceColor(state_, mouseIn_, rc));

    const BevelFrame frame = FrameForState(state_, mouseIn_, default_, rc);
    DrawBevelFrame(dc, client, frame.topLeft, frame.bottomRight, frame.width);

    const SIZE gs = ui::BitmapSize(glyph_.get());
    if (gs.cx > 0 && gs.cy > 0) {
        const Rect src = GlyphImageRect(Size{gs.cx, gs.cy}, numGlyphs_, GlyphImageForState(numGlyphs_, state_));
        if (src.width() > 0) {
            ui::BitmapHandle image = ui::CopyBitmap(glyph_.get(), src.left, src.top, src.width(), src.height());
            if (numGlyphs_ == 1 && state_ == ButtonState::Disabled) {
                image = MakeDisabledGlyph(image.get(), RGB(0, 0, 0), GetSysColor(COLOR_BTNFACE), true,
                                          GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
                transparent = ui::BottomLeftPixel(image.get());
            }
            ui::ImageListHandle list(ImageList_Create(src.width(), src.height(), ILC_COLOR24 | ILC_MASK, 1, 0));
            if (list && image) {
                ImageList_AddMasked(list.get(), image.get(), transparent);
                ImageList_Draw(list.get(), 0, dc, glyphPos_.x, glyphPos_.y, ILD_NORMAL);
            }
        }
    }

    if (!text.empty()) {
        SetBkMode(dc, TRANSPARENT);
        RECT tb = textBounds_;
        const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        if (state_ == ButtonState::Disabled) {
            OffsetRect(&tb, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            ui::DrawUtf8Text(dc, text, tb, flags);
            OffsetRect(&tb, -1, -1);
            SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
            ui::DrawUtf8Text(dc, text, tb, flags);
        } else {
            SetTextColor(dc, ui::ToRgb(fontColor_));
            ui::DrawUtf8Text(dc, text, tb, flags);
        }
    }

    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

// ---- messages ---------------------------------------------------------------

ui::AccessibleSourceFactory FlatButton::accessibleFactory() const { return &FlatButtonAccessible; }

LRESULT FlatButton::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const ui::AccessibleMessageEvents events(handle(), msg);
    const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    LRESULT done = 0;
    const auto paint = [this](HDC dc) { paintTo(dc); };
    const auto fontSet = [this](bool redraw) {
        parentFont_ = false;
        if (redraw) invalidate();
    };
    if (drawsItselfInFont(msg, wp, lp, font_, paint, fontSet, done)) return done;
    switch (msg) {
    case WM_SETTEXT: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        invalidate();
        return r;
    }
    case WM_LBUTTONDOWN: mouseDown(0, wp, x, y, false); return 0;
    case WM_LBUTTONDBLCLK: mouseDown(0, wp, x, y, true); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: mouseDown(1, wp, x, y, false); return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: mouseDown(2, wp, x, y, false); return 0;
    case WM_LBUTTONUP: mouseUp(0, wp, x, y); return 0;
    case WM_RBUTTONUP: {
        mouseUp(1, wp, x, y);
        return defaultHandler(msg, wp, lp); // context menu
    }
    case WM_MBUTTONUP: mouseUp(2, wp, x, y); return 0;
    case WM_MOUSEMOVE: mouseMove(wp, x, y); return 0;
    case WM_MOUSELEAVE:
        tracking_ = false;
        if (onMouseLeave) onMouseLeave();
        return 0;
    case WM_CAPTURECHANGED:
        if (dragging_ && !releasingCapture_ && reinterpret_cast<HWND>(lp) != handle()) endDrag();
        return 0;
    case WM_SETFOCUS: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        // A focused button looks hovered.
        if (enabled()) {
            mouseIn_ = true;
            invalidate();
        }
        return r;
    }
    case WM_KILLFOCUS: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        leave();
        return r;
    }
    case WM_KEYDOWN:
        // Only Space acts; Enter and Escape do nothing here, whatever Default says.
        if (wp == VK_SPACE) {
            if (groupIndex_ != 0) setDown(true);
            else state_ = ButtonState::Down;
            invalidate();
        }
        return 0;
    case WM_KEYUP:
        if (wp == VK_SPACE) {
            if (groupIndex_ != 0) setDown(false);
            else state_ = ButtonState::Up;
            const std::shared_ptr<bool> alive = alive_;
            click();
            if (*alive) invalidate();
        }
        return 0;
    case WM_ENABLE: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        enabledChanged(wp != 0);
        return r;
    }
    case WM_WINDOWPOSCHANGED: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        if (transparentMode_ != TransparentMode::None) invalidate();
        return r;
    }
    case WM_SYSCOLORCHANGE:
        if (useAdvColors_) parentColor_ = true;
        takeParentColor();
        applyAdvColors();
        invalidate();
        return 0;
    case ui::msg::ButtonPressed: groupNotified(wp, reinterpret_cast<HWND>(lp)); return 0;
    case ui::msg::DialogChar: return dialogChar(static_cast<unsigned>(wp)) ? 1 : 0;
    case BM_CLICK:
        // A program's click (automation, tests), as a mnemonic does it.
        if (enabled()) {
            if (groupIndex_ != 0) setDown(true);
            click();
        }
        return 0;
    }
    return ui::WinControl::wndProc(msg, wp, lp);
}

} // namespace corvane::flat
