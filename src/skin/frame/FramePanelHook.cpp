// The hook in front of the form's window procedure, and taking it off again.
#include "skin/frame/FramePanel.h"

#include "skin/frame/FramePanelParts.h"
#include "ui/Errors.h"

namespace corvane::skin {

using detail::hooked;
using detail::kFrameChanged;

namespace detail {

std::unordered_map<HWND, FramePanel*>& hooked() {
    static std::unordered_map<HWND, FramePanel*> m;
    return m;
}

} // namespace detail

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

} // namespace corvane::skin
