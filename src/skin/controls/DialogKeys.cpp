#include "skin/controls/DialogKeys.h"

#include "ui/Control.h"
#include "ui/Form.h"

namespace corvane::skin {

namespace {

// Offers the message to the window's skinned controls, depth first in z-order.
bool Offer(HWND parent, UINT msg, WPARAM wp, LPARAM lp) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (dynamic_cast<DialogKeyTarget*>(ui::WinControl::fromHandle(c)) && IsWindowVisible(c) &&
            SendMessageW(c, msg, wp, lp))
            return true;
        if (Offer(c, msg, wp, lp)) return true;
    }
    return false;
}

bool Route(MSG& m) {
    if (!m.hwnd) return false;
    const bool key = m.message == WM_KEYDOWN && (m.wParam == VK_RETURN || m.wParam == VK_ESCAPE);
    const bool chr = m.message == WM_CHAR || m.message == WM_SYSCHAR;
    if (!key && !chr) return false;
    if (!ui::FormOf(m.hwnd)) return false;
    HWND root = GetAncestor(m.hwnd, GA_ROOT);
    const LRESULT code = SendMessageW(m.hwnd, WM_GETDLGCODE, m.wParam, reinterpret_cast<LPARAM>(&m));
    if (key) {
        if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
        return Offer(root, ui::msg::DialogKey, m.wParam, m.lParam);
    }
    if (m.message == WM_CHAR && (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) return false;
    return Offer(root, ui::msg::DialogChar, m.wParam, m.lParam);
}

} // namespace

DialogKeyTarget::DialogKeyTarget() : router_(&Route) {}

bool AltHeld(LPARAM keyData) { return (keyData & 0x20000000) != 0 || GetKeyState(VK_MENU) < 0; }

} // namespace corvane::skin
