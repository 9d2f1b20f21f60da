// Where a window's DPI comes from: the one place the program asks the system.
#pragma once
#include "ui/Scale.h"
#include <windows.h>

namespace corvane::ui {

// The DPI `window` is drawn at: its monitor's where the system tracks it per window,
// else the screen's.
int DpiOf(HWND window);
// The screen's DPI, for what is measured before a window exists.
int ScreenDpi();
inline Scaler ScalerOf(HWND window) { return Scaler(DpiOf(window)); }
// A RECT of design values at the scaler's DPI, each edge scaled.
inline RECT Scaled(const Scaler& s, const RECT& r) { return {s(r.left), s(r.top), s(r.right), s(r.bottom)}; }
inline POINT Scaled(const Scaler& s, POINT p) { return {s(p.x), s(p.y)}; }

// A system metric at `dpi`, from the system where it can answer for a DPI.
int MetricForDpi(int index, int dpi);

} // namespace corvane::ui
