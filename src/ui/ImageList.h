// An image list of equal-sized pictures, loaded from a bitmap strip resource with
// magenta as the transparent colour.
#pragma once
#include "ui/Component.h"
#include "ui/Handles.h"
#include <string>
#include <utility>
#include <vector>

namespace corvane::ui {

class ImageList : public Component {
public:
    // The size is given at 96 DPI; the list holds its pictures at the DPI of the owner's window.
    ImageList(Component* owner, std::string name, int width, int height);
    // Adds every width-wide part of the bitmap resource; returns false when it is missing.
    bool addStripResource(const char* resourceName, COLORREF transparent = RGB(255, 0, 255));
    HIMAGELIST handle() const { return list_.get(); }
    int count() const { return ImageList_GetImageCount(list_.get()); }
    int width() const { return width_; }
    int height() const { return height_; }
    // Made again at the new size, from the same strips.
    void dpiChanged(const Scaler& from, const Scaler& to) override;

private:
    int dpi_;
    int designWidth_;
    int width_, height_;
    ImageListHandle list_;
    int designHeight_;
    std::vector<std::pair<std::string, COLORREF>> strips_;
    bool addStrip(const std::string& resourceName, COLORREF transparent);
};

} // namespace corvane::ui
