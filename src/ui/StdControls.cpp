#include "ui/StdControls.h"
#include "ui/Accessible.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include <algorithm>

namespace corvane::ui {

namespace {

bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }
bool IsClick(UINT msg, WPARAM wp) { return msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED; }

// Controls take the font of the window they are placed on, as a form's children do.
void InheritFont(WinControl& c, HWND parent) {
    if (auto f = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0))) c.setFont(f, false);
}

// The background a control shows: the holding form's colour. Asked of the form's
// handler directly, so the request is not reflected back to the control.
LRESULT FormBackground(const WinControl& c, UINT msg, WPARAM wp, LPARAM lp) {
    if (Form* f = ParentForm(c)) return f->wndProc(msg, wp, lp);
    return DefWindowProcW(c.handle(), msg, wp, lp);
}

SIZE CaptionExtent(HWND w, const std::string& text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i; // a mnemonic marker takes no room
        shown += text[i];
    }
    SIZE sz{0, 0};
    WindowDc dc(w);
    SelectObjectScope font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0)));
    sz = ui::TextExtent(dc.get(), shown);
    return sz;
}

} // namespace

Button::Button(Component* owner, std::string name, HWND parent, int x, int y, int w, int h, const std::string& caption)
    : WinControl(owner, std::move(name)) {
    const Placement at = designed(parent, x, y, w, h);
    createControl("BUTTON", BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 0, at.x, at.y, at.w, at.h, parent,
                  caption.c_str());
    InheritFont(*this, parent);
}

void Button::click() { ClickButton(*this, modalResult, onClick); }

bool Button::reflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (!IsClick(msg, wp)) return false;
    click();
    result = 0;
    return true;
}

CheckBox::CheckBox(Component* owner, std::string name, HWND parent, int x, int y, const std::string& caption)
    : WinControl(owner, std::move(name)) {
    // The box is checked by our code, not by the control, so that a change made by the
    // program raises onClick exactly like one made by the user.
    const Placement at = designed(parent, x, y, 17, 17);
    createControl("BUTTON", BS_CHECKBOX | WS_VISIBLE | WS_TABSTOP, 0, at.x, at.y, at.w, at.h, parent, caption.c_str());
    InheritFont(*this, parent);
    autoSize();
}

void CheckBox::dpiChanged(const Scaler& from, const Scaler& to) {
    WinControl::dpiChanged(from, to);
    autoSize();
}

bool CheckBox::checked() const { return perform(BM_GETCHECK) == BST_CHECKED; }

void CheckBox::setChecked(bool c) {
    if (c == checked()) return;
    perform(BM_SETCHECK, c ? BST_CHECKED : BST_UNCHECKED);
    if (onClick) onClick();
}

void CheckBox::click() {
    Guarded([this] { setChecked(!checked()); });
}

void CheckBox::autoSize() {
    SIZE text = CaptionExtent(handle(), this->text());
    const Scaler s = scaler();
    const int box = s(13), gap = s(4);
    RECT r = boundsRect();
    setBounds(r.left, r.top, box + gap + text.cx + s(2), std::max<int>(text.cy, box) + s(4));
}

bool CheckBox::reflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (!IsClick(msg, wp)) return false;
    click();
    result = 0;
    return true;
}

Edit::Edit(Component* owner, std::string name, HWND parent, int x, int y, int w, int h)
    : WinControl(owner, std::move(name)) {
    const Placement at = designed(parent, x, y, w, h);
    createControl("EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE, at.x, at.y, at.w, at.h,
                  parent);
    InheritFont(*this, parent);
}

bool Edit::reflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE && onChange) {
        onChange();
        result = 0;
        return true;
    }
    return false;
}

GroupBox::GroupBox(Component* owner, std::string name, HWND parent, int x, int y, int w, int h,
                   const std::string& caption)
    : WinControl(owner, std::move(name)) {
    const Placement at = designed(parent, x, y, w, h);
    createControl("BUTTON", BS_GROUPBOX | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, at.x,
                  at.y, at.w, at.h, parent, caption.c_str());
    InheritFont(*this, parent);
}

LRESULT GroupBox::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (IsCtlColor(msg)) {
        // Children that do not choose their own colours sit on the form's background
        // and write in the group's font colour.
        LRESULT brush = FormBackground(*this, msg, wp, lp);
        if (msg != WM_CTLCOLOREDIT) SetTextColor(reinterpret_cast<HDC>(wp), fontColor);
        return brush;
    }
    if (msg == WM_ERASEBKGND) {
        // The platform's group box leaves its inside unpainted.
        auto dc = reinterpret_cast<HDC>(wp);
        auto brush = reinterpret_cast<HBRUSH>(
            FormBackground(*this, WM_CTLCOLORSTATIC, wp, reinterpret_cast<LPARAM>(handle())));
        RECT r = clientRect();
        if (brush) FillRect(dc, &r, brush);
        return 1;
    }
    return WinControl::wndProc(msg, wp, lp);
}

bool GroupBox::reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (!IsCtlColor(msg)) return false;
    result = FormBackground(*this, msg, wp, lp);
    SetTextColor(reinterpret_cast<HDC>(wp), fontColor);
    return true;
}

Label::Label(Component* owner, std::string name, HWND parent, int x, int y, const std::string& caption)
    : WinControl(owner, std::move(name)) {
    // As wide and high as its text in the inherited font, which is already at the window's DPI.
    const Placement at = designed(parent, x, y, 1, 1);
    createControl("STATIC", SS_LEFT | SS_NOPREFIX | WS_VISIBLE, 0, at.x, at.y, 1, 1, parent, caption.c_str());
    InheritFont(*this, parent);
    fontAtDpi(DpiOf(handle()));
    SIZE sz = CaptionExtent(handle(), caption);
    setBounds(at.x, at.y, sz.cx, sz.cy);
}

void Label::fontAtDpi(int dpi) {
    const auto held = reinterpret_cast<HFONT>(perform(WM_GETFONT, 0, 0));
    const bool own = systemFont_ && held == systemFont_.get();
    if (!own && held) return; // the parent's, which follows the DPI itself
    LOGFONTW lf{};
    if (dpi == kDesignDpi || !GetObjectW(GetStockObject(SYSTEM_FONT), sizeof lf, &lf)) {
        if (own) setFont(nullptr, false);
        systemFont_.reset();
        return;
    }
    // The system font is a bitmap font of one size, 16 pixels tall at 96 DPI: its outline
    // twin, as tall scaled, or less where the caption would grow wider than it did at 96.
    constexpr int kSystemFontHeight = 16;
    WindowDc screen(nullptr);
    const std::string caption = text();
    int room = 0;
    {
        SelectObjectScope keep(screen.get(), GetStockObject(SYSTEM_FONT));
        room = ScaleToDpi(TextExtent(screen.get(), caption).cx, dpi);
    }
    lf.lfWidth = 0;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    wcscpy_s(lf.lfFaceName, L"Microsoft Sans Serif");
    FontHandle fresh;
    for (int h = ScaleToDpi(kSystemFontHeight, dpi);; --h) {
        lf.lfHeight = h;
        fresh.reset(CreateFontIndirectW(&lf));
        if (!fresh || h <= kSystemFontHeight) break;
        SelectObjectScope keep(screen.get(), fresh.get());
        if (TextExtent(screen.get(), caption).cx <= room) break;
    }
    if (!fresh) return;
    setFont(fresh.get(), false);
    systemFont_ = std::move(fresh);
}

void Label::dpiChanged(const Scaler&, const Scaler& to) {
    if (!designBounds()) return;
    fontAtDpi(to.dpi());
    const SIZE sz = CaptionExtent(handle(), text());
    setBounds(to(designBounds()->left), to(designBounds()->top), sz.cx, sz.cy);
}

AccessibleSourceFactory Label::accessibleFactory() const { return &LabelAccessible; }

LRESULT Label::wndProc(UINT msg, WPARAM wp, LPARAM lp) { return WinControl::wndProc(msg, wp, lp); }

bool Label::reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (!IsCtlColor(msg)) return false;
    COLORREF color = fontColor;
    if (color == CLR_INVALID)
        if (WinControl* parent = fromHandle(GetParent(handle()))) color = parent->childTextColor();
    result = FormBackground(*this, msg, wp, lp);
    if (color != CLR_INVALID) SetTextColor(reinterpret_cast<HDC>(wp), color);
    return true;
}

} // namespace corvane::ui
