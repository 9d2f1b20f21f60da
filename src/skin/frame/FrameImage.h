// The frame's composed pictures: DIB sections whose pixels are read directly.
#pragma once
#include <windows.h>
#include <cstdint>

#include "skin/frame/FrameLayout.h"
#include "ui/Gdi.h"

namespace corvane::skin {

// A picture of our own: a top-down 32-bit DIB section whose pixels the frame reads
// directly (the region scan), with a memory DC it stays selected into. A resize to a
// size the section already holds keeps it: every size step of a window resizes these,
// and a new section costs more than composing the whole title (its pages are new).
// The picture is the section's top-left width() x height(); rows are stride() apart.
class FrameImage {
public:
    // The picture at that size, every pixel `color` (black, as a new section starts).
    void resize(int width, int height, COLORREF color = 0);
    HDC dc() const { return image_.dc(); }
    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return image_.width(); }
    // Null pixels when the picture could not be made.
    PixelView pixels() const;
    // For writing pixels directly, rows stride() apart; null when the picture could not be made.
    uint32_t* bits() const { return image_.bits(); }
    explicit operator bool() const { return static_cast<bool>(image_); }
    bool transparent = false; // drawn with its `transparentColor` pixels left out
    uint32_t transparentColor = 0xFF00FF;

private:
    void fill(COLORREF color);
    ui::OffscreenBitmap image_;
    int width_ = 0, height_ = 0;
};

} // namespace corvane::skin
