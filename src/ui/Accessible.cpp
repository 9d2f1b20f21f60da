#include "ui/Accessible.h"
#include "ui/WideText.h"
#include "ui/Control.h"
#include <ole2.h>
#include <vector>

namespace corvane::ui {

namespace {

// IIDs through __uuidof: the import libraries disagree on who defines them.
const IID& kIAccessible = __uuidof(IAccessible);

BSTR ToBstr(const std::string& s) {
    if (s.empty()) return nullptr;
    const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    BSTR b = SysAllocStringLen(nullptr, static_cast<UINT>(n));
    if (b) MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), b, n);
    return b;
}

// A text answer: S_FALSE and no string when there is nothing to say.
HRESULT Answer(const std::string& s, BSTR* out) {
    if (!out) return E_POINTER;
    *out = ToBstr(s);
    if (s.empty()) return S_FALSE;
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT Answer(long n, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = n;
    return S_OK;
}

// The empty answer an out parameter holds until there is a real one.
void ClearAnswer(BSTR* out) { *out = nullptr; }
void ClearAnswer(VARIANT* out) { VariantInit(out); }

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> all;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c)) all.push_back(c);
    return all;
}

IDispatch* ClientObjectOf(HWND w) {
    IDispatch* d = nullptr;
    if (FAILED(AccessibleObjectFromWindow(w, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IDispatch),
                                          reinterpret_cast<void**>(&d))))
        return nullptr;
    return d;
}

class AccessibleObject final : public IAccessible, public IOleWindow {
public:
    explicit AccessibleObject(std::unique_ptr<AccessibleSource> source) : source_(std::move(source)) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == kIAccessible)
            *out = static_cast<IAccessible*>(this);
        else if (iid == __uuidof(IOleWindow)) *out = static_cast<IOleWindow*>(this);
        else return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

    // IDispatch: clients call the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        if (!n) return E_POINTER;
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* w) override {
        if (!w) return E_POINTER;
        *w = source_->window();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!alive()) return RPC_E_DISCONNECTED;
        HWND w = source_->window();
        if (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) {
            *parent = ClientObjectOf(GetParent(w));
            return *parent ? S_OK : S_FALSE;
        }
        IAccessible* s = standard();
        return s ? s->get_accParent(parent) : S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        if (!alive()) return RPC_E_DISCONNECTED;
        *count = source_->elementCount() + static_cast<long>(ChildWindows(source_->window()).size());
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!alive()) return RPC_E_DISCONNECTED;
        if (child.vt != VT_I4) return E_INVALIDARG;
        if (child.lVal == CHILDID_SELF) return E_INVALIDARG;
        if (element(child)) return S_FALSE; // simple elements have no object of their own
        if (HWND w = childWindow(child)) {
            *out = ClientObjectOf(w);
            return *out ? S_OK : S_FALSE;
        }
        return E_INVALIDARG;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        return property(child, out, &AccessibleSource::name, &AccessibleElement::name, &IAccessible::get_accName);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return property(child, out, &AccessibleSource::value, &AccessibleElement::value, &IAccessible::get_accValue);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!alive()) return RPC_E_DISCONNECTED;
        if (!isSelf(child)) return validChild(child) ? S_FALSE : E_INVALIDARG;
        return Answer(source_->description(), out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        return property(child, out, &AccessibleSource::role, &AccessibleElement::role, &IAccessible::get_accRole);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        return property(child, out, &AccessibleSource::state, &AccessibleElement::state, &IAccessible::get_accState);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return property(child, out, &AccessibleSource::shortcut, &AccessibleElement::shortcut,
                        &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        if (!alive()) return RPC_E_DISCONNECTED;
        HWND w = source_->window(), focus = ::GetFocus();
        if (focus == w) {
            out->vt = VT_I4;
            out->lVal = CHILDID_SELF;
            return S_OK;
        }
        for (HWND c : ChildWindows(w))
            if (focus && (c == focus || IsChild(c, focus))) {
                if (IDispatch* d = ClientObjectOf(c)) {
                    out->vt = VT_DISPATCH;
                    out->pdispVal = d;
                    return S_OK;
                }
            }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        return property(child, out, &AccessibleSource::defaultAction, &AccessibleElement::defaultAction,
                        &IAccessible::get_accDefaultAction);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        if (!alive()) return RPC_E_DISCONNECTED;
        if (!isSelf(child)) return validChild(child) ? E_NOTIMPL : E_INVALIDARG;
        if (!(flags & SELFLAG_TAKEFOCUS)) return E_NOTIMPL;
        if (!(source_->state() & STATE_SYSTEM_FOCUSABLE)) return S_FALSE;
        ::SetFocus(source_->window());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
        if (!x || !y || !w || !h) return E_POINTER;
        *x = *y = *w = *h = 0;
        if (!alive()) return RPC_E_DISCONNECTED;
        RECT r{};
        if (isSelf(child)) {
            GetClientRect(source_->window(), &r);
        } else if (const auto e = element(child)) {
            r = e->bounds;
        } else {
            return forward(child, [&](IAccessible* a) { return a->accLocation(x, y, w, h, self()); });
        }
        MapWindowPoints(source_->window(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        *x = r.left;
        *y = r.top;
        *w = r.right - r.left;
        *h = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long dir, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        VariantInit(end);
        if (!alive()) return RPC_E_DISCONNECTED;
        long count = 0;
        get_accChildCount(&count);
        long target = 0;
        if (isSelf(start)) {
            if (dir == NAVDIR_FIRSTCHILD) target = count > 0 ? 1 : 0;
            else if (dir == NAVDIR_LASTCHILD) target = count;
            else {
                IAccessible* s = standard();
                return s ? s->accNavigate(dir, start, end) : S_FALSE;
            }
        } else if (validChild(start)) {
            if (dir == NAVDIR_NEXT || dir == NAVDIR_DOWN || dir == NAVDIR_RIGHT) target = start.lVal + 1;
            else if (dir == NAVDIR_PREVIOUS || dir == NAVDIR_UP || dir == NAVDIR_LEFT) target = start.lVal - 1;
            else return E_INVALIDARG;
        } else {
            return E_INVALIDARG;
        }
        if (target < 1 || target > count) return S_FALSE;
        return childVariant(target, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        if (!alive()) return RPC_E_DISCONNECTED;
        HWND w = source_->window();
        POINT p{x, y};
        ScreenToClient(w, &p);
        RECT client{};
        GetClientRect(w, &client);
        if (!PtInRect(&client, p)) return S_FALSE;
        for (int i = 0; i < source_->elementCount(); ++i) {
            const RECT b = source_->element(i).bounds;
            if (PtInRect(&b, p)) return childVariant(i + 1, out);
        }
        const auto windows = ChildWindows(w);
        for (size_t i = 0; i < windows.size(); ++i) {
            RECT r{};
            GetWindowRect(windows[i], &r);
            if (PtInRect(&r, POINT{x, y})) return childVariant(source_->elementCount() + static_cast<long>(i) + 1, out);
        }
        out->vt = VT_I4;
        out->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!alive()) return RPC_E_DISCONNECTED;
        std::string action;
        long state = 0;
        if (isSelf(child)) {
            action = source_->defaultAction();
            state = source_->state();
        } else if (const auto e = element(child)) {
            action = e->defaultAction;
            state = e->state;
        } else {
            return forward(child, [&](IAccessible* a) { return a->accDoDefaultAction(self()); });
        }
        if (action.empty()) return DISP_E_MEMBERNOTFOUND;
        if (state & STATE_SYSTEM_UNAVAILABLE) return E_FAIL;
        return PostMessageW(source_->window(), msg::AccessibleAction, static_cast<WPARAM>(child.lVal), 0) ? S_OK
                                                                                                          : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() {
        if (standard_) standard_->Release();
    }

    static VARIANT self() {
        VARIANT v;
        v.vt = VT_I4;
        v.lVal = CHILDID_SELF;
        return v;
    }
    bool alive() const { return IsWindow(source_->window()) && source_->connected(); }
    static bool isSelf(const VARIANT& v) { return v.vt == VT_I4 && v.lVal == CHILDID_SELF; }
    bool validChild(const VARIANT& v) const {
        long count = 0;
        const_cast<AccessibleObject*>(this)->get_accChildCount(&count);
        return v.vt == VT_I4 && v.lVal >= 1 && v.lVal <= count;
    }
    std::unique_ptr<AccessibleElement> element(const VARIANT& v) const {
        if (v.vt != VT_I4 || v.lVal < 1 || v.lVal > source_->elementCount()) return nullptr;
        return std::make_unique<AccessibleElement>(source_->element(static_cast<int>(v.lVal) - 1));
    }
    HWND childWindow(const VARIANT& v) const {
        if (v.vt != VT_I4) return nullptr;
        const long i = v.lVal - source_->elementCount() - 1;
        const auto windows = ChildWindows(source_->window());
        return i >= 0 && i < static_cast<long>(windows.size()) ? windows[static_cast<size_t>(i)] : nullptr;
    }
    HRESULT childVariant(long id, VARIANT* out) {
        VARIANT v;
        v.vt = VT_I4;
        v.lVal = id;
        IDispatch* d = nullptr;
        if (get_accChild(v, &d) == S_OK && d) {
            out->vt = VT_DISPATCH;
            out->pdispVal = d;
        } else {
            *out = v;
        }
        return S_OK;
    }
    // Questions about a child window go to that window's own object.
    template <class Ask>
    HRESULT forward(const VARIANT& child, Ask ask) {
        HWND w = childWindow(child);
        if (!w) return E_INVALIDARG;
        IDispatch* d = ClientObjectOf(w);
        if (!d) return S_FALSE;
        IAccessible* a = nullptr;
        HRESULT hr = d->QueryInterface(kIAccessible, reinterpret_cast<void**>(&a));
        d->Release();
        if (FAILED(hr) || !a) return S_FALSE;
        hr = ask(a);
        a->Release();
        return hr;
    }
    // A property of the control itself, of one of its simple elements or, asked of its own object, of a
    // child window.
    template <class T, class Out>
    HRESULT property(const VARIANT& child, Out* out, T (AccessibleSource::*own)() const, T AccessibleElement::*field,
                     HRESULT (STDMETHODCALLTYPE IAccessible::*other)(VARIANT, Out*)) {
        if (!out) return E_POINTER;
        ClearAnswer(out);
        if (!alive()) return RPC_E_DISCONNECTED;
        if (isSelf(child)) return Answer((source_.get()->*own)(), out);
        if (const auto e = element(child)) return Answer((*e).*field, out);
        return forward(child, [&](IAccessible* a) { return (a->*other)(self(), out); });
    }
    IAccessible* standard() {
        if (!standard_)
            CreateStdAccessibleObject(source_->window(), OBJID_CLIENT, kIAccessible,
                                      reinterpret_cast<void**>(&standard_));
        return standard_;
    }

    LONG refs_ = 1;
    std::unique_ptr<AccessibleSource> source_;
    IAccessible* standard_ = nullptr;
};

} // namespace

bool AccessibleSource::connected() const { return WinControl::fromHandle(window_) != nullptr; }

WinControl* AccessibleSource::control() const { return WinControl::fromHandle(window_); }

std::string AccessibleSource::name() const {
    const WinControl* c = control();
    return c ? StripMnemonics(c->text()) : std::string();
}

long AccessibleSource::state() const { return WindowStates(window_); }

std::string AccessibleSource::shortcut() const {
    const WinControl* c = control();
    return c ? MnemonicShortcut(c->text()) : std::string();
}

AccessibleElement AccessibleSource::element(int) const { return {}; }

namespace {
class FormSource : public AccessibleSource {
public:
    using AccessibleSource::AccessibleSource;
    long role() const override { return ROLE_SYSTEM_CLIENT; }
    std::string shortcut() const override { return {}; }
};
} // namespace

std::unique_ptr<AccessibleSource> FormAccessible(HWND window) { return std::make_unique<FormSource>(window); }

namespace {
class LabelSource : public AccessibleSource {
public:
    using AccessibleSource::AccessibleSource;
    long role() const override { return ROLE_SYSTEM_STATICTEXT; }
    std::string name() const override {
        const WinControl* c = control();
        return c ? c->text() : std::string();
    }
    long state() const override { return WindowStates(window()) | STATE_SYSTEM_READONLY; }
    std::string shortcut() const override { return {}; }
};
} // namespace

std::unique_ptr<AccessibleSource> LabelAccessible(HWND window) { return std::make_unique<LabelSource>(window); }

bool AccessibleMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp, AccessibleSourceFactory factory, LRESULT& result) {
    if (msg == WM_GETOBJECT) {
        // The object id is a DWORD; 64-bit senders may not sign-extend it.
        if (static_cast<LONG>(static_cast<DWORD>(lp)) != OBJID_CLIENT) return false;
        auto* object = new AccessibleObject(factory(window));
        result = LresultFromObject(kIAccessible, wp, static_cast<IAccessible*>(object));
        object->Release();
        return true;
    }
    if (msg == msg::AccessibleAction) {
        auto source = factory(window);
        if (source->connected()) {
            if (wp == CHILDID_SELF) {
                if (!(source->state() & STATE_SYSTEM_UNAVAILABLE)) source->doDefaultAction();
            } else if (static_cast<int>(wp) <= source->elementCount()) {
                const AccessibleElement e = source->element(static_cast<int>(wp) - 1);
                if (!(e.state & STATE_SYSTEM_UNAVAILABLE)) source->doElementAction(static_cast<int>(wp) - 1);
            }
        }
        result = 0;
        return true;
    }
    return false;
}

AccessibleMessageEvents::~AccessibleMessageEvents() {
    if (!IsWindow(window_)) return;
    if (msg_ == WM_SETTEXT) NotifyAccessible(window_, EVENT_OBJECT_NAMECHANGE);
    else if (msg_ == WM_ENABLE) NotifyAccessible(window_, EVENT_OBJECT_STATECHANGE);
}

void NotifyAccessible(HWND window, DWORD event, LONG child) {
    if (window) NotifyWinEvent(event, window, OBJID_CLIENT, child);
}

std::string StripMnemonics(const std::string& caption) {
    std::string out;
    out.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 >= caption.size()) break;
            ++i;
        }
        out += caption[i];
    }
    return out;
}

std::string MnemonicShortcut(const std::string& caption) {
    const std::wstring text = Widen(caption);
    wchar_t hot = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'&') continue;
        ++i;
        if (i < text.size() && text[i] != L'&') hot = text[i];
    }
    if (!hot) return {};
    wchar_t up[2] = {hot, 0};
    CharUpperW(up);
    return "Alt+" + Narrow(std::wstring_view(up, 1));
}

long WindowStates(HWND w) {
    long s = 0;
    if (!IsWindowVisible(w)) s |= STATE_SYSTEM_INVISIBLE;
    // A control inside a disabled group box cannot be used either; a window disabled
    // behind a modal dialog is not unavailable in itself.
    bool enabled = IsWindowEnabled(w) != FALSE;
    for (HWND p = w; enabled && (GetWindowLongW(p, GWL_STYLE) & WS_CHILD);) {
        p = GetParent(p);
        if (!p) break;
        if ((GetWindowLongW(p, GWL_STYLE) & WS_CHILD) && !IsWindowEnabled(p)) enabled = false;
    }
    if (!enabled) s |= STATE_SYSTEM_UNAVAILABLE;
    if (GetWindowLongW(w, GWL_STYLE) & WS_TABSTOP) s |= STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == w) s |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE;
    return s;
}

} // namespace corvane::ui
