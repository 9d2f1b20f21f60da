// The frame's composed pictures: DIB sections whose pixels are read directly.
#pragma once
#include <windows.h>
#include <cstdint>

#include "skin/frame/FrameLayout.h"
#include "ui/Gdi.h"

namespace corvane::skin {

// A picture of our own: a top-down 32-bit DIB section whose pixels the frame reads
// directly (the region scan), with a memory DC it stays selected into.
class FrameImage {
public:
    void resize(int width, int height);
    HDC dc() const { return image_.dc(); }
    HBITMAP bitmap() const { return image_.bitmap(); }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    // Null pixels when the picture could not be made.
    PixelView pixels() const;
    // For writing pixels directly; null when the picture could not be made.
    uint32_t* bits() const { return image_.bits(); }
    explicit operator bool() const { return static_cast<bool>(image_); }
    bool transparent = false; // drawn with its `transparentColor` pixels left out
    uint32_t transparentColor = 0xFF00FF;

private:
    ui::OffscreenBitmap image_;
};

} // namespace corvane::skin
