#include "skin/theme/SkinPublic.h"
#include "ui/WideText.h"

#include <vector>

#include "skin/theme/FileTheme.h"
#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/Themed.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/TextFit.h"

namespace corvane::skin {

namespace {

// Direct child windows that have an object, top of the z-order first: new
// child windows go below their siblings, so this is the order of creation.
std::vector<ui::WinControl*> ChildControls(const ui::WinControl* container) {
    std::vector<ui::WinControl*> out;
    if (!container || !container->handle()) return out;
    for (HWND w = GetWindow(container->handle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (ui::WinControl* c = ui::WinControl::fromHandle(w)) out.push_back(c);
    return out;
}

HWND MdiClient(const ui::Form* form) {
    if (!form || !form->handle()) return nullptr;
    for (HWND w = GetWindow(form->handle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (lstrcmpiW(cls, L"MDICLIENT") == 0) return w;
    }
    return nullptr;
}

bool OwnActiveFlag(const ui::Form* form) { return form && form->handle() && GetActiveWindow() == form->handle(); }

bool ApplicationActive() {
    HWND fg = GetForegroundWindow();
    if (!fg) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(fg, &pid);
    return pid == GetCurrentProcessId();
}

} // namespace

void DrawThreePartBitmap(HBITMAP bitmap, HDC canvas, const RECT& rect, uint32_t transparentColor, bool transparent) {
    const SIZE s = ui::BitmapSize(bitmap);
    const int p = s.cx / 3;
    if (!canvas || p <= 0 || s.cy <= 0) return;
    ui::BitmapDc src(bitmap);
    const UINT key = ui::ToRgb(transparentColor);
    auto drawPart = [&](int x, int y, int srcX, int w) {
        if (w <= 0) return;
        if (transparent) TransparentBlt(canvas, x, y, w, s.cy, src.get(), srcX, 0, w, s.cy, key);
        else BitBlt(canvas, x, y, w, s.cy, src.get(), srcX, 0, SRCCOPY);
    };
    const int width = rect.right - rect.left;
    if (width < p) {
        drawPart(rect.left, rect.top, 0, width);
        return;
    }
    drawPart(rect.left, rect.top, 0, p);
    // The parts are the strip's first three p-wide images; extra columns are unused.
    drawPart(rect.right - p, rect.top, 2 * p, p);
    // Between p and 2p wide the ends meet; a middle of negative width would
    // be drawn mirrored over them.
    const int middle = (rect.right - p) - (rect.left + p);
    if (middle > 0) {
        const int oldMode = SetStretchBltMode(canvas, COLORONCOLOR);
        StretchBlt(canvas, rect.left + p, rect.top, middle, s.cy, src.get(), p, 0, p, s.cy, SRCCOPY);
        SetStretchBltMode(canvas, oldMode);
    }
}

void PaintParentBackground(HDC canvas, const ui::WinControl* control) {
    if (control) ui::PaintParentBackgroundOf(canvas, control->handle());
}

void TilePicture(HDC canvas, HBITMAP picture, const RECT& rect) {
    const SIZE s = ui::BitmapSize(picture);
    if (!canvas || s.cx <= 0 || s.cy <= 0) return;
    ui::BitmapDc src(picture);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    for (int x = 0; x < s.cx + w; x += s.cx)
        for (int y = 0; y < s.cy + h; y += s.cy) BitBlt(canvas, x, y, s.cx, s.cy, src.get(), 0, 0, SRCCOPY);
}

bool PointInRect(POINT point, const RECT& rect) {
    return point.x >= rect.left && point.x <= rect.right && point.y >= rect.top && point.y <= rect.bottom;
}

RECT GetWorkArea() {
    RECT r{};
    if (ui::Form* main = ui::Application::instance().mainForm(); main && main->handle()) {
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        if (GetMonitorInfoW(MonitorFromWindow(main->handle(), MONITOR_DEFAULTTONEAREST), &mi)) return mi.rcWork;
    }
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

void SetBoundsFromRect(ui::WinControl* control, const RECT& rect) {
    if (!control) return;
    const RECT b = control->boundsRect();
    int x = b.left, y = b.top, w = b.right - b.left, h = b.bottom - b.top;
    x = rect.left;
    control->setBounds(x, y, w, h);
    y = rect.top;
    control->setBounds(x, y, w, h);
    w = rect.right - rect.left;
    control->setBounds(x, y, w, h);
    h = rect.bottom - rect.top;
    control->setBounds(x, y, w, h);
}

void DrawEditBorder(const ui::WinControl* control, uint32_t color, uint32_t innerColor, bool drawInner) {
    if (!control || !control->handle()) return;
    HWND h = control->handle();
    ui::WindowDc dc(h, true);
    if (!dc) return;
    RECT r{};
    GetWindowRect(h, &r);
    OffsetRect(&r, -r.left, -r.top);
    ui::FrameSolid(dc.get(), r, ui::ToRgb(color));
    if (drawInner) {
        InflateRect(&r, -1, -1);
        ui::FrameSolid(dc.get(), r, ui::ToRgb(innerColor));
    }
}

void GradientFillVertical(HDC canvas, const RECT& rect, uint32_t startColor, uint32_t endColor) {
    if (!canvas || rect.bottom <= rect.top) return;
    const uint32_t s = ui::ToRgb(startColor), e = ui::ToRgb(endColor);
    const int span = rect.bottom - rect.top;
    ui::FillSolid(canvas, RECT{rect.left, rect.top, rect.right, rect.top + 1}, s);
    ui::FillSolid(canvas, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, e);
    for (int y = rect.top + 1; y <= rect.bottom - 2; ++y)
        ui::FillSolid(canvas, RECT{rect.left, y, rect.right, y + 1}, GradientColorAt(s, e, span, y - rect.top - 1));
}

void GradientFillHorizontal(HDC canvas, const RECT& rect, uint32_t startColor, uint32_t endColor) {
    if (!canvas || rect.right <= rect.left) return;
    const uint32_t s = ui::ToRgb(startColor), e = ui::ToRgb(endColor);
    const int span = rect.right - rect.left;
    ui::FillSolid(canvas, RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, s);
    ui::FillSolid(canvas, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, e);
    for (int x = rect.left + 1; x <= rect.right - 2; ++x)
        ui::FillSolid(canvas, RECT{x, rect.top, x + 1, rect.bottom}, GradientColorAt(s, e, span, x - rect.left));
}

bool HasPublishedProperty(const ui::Component* component, const std::string& propertyName) {
    if (!dynamic_cast<const Themed*>(component)) return false;
    const ui::WideArg name(propertyName);
    return lstrcmpiW(name, L"FileTheme") == 0 || lstrcmpiW(name, L"UIStyle") == 0;
}

bool IsFormActive(const ui::Form* form) {
    const ui::Form* main = ui::Application::instance().mainForm();
    if (!main) return OwnActiveFlag(form);
    const bool mdi = MdiClient(main) != nullptr;
    if (mdi && form == main) return true;
    if (!ApplicationActive()) return false;
    if (!form || form == main) return true;
    if (mdi) {
        HWND client = MdiClient(main);
        HWND active = client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
        if (active && active == form->handle()) return true;
        return OwnActiveFlag(form);
    }
    return OwnActiveFlag(form);
}

std::string FitTextWithEllipsis(HDC canvas, const std::string& text, int width) {
    return ui::FitKeepingOneCharacter(text, width, [canvas](const std::string& t) {
        SIZE s{};
        s = ui::TextExtent(canvas, t);
        return static_cast<int>(s.cx);
    });
}

void ApplyThemeToChildren(const ui::WinControl* container, UIStyle style, FileTheme* fileTheme) {
    for (ui::WinControl* c : ChildControls(container))
        if (auto* t = dynamic_cast<Themed*>(c)) {
            t->setFileTheme(fileTheme);
            t->setUIStyle(style);
        }
}

UIStyle FormUIStyle(const ui::Component* component) {
    const auto* form = dynamic_cast<const ui::Form*>(component);
    if (!form) return UIStyle::DeepBlue;
    for (ui::WinControl* c : ChildControls(form))
        if (auto* frame = dynamic_cast<ThemedFrame*>(c)) return frame->uiStyle();
    return UIStyle::DeepBlue;
}

} // namespace corvane::skin
