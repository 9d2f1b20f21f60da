// The form's messages, seen before the form handles them: its non-client area,
// activation, sizing, the menus drawn for it and the caption kept off.
#include "skin/frame/FramePanel.h"

#include <algorithm>

#include "skin/frame/FramePanelParts.h"
#include "skin/frame/MenuBar.h"
#include "skin/theme/SkinPublic.h"
#include "ui/Form.h"
#include "ui/Gdi.h"

namespace corvane::skin {

using detail::kFrameChanged;

namespace {

// The library's own notifications on which the caption is taken off again.
constexpr UINT kRecreateWnd = 0xB033, kFloat = 0xB03A, kParentNotify = 0xBE10;

} // namespace

LRESULT FramePanel::frameProc(UINT msg, WPARAM wp, LPARAM lp, const ui::MessageChain& next) {
    if (destroying_) return next(msg, wp, lp);
    switch (msg) {
    case WM_NCCALCSIZE:
        if (wp) {
            auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp);
            // The proposed window rectangle: it carries the new position whatever the
            // WINDOWPOS says for moves and sizes the caller left out.
            const RECT wr = p->rgrc[0];
            const NcSizes sz = ncSizes();
            measuredNc_ = sz;
            const Rect r = NcCalcRect(wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top, sz);
            p->rgrc[0] = {r.left, r.top, r.right, r.bottom};
            p->rgrc[1] = p->rgrc[0];
        }
        return next(msg, wp, lp);
    case ui::msg::FrameInsetQuery: return TitleInset(l_, fb_, scaler());
    case WM_NCPAINT:
        if (formMinimized()) return next(msg, wp, lp);
        if (titleBar_) titleBar_->requestPaint();
        paintFrame();
        return 0;
    case WM_NCACTIVATE:
        if (formMinimized()) return next(msg, wp, lp);
        if (titleBar_) titleBar_->requestPaint();
        paintFrame();
        return 1;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (wp == 0 && PopupMenu::ownerDrawMessage(msg, lp)) return TRUE;
        break;
    case WM_MENUCHAR:
        if (LRESULT r = 0; PopupMenu::menuChar(wp, lp, r)) return r;
        break;
    }
    LRESULT result = next(msg, wp, lp);
    if (!formHwnd_) return result;
    switch (msg) {
    case WM_KEYDOWN: result = menuShortcut(MSG{formHwnd_, msg, wp, lp, 0, {}}); break;
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
        if (GetWindowLongW(formHwnd_, GWL_STYLE) & WS_CAPTION) {
            SetWindowLongW(formHwnd_, GWL_STYLE, GetWindowLongW(formHwnd_, GWL_STYLE) & ~WS_CAPTION);
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
            titleBar_->requestPaint(); // a size change has it compose again
        }
        paintFrame();
        rebuildRegion();
        break;
    }
    return result;
}

} // namespace corvane::skin
