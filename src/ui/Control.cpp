#include "ui/Control.h"
#include "ui/WideText.h"
#include "ui/Accessible.h"
#include "ui/Errors.h"
#include <algorithm>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace corvane::ui {

namespace {
// Window to object maps, kept in the process: every message looks its object up, and
// window properties would cost a trip to the window server under Wine.
std::unordered_map<HWND, WinControl*>& Objects() {
    static std::unordered_map<HWND, WinControl*> m;
    return m;
}
std::unordered_map<HWND, WinControl*>& NotifyTargets() {
    static std::unordered_map<HWND, WinControl*> m;
    return m;
}
WinControl* Lookup(std::unordered_map<HWND, WinControl*>& m, HWND h) {
    auto it = m.find(h);
    return it == m.end() ? nullptr : it->second;
}
// Windows that report to a control (a tool bar's tips) are not ours and tell us nothing
// when they go; their entries go with the control, or a later window given the same
// handle would report to a dead object.
void ForgetNotifyTargetsOf(const WinControl* target) {
    std::erase_if(NotifyTargets(), [target](const auto& entry) { return entry.second == target; });
}
} // namespace

void RegisterWindowClass(const WindowClass& cls, WNDPROC proc) {
    static std::set<std::string> registered;
    if (registered.count(cls.name)) return;
    // Every class of ours is a Unicode one: text of the user passes through all of them.
    const WideArg className(cls.name);
    const WideArg icon(cls.iconResource ? cls.iconResource : "");
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = cls.style;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    if (cls.iconResource) wc.hIcon = LoadIconW(wc.hInstance, icon);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr; // our windows paint their whole background themselves
    wc.lpszClassName = className;
    if (RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) registered.insert(cls.name);
}

WinControl::WinControl(Component* owner, std::string name, Lifetime lifetime)
    : Component(owner, std::move(name), lifetime) {}

WinControl::~WinControl() {
    // An aligned control leaves room that its siblings take up; a parent already
    // on its way out is no longer found.
    HWND parent = align_ != Align::None && parentControl() ? GetParent(hwnd_) : nullptr;
    HWND h = unbind();
    destroyComponents(); // a hook among them leaves while the window is still there
    dropHooks();
    if (h) DestroyWindow(h);
    if (WinControl* p = fromHandle(parent)) p->realign();
}

HWND WinControl::unbind() {
    ForgetNotifyTargetsOf(this);
    HWND h = hwnd_;
    if (!h) return nullptr;
    if (oldProc_) SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
    Objects().erase(h);
    hwnd_ = nullptr;
    oldProc_ = nullptr;
    return h;
}

void WinControl::destroyHandle() {
    HWND h = unbind();
    dropHooks();
    if (h) DestroyWindow(h);
}

void WinControl::addMessageHook(MessageHook& hook) {
    hook.remove();
    hooks_.push_back(&hook);
    hook.control_ = this;
}

void WinControl::removeMessageHook(MessageHook& hook) {
    if (hook.control_ != this) return;
    std::erase(hooks_, &hook);
    hook.control_ = nullptr;
}

void MessageHook::remove() {
    if (control_) control_->removeMessageHook(*this);
}

void WinControl::dropHooks() {
    const std::vector<MessageHook*> hooks = std::move(hooks_);
    hooks_.clear();
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
        MessageHook* hook = *it;
        hook->control_ = nullptr;
        if (hook->onUnhooked_) hook->onUnhooked_();
    }
}

LRESULT MessageChain::operator()(UINT msg, WPARAM wp, LPARAM lp) const {
    return control_->passOn(window_, after_, msg, wp, lp);
}

WinControl* WinControl::fromHandle(HWND h) { return h ? Lookup(Objects(), h) : nullptr; }

void SetNotifyTarget(HWND from, WinControl* target) {
    if (!from) return;
    if (target) NotifyTargets()[from] = target;
    else NotifyTargets().erase(from);
}

void WinControl::bind(HWND h) {
    hwnd_ = h;
    Objects()[h] = this;
}

void WinControl::attach(HWND h) {
    bind(h);
    oldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WinControl::stdWndProc)));
}

WinControl::Placement WinControl::designed(HWND parent, int x, int y, int w, int h) {
    designBounds_ = Rect{x, y, x + w, y + h};
    // Place and size each scaled, as the system scales a dialog's units: a 21-pixel edit is
    // 32 high at 150 percent wherever it sits.
    const Scaler s = ScalerOf(parent);
    return {s(x), s(y), s(w), s(h)};
}

void WinControl::dpiChanged(const Scaler&, const Scaler& to) {
    if (!designBounds_ || !hwnd_) return;
    const Rect& d = *designBounds_;
    setBounds(to(d.left), to(d.top), to(d.width()), to(d.height()));
}

HWND WinControl::createControl(const char* className, DWORD style, DWORD exStyle, int x, int y, int w, int h,
                               HWND parent, const char* text) {
    HWND wnd = CreateWindowExW(exStyle, WideArg(className), WideArg(text ? text : ""), style | WS_CHILD, x, y, w, h,
                               parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (wnd) attach(wnd);
    return wnd;
}

HWND WinControl::createWindow(const WindowClass& cls, DWORD style, DWORD exStyle, int x, int y, int w, int h,
                              HWND parent, const char* text) {
    RegisterWindowClass(cls, &WinControl::entryProc);
    return CreateWindowExW(exStyle, WideArg(cls.name), WideArg(text ? text : ""), style, x, y, w, h, parent, nullptr,
                           GetModuleHandleW(nullptr), this);
}

// The first procedure of our own classes: binds the object passed at creation.
LRESULT CALLBACK WinControl::entryProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
        if (auto* self = static_cast<WinControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams)) self->bind(h);
    return stdWndProc(h, msg, wp, lp);
}

LRESULT CALLBACK WinControl::stdWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    WinControl* self = fromHandle(h);
    if (!self) return DefWindowProcW(h, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        LRESULT r = self->passOn(h, nullptr, msg, wp, lp);
        if (self->oldProc_) SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->oldProc_));
        Objects().erase(h);
        NotifyTargets().erase(h);
        ForgetNotifyTargetsOf(self);
        self->hwnd_ = nullptr;
        self->oldProc_ = nullptr;
        self->dropHooks();
        return r;
    }
    return self->passOn(h, nullptr, msg, wp, lp);
}

LRESULT WinControl::passOn(HWND h, const MessageHook* after, UINT msg, WPARAM wp, LPARAM lp) {
    // A hook that left while it had the message hands it straight to the control.
    auto older = hooks_.end();
    if (!after) older = hooks_.empty() ? hooks_.end() : hooks_.end() - 1;
    else if (auto at = std::find(hooks_.begin(), hooks_.end(), after); at != hooks_.end() && at != hooks_.begin())
        older = at - 1;
    LRESULT result = 0;
    if (older != hooks_.end()) {
        MessageHook* hook = *older;
        Guarded([&] { result = hook->handler_(msg, wp, lp, MessageChain(this, h, hook)); });
        return result;
    }
    // The window's last message reaches the platform only: the object is letting go of it.
    if (msg == WM_NCDESTROY) return defaultHandler(msg, wp, lp);
    Guarded([&] {
        result = dispatch(msg, wp, lp);
        if ((msg == WM_SIZE || msg == WM_WINDOWPOSCHANGED) && fromHandle(h) == this) moved(msg, wp, lp);
    });
    return result;
}

LRESULT WinControl::dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (reflect(msg, wp, lp, result)) return result;
    if (AccessibleSourceFactory f = accessibleFactory(); f && AccessibleMessage(handle(), msg, wp, lp, f, result))
        return result;
    return wndProc(msg, wp, lp);
}

bool WinControl::reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    HWND child = nullptr;
    switch (msg) {
    case WM_COMMAND: child = reinterpret_cast<HWND>(lp); break;
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(lp)->hwndFrom; break;
    case WM_DRAWITEM:
        if (wp) child = reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem;
        break;
    case WM_MEASUREITEM:
        if (wp) child = GetDlgItem(hwnd_, static_cast<int>(wp));
        break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORDLG: child = reinterpret_cast<HWND>(lp); break;
    default: return false;
    }
    if (!child || child == hwnd_) return false;
    WinControl* target = fromHandle(child);
    if (!target) target = Lookup(NotifyTargets(), child);
    if (!target) return false;
    return target->reflected(msg, wp, lp, result);
}

bool WinControl::reflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT WinControl::wndProc(UINT msg, WPARAM wp, LPARAM lp) { return defaultHandler(msg, wp, lp); }

LRESULT WinControl::defaultHandler(UINT msg, WPARAM wp, LPARAM lp) {
    if (oldProc_) return CallWindowProcW(oldProc_, hwnd_, msg, wp, lp);
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void WinControl::setBounds(int x, int y, int w, int h) {
    if (hwnd_) SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT WinControl::boundsRect() const {
    RECT r{};
    if (!hwnd_) return r;
    GetWindowRect(hwnd_, &r);
    HWND parent = GetParent(hwnd_);
    if (parent && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT WinControl::clientRect() const {
    RECT r{};
    if (hwnd_) GetClientRect(hwnd_, &r);
    return r;
}

int WinControl::width() const {
    RECT r = boundsRect();
    return r.right - r.left;
}
int WinControl::height() const {
    RECT r = boundsRect();
    return r.bottom - r.top;
}

void WinControl::setHeight(int h) {
    RECT r = boundsRect();
    setBounds(r.left, r.top, r.right - r.left, h);
}

bool WinControl::visible() const { return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE); }
void WinControl::setVisible(bool v) {
    if (!hwnd_) return;
    ShowWindow(hwnd_, v ? SW_SHOW : SW_HIDE);
    // Under a hidden parent the system only flips the style and tells no one.
    if (align_ != Align::None)
        if (WinControl* p = parentControl()) p->realign();
}
bool WinControl::enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
void WinControl::setEnabled(bool e) {
    if (hwnd_) EnableWindow(hwnd_, e);
}
bool WinControl::tabStop() const { return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_TABSTOP); }

void WinControl::setTabStop(bool t) {
    if (!hwnd_) return;
    const LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
    SetWindowLongW(hwnd_, GWL_STYLE, t ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

std::string WinControl::text() const {
    if (!hwnd_) return {};
    return WindowText(hwnd_);
}

void WinControl::setText(const std::string& s) {
    if (hwnd_) SetWindowTextW(hwnd_, WideArg(s));
}
void WinControl::invalidate(bool erase) {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, erase);
}
void WinControl::repaint() {
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
    }
}
void WinControl::setFocus() {
    if (hwnd_) SetFocus(hwnd_);
}
void WinControl::setFont(HFONT f, bool redraw) {
    if (hwnd_) perform(WM_SETFONT, reinterpret_cast<WPARAM>(f), redraw);
}

WinControl* WinControl::parentControl() const {
    if (!hwnd_ || !(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD)) return nullptr;
    return fromHandle(GetParent(hwnd_));
}

void WinControl::setAlign(Align a) {
    if (a == align_) return;
    align_ = a;
    if (WinControl* p = parentControl()) p->realign();
}

void WinControl::moved(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE) {
        if (wp != SIZE_MINIMIZED) realign();
        return;
    }
    const UINT flags = reinterpret_cast<const WINDOWPOS*>(lp)->flags;
    const bool changed = (flags & (SWP_NOSIZE | SWP_NOMOVE)) != (SWP_NOSIZE | SWP_NOMOVE) ||
                         (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW));
    if (align_ != Align::None && changed)
        if (WinControl* p = parentControl()) p->realign();
}

void WinControl::realign() {
    if (!hwnd_ || aligning_) return;
    std::vector<WinControl*> children; // in z-order
    for (HWND c = GetWindow(hwnd_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (WinControl* k = fromHandle(c); k && k->align_ != Align::None && k->visible()) children.push_back(k);
    if (children.empty()) return;
    struct Busy {
        bool& flag;
        explicit Busy(bool& f) : flag(f) { flag = true; }
        ~Busy() { flag = false; }
    } busy(aligning_);
    RECT r = alignRect();
    auto span = [](LONG from, LONG to) { return std::max<int>(0, to - from); };
    for (Align a : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
        std::vector<std::pair<int, WinControl*>> group; // distance from the edge
        for (WinControl* k : children) {
            if (k->align_ != a) continue;
            const RECT b = k->boundsRect();
            const int d = a == Align::Top      ? b.top
                          : a == Align::Bottom ? -b.bottom
                          : a == Align::Left   ? b.left
                                               : -b.right;
            group.emplace_back(d, k);
        }
        std::stable_sort(group.begin(), group.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
        for (const auto& [d, k] : group) {
            const int w = k->width(), h = k->height();
            switch (a) {
            case Align::Top:
                k->setBounds(r.left, r.top, span(r.left, r.right), h);
                r.top += h;
                break;
            case Align::Bottom:
                k->setBounds(r.left, r.bottom - h, span(r.left, r.right), h);
                r.bottom -= h;
                break;
            case Align::Left:
                k->setBounds(r.left, r.top, w, span(r.top, r.bottom));
                r.left += w;
                break;
            case Align::Right:
                k->setBounds(r.right - w, r.top, w, span(r.top, r.bottom));
                r.right -= w;
                break;
            default: k->setBounds(r.left, r.top, span(r.left, r.right), span(r.top, r.bottom)); break;
            }
        }
    }
}

} // namespace corvane::ui
