#include "skin/frame/FramePanel.h"
#include "skin/frame/FrameAccessibility.h"
#include "ui/Accessible.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "skin/frame/MainMenu.h"
#include "skin/frame/MenuBar.h"
#include "skin/frame/PopupMenu.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/SkinPublic.h"
#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/StyleTable.h"
#include "ui/Application.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/UserPrompt.h"

namespace corvane::skin {

namespace {

constexpr UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
// The library's own notifications on which the caption is taken off again.
constexpr UINT kRecreateWnd = 0xB033, kFloat = 0xB03A, kParentNotify = 0xBE10;

std::unordered_map<HWND, FramePanel*>& hooked() {
    static std::unordered_map<HWND, FramePanel*> m;
    return m;
}

// Frames alive, oldest first; the application observer offers keys to the newest first.
std::vector<FramePanel*>& frames() {
    static std::vector<FramePanel*> f;
    return f;
}
int observerToken = 0;

// DIB pixels are 0x00RRGGBB, colour values 0x00BBGGRR.
uint32_t dibColor(uint32_t c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

HRGN regionFromRects(const std::vector<Rect>& rects) {
    std::vector<char> buf(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    RECT bound{0, 0, 0, 0};
    auto* out = reinterpret_cast<RECT*>(data->Buffer);
    for (size_t i = 0; i < rects.size(); ++i) {
        out[i] = {rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
        if (i == 0) bound = out[i];
        else UnionRect(&bound, &bound, &out[i]);
    }
    data->rdh.rcBound = bound;
    return ExtCreateRegion(nullptr, static_cast<DWORD>(buf.size()), data);
}

} // namespace

FramePanel::FramePanel(ui::Component* owner, std::string name) : ui::WinControl(owner, std::move(name)) {
    auto* form = dynamic_cast<ui::Form*>(owner);
    if (!form || !form->handle()) return;
    for (FramePanel* f : frames())
        if (f->form_ == form) throw ui::UiError(kOneFrameOnlyMessage);
    form_ = form;
    HWND h = form->handle();
    // The native frame, measured once.
    RECT wr, cr;
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&cr), 2);
    fb_ = SaneFrameThickness(wr.bottom - cr.bottom);
    fl_ = SaneFrameThickness(cr.left - wr.left);

    static const ui::WindowClass cls{"CorvaneSkinForm", CS_DBLCLKS};
    GetClientRect(h, &cr);
    createWindow(cls, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, 0, 0, cr.right,
                 cr.bottom, h, " ");
    setAlign(ui::Align::Client);
    frames().push_back(this);
    titleBar_ = new TitleBar(this, "TitleBar");
    titleBar_->setAlign(ui::Align::Top);
    titleBar_->onFrameRepaint = [this] { paintFrame(); };
    menuBarColor_ = menuBarToColor_ = color_;
    menuBarHeight_ = 22;
    setUIStyle(UIStyle::DeepBlue);
    uiStyleAutoUpdateSub = false;
    setCaption(form->text());
    setTitleBarVisible(true);

    // Forms without a sizing border get the dialog frame the arithmetic expects.
    LONG style = GetWindowLongA(h, GWL_STYLE);
    if (!(style & WS_THICKFRAME))
        SetWindowLongA(h, GWL_EXSTYLE, GetWindowLongA(h, GWL_EXSTYLE) | WS_EX_DLGMODALFRAME);
    SetWindowLongA(h, GWL_STYLE, style & ~WS_CAPTION);

    saved_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FramePanel::hookProc)));
    formHwnd_ = h;
    hooked()[h] = this;
    if (!observerToken) observerToken = ui::Application::instance().addMessageObserver(&FramePanel::observeMessage);
    SetWindowPos(h, nullptr, 0, 0, 0, 0, kFrameChanged);
    rebuildRegion();
}

FramePanel::~FramePanel() {
    if (menu_ && menu_->frame() == this) menu_->setFrame(nullptr);
    destroying_ = true;
    setAlign(ui::Align::None); // the form's caption comes back without the frame following
    detach();
    std::erase(frames(), this);
    if (frames().empty() && observerToken) {
        ui::Application::instance().removeMessageObserver(observerToken);
        observerToken = 0;
    }
}

void FramePanel::detach() {
    HWND h = formHwnd_;
    if (!h) return;
    hooked().erase(h);
    formHwnd_ = nullptr;
    if (!IsWindow(h)) return;
    SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) | WS_CAPTION);
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC)) == &FramePanel::hookProc)
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved_));
    SetWindowPos(h, nullptr, 0, 0, 0, 0, kFrameChanged);
}

void FramePanel::setFileTheme(FileTheme* theme) {
    if (theme == fileTheme_) return;
    watch(fileTheme_, theme);
    setUIStyle(uiStyle_);
}

void FramePanel::setUIStyle(UIStyle style) {
    uiStyle_ = style;
    applyStyle();
}

void FramePanel::notification(ui::Component* component, ui::Operation op) {
    if (op != ui::Operation::Remove) return;
    if (component == formPanel_) formPanel_ = nullptr;
    if (component == menu_ && menu_) {
        menu_ = nullptr; // going: only the bar is left to drop
        dropMenu();
    }
    if (component == fileTheme_ && fileTheme_) {
        if (!destroying()) ApplyThemeToChildren(this, UIStyle::DeepBlue, nullptr); // whatever uiStyleAutoUpdateSub says
        dropRemovedTheme(fileTheme_, component);
    }
}

void FramePanel::applyStyle() {
    if (!titleBar_) return;
    bottomComposedWidth_ = -1;
    UIStyle s;
    if (ResolveUIStyle(fileTheme_, uiStyle_, s)) {
        FileTheme& t = *fileTheme_;
        color_ = static_cast<ui::Color>(t.LookupColor(ColorKey::FORMCOLOR));
        menuBarColor_ = static_cast<ui::Color>(t.LookupColor(ColorKey::MENUBARSTARTCOLOR));
        menuBarToColor_ = static_cast<ui::Color>(t.LookupColor(ColorKey::MENUBARENDCOLOR));
        l_ = ui::bitmapSize(t.LookupBitmap(BitmapKey::FORMLEFTBORDER)).cx;
        r_ = ui::bitmapSize(t.LookupBitmap(BitmapKey::FORMRIGHTBORDER)).cx;
        b_ = ui::bitmapSize(t.LookupBitmap(BitmapKey::FORMBOTTOMBORDER1)).cy;
        transparent_ = static_cast<uint32_t>(t.LookupColor(ColorKey::TRANSCOLOR));
        titleNeedsRegion_ = t.LookupBool(BoolKey::TITLEBARNEEDREGION);
        bottomNeedsRegion_ = t.LookupBool(BoolKey::BOTTOMBORDERNEEDREGION);
        titleBar_->render();
        titleBar_->titleImage().transparent = titleNeedsRegion_;
        titleBar_->titleImage().transparentColor = transparent_;
        bottomImage_.transparent = bottomNeedsRegion_;
        bottomImage_.transparentColor = transparent_;
        titleMinY_ = t.LookupInt(IntKey::TITLEBARREGIONMINY);
        titleMaxY_ = t.LookupInt(IntKey::TITLEBARREGIONMAXY);
        bottomMinY_ = t.LookupInt(IntKey::BOTTOMREGIONMINY);
        bottomMaxY_ = t.LookupInt(IntKey::BOTTOMREGIONMAXY);
    } else {
        titleBar_->setRoundCornerBottom(0);
        l_ = r_ = b_ = 0;
        transparent_ = 0xFF00FF;
        titleNeedsRegion_ = bottomNeedsRegion_ = false;
        titleBar_->titleImage().transparent = false;
        borderColor_ = StyleColor(s, 16);
        borderWidth_ = StyleInt(s, 17);
        color_ = StyleColor(s, 15);
        menuBarColor_ = menuBarToColor_ = color_;
        titleBar_->setRoundCorner(StyleInt(s, 14));
    }
    titleBar_->setFileThemeAndStyle(fileTheme_, uiStyle_);
    if (menuBar_) {
        menuBar_->setColors(menuBarColor_, menuBarToColor_);
        menuBar_->applyStyle(fileTheme_, uiStyle_);
    }
    if (menu_) menu_->setFileThemeAndStyle(fileTheme_, uiStyle_); // and it asks the bar to follow
    if (uiStyleAutoUpdateSub) ApplyThemeToChildren(this, uiStyle_, fileTheme_);
    if (formHwnd_) SetWindowPos(formHwnd_, nullptr, 0, 0, 0, 0, kFrameChanged);
    invalidate();
    paintFrame();
    rebuildRegion();
    minHeight_ = menuBarHeight() + titleBar_->height() + b_ + 3;
}

// Menu bar

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
    menu->setFileThemeAndStyle(fileTheme_, uiStyle_);
    menuBar_ = new MenuBar(this, menu, "MenuBar");
    menuBar_->setButtonHeight(menuBarHeight_);
    menuBar_->setColors(menuBarColor_, menuBarToColor_);
    menuBar_->applyStyle(fileTheme_, uiStyle_);
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

void FramePanel::setTitleBarVisible(bool v) {
    if (!titleBar_ || v == titleBar_->visible()) return;
    if (!internalChange_) titleBarWanted_ = v;
    titleBar_->setVisible(v);
    SetWindowPos(titleBar_->handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (menuBar_) placeMenuBar();
    paintFrame();
}

void FramePanel::setCaption(const std::string& s) {
    if (titleBar_) titleBar_->setCaption(s);
    if (form_ && form_->handle()) SetWindowTextA(form_->handle(), s.c_str());
}

void FramePanel::setFormPanel(ui::WinControl* panel) {
    if (panel == this) {
        ui::prompt().messageBox(handle(), kFormPanelMessage, ui::Application::instance().title(), MB_OK | MB_ICONERROR);
        return;
    }
    formPanel_ = panel;
    if (panel) {
        freeNotification(panel);
        RECT r = clientRect();
        const int top = (titleBarVisible() ? titleBar_->height() : 0) + menuBarHeight();
        panel->setBounds(0, top, r.right, r.bottom - top);
        panel->setText("");
    }
}

bool FramePanel::formMinimized() const { return formHwnd_ && IsIconic(formHwnd_); }

// Frame painting

void FramePanel::paintFrame() {
    if (destroying_ || !formHwnd_ || !IsWindowVisible(formHwnd_) || formMinimized()) return;
    RECT wr;
    GetWindowRect(formHwnd_, &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    ui::WindowDc dc(formHwnd_, true);
    if (!dc) return;
    UIStyle s;
    if (ResolveUIStyle(fileTheme_, uiStyle_, s)) paintFileThemeFrame(dc.get(), w, h);
    else paintBuiltInFrame(dc.get(), w, h);
}

void FramePanel::composeBottomImage(int w) {
    if (w == bottomComposedWidth_) return;
    bottomComposedWidth_ = w;
    FileTheme& t = *fileTheme_;
    HBITMAP first = t.LookupBitmap(BitmapKey::FORMBOTTOMBORDER1);
    const int bh = ui::bitmapSize(first).cy;
    bottomImage_.resize(w, bh);
    if (t.LookupBool(BoolKey::BOTTOMBORDERTHREESECT)) {
        HBITMAP third = t.LookupBitmap(BitmapKey::FORMBOTTOMBORDER3);
        const int w1 = ui::bitmapSize(first).cx, w3 = ui::bitmapSize(third).cx;
        ui::drawBitmap(bottomImage_.dc(), first, 0, 0);
        ui::drawBitmap(bottomImage_.dc(), third, w - w3, 0);
        ui::stretchBitmap(bottomImage_.dc(), t.LookupBitmap(BitmapKey::FORMBOTTOMBORDER2), {w1, 0, w - w3, bh});
    } else {
        DrawThreePartBitmap(first, bottomImage_.dc(), {0, 0, w, bh}, transparent_, false);
    }
    // As it shows: the cut-away pixels over the form colour.
    bottomShown_.resize(w, bh);
    ui::fillSolid(bottomShown_.dc(), {0, 0, w, bh}, ui::toRgb(static_cast<ui::Color>(t.LookupColor(ColorKey::FORMCOLOR))));
    if (bottomNeedsRegion_)
        TransparentBlt(bottomShown_.dc(), 0, 0, w, bh, bottomImage_.dc(), 0, 0, w, bh, ui::toRgb(transparent_));
    else
        BitBlt(bottomShown_.dc(), 0, 0, w, bh, bottomImage_.dc(), 0, 0, SRCCOPY);
}

void FramePanel::paintFileThemeFrame(HDC dc, int w, int h) {
    FileTheme& t = *fileTheme_;
    const COLORREF formColor = ui::toRgb(static_cast<ui::Color>(t.LookupColor(ColorKey::FORMCOLOR)));
    const bool barVisible = titleBar_->visible();
    const int ht = barVisible ? titleBar_->height() + 3 : 0;
    if (barVisible && titleBar_->hasCompleteSectionSet()) {
        FrameImage& img = titleBar_->titleImageWithBackground();
        // The bar composes its images when it paints; the frame may come first.
        titleBar_->render();
        const int iw = img.width(), ih = img.height();
        const int lw = std::max(l_, 4), rw = std::max(r_, 4);
        BitBlt(dc, 0, 0, lw, ih, img.dc(), 0, 0, SRCCOPY);
        BitBlt(dc, 0, 0, iw, 3, img.dc(), 0, 0, SRCCOPY);
        BitBlt(dc, w - rw, 0, rw, ih, img.dc(), iw - rw, 0, SRCCOPY);
    }
    HBITMAP left = t.LookupBitmap(BitmapKey::FORMLEFTBORDER);
    const int lpw = ui::bitmapSize(left).cx;
    ui::stretchBitmap(dc, left, {0, ht, lpw, h - b_});
    if (lpw < 4) {
        ui::fillSolid(dc, {lpw, ht, 4, h - b_}, formColor);
        paintMenuBarFillers(dc, lpw, 4);
    }
    HBITMAP right = t.LookupBitmap(BitmapKey::FORMRIGHTBORDER);
    const int rpw = ui::bitmapSize(right).cx;
    ui::stretchBitmap(dc, right, {w - rpw, ht, w, h - b_});
    if (rpw < 4) {
        ui::fillSolid(dc, {w - 4, ht, w - rpw, h - b_}, formColor);
        paintMenuBarFillers(dc, w - 4, w - rpw);
    }
    composeBottomImage(w);
    BitBlt(dc, 0, h - b_, w, bottomShown_.height(), bottomShown_.dc(), 0, 0, SRCCOPY);
    if (b_ < 4) ui::fillSolid(dc, {l_, h - 4, w - r_, h - b_}, formColor);
}

void FramePanel::paintBuiltInFrame(HDC dc, int w, int h) {
    const int bw = borderWidth_;
    const COLORREF border = ui::toRgb(borderColor_), fill = ui::toRgb(color_);
    const bool barVisible = titleBar_->visible();
    const int ht = barVisible ? titleBar_->height() + 3 : 0;
    if (barVisible && titleBar_->hasCompleteSectionSet()) {
        HBITMAP left = titleBar_->sectionPicture(0), right = titleBar_->sectionPicture(1),
                client = titleBar_->sectionPicture(2);
        const SIZE ls = ui::bitmapSize(left), rs = ui::bitmapSize(right), cs = ui::bitmapSize(client);
        const int sideW = 3 - bw;
        if (sideW > 0 && ls.cy > 0) {
            ui::OffscreenBitmap side(dc, sideW, ls.cy);
            ui::drawBitmap(side.dc(), left, 0, 0);
            BitBlt(dc, bw, 0, sideW, ls.cy, side.dc(), 0, 0, SRCCOPY);
            if (rs.cx > 2) ui::drawBitmap(side.dc(), right, 2 - rs.cx, 0);
            else ui::stretchBitmap(side.dc(), right, {0, 0, sideW, ls.cy});
            BitBlt(dc, w - 3, 0, sideW, ls.cy, side.dc(), 0, 0, SRCCOPY);
        }
        if (w > 5) {
            ui::OffscreenBitmap top(dc, w - 5, 3);
            ui::drawBitmap(top.dc(), left, -2, 0);
            ui::drawBitmap(top.dc(), right, top.width() - rs.cx + 3, 0);
            ui::stretchBitmap(top.dc(), client, {ls.cx - 2, 0, top.width() - rs.cx + 3, cs.cy});
            BitBlt(dc, 2, 0, w - 5, 3, top.dc(), 0, 0, SRCCOPY);
        }
        const int rc = titleBar_->roundCorner();
        if (bw == 1 && rc == 11) {
            ui::PenHandle pen(CreatePen(PS_SOLID, 1, border));
            ui::SelectObjectScope sp(dc, pen.get());
            Arc(dc, w - 2 * rc + 1, -1, w + 1, 2 * rc - 1, w + 1, rc - 1, w - rc + 1, -1);
            Arc(dc, -1, -1, 2 * rc - 1, 2 * rc - 1, rc - 1, -1, -1, rc - 1);
        }
    }
    if (!barVisible) {
        ui::fillSolid(dc, {0, 0, w, 1}, border);
        ui::fillSolid(dc, {bw, 1, w - bw, 3}, fill);
    }
    ui::fillSolid(dc, {0, 0, bw, h}, border);
    ui::fillSolid(dc, {0, h - bw, w, h}, border);
    ui::fillSolid(dc, {w - bw, 0, w, h}, border);
    if (bw < 4) {
        ui::fillSolid(dc, {bw, h - 2, w - bw, h - bw}, fill);
        const int top = ht + menuBarHeight();
        ui::fillSolid(dc, {bw, top, 3, h - bw}, fill);
        ui::fillSolid(dc, {w - 3, top, w - bw, h - bw}, fill);
        paintMenuBarFillers(dc, bw, 3);
        paintMenuBarFillers(dc, w - 3, w - bw);
    }
}

void FramePanel::paintClient(HDC target) {
    const RECT r = clientRect();
    if (uiStyle_ != UIStyle::MacOS && uiStyle_ != UIStyle::Protein) {
        ui::fillSolid(target, r, ui::toRgb(color_)); // one fill: nothing to compose
        return;
    }
    ui::OffscreenBitmap img(target, std::max<int>(r.right, 1), std::max<int>(r.bottom, 1));
    ui::BitmapHandle tile =
        LoadBitmapResource(uiStyle_ == UIStyle::MacOS ? "MACOS_FORM_BACKGROUND" : "PROTEIN_FORM_BACKGROUND");
    TilePicture(img.dc(), tile.get(), r);
    BitBlt(target, 0, 0, r.right, r.bottom, img.dc(), 0, 0, SRCCOPY);
}

// Region

void FramePanel::rebuildRegion() {
    if (destroying_ || !formHwnd_ || !titleBar_) return;
    // A hidden window's region shows nowhere: it is built when the window is shown.
    if (!IsWindowVisible(formHwnd_)) {
        regionPending_ = true;
        return;
    }
    setRegion(true);
}

void FramePanel::setRegion(bool redraw) {
    regionPending_ = false;
    RECT wr;
    GetWindowRect(formHwnd_, &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    UIStyle s;
    HRGN rgn = nullptr;
    if (ResolveUIStyle(fileTheme_, uiStyle_, s)) {
        if (!titleNeedsRegion_ && !bottomNeedsRegion_) {
            rgn = CreateRectRgn(0, 0, w, h);
        } else {
            titleBar_->render();
            RegionInput in;
            in.width = w;
            in.height = h;
            in.transparent = dibColor(transparent_ & 0xFFFFFF);
            PixelView title, bottom;
            if (titleNeedsRegion_) {
                title = titleBar_->titleImage().pixels();
                in.title = &title;
                in.titleMinY = titleMinY_;
                in.titleMaxY = titleMaxY_;
            }
            if (bottomNeedsRegion_) {
                composeBottomImage(w);
                bottom = bottomImage_.pixels();
                in.bottom = &bottom;
                in.bottomMinY = bottomMinY_;
                in.bottomMaxY = bottomMaxY_;
            }
            rgn = regionFromRects(FrameRegionRects(in));
        }
    } else {
        const int rc = std::max(roundCorner(), 0), rcb = std::max(roundCornerBottom(), 0);
        const int m = h / 2;
        rgn = CreateRoundRectRgn(0, 0, w + 1, m + 1, rc, rc);
        auto add = [&rgn](HRGN part) {
            CombineRgn(rgn, rgn, part, RGN_OR);
            DeleteObject(part);
        };
        add(CreateRectRgn(0, m - 2 * rc, 2 * rc, m));
        add(CreateRectRgn(w - 2 * rc, m - 2 * rc, w, m));
        add(CreateRoundRectRgn(0, m, w + 1, h + 1, rcb, rcb));
        add(CreateRectRgn(0, m, 2 * rcb, m + 2 * rcb));
        add(CreateRectRgn(w - 2 * rcb, m, w, m + 2 * rcb));
    }
    if (rgn) SetWindowRgn(formHwnd_, rgn, redraw); // the window owns it now
}

// Window procedures

LRESULT FramePanel::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (LRESULT r = 0; ui::AccessibleMessage(handle(), msg, wp, lp, &FramePanelAccessible, r)) return r;
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle(), &ps);
        paintClient(dc);
        EndPaint(handle(), &ps);
        paintFrame();
        return 0;
    }
    case WM_PRINTCLIENT:
        paintClient(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_SIZE:
        if (menuBar_) placeMenuBar(); // the buttons may wrap differently
        if (formPanel_) setFormPanel(formPanel_);
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Plain controls placed on the frame sit on its colour.
        const COLORREF c = ui::toRgb(color_);
        if (!brush_ || brushColor_ != c) {
            brush_.reset(CreateSolidBrush(c));
            brushColor_ = c;
        }
        SetBkColor(reinterpret_cast<HDC>(wp), c);
        return reinterpret_cast<LRESULT>(brush_.get());
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        // Controls placed on the frame notify the form, as they would without it.
        if (form_ && form_->handle()) return SendMessageA(form_->handle(), msg, wp, lp);
        break;
    }
    return defaultHandler(msg, wp, lp);
}

LRESULT CALLBACK FramePanel::hookProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto it = hooked().find(h);
    if (it == hooked().end()) return DefWindowProcA(h, msg, wp, lp);
    FramePanel* self = it->second;
    LRESULT result = 0;
    ui::guarded([&] { result = self->frameProc(msg, wp, lp); });
    return result;
}

LRESULT FramePanel::callSaved(UINT msg, WPARAM wp, LPARAM lp) {
    return saved_ ? CallWindowProcA(saved_, formHwnd_, msg, wp, lp) : DefWindowProcA(formHwnd_, msg, wp, lp);
}

LRESULT FramePanel::frameProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (destroying_) return callSaved(msg, wp, lp);
    switch (msg) {
    case WM_NCCALCSIZE:
        if (wp) {
            auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp);
            // The proposed window rectangle: it carries the new position whatever the
            // WINDOWPOS says for moves and sizes the caller left out.
            const RECT wr = p->rgrc[0];
            NcSizes sz;
            sz.fl = fl_;
            sz.fb = fb_;
            sz.l = l_;
            sz.r = r_;
            sz.b = b_;
            sz.borderWidth = borderWidth_;
            const Rect r = NcCalcRect(wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top, sz);
            p->rgrc[0] = {r.left, r.top, r.right, r.bottom};
            p->rgrc[1] = p->rgrc[0];
        }
        return callSaved(msg, wp, lp);
    case kFrameInsetQuery:
        return TitleInset(l_, fb_);
    case WM_NCPAINT:
        if (formMinimized()) return callSaved(msg, wp, lp);
        if (titleBar_) titleBar_->redraw();
        paintFrame();
        return 0;
    case WM_NCACTIVATE:
        if (formMinimized()) return callSaved(msg, wp, lp);
        if (titleBar_) titleBar_->redraw();
        paintFrame();
        return 1;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (wp == 0 && PopupMenu::ownerDrawMessage(msg, lp)) return TRUE;
        break;
    case WM_MENUCHAR:
        if (LRESULT r = 0; PopupMenu::menuChar(wp, lp, r)) return r;
        break;
    case WM_NCDESTROY: {
        HWND h = formHwnd_;
        hooked().erase(h);
        formHwnd_ = nullptr;
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved_));
        return CallWindowProcA(saved_, h, msg, wp, lp);
    }
    }
    LRESULT result = callSaved(msg, wp, lp);
    if (!formHwnd_) return result;
    switch (msg) {
    case WM_KEYDOWN:
        result = menuShortcut(MSG{formHwnd_, msg, wp, lp, 0, {}});
        break;
    case WM_SHOWWINDOW:
        SetMenu(formHwnd_, nullptr); // the bar shows the menu, not the platform
        // Cut before the window first shows, so that it is painted once, in its shape.
        if (wp && regionPending_ && !destroying_ && titleBar_) setRegion(false);
        break;
    case WM_ACTIVATE:
        if (titleBar_) titleBar_->setFormActive(LOWORD(wp) != WA_INACTIVE);
        paintFrame();
        break;
    case kRecreateWnd:
    case kFloat:
    case kParentNotify:
        if (GetWindowLongA(formHwnd_, GWL_STYLE) & WS_CAPTION) {
            SetWindowLongA(formHwnd_, GWL_STYLE, GetWindowLongA(formHwnd_, GWL_STYLE) & ~WS_CAPTION);
            SetWindowPos(formHwnd_, nullptr, 0, 0, 0, 0, kFrameChanged);
        }
        break;
    case WM_WINDOWPOSCHANGED:
        if (regionPending_ && (reinterpret_cast<WINDOWPOS*>(lp)->flags & SWP_SHOWWINDOW)) rebuildRegion();
        break;
    case WM_GETMINMAXINFO: {
        auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
        if (titleBar_) mm->ptMinTrackSize.x = std::max<LONG>(mm->ptMinTrackSize.x, titleBar_->minWidth());
        mm->ptMinTrackSize.y = std::max<LONG>(mm->ptMinTrackSize.y, minHeight_);
        break;
    }
    case WM_SIZE:
        if (IsZoomed(formHwnd_)) {
            const RECT a = GetWorkArea();
            const Rect m = MaximizedBounds({a.left, a.top, a.right, a.bottom});
            RECT wr;
            GetWindowRect(formHwnd_, &wr);
            if (wr.left != m.left || wr.top != m.top || wr.right != m.right || wr.bottom != m.bottom)
                SetWindowPos(formHwnd_, nullptr, m.left, m.top, m.right - m.left, m.bottom - m.top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (titleBar_) {
            titleBar_->refreshMaxPictures();
            titleBar_->redraw();
        }
        paintFrame();
        rebuildRegion();
        break;
    }
    return result;
}

bool FramePanel::observeMessage(MSG& m) {
    const std::vector<FramePanel*> alive = frames();
    auto stillAlive = [](FramePanel* f) { return std::find(frames().begin(), frames().end(), f) != frames().end(); };
    const bool systemMenuKey = m.message == WM_SYSKEYDOWN && m.wParam == VK_SPACE;
    if (!systemMenuKey) {
        if (m.message != WM_KEYDOWN && m.message != WM_SYSKEYDOWN) return false;
        // Only the active form's menu can take the key.
        for (auto it = alive.rbegin(); it != alive.rend(); ++it) {
            MenuItem* item = stillAlive(*it) ? (*it)->menuShortcutItem(m) : nullptr;
            if (!item) continue;
            // Taken even when its action fails: the guard shows the error, once.
            if (item->onClick) ui::guarded([item] { item->onClick(); });
            return true;
        }
        return false;
    }
    bool handled = false;
    ui::Form* main = ui::Application::instance().mainForm();
    RECT mr{};
    if (main && main->handle()) GetWindowRect(main->handle(), &mr);
    for (auto it = alive.rbegin(); it != alive.rend(); ++it) {
        FramePanel* f = *it;
        if (!stillAlive(f) || !f->titleBar_ || !f->formHwnd_) continue;
        f->titleBar_->popupSystemMenu(mr.left, mr.top + f->titleBar_->height());
        handled = true;
    }
    return handled;
}

} // namespace corvane::skin
