#include "ui/ImageList.h"
#include "ui/WideText.h"
#include "ui/Control.h"
#include "ui/Gdi.h"
#include <algorithm>

namespace corvane::ui {

namespace {
int OwnerDpi(const Component* owner) {
    for (const Component* o = owner; o; o = o->owner())
        if (auto* w = dynamic_cast<const WinControl*>(o); w && w->handle()) return DpiOf(w->handle());
    return ScreenDpi();
}
} // namespace

ImageList::ImageList(Component* owner, std::string name, int width, int height)
    : Component(owner, std::move(name)), dpi_(OwnerDpi(owner)), designWidth_(width), width_(Scaler(dpi_)(width)),
      height_(Scaler(dpi_)(height)), list_(ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 12, 4)),
      designHeight_(height) {}

bool ImageList::addStripResource(const char* resourceName, COLORREF transparent) {
    if (!addStrip(resourceName ? resourceName : "", transparent)) return false;
    strips_.emplace_back(resourceName ? resourceName : "", transparent);
    return true;
}

void ImageList::dpiChanged(const Scaler&, const Scaler& to) {
    if (to.dpi() == dpi_) return;
    dpi_ = to.dpi();
    width_ = to(designWidth_);
    height_ = to(designHeight_);
    list_.reset(ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 12, 4));
    for (const auto& [name, transparent] : strips_) addStrip(name, transparent);
}

namespace {
BitmapHandle LoadStrip(const std::string& name) {
    return BitmapHandle(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), ui::WideArg(name), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}
} // namespace

bool ImageList::addStrip(const std::string& resourceName, COLORREF transparent) {
    BitmapHandle bmp = LoadStrip(resourceName);
    if (!bmp) return false;
    if (dpi_ != kDesignDpi) {
        const SIZE design = BitmapSize(bmp.get());
        const int pictures = design.cx / std::max(designWidth_, 1);
        // The strip drawn for this scale or the next larger, when the art has one.
        for (const int art : {ArtDpiFor(dpi_), 192}) {
            BitmapHandle drawn = LoadStrip(resourceName + (art == 144 ? "_150" : "_200"));
            const SIZE s = BitmapSize(drawn.get());
            if (drawn && RenditionFits(design.cx, design.cy, pictures, s.cx, s.cy, art)) {
                bmp = std::move(drawn);
                break;
            }
        }
        // Each picture of the strip becomes exactly one list picture wide.
        const SIZE s = BitmapSize(bmp.get());
        if (s.cx != pictures * width_ || s.cy != height_) {
            BitmapHandle scaled = ScaleBitmap(bmp.get(), pictures * width_, height_, transparent);
            if (scaled) bmp = std::move(scaled);
        }
    }
    return ImageList_AddMasked(list_.get(), bmp.get(), transparent) >= 0;
}

} // namespace corvane::ui
