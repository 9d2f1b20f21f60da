#include "ui/ImageList.h"
#include "ui/WideText.h"

namespace corvane::ui {

ImageList::ImageList(Component* owner, std::string name, int width, int height)
    : Component(owner, std::move(name)), width_(width), height_(height),
      list_(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 12, 4)) {}

bool ImageList::addStripResource(const char* resourceName, COLORREF transparent) {
    BitmapHandle bmp(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), ui::WideArg(resourceName), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bmp) return false;
    return ImageList_AddMasked(list_.get(), bmp.get(), transparent) >= 0;
}

} // namespace corvane::ui
