#include "skin/controls/ToolBar.h"
#include "ui/WideText.h"

#include "skin/controls/ControlAccessibility.h"

#include <algorithm>
#include <vector>

#include "skin/controls/ControlGeometry.h"
#include "skin/theme/SkinPublic.h"
#include "skin/theme/Themed.h"
#include "ui/Gdi.h"

namespace corvane::skin {

namespace {
constexpr int kArrowArea = 14;

bool ParentIsSkinnedFrame(HWND w) {
    return dynamic_cast<ThemedFrame*>(ui::WinControl::fromHandle(GetParent(w))) != nullptr;
}
} // namespace

ToolBar::ToolBar(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h, int buttonWidth,
                 int buttonHeight, ui::ImageList* images)
    : Skinned(owner, std::move(name), parent, x, y, w, h, buttonWidth, buttonHeight, images) {
    transparent_ = false;
    setUIStyle(FormUIStyle(owner));
}

void ToolBar::applyLook() {
    const Look l = look();
    buttonBorderColor_ = l.color(role::ToolBarButtonBorderColor);
    buttonColor_ = l.color(role::ToolBarButtonColor);
    buttonDownColor_ = l.color(role::ToolBarButtonDownColor);
    gradientStart_ = l.color(role::ToolBarStartColor);
    gradientEnd_ = l.color(role::ToolBarEndColor);
    color_ = gradientStart_;
    // The property, not the resolved style, decides.
    const UIStyle style = uiStyle();
    transparent_ = (style == UIStyle::MacOS || style == UIStyle::Protein) && handle() && ParentIsSkinnedFrame(handle());
    invalidate(true);
}

void ToolBar::setButtonColor(std::uint32_t c) {
    buttonColor_ = c;
    invalidate(true);
}
void ToolBar::setButtonBorderColor(std::uint32_t c) {
    buttonBorderColor_ = c;
    invalidate(true);
}
void ToolBar::setButtonDownColor(std::uint32_t c) {
    buttonDownColor_ = c;
    invalidate(true);
}
void ToolBar::setColor(std::uint32_t c) {
    color_ = c;
    invalidate(true);
}
void ToolBar::setTransparent(bool t) {
    transparent_ = t;
    invalidate(true);
}
void ToolBar::setShowCaptions(bool s) {
    showCaptions_ = s;
    invalidate(true);
}

bool ToolBar::list() const { return handle() && (GetWindowLongW(handle(), GWL_STYLE) & TBSTYLE_LIST); }

void ToolBar::setList(bool l) {
    if (!handle()) return;
    const LONG style = GetWindowLongW(handle(), GWL_STYLE);
    SetWindowLongW(handle(), GWL_STYLE, l ? (style | TBSTYLE_LIST) : (style & ~TBSTYLE_LIST));
    invalidate(true);
}

ui::AccessibleSourceFactory ToolBar::accessibleFactory() const { return &ToolBarAccessible; }

LRESULT ToolBar::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) {
        HDC dc = reinterpret_cast<HDC>(wp);
        const RECT c = clientRect();
        if (transparent_) PaintParentBackground(dc, this);
        else ui::FillSolid(dc, c, ui::ToRgb(color_));
        return 1;
    }
    return ui::ToolBar::wndProc(msg, wp, lp);
}

bool ToolBar::reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (hdr->hwndFrom == handle() && hdr->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
            result = customDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(lp));
            return true;
        }
    }
    return ui::ToolBar::reflected(msg, wp, lp, result);
}

LRESULT ToolBar::customDraw(NMTBCUSTOMDRAW& cd) {
    HDC dc = cd.nmcd.hdc;
    if (cd.nmcd.dwDrawStage == CDDS_PREPAINT) {
        if (transparent_) PaintParentBackground(dc, this);
        else if (gradientStart_ != gradientEnd_) GradientFillVertical(dc, cd.nmcd.rc, gradientStart_, gradientEnd_);
        return CDRF_NOTIFYITEMDRAW;
    }
    if (cd.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const UINT s = cd.nmcd.uItemState;
    const bool selected = (s & CDIS_SELECTED) != 0, checked = (s & CDIS_CHECKED) != 0;
    // Some tool bars drop the hot flag while a button is held; under the mouse it is still hot.
    POINT cursor{};
    const bool underMouse = GetCursorPos(&cursor) && ScreenToClient(handle(), &cursor) && PtInRect(&cd.nmcd.rc, cursor);
    const bool hot = (s & CDIS_HOT) != 0 || (selected && underMouse);
    if (hot && selected) drawButton(dc, static_cast<int>(cd.nmcd.dwItemSpec), cd.nmcd.rc, true, hot);
    else if (hot || selected || checked) drawButton(dc, static_cast<int>(cd.nmcd.dwItemSpec), cd.nmcd.rc, false, hot);
    else return CDRF_DODEFAULT;
    return CDRF_SKIPDEFAULT;
}

void ToolBar::drawButton(HDC dc, int id, const RECT& R, bool pressedLook, bool hot) {
    const LRESULT index = perform(TB_COMMANDTOINDEX, static_cast<WPARAM>(id));
    TBBUTTON tb{};
    if (index < 0 || !perform(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tb))) return;
    const bool dropDown = (tb.fsStyle & BTNS_DROPDOWN) != 0;

    ui::BrushHandle brush(CreateSolidBrush(ui::ToRgb(pressedLook ? buttonDownColor_ : buttonColor_)));
    ui::PenHandle pen(CreatePen(PS_SOLID, 1, ui::ToRgb(buttonBorderColor_)));
    {
        ui::SelectObjectScope b(dc, brush.get());
        ui::SelectObjectScope p(dc, pen.get());
        Rectangle(dc, R.left, R.top, R.right, R.bottom);
    }

    auto images = reinterpret_cast<HIMAGELIST>(perform(TB_GETHOTIMAGELIST));
    if (!images) images = reinterpret_cast<HIMAGELIST>(perform(TB_GETIMAGELIST));
    int iw = 0, ih = 0;
    if (images) ImageList_GetIconSize(images, &iw, &ih);

    // The tool bar copies the whole text, however long: ask for its length first.
    std::string caption;
    if (const LRESULT length = perform(TB_GETBUTTONTEXTW, static_cast<WPARAM>(id)); length > 0) {
        std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
        const LRESULT n = perform(TB_GETBUTTONTEXTW, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(text.data()));
        caption = ui::Narrow(std::wstring_view(text.data(), static_cast<size_t>(std::clamp<LRESULT>(n, 0, length))));
    }
    SIZE cs{};
    HFONT font = reinterpret_cast<HFONT>(perform(WM_GETFONT));
    ui::SelectObjectScope f(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    const std::string shown = StripAmpersands(caption);
    cs = ui::TextExtent(dc, shown);
    const ToolButtonFace face = LayoutToolButton(Rect{R.left, R.top, R.right, R.bottom}, Size{iw, ih}, list(), dropDown,
                                                 pressedLook, cs.cx);
    if (images && tb.iBitmap >= 0) ImageList_Draw(images, tb.iBitmap, dc, face.image.x, face.image.y, ILD_TRANSPARENT);
    if (showCaptions_ && !caption.empty()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        RECT tr{face.caption.left, face.caption.top, face.caption.right, face.caption.bottom};
        ui::DrawUtf8Text(dc, caption, tr, 0);
    }
    if (dropDown && hot) {
        const int m = (R.bottom - R.top) / 2;
        ui::BrushHandle black(CreateSolidBrush(0));
        ui::PenHandle blackPen(CreatePen(PS_SOLID, 1, 0));
        ui::SelectObjectScope b(dc, black.get());
        ui::SelectObjectScope p(dc, blackPen.get());
        const POINT a[3] = {{R.right - 9, m}, {R.right - 5, m}, {R.right - 7, m + 2}};
        const POINT c[3] = {{R.right - 8, m}, {R.right - 6, m}, {R.right - 7, m + 1}};
        Polygon(dc, a, 3);
        Polygon(dc, c, 3);
        MoveToEx(dc, R.right - kArrowArea, R.top, nullptr);
        LineTo(dc, R.right - kArrowArea, R.bottom);
    }
}

} // namespace corvane::skin
