// Letting go of the form: its caption back, its messages no longer seen first.
#include "skin/frame/FramePanel.h"

#include "skin/frame/FramePanelParts.h"

namespace corvane::skin {

using detail::kFrameChanged;

void FramePanel::detach() {
    HWND h = formHwnd_;
    if (!h) return;
    formHook_.remove();
    formHwnd_ = nullptr;
    if (!IsWindow(h)) return;
    SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) | WS_CAPTION);
    SetWindowPos(h, nullptr, 0, 0, 0, 0, kFrameChanged);
}

} // namespace corvane::skin
