#include "ui/Modal.h"

namespace corvane::ui {

ModalScope::ModalScope(HWND except) : except_(except) {
    EnumThreadWindows(GetCurrentThreadId(), &ModalScope::disableWindow, reinterpret_cast<LPARAM>(this));
}

ModalScope::~ModalScope() {
    for (HWND w : disabled_)
        if (IsWindow(w)) EnableWindow(w, TRUE);
}

BOOL CALLBACK ModalScope::disableWindow(HWND w, LPARAM self) {
    auto* scope = reinterpret_cast<ModalScope*>(self);
    if (w != scope->except_ && IsWindowVisible(w) && IsWindowEnabled(w)) {
        EnableWindow(w, FALSE);
        scope->disabled_.push_back(w);
    }
    return TRUE;
}

} // namespace corvane::ui
