#include "skin/frame/FrameImage.h"

#include <algorithm>

namespace corvane::skin {

void FrameImage::resize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == image_.width() && height == image_.height() && image_) return;
    image_.createDibSection(width, height);
}

// The DIB's own bits, 0x00RRGGBB, without a copy: the region scan only compares them
// with the key colour, which the frame puts into the same order. GdiFlush first, so
// drawing still queued by GDI is in them.
PixelView FrameImage::pixels() const {
    GdiFlush();
    return {image_.bits(), image_.width(), image_.height()};
}

} // namespace corvane::skin
