#include "skin/frame/FrameImage.h"

#include <algorithm>

namespace corvane::skin {

void FrameImage::resize(int width, int height, COLORREF color) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    bool fresh = false;
    if (!image_ || width > image_.width() || height > image_.height()) {
        // Room to grow a little, so a window widened pixel by pixel keeps its section.
        fresh = image_.createDibSection(width + width / 8, height);
        if (!fresh) image_.reset();
    }
    width_ = width;
    height_ = height;
    // A new section is black already: its pages stay untouched.
    if (!fresh || color != 0) fill(color);
}

// Written into the bits: a GDI fill costs about as much as composing the whole title.
void FrameImage::fill(COLORREF color) {
    std::uint32_t* p = image_.bits();
    if (!p) return;
    GdiFlush(); // drawing still queued must not land over the fill
    // DIB pixels are 0x00RRGGBB, colour values 0x00BBGGRR.
    const std::uint32_t v = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    const auto w = static_cast<std::size_t>(width_), stride = static_cast<std::size_t>(image_.width());
    for (int y = 0; y < height_; ++y) std::fill_n(p + static_cast<std::size_t>(y) * stride, w, v);
}

// The DIB's own bits, 0x00RRGGBB, without a copy: the region scan only compares them
// with the key colour, which the frame puts into the same order. GdiFlush first, so
// drawing still queued by GDI is in them.
PixelView FrameImage::pixels() const {
    GdiFlush();
    if (!image_.bits()) return {nullptr, width_, height_};
    return {image_.bits(), width_, height_, image_.width()};
}

} // namespace corvane::skin
