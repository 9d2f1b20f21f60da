#include "skin/theme/Look.h"

#include <map>
#include <tuple>
#include <utility>

#include "skin/theme/FileTheme.h"
#include "skin/theme/StyleBitmaps.h"
#include "ui/Gdi.h"
#include "ui/Scale.h"

namespace corvane::skin {

Look::Look(const FileTheme* theme, UIStyle given, int dpi) : dpi_(dpi) {
    if (ResolveUIStyle(theme, given, style_)) theme_ = theme;
}

std::uint32_t Look::color(const ColorRole& role) const {
    if (!fromFile()) return StyleColor(style_, role.item);
    return static_cast<std::uint32_t>(role.file ? theme_->lookupColor(*role.file) : -1);
}

int Look::integer(const IntRole& role) const {
    if (!fromFile()) return ui::ScaleToDpi(StyleInt(style_, role.item), dpi_);
    return role.file ? theme_->lookupInt(*role.file) : -1;
}

bool Look::flag(const FlagRole& role) const {
    if (!fromFile()) return StyleBool(style_, role.item);
    return role.file && theme_->lookupBool(*role.file);
}

ui::BitmapHandle Look::picture(const PictureRole& role, int partCount, int partNo) const {
    if (!fromFile()) return BuiltInPictureAtDpi(StyleBitmapName(style_, role.item), dpi_, partCount, partNo);
    if (!role.file) return {};
    return theme_->lookupBitmapPart(*role.file, partCount, partNo);
}

HBITMAP Look::lentPicture(const PictureRole& role) const {
    if (fromFile()) return role.file ? theme_->lookupBitmap(*role.file) : nullptr;
    // Every style application cuts or copies these again: load each once.
    static std::map<std::tuple<UIStyle, StyleItem, int>, ui::BitmapHandle> loaded;
    const char* name = StyleBitmapName(style_, role.item);
    if (!name) return nullptr;
    ui::BitmapHandle& b = loaded[{style_, role.item, dpi_}];
    if (!b) b = BuiltInPictureAtDpi(name, dpi_); // a missing picture leaves the caller without it
    return b.get();
}

} // namespace corvane::skin
