#include "skin/controls/Edit.h"

#include "skin/controls/ControlAccessibility.h"

#include "skin/theme/SkinPublic.h"
#include "ui/Gdi.h"

namespace corvane::skin {

namespace {
constexpr int kBorderWidth = 2;
}

Edit::Edit(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h)
    : Skinned(owner, std::move(name), parent, x, y, w, h) {
    // No platform border: our own two-pixel frame takes its place.
    const LONG ex = GetWindowLongW(handle(), GWL_EXSTYLE);
    SetWindowLongW(handle(), GWL_EXSTYLE, ex & ~WS_EX_CLIENTEDGE);
    const LONG style = GetWindowLongW(handle(), GWL_STYLE);
    SetWindowLongW(handle(), GWL_STYLE, style & ~WS_BORDER);
    SetWindowPos(handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    setUIStyle(FormUIStyle(owner));
}

void Edit::applyLook() {
    borderColor_ = look().color(role::ControlBorderColor);
    afterStyleChanged();
    drawFrame();
}

void Edit::setBorderColor(std::uint32_t c) {
    borderColor_ = c;
    drawFrame();
}

void Edit::setColor(std::uint32_t c) {
    color_ = c;
    invalidate(true);
    drawFrame();
}

void Edit::drawFrame() {
    if (handle() && IsWindowVisible(handle())) DrawEditBorder(this, borderColor_, color_, true);
}

ui::AccessibleSourceFactory Edit::accessibleFactory() const { return &EditAccessible; }

LRESULT Edit::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // The platform's edit raises value changes itself; a new state is ours to tell.
    const ui::AccessibleMessageEvents events(handle(), msg == WM_ENABLE ? msg : 0);
    switch (msg) {
    case WM_NCCALCSIZE: {
        const LRESULT r = ui::Edit::wndProc(msg, wp, lp);
        auto* rc = reinterpret_cast<RECT*>(lp); // the first rectangle either way
        InflateRect(rc, -kBorderWidth, -kBorderWidth);
        return r;
    }
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_NCPAINT: {
        const LRESULT r = ui::Edit::wndProc(msg, wp, lp);
        drawFrame();
        return r;
    }
    }
    return ui::Edit::wndProc(msg, wp, lp);
}

bool Edit::reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) {
        const std::uint32_t bg = ui::ToRgb(color_);
        if (!brush_ || brushColor_ != bg) {
            brush_.reset(CreateSolidBrush(bg));
            brushColor_ = bg;
        }
        SetBkColor(reinterpret_cast<HDC>(wp), bg);
        if (msg == WM_CTLCOLORSTATIC) SetTextColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_GRAYTEXT));
        result = reinterpret_cast<LRESULT>(brush_.get());
        return true;
    }
    return ui::Edit::reflected(msg, wp, lp, result);
}

} // namespace corvane::skin
