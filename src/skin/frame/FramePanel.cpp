// The frame panel itself: attaching to its form and letting go of it, applying a style,
// its properties and its own window's messages.
#include "skin/frame/FramePanel.h"
#include "ui/WideText.h"
#include "skin/frame/FramePanelParts.h"
#include "skin/frame/FrameAccessibility.h"
#include "ui/Accessible.h"

#include <algorithm>
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

using detail::FramesList;
using detail::kFrameChanged;

namespace detail {

// Frames alive, oldest first; the application observer offers keys to the newest first.
std::vector<FramePanel*>& FramesList() {
    static std::vector<FramePanel*> f;
    return f;
}

} // namespace detail

FramePanel::FramePanel(ui::Component* owner, std::string name) : Skinned(owner, std::move(name)) {
    auto* form = dynamic_cast<ui::Form*>(owner);
    if (!form || !form->handle()) return;
    for (FramePanel* f : FramesList())
        if (f->form_ == form) throw ui::UiError(kOneFrameOnlyMessage);
    form_ = form;
    HWND h = form->handle();
    // The native frame, measured once.
    RECT wr, cr;
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&cr), 2);
    fb_ = SaneFrameThickness(wr.bottom - cr.bottom, ui::ScalerOf(h));
    fl_ = SaneFrameThickness(cr.left - wr.left, ui::ScalerOf(h));

    static const ui::WindowClass cls{"CorvaneSkinForm", CS_DBLCLKS};
    GetClientRect(h, &cr);
    createWindow(cls, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, 0, 0, cr.right,
                 cr.bottom, h, " ");
    setAlign(ui::Align::Client);
    FramesList().push_back(this);
    titleBar_ = new TitleBar(this, "TitleBar");
    titleBar_->setAlign(ui::Align::Top);
    // A frame paint composes the bar first and paints after it: no second paint then.
    titleBar_->onFrameRepaint = [this] {
        if (!paintingFrame_) paintFrame();
    };
    menuBarColor_ = menuBarToColor_ = color_;
    menuBarHeight_ = 22;
    setUIStyle(UIStyle::DeepBlue);
    uiStyleAutoUpdateSub = false;
    setCaption(form->text());
    setTitleBarVisible(true);

    // Forms without a sizing border get the dialog frame the arithmetic expects.
    LONG style = GetWindowLongW(h, GWL_STYLE);
    if (!(style & WS_THICKFRAME)) SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) | WS_EX_DLGMODALFRAME);
    SetWindowLongW(h, GWL_STYLE, style & ~WS_CAPTION);

    form->addMessageHook(formHook_);
    formHwnd_ = h;
    keys_.emplace(&FramePanel::observeMessage);
    SetWindowPos(h, nullptr, 0, 0, 0, 0, kFrameChanged);
    rebuildRegion();
}

FramePanel::~FramePanel() {
    if (menu_ && menu_->frame() == this) menu_->setFrame(nullptr);
    destroying_ = true;
    setAlign(ui::Align::None); // the form's caption comes back without the frame following
    // A form on its way out is destroyed with its window: its caption need not come back.
    detach(!destroying());
    std::erase(FramesList(), this);
    keys_.reset();
}

void FramePanel::detach(bool restoreCaption) {
    HWND h = formHwnd_;
    if (!h) return;
    formHook_.remove();
    formHwnd_ = nullptr;
    if (!restoreCaption || !IsWindow(h)) return;
    SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) | WS_CAPTION);
    SetWindowPos(h, nullptr, 0, 0, 0, 0, kFrameChanged);
}

void FramePanel::setFileTheme(FileTheme* theme) {
    if (theme == fileTheme()) return;
    Skinned::setFileTheme(theme);
}

void FramePanel::notification(ui::Component* component, ui::Operation op) {
    if (op == ui::Operation::Remove) {
        if (component == formPanel_) formPanel_ = nullptr;
        if (component == menu_ && menu_) {
            menu_ = nullptr; // going: only the bar is left to drop
            dropMenu();
        }
    }
    Skinned::notification(component, op);
}

// Whatever uiStyleAutoUpdateSub says.
void FramePanel::dpiChanged(const ui::Scaler& from, const ui::Scaler& to) {
    fl_ = MulDiv(fl_, to.dpi(), from.dpi());
    fb_ = MulDiv(fb_, to.dpi(), from.dpi());
    Skinned::dpiChanged(from, to); // the look again, and the frame measured again with it
}

void FramePanel::themeRemoved() { ApplyThemeToChildren(this, UIStyle::DeepBlue, nullptr); }

void FramePanel::applyLook() {
    if (!titleBar_) return;
    bottomComposedWidth_ = -1;
    const Look look = this->look();
    color_ = look.color(role::FormColor);
    menuBarColor_ = look.color(role::MenuBarStartColor);
    menuBarToColor_ = look.color(role::MenuBarEndColor);
    if (look.fromFile()) {
        const FileTheme& t = look.file();
        l_ = ui::BitmapSize(t.lookupBitmap(BitmapKey::FORMLEFTBORDER)).cx;
        r_ = ui::BitmapSize(t.lookupBitmap(BitmapKey::FORMRIGHTBORDER)).cx;
        b_ = ui::BitmapSize(t.lookupBitmap(BitmapKey::FORMBOTTOMBORDER1)).cy;
        transparent_ = look.color(role::TransparentColor);
        titleNeedsRegion_ = t.lookupBool(BoolKey::TITLEBARNEEDREGION);
        bottomNeedsRegion_ = t.lookupBool(BoolKey::BOTTOMBORDERNEEDREGION);
        // Not composed here: the bar takes its own look below, and is composed after it.
        titleBar_->titleImage().transparent = titleNeedsRegion_;
        titleBar_->titleImage().transparentColor = transparent_;
        bottomImage_.transparent = bottomNeedsRegion_;
        bottomImage_.transparentColor = transparent_;
        // Rows are ranges, not positions: scaled as the rows that cover them.
        const RegionRows title = ScaledRegionRows(t.designInt(IntKey::TITLEBARREGIONMINY),
                                                  t.designInt(IntKey::TITLEBARREGIONMAXY), scaler());
        const RegionRows bottom = ScaledRegionRows(t.designInt(IntKey::BOTTOMREGIONMINY),
                                                   t.designInt(IntKey::BOTTOMREGIONMAXY), scaler());
        titleMinY_ = title.minY;
        titleMaxY_ = title.maxY;
        bottomMinY_ = bottom.minY;
        bottomMaxY_ = bottom.maxY;
    } else {
        titleBar_->setRoundCornerBottom(0);
        l_ = r_ = b_ = 0;
        transparent_ = 0xFF00FF;
        titleNeedsRegion_ = bottomNeedsRegion_ = false;
        titleBar_->titleImage().transparent = false;
        borderColor_ = look.color(role::FrameBorderColor);
        // Kept at 96 DPI like the property that may set it: scaled where it is used.
        borderWidth_ = Look(nullptr, look.style()).integer(role::FrameBorderWidth);
        titleBar_->setRoundCorner(look.integer(role::TitleRoundCorner));
    }
    titleBar_->setFileThemeAndStyle(fileTheme(), uiStyle());
    if (menuBar_) {
        menuBar_->setColors(menuBarColor_, menuBarToColor_);
        menuBar_->applyLook(look);
    }
    if (menu_) menu_->setFileThemeAndStyle(fileTheme(), uiStyle()); // and it asks the bar to follow
    if (uiStyleAutoUpdateSub) ApplyThemeToChildren(this, uiStyle(), fileTheme());
    // Measured again only when what it is measured with changed: the same sizes give the
    // same area, and what is drawn is painted below.
    if (formHwnd_ && measuredNc_ != ncSizes()) SetWindowPos(formHwnd_, nullptr, 0, 0, 0, 0, kFrameChanged);
    invalidate();
    paintFrame();
    rebuildRegion();
    minHeight_ = menuBarHeight() + titleBar_->height() + b_ + 3;
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
    if (form_ && form_->handle()) SetWindowTextW(form_->handle(), ui::WideArg(s));
}

void FramePanel::setFormPanel(ui::WinControl* panel) {
    if (panel == this) {
        ui::ThePrompt().messageBox(handle(), kFormPanelMessage, ui::Application::instance().title(),
                                   MB_OK | MB_ICONERROR);
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

ui::AccessibleSourceFactory FramePanel::accessibleFactory() const { return &FramePanelAccessible; }

LRESULT FramePanel::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle(), &ps);
        paintClient(dc);
        EndPaint(handle(), &ps);
        paintFrame();
        return 0;
    }
    case WM_PRINTCLIENT: paintClient(reinterpret_cast<HDC>(wp)); return 0;
    case WM_SIZE:
        if (menuBar_) placeMenuBar(); // the buttons may wrap differently
        if (formPanel_) setFormPanel(formPanel_);
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Plain controls placed on the frame sit on its colour.
        const COLORREF c = ui::ToRgb(color_);
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
        if (form_ && form_->handle()) return SendMessageW(form_->handle(), msg, wp, lp);
        break;
    }
    return defaultHandler(msg, wp, lp);
}

} // namespace corvane::skin
