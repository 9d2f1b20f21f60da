#include "ui/Dpi.h"

namespace corvane::ui {

namespace {
// The DPI the system last told a top-level window, kept on the window itself.
constexpr const wchar_t* kDpiProperty = L"CorvaneDpi";

// Present from Windows 10 1607 on; looked up so the program still starts on older systems.
using DpiForWindowFn = UINT(WINAPI*)(HWND);
DpiForWindowFn DpiForWindow() {
    static const auto f = reinterpret_cast<DpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return f;
}
} // namespace

int ScreenDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : kDesignDpi;
    if (dc) ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : kDesignDpi;
}

void SetWindowDpi(HWND topLevel, int dpi) {
    if (topLevel) SetPropW(topLevel, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}

void ForgetWindowDpi(HWND topLevel) {
    if (topLevel) RemovePropW(topLevel, kDpiProperty);
}

int DpiOf(HWND window) {
    if (window)
        if (HWND root = GetAncestor(window, GA_ROOT))
            if (const auto told = reinterpret_cast<INT_PTR>(GetPropW(root, kDpiProperty)); told > 0)
                return static_cast<int>(told);
    if (window && DpiForWindow())
        if (const UINT dpi = DpiForWindow()(window)) return static_cast<int>(dpi);
    return ScreenDpi();
}

void AdjustWindowRectForDpi(RECT& r, DWORD style, DWORD exStyle, int dpi) {
    using Adjust = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = reinterpret_cast<Adjust>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi"));
    if (adjust && adjust(&r, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
}

} // namespace corvane::ui
