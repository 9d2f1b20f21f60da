#include "ui/Form.h"
#include "ui/Accessible.h"
#include "ui/Application.h"
#include "ui/Errors.h"
#include "ui/Gdi.h"
#include "ui/Modal.h"
#include "ui/WideText.h"
#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <tuple>

namespace corvane::ui {

HFONT MakeUiFont(int height, const char* face, int weight) {
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, WideArg(face ? face : ""));
}

namespace {
int TextWidth(const LOGFONTW& lf, int height, const std::string& text) {
    LOGFONTW at = lf;
    at.lfHeight = height;
    at.lfWidth = 0;
    FontHandle f(CreateFontIndirectW(&at));
    WindowDc screen(nullptr);
    SelectObjectScope keep(screen.get(), f.get());
    return TextExtent(screen.get(), text).cx;
}
} // namespace

int FittedFontHeight(int designHeight, int dpi, LOGFONTW lf, const std::string& text) {
    const int scaled = ScaleToDpi(designHeight, dpi);
    if (dpi == kDesignDpi || designHeight >= -1 || text.empty()) return scaled;
    static std::mutex lock;
    static std::map<std::tuple<int, int, std::wstring, LONG, std::string>, int> known;
    const std::lock_guard<std::mutex> hold(lock);
    auto [at, fresh] = known.try_emplace({designHeight, dpi, lf.lfFaceName, lf.lfWeight, text}, scaled);
    if (!fresh) return at->second;
    const int room = ScaleToDpi(TextWidth(lf, designHeight, text), dpi);
    // Hinting rounds every letter, so a little over is what any size gives and the design's
    // layouts leave that much spare. Not down to the design height: there a scaled window
    // reads worse than a cut word.
    for (int h = scaled; h < designHeight; ++h)
        if (TextWidth(lf, h, text) * 1000LL <= room * 1015LL) return at->second = h;
    return scaled;
}

HFONT GuiFont(int dpi) {
    // Fitted to text of every letter, so sibling controls keep one size.
    static const std::string kSample = "The quick brown fox jumps over the lazy dog. PACK MY BOX WITH FIVE DOZEN JUGS";
    HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW lf{};
    if (dpi == kDesignDpi || !GetObjectW(stock, sizeof lf, &lf)) return stock;
    lf.lfHeight = FittedFontHeight(-11, dpi, lf, kSample);
    lf.lfWidth = 0;
    static std::mutex lock;
    static std::map<std::pair<int, LONG>, FontHandle> made;
    const std::lock_guard<std::mutex> hold(lock);
    FontHandle& f = made[{dpi, lf.lfHeight}];
    if (!f) f.reset(CreateFontIndirectW(&lf));
    return f ? f.get() : stock;
}

Form::Form(Component* owner, std::string name, Lifetime lifetime) : WinControl(owner, std::move(name), lifetime) {}

void Form::createParams(CreateParams& p) {
    // Copied whole, NUL padded to the field.
    const std::string& cls = Application::instance().formClassName();
    std::memset(p.winClassName, 0, sizeof p.winClassName);
    std::memcpy(p.winClassName, cls.data(), std::min(cls.size(), sizeof p.winClassName));
    p.caption = caption;
    if (dialogBorder) {
        p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
        p.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    }
    p.parent = ownerWindow();
    const SIZE size = windowSizeAt(creationDpi(), p.style, p.exStyle);
    p.width = size.cx;
    p.height = size.cy;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (position == FormPosition::OwnerFormCenter && p.parent) GetWindowRect(p.parent, &area);
    if (position != FormPosition::Designed) {
        p.x = area.left + (area.right - area.left - p.width) / 2;
        p.y = area.top + (area.bottom - area.top - p.height) / 2;
    }
}

int Form::creationDpi() const {
    HWND owner = ownerWindow();
    return owner ? DpiOf(owner) : ScreenDpi();
}

HWND Form::ownerWindow() const {
    for (Component* o = owner(); o; o = o->owner())
        if (auto* w = dynamic_cast<WinControl*>(o); w && w->handle()) return w->handle();
    return nullptr;
}

SIZE Form::windowSizeAt(int dpi, DWORD style, DWORD exStyle) const {
    const Scaler s(dpi);
    RECT r{0, 0, s(clientWidth), s(clientHeight)};
    AdjustWindowRectForDpi(r, style, exStyle, s.dpi());
    return {r.right - r.left, r.bottom - r.top};
}

void Form::create() {
    CreateParams p;
    createParams(p);
    char cls[sizeof p.winClassName + 1] = {};
    std::memcpy(cls, p.winClassName, sizeof p.winClassName);
    font_.reset(MakeUiFont(Scaler(creationDpi())(-11)));
    brush_.reset(CreateSolidBrush(color));
    const WindowClass wc{cls, CS_DBLCLKS, Application::instance().iconResource()};
    if (!createWindow(wc, p.style, p.exStyle, p.x, p.y, p.width, p.height, p.parent, p.caption.c_str()))
        throw UiError("Unable to create the window " + name());
    buildComponents();
    Guarded([this] { formCreate(); });
}

void Form::show() {
    if (!handle()) return;
    if (!IsWindowVisible(handle())) {
        try {
            formShow();
        } catch (...) {
            // Open all the same: a later show would run the handler, and fill the list, again.
            ShowWindow(handle(), SW_SHOW);
            throw;
        }
        ShowWindow(handle(), SW_SHOW);
        UpdateWindow(handle());
    } else {
        ShowWindow(handle(), SW_SHOW);
    }
}

void Form::hide() {
    if (handle()) ShowWindow(handle(), SW_HIDE);
}

void Form::close() {
    if (handle()) SendMessageW(handle(), WM_CLOSE, 0, 0);
}

ModalResult Form::showModal() {
    if (!handle()) create();
    HWND previouslyActive = GetActiveWindow();
    {
        ModalScope others(handle());
        modal_ = true;
        modalResult_ = ModalResult::None;
        show();
        SetActiveWindow(handle());
        Application::instance().runModalLoop([this] { return modalResult_ != ModalResult::None || !handle(); });
    }
    if (handle()) hide();
    modal_ = false;
    if (previouslyActive && IsWindow(previouslyActive)) SetActiveWindow(previouslyActive);
    return modalResult_;
}

Form* FormOf(HWND window) {
    return window ? dynamic_cast<Form*>(WinControl::fromHandle(GetAncestor(window, GA_ROOT))) : nullptr;
}

void ClickButton(const WinControl& button, ModalResult result, const std::function<void()>& onClick) {
    if (Form* form = ParentForm(button)) form->setModalResult(result);
    if (onClick) Guarded(onClick);
}

// Dialogs give the focus back to the control that had it, or else to their first
// control, instead of leaving it on the window itself.
void Form::keepFocus(WPARAM activation) {
    HWND form = handle();
    HWND focus = GetFocus();
    if (LOWORD(activation) == WA_INACTIVE) {
        if (focus && IsChild(form, focus)) activeControl_ = focus;
        return;
    }
    if (HIWORD(activation)) return; // minimised
    HWND saved = activeControl_;
    if (saved && IsWindow(saved) && IsChild(form, saved) && IsWindowVisible(saved) && IsWindowEnabled(saved)) {
        SetFocus(saved);
        return;
    }
    if (focus && IsChild(form, focus)) return;
    if (HWND first = GetNextDlgTabItem(form, nullptr, FALSE)) SetFocus(first);
}

bool Form::preTranslateMessage(MSG& m) {
    if (dialogNavigation && handle() && (m.hwnd == handle() || IsChild(handle(), m.hwnd)) && m.message == WM_KEYDOWN &&
        (m.wParam == VK_TAB))
        return IsDialogMessageW(handle(), &m) != FALSE;
    return false;
}

namespace {
struct FontSwap {
    HFONT from, to;
};
BOOL CALLBACK SwapChildFont(HWND child, LPARAM lp) {
    const auto* swap = reinterpret_cast<const FontSwap*>(lp);
    if (reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) == swap->from)
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(swap->to), FALSE);
    return TRUE;
}
void RescaleOwned(const Component& owner, const Scaler& from, const Scaler& to) {
    for (Component* c : owner.components()) {
        c->dpiChanged(from, to);
        RescaleOwned(*c, from, to);
    }
}
} // namespace

void Form::rescale(const Scaler& from, const Scaler& to) {
    SetWindowDpi(handle(), to.dpi());
    // Children that took the form's font take the new one before the old one goes.
    FontHandle fresh(MakeUiFont(to(-11)));
    const FontSwap swap{font_.get(), fresh.get()};
    EnumChildWindows(handle(), &SwapChildFont, reinterpret_cast<LPARAM>(&swap));
    // Kept while the form lives: a control that holds it without saying so draws nothing wrong.
    retiredFonts_.push_back(std::move(font_));
    font_ = std::move(fresh);
    RescaleOwned(*this, from, to);
}

AccessibleSourceFactory Form::accessibleFactory() const { return &FormAccessible; }

LRESULT Form::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_.get());
    case kGetDpiScaledSizeMessage: {
        // The frame's width does not grow in step with the DPI: ask for exactly the
        // design's client size at the new DPI, so the window is not a pixel off after a move.
        auto* size = reinterpret_cast<SIZE*>(lp);
        if (!size || static_cast<int>(wp) <= 0) return FALSE;
        *size = windowSizeAt(static_cast<int>(wp), static_cast<DWORD>(GetWindowLongW(handle(), GWL_STYLE)),
                             static_cast<DWORD>(GetWindowLongW(handle(), GWL_EXSTYLE)));
        return TRUE;
    }
    case kDpiChangedMessage: {
        // Moved to a screen of another scale: the design again at the new DPI, in the
        // rectangle the system suggests, painted once.
        const int from = DpiOf(handle()), to = HIWORD(wp);
        if (to > 0 && to != from) rescale(Scaler(from), Scaler(to));
        if (const auto* r = reinterpret_cast<const RECT*>(lp))
            SetWindowPos(handle(), nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        return 0;
    }
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(handle(), &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, brush_.get());
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Plain child controls sit on the form's colour.
        HDC dc = reinterpret_cast<HDC>(wp);
        SetBkColor(dc, color);
        return reinterpret_cast<LRESULT>(brush_.get());
    }
    case WM_CLOSE:
        if (modal_) {
            modalResult_ = ModalResult::Cancel;
            return 0;
        }
        if (Application::instance().mainForm() == this) {
            DestroyWindow(handle());
            return 0;
        }
        hide();
        return 0;
    case WM_ACTIVATE:
        if (dialogNavigation) {
            LRESULT r = defaultHandler(msg, wp, lp);
            keepFocus(wp);
            return r;
        }
        break;
    case WM_DESTROY:
        ForgetWindowDpi(handle());
        if (Application::instance().mainForm() == this) PostQuitMessage(0);
        if (onDestroyed) onDestroyed();
        break;
    }
    return defaultHandler(msg, wp, lp);
}

} // namespace corvane::ui
