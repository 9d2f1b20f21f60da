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

// Art may also come drawn at 150 and 200 percent. The rendition for `dpi`: the design's
// at 96 and below, else the closest drawn at or above it, else the largest.
constexpr int ArtDpiFor(int dpi) { return dpi <= kDesignDpi ? kDesignDpi : dpi <= 144 ? 144 : 192; }

// Whether a rendition of w x h drawn at artDpi belongs to a design picture of
// designWidth x designHeight. With parts > 0 each of that many equal parts is scaled on
// its own, so the size is exact; a whole picture may be made of parts nobody told us of,
// each at least two pixels wide and rounded by at most half a pixel, so its width may be
// off by a quarter of the design width.
constexpr bool RenditionFits(int designWidth, int designHeight, int parts, int width, int height, int artDpi) {
    if (designWidth <= 0 || designHeight <= 0 || height != ScaleToDpi(designHeight, artDpi)) return false;
    if (parts > 0) return designWidth % parts == 0 && width == parts * ScaleToDpi(designWidth / parts, artDpi);
    const long long off = 2LL * kDesignDpi * width - 2LL * designWidth * artDpi;
    return width > 0 && 2 * (off < 0 ? -off : off) <= static_cast<long long>(kDesignDpi) * designWidth;
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
