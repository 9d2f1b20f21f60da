// Whether a window may be given the keyboard focus.
#pragma once
#include <windows.h>

namespace corvane::ui {

// Visible, and enabled together with every parent up to its top-level window.
inline bool CanTakeFocus(HWND window) {
    if (!window || !IsWindowVisible(window)) return false;
    for (HWND w = window; w; w = GetParent(w)) {
        if (!IsWindowEnabled(w)) return false;
        if (!(GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) break;
    }
    return true;
}

} // namespace corvane::ui
