// Reading objects as a screen reader does, for the Win32 and end-to-end tests.
#pragma once
#include <windows.h>
#include <oleacc.h>
#include <memory>
#include <string>
#include <vector>

namespace corvane::test {

using AccPtr = std::shared_ptr<IAccessible>;

inline AccPtr Own(IAccessible* a) {
    return AccPtr(a, [](IAccessible* p) {
        if (p) p->Release();
    });
}

inline AccPtr ObjectOf(HWND w) {
    IAccessible* a = nullptr;
    AccessibleObjectFromWindow(w, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&a));
    return Own(a);
}

inline VARIANT Id(long id) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

struct Reading {
    long role = 0, state = 0;
    std::string name, value, shortcut, action;
};

inline std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible* a, long id) {
    BSTR b = nullptr;
    if ((a->*get)(Id(id), &b) != S_OK || !b) return {};
    char buf[512] = {};
    WideCharToMultiByte(CP_ACP, 0, b, -1, buf, sizeof buf, nullptr, nullptr);
    SysFreeString(b);
    return buf;
}

inline Reading Read(IAccessible* a, long id = CHILDID_SELF) {
    Reading r;
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(a->get_accRole(Id(id), &v)) && v.vt == VT_I4) r.role = v.lVal;
    VariantInit(&v);
    if (SUCCEEDED(a->get_accState(Id(id), &v)) && v.vt == VT_I4) r.state = v.lVal;
    r.name = Text(&IAccessible::get_accName, a, id);
    r.value = Text(&IAccessible::get_accValue, a, id);
    r.shortcut = Text(&IAccessible::get_accKeyboardShortcut, a, id);
    r.action = Text(&IAccessible::get_accDefaultAction, a, id);
    return r;
}

// One object of a tree: the object that answers for it and its child id there.
struct Node {
    AccPtr holder;
    long id = CHILDID_SELF;
    int depth = 0;
    Reading reading;
};

// The object and everything under it, depth first, as AccessibleChildren gives it:
// objects for windows, ids for the simple elements a control draws.
inline void Walk(const AccPtr& a, std::vector<Node>& out, int depth = 0) {
    if (!a) return;
    out.push_back({a, CHILDID_SELF, depth, Read(a.get())});
    long count = 0;
    if (FAILED(a->get_accChildCount(&count)) || count <= 0) return;
    std::vector<VARIANT> kids(static_cast<size_t>(count));
    long got = 0;
    if (FAILED(AccessibleChildren(a.get(), 0, count, kids.data(), &got))) return;
    for (long i = 0; i < got; ++i) {
        VARIANT& k = kids[static_cast<size_t>(i)];
        if (k.vt == VT_DISPATCH && k.pdispVal) {
            IAccessible* c = nullptr;
            k.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&c));
            Walk(Own(c), out, depth + 1);
        } else if (k.vt == VT_I4) {
            out.push_back({a, k.lVal, depth + 1, Read(a.get(), k.lVal)});
        }
        VariantClear(&k);
    }
}

inline std::vector<Node> Tree(HWND w) {
    std::vector<Node> out;
    Walk(ObjectOf(w), out);
    return out;
}

inline const Node* Find(const std::vector<Node>& nodes, long role, const std::string& name) {
    for (const Node& n : nodes)
        if (n.reading.role == role && n.reading.name == name) return &n;
    return nullptr;
}

// The names of the direct children of the tree's root, in order.
inline std::vector<std::string> ChildNames(const std::vector<Node>& nodes) {
    std::vector<std::string> names;
    for (const Node& n : nodes)
        if (n.depth == 1) names.push_back(n.reading.name);
    return names;
}

} // namespace corvane::test
