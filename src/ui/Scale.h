// The program's sizes are written for 96 DPI; a window at another DPI shows them
// scaled as a whole. Platform-free, so layout arithmetic can be host-tested.
#pragma once
#include "ui/Geometry.h"

namespace corvane::ui {

inline constexpr int kDesignDpi = 96;

// A 96-DPI value at `dpi`, rounded as MulDiv(value, dpi, 96) rounds: halves away from zero.
constexpr int ScaleToDpi(int value, int dpi) {
    const long long n = static_cast<long long>(value) * dpi;
    const long long q = ((n < 0 ? -n : n) + kDesignDpi / 2) / kDesignDpi;
    return static_cast<int>(n < 0 ? -q : q);
}

// Scales design values to one DPI.
class Scaler {
public:
    constexpr explicit Scaler(int dpi = kDesignDpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}
    constexpr int dpi() const { return dpi_; }
    constexpr bool identity() const { return dpi_ == kDesignDpi; }
    constexpr int operator()(int value) const { return ScaleToDpi(value, dpi_); }
    // Each edge scaled, so neighbouring rectangles stay neighbours.
    constexpr Rect operator()(const Rect& r) const {
        return {(*this)(r.left), (*this)(r.top), (*this)(r.right), (*this)(r.bottom)};
    }

private:
    int dpi_;
};

} // namespace corvane::ui
