#include "flat/FlatComboBox.h"
#include "ui/WideText.h"
#include "flat/FlatAccessibility.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Property.h"
#include <algorithm>
#include <vector>

namespace corvane::flat {

namespace {
constexpr COLORREF kDisabledArrow = RGB(128, 128, 128);
constexpr COLORREF kDisabledArrowLight = RGB(255, 255, 255);

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void FillTriangle(HDC dc, const flat::Triangle& t, int dx, int dy, COLORREF c) {
    POINT p[3];
    for (int i = 0; i < 3; ++i) p[i] = POINT{t.p[i].x + dx, t.p[i].y + dy};
    ui::BrushHandle b(CreateSolidBrush(c));
    ui::PenHandle pen(CreatePen(PS_SOLID, 1, c));
    ui::SelectObjectScope sb(dc, b.get()), sp(dc, pen.get());
    Polygon(dc, p, 3);
}

DWORD StyleBits(ComboBoxStyle s) {
    switch (s) {
    case ComboBoxStyle::DropDown: return CBS_DROPDOWN;
    case ComboBoxStyle::Simple: return CBS_SIMPLE;
    case ComboBoxStyle::DropDownList: return CBS_DROPDOWNLIST;
    case ComboBoxStyle::OwnerDrawFixed: return CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED;
    case ComboBoxStyle::OwnerDrawVariable: return CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE;
    }
    return CBS_DROPDOWN;
}

// Lets a key handler change the key or swallow it by setting it to 0; false when swallowed.
bool OfferKey(const std::function<void(WPARAM&)>& handler, WPARAM& key) {
    if (!handler) return true;
    handler(key);
    return key != 0;
}

std::uint32_t ParentColor(HWND control) {
    HWND parent = control ? GetParent(control) : nullptr;
    if (ui::WinControl* p = ui::WinControl::fromHandle(parent))
        if (auto color = p->childBackground()) return *color;
    return ui::SystemColor(COLOR_BTNFACE);
}
} // namespace

FlatComboBox::FlatComboBox(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h,
                           ComboBoxStyle style)
    : ui::WinControl(owner, std::move(name)), style_(style) {
    colors_.color = ui::SystemColor(COLOR_WINDOW);
    scrollBarWidth_ = GetSystemMetrics(SM_CXVSCROLL);
    if (parent) font_ = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
    remakeBrush();
    const Placement at = designed(parent, x, y, w, h);
    createWindow(parent, at.x, at.y, at.w, at.h);
}

void FlatComboBox::createWindow(HWND parent, int x, int y, int w, int h) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS |
                  StyleBits(style_);
    if (sorted_) style |= CBS_SORT;
    // The height given at creation includes the dropped list: its items and a
    // one-pixel border above and below.
    const int listHeight = itemHeight_ * std::max(dropDownCount_, 1) + 2;
    createControl("ComboBox", style, 0, x, y, w, h + listHeight, parent);
    if (!handle()) return;
    if (font_) perform(WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (style_ == ComboBoxStyle::OwnerDrawFixed || style_ == ComboBoxStyle::OwnerDrawVariable)
        perform(CB_SETITEMHEIGHT, 0, itemHeight_);
    if (maxLength_ > 0) perform(CB_LIMITTEXT, static_cast<WPARAM>(maxLength_));
}

void FlatComboBox::recreate() {
    HWND old = handle();
    if (!old) return;
    HWND parent = GetParent(old);
    const RECT b = boundsRect();
    const bool wasVisible = visible(), wasEnabled = IsWindowEnabled(old) != FALSE;
    HWND focus = GetFocus();
    const bool hadFocus = focus == old || (focus && IsChild(old, focus));
    HWND prev = GetWindow(old, GW_HWNDPREV);
    std::vector<std::string> items;
    for (int i = 0, n = count(); i < n; ++i) items.push_back(item(i));
    const int index = itemIndex();
    const std::string typed = text();

    destroyHandle();
    createWindow(parent, b.left, b.top, b.right - b.left, b.bottom - b.top);
    if (!handle()) return;
    for (const std::string& s : items) addItem(s);
    if (index >= 0) setItemIndex(index);
    else if (style_ == ComboBoxStyle::DropDown || style_ == ComboBoxStyle::Simple) setText(typed);
    SetWindowPos(handle(), prev ? prev : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!wasEnabled) EnableWindow(handle(), FALSE);
    if (!wasVisible) ShowWindow(handle(), SW_HIDE);
    if (hadFocus) SetFocus(handle());
}

// ---- properties -------------------------------------------------------------

void FlatComboBox::setStyle(ComboBoxStyle s) {
    if (ui::AssignIfChanged(style_, s)) recreate();
}

void FlatComboBox::setColor(std::uint32_t c) {
    colors_.color = c;
    remakeBrush();
    invalidate();
}

void FlatComboBox::remakeBrush() { brush_.reset(CreateSolidBrush(ui::ToRgb(colors_.color))); }

void FlatComboBox::setColorArrow(std::uint32_t c) {
    colors_.arrow = c;
    invalidate();
}
void FlatComboBox::setColorArrowBackground(std::uint32_t c) {
    colors_.arrowBackground = c;
    invalidate();
}
void FlatComboBox::setColorBorder(std::uint32_t c) {
    colors_.border = c;
    invalidate();
}

void FlatComboBox::setAdvColorBorder(AdvColors v) {
    adv_.border = ClampAdvColor(v);
    applyAdvColors();
    invalidate();
}
void FlatComboBox::setAdvColorArrowBackground(AdvColors v) {
    adv_.arrowBackground = ClampAdvColor(v);
    applyAdvColors();
    invalidate();
}

void FlatComboBox::setUseAdvColors(bool u) {
    if (!ui::AssignIfChanged(useAdvColors_, u)) return;
    applyAdvColors();
    invalidate();
}

void FlatComboBox::applyAdvColors() {
    // Without a parent there is nothing to shade from: the colours stay.
    if (!useAdvColors_ || !handle() || !GetParent(handle())) return;
    ApplyComboAdvColors(colors_, ParentColor(handle()), adv_, &ui::SysColorRgb);
}

void FlatComboBox::setDropDownCount(int n) {
    if (n < 1 || n == dropDownCount_) return;
    dropDownCount_ = n;
    if (!handle()) return;
    const RECT b = boundsRect();
    SetWindowPos(handle(), nullptr, 0, 0, b.right - b.left, b.bottom - b.top + itemHeight_ * n + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FlatComboBox::setItemHeight(int h) {
    if (h <= 0) return;
    itemHeight_ = h;
    if (handle() && (style_ == ComboBoxStyle::OwnerDrawFixed || style_ == ComboBoxStyle::OwnerDrawVariable))
        perform(CB_SETITEMHEIGHT, 0, h);
}

void FlatComboBox::setFont(HFONT f) {
    font_ = f;
    if (handle()) perform(WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
    itemHeight_ = 13; // the height of an item in the standard 8-point font
    recreate();
}

void FlatComboBox::setFontColor(std::uint32_t c) {
    fontColor_ = c;
    invalidate();
}

void FlatComboBox::setMaxLength(int n) {
    maxLength_ = std::max(n, 0);
    if (handle()) perform(CB_LIMITTEXT, static_cast<WPARAM>(maxLength_));
}

void FlatComboBox::setSorted(bool s) {
    if (ui::AssignIfChanged(sorted_, s)) recreate();
}

// ---- items ------------------------------------------------------------------

int FlatComboBox::addItem(const std::string& s) {
    return static_cast<int>(
        perform(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(ui::WideArg(s)))));
}

void FlatComboBox::clearItems() { perform(CB_RESETCONTENT); }
int FlatComboBox::count() const { return handle() ? static_cast<int>(perform(CB_GETCOUNT)) : 0; }

std::string FlatComboBox::item(int index) const {
    const LRESULT n = perform(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (n == CB_ERR || n < 0) return {};
    std::vector<wchar_t> buf(static_cast<size_t>(n) + 1);
    const LRESULT got = perform(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
    return got == CB_ERR ? std::string() : ui::Narrow(std::wstring_view(buf.data(), static_cast<size_t>(got)));
}

int FlatComboBox::itemIndex() const {
    const LRESULT i = handle() ? perform(CB_GETCURSEL) : CB_ERR;
    return i == CB_ERR ? -1 : static_cast<int>(i);
}

void FlatComboBox::setItemIndex(int index) {
    perform(CB_SETCURSEL, static_cast<WPARAM>(index));
    redrawListFace();
    ui::NotifyAccessible(handle(), EVENT_OBJECT_VALUECHANGE);
}

bool FlatComboBox::droppedDown() const { return handle() && perform(CB_GETDROPPEDSTATE) != 0; }
void FlatComboBox::setDroppedDown(bool d) { perform(CB_SHOWDROPDOWN, d ? TRUE : FALSE); }

HWND FlatComboBox::editHandle() const {
    if (!handle() || (style_ != ComboBoxStyle::DropDown && style_ != ComboBoxStyle::Simple)) return nullptr;
    return FindWindowExW(handle(), nullptr, L"Edit", nullptr);
}

// ---- painting ---------------------------------------------------------------

FlatComboGeometry FlatComboBox::geometry() const {
    RECT wr{}, cr{};
    GetWindowRect(handle(), &wr);
    GetClientRect(handle(), &cr);
    return ComputeFlatComboGeometry(wr.right - wr.left, wr.bottom - wr.top, cr.right, cr.bottom, scrollBarWidth_);
}

bool FlatComboBox::isListStyle() const { return style_ != ComboBoxStyle::DropDown && style_ != ComboBoxStyle::Simple; }

void FlatComboBox::drawFrame(HDC dc) {
    RECT r = ToRect(geometry().frame);
    ui::FrameSolid(dc, r, ui::ToRgb(colors_.border));
    // The two inner rings cover the platform's sunken edge.
    InflateRect(&r, -1, -1);
    ui::FrameSolid(dc, r, ui::ToRgb(colors_.color));
    InflateRect(&r, -1, -1);
    ui::FrameSolid(dc, r, ui::ToRgb(colors_.color));
}

void FlatComboBox::drawButton(HDC dc) {
    if (style_ == ComboBoxStyle::Simple) return;
    const FlatComboGeometry g = geometry();
    const RECT b = ToRect(g.buttonDrawn);
    ui::FillSolid(dc, b, ui::ToRgb(colors_.arrowBackground));
    ui::FrameSolid(dc, b, ui::ToRgb(colors_.border));
    const flat::Triangle t = ComboArrowTriangle(g.arrowOrigin, droppedDown());
    if (IsWindowEnabled(handle())) {
        FillTriangle(dc, t, 0, 0, ui::ToRgb(colors_.arrow));
    } else {
        FillTriangle(dc, t, 1, 1, kDisabledArrowLight);
        FillTriangle(dc, t, 0, 0, kDisabledArrow);
    }
}

void FlatComboBox::drawFrameAndButton() {
    if (!handle()) return;
    ui::WindowDc dc(handle(), true);
    if (!dc) return;
    drawFrame(dc.get());
    drawButton(dc.get());
}

void FlatComboBox::drawListFace(HDC dc) {
    const FlatComboGeometry g = geometry();
    const bool focusedClosed = GetFocus() == handle() && !droppedDown();
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    ui::FillSolid(dc, ToRect(g.listFaceStrip), focusedClosed ? highlight : ui::ToRgb(colors_.color));
    if (focusedClosed) ui::FrameSolid(dc, ToRect(g.focusFrame), highlight);
    const RECT strip = ToRect(g.scrollStrip);
    ExcludeClipRect(dc, strip.left, strip.top, strip.right, strip.bottom);
}

void FlatComboBox::redrawListFace() {
    if (!handle() || !isListStyle()) return;
    ui::WindowDc dc(handle());
    if (!dc) return;
    drawListFace(dc.get());
}

void FlatComboBox::paintContent(HDC dc, const RECT& area) {
    const FlatComboGeometry g = geometry();
    const int saved = SaveDC(dc);
    RECT p = area;
    p.right = std::min<LONG>(p.right, g.paintRightLimit);
    if (p.right > p.left) FillRect(dc, &p, brush_.get());
    const RECT button = ToRect(g.button);
    RECT overlap;
    if (IntersectRect(&overlap, &button, &area)) {
        drawButton(dc);
        const RECT s = ToRect(g.arrowClipStrip);
        ExcludeClipRect(dc, s.left, s.top, s.right, s.bottom);
    }
    const RECT strip = ToRect(g.scrollStrip);
    ExcludeClipRect(dc, strip.left, strip.top, strip.right, strip.bottom);
    // The platform draws the text and the chosen item between our frame and button.
    defaultHandler(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    if (style_ == ComboBoxStyle::DropDown && droppedDown())
        ui::FrameSolid(dc, ToRect(g.dropDownFrame), GetSysColor(COLOR_WINDOW));
    else if (isListStyle()) drawListFace(dc);
    RestoreDC(dc, saved);
}

// ---- state ------------------------------------------------------------------

void FlatComboBox::updateActive() {
    HWND f = GetFocus();
    const bool a = droppedDown() || (f && (f == handle() || f == editHandle()));
    if (a == active_) return;
    active_ = a;
    drawFrameAndButton();
}

// ---- messages ---------------------------------------------------------------

ui::AccessibleSourceFactory FlatComboBox::accessibleFactory() const { return &FlatComboBoxAccessible; }

LRESULT FlatComboBox::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const ui::AccessibleMessageEvents events(handle(), msg == WM_ENABLE ? msg : 0);
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle(), &ps);
        paintContent(dc, ps.rcPaint);
        EndPaint(handle(), &ps);
        drawFrameAndButton();
        return 0;
    }
    case WM_PRINTCLIENT: {
        HDC dc = reinterpret_cast<HDC>(wp);
        paintContent(dc, clientRect());
        // No non-client border: window and client coordinates are the same.
        drawFrame(dc);
        drawButton(dc);
        return 0;
    }
    case WM_NCPAINT: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        drawFrameAndButton();
        return r;
    }
    case WM_WINDOWPOSCHANGING:
        if (HWND edit = editHandle()) {
            RECT wr, cr;
            GetWindowRect(handle(), &wr);
            GetClientRect(handle(), &cr);
            // The edit keeps clear of our frame (three pixels a side) and of the
            // narrow arrow button with its border (19 pixels on the right).
            SetWindowPos(edit, nullptr, 0, 0, cr.right - 19, (wr.bottom - wr.top) - 6,
                         SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOZORDER);
        }
        break;
    case WM_CTLCOLORLISTBOX: {
        defaultHandler(msg, wp, lp);
        SetBkColor(reinterpret_cast<HDC>(wp), ui::ToRgb(colors_.color));
        return reinterpret_cast<LRESULT>(brush_.get());
    }
    case WM_CTLCOLOREDIT: {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetBkColor(dc, ui::ToRgb(colors_.color));
        SetTextColor(dc, ui::ToRgb(fontColor_));
        return reinterpret_cast<LRESULT>(brush_.get());
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        updateActive();
        redrawListFace();
        return r;
    }
    case WM_ENABLE: {
        const LRESULT r = defaultHandler(msg, wp, lp);
        invalidate();
        return r;
    }
    case WM_KEYDOWN: {
        if (!OfferKey(onKeyDown, wp)) return 0;
        const std::string before = text();
        const LRESULT r = defaultHandler(msg, wp, lp);
        if (handle() && text() != before) redrawListFace();
        return r;
    }
    case WM_CHAR:
        if (onKeyPress) {
            // The handler sees one byte; a character it leaves alone keeps all of its UTF-16 unit.
            const char original = static_cast<char>(wp);
            char key = original;
            onKeyPress(key);
            if (!key) return 0;
            if (key != original) wp = static_cast<unsigned char>(key);
        }
        break;
    case WM_KEYUP:
        if (!OfferKey(onKeyUp, wp)) return 0;
        break;
    case WM_SYSCOLORCHANGE:
        applyAdvColors();
        remakeBrush();
        invalidate();
        break;
    }
    return ui::WinControl::wndProc(msg, wp, lp);
}

bool FlatComboBox::reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
        switch (HIWORD(wp)) {
        case CBN_SELCHANGE:
            redrawListFace();
            ui::NotifyAccessible(handle(), EVENT_OBJECT_VALUECHANGE);
            if (onClick) onClick();
            if (onChange) onChange();
            break;
        case CBN_EDITCHANGE:
            if (onChange) onChange();
            break;
        case CBN_DROPDOWN:
            redrawListFace();
            if (onDropDown) onDropDown();
            break;
        case CBN_SELENDOK: redrawListFace(); break;
        case CBN_CLOSEUP: {
            const RECT r = ToRect(geometry().closeUpInvalidate);
            InvalidateRect(handle(), &r, FALSE);
            break;
        }
        case CBN_SETFOCUS:
        case CBN_KILLFOCUS:
            updateActive();
            if (const auto& handler = HIWORD(wp) == CBN_SETFOCUS ? onEnter : onExit) handler();
            break;
        case CBN_DBLCLK:
            if (onDblClick) onDblClick();
            break;
        }
        result = 0;
        return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX: {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetBkColor(dc, ui::ToRgb(colors_.color));
        if (IsWindowEnabled(handle())) SetTextColor(dc, ui::ToRgb(fontColor_));
        result = reinterpret_cast<LRESULT>(brush_.get());
        return true;
    }
    case WM_DRAWITEM:
        if (onDrawItem) {
            onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            result = TRUE;
            return true;
        }
        return false;
    }
    (void)lp;
    return false;
}

} // namespace corvane::flat
