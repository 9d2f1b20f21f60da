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

bool ImageList::addStrip(const std::string& resourceName, COLORREF transparent) {
    BitmapHandle bmp(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), ui::WideArg(resourceName), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bmp) return false;
    if (dpi_ != kDesignDpi) {
        // Each picture of the strip becomes exactly one list picture wide.
        const int pictures = BitmapSize(bmp.get()).cx / std::max(designWidth_, 1);
        BitmapHandle scaled = ScaleBitmap(bmp.get(), pictures * width_, height_, transparent);
        if (scaled) bmp = std::move(scaled);
    }
    return ImageList_AddMasked(list_.get(), bmp.get(), transparent) >= 0;
}

} // namespace corvane::ui
