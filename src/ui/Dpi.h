// Where a window's DPI comes from: the one place the program asks the system.
#pragma once
#include "ui/Scale.h"
#include <windows.h>

namespace corvane::ui {

// WM_DPICHANGED and WM_GETDPISCALEDSIZE, which the headers name only for newer targets.
inline constexpr UINT kDpiChangedMessage = 0x02E0;
inline constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

// AdjustWindowRectEx with the frame sizes of `dpi` where the system has them (Windows 10
// 1607 on); the system DPI's elsewhere.
void AdjustWindowRectForDpi(RECT& r, DWORD style, DWORD exStyle, int dpi);

// The DPI `window` is drawn at: the one the system last gave its top-level window in
// WM_DPICHANGED, else its monitor's where the system tracks it per window, else the screen's.
int DpiOf(HWND window);
// Records what WM_DPICHANGED told a top-level window; forgotten before the window goes.
void SetWindowDpi(HWND topLevel, int dpi);
void ForgetWindowDpi(HWND topLevel);
// The screen's DPI, for what is measured before a window exists.
int ScreenDpi();
inline Scaler ScalerOf(HWND window) { return Scaler(DpiOf(window)); }
// A RECT of design values at the scaler's DPI, each edge scaled.
inline RECT Scaled(const Scaler& s, const RECT& r) { return {s(r.left), s(r.top), s(r.right), s(r.bottom)}; }
inline POINT Scaled(const Scaler& s, POINT p) { return {s(p.x), s(p.y)}; }

} // namespace corvane::ui
