// How a skinned component looks, asked by role: from the loaded file theme when
// the component's style asks for one that is ready, from a built-in style otherwise.
#pragma once
#include <windows.h>
#include <cstdint>

#include "skin/theme/LookRoles.h"
#include "skin/theme/UIStyle.h"
#include "ui/Handles.h"

namespace corvane::skin {

class FileTheme;

class Look {
public:
    // FromThemeFile without a ready theme draws in DeepBlue. Integers and pictures come
    // at `dpi`: the built-in style's scaled here, the file theme's by the theme itself.
    Look(const FileTheme* theme, UIStyle given, int dpi = 96);

    bool fromFile() const { return theme_ != nullptr; }
    // The built-in style drawn in; FromThemeFile when the file theme answers.
    UIStyle style() const { return style_; }
    // Only when fromFile(): for what the built-in styles have no counterpart of.
    const FileTheme& file() const { return *theme_; }

    std::uint32_t color(const ColorRole& role) const;
    int integer(const IntRole& role) const;
    bool flag(const FlagRole& role) const;
    // A copy of the picture, or part `partNo` of `partCount` equal parts when the
    // count is not 0, at the look's DPI; none when it cannot be had.
    ui::BitmapHandle picture(const PictureRole& role, int partCount = 0, int partNo = 0) const;
    // Lent: the file theme's own, or the built-in picture, loaded once per program.
    HBITMAP lentPicture(const PictureRole& role) const;

private:
    const FileTheme* theme_ = nullptr;
    UIStyle style_ = UIStyle::DeepBlue;
    int dpi_ = 96;
};

} // namespace corvane::skin
