// The built-in styles' item table and the pictures that go with it.
#pragma once

#include <cstdint>
#include <span>

#include "skin/theme/UIStyle.h"

namespace corvane::skin {

inline constexpr int kStyleItemCount = 48;

enum class StyleItemKind : std::uint8_t { Integer = 0, Colour = 1, Bitmap = 2, Boolean = 3 };

// Kind of `item` (1-48) for `style`. FromThemeFile, any other value outside
// the built-in styles, and items outside 1-48 read as an integer item.
StyleItemKind StyleItemKindOf(UIStyle style, int item);

// The item's value when it has the asked kind; otherwise false, 0 and -1.
bool StyleBool(UIStyle style, int item);
std::uint32_t StyleColor(UIStyle style, int item);
int StyleInt(UIStyle style, int item);

// Resource name of a bitmap item, or nullptr when nothing is to be loaded
// (not a bitmap item, or not a built-in style). Items 43, 45 and 46 give ""
// and fail to load like any missing resource.
const char* StyleBitmapName(UIStyle style, int item);

// Name prefix of a built-in style's pictures ("DEEPBLUE"), nullptr otherwise.
const char* StylePicturePrefix(UIStyle style);

// A bitmap resource the program carries. Controls cut the pictures into equal
// parts, so the sizes are part of the layout. `sizeFree` marks pictures that
// are only stretched or tiled: any size works, this one is ours.
struct BuiltInPicture {
    const char* name;
    int width;
    int height;
    bool sizeFree;
};

std::span<const BuiltInPicture> BuiltInPictures();

// Entry of `name` in BuiltInPictures(), or nullptr.
const BuiltInPicture* FindBuiltInPicture(const char* name);

} // namespace corvane::skin
