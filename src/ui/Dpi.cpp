#include "ui/Dpi.h"

namespace corvane::ui {

namespace {
// Present from Windows 10 1607 on; looked up so the program still starts on older systems.
template <class F>
F UserFunction(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}
using DpiForWindowFn = UINT(WINAPI*)(HWND);
using MetricsForDpiFn = int(WINAPI*)(int, UINT);
} // namespace

int ScreenDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : kDesignDpi;
    if (dc) ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : kDesignDpi;
}

namespace {
constexpr const wchar_t* kDpiProperty = L"CorvaneDpi";
}

void SetWindowDpi(HWND topLevel, int dpi) {
    if (topLevel) SetPropW(topLevel, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}

int DpiOf(HWND window) {
    if (window)
        if (HWND root = GetAncestor(window, GA_ROOT))
            if (const auto told = reinterpret_cast<INT_PTR>(GetPropW(root, kDpiProperty)); told > 0)
                return static_cast<int>(told);
    static const auto forWindow = UserFunction<DpiForWindowFn>("GetDpiForWindow");
    if (window && forWindow)
        if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
    return ScreenDpi();
}

int MetricForDpi(int index, int dpi) {
    static const auto forDpi = UserFunction<MetricsForDpiFn>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

} // namespace corvane::ui
