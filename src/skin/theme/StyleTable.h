// The built-in styles' item table and the pictures that go with it.
#pragma once

#include <cstdint>
#include <span>

#include "skin/theme/UIStyle.h"

namespace corvane::skin {

inline constexpr int kStyleItemCount = 48;

enum class StyleItemKind : std::uint8_t { Integer = 0, Colour = 1, Bitmap = 2, Boolean = 3 };

// The built-in styles' items by what they hold. The numbers are the table's rows;
// only this list spells them. None is no item: it reads as the integer -1.
enum class StyleItem : std::uint8_t {
    None = 0,
    ButtonPicture = 1,
    ButtonTransparent = 2,
    CheckBoxPicture = 3,
    RadioButtonPicture = 4,
    TitleButtonsPicture = 5,
    TitleButtonsTransparent = 6,
    TitleIconLeft = 7,
    TitleButtonsRight = 8,
    TitleButtonsTop = 9,
    TitleLeftPicture = 10,
    TitleClientPicture = 11,
    TitleRightPicture = 12,
    TitleMinWidth = 13,
    TitleRoundCorner = 14,
    FormColor = 15,
    FormBorderColor = 16,
    FormBorderWidth = 17,
    MenuSelectedBorderColor = 18,
    MenuSelectedColor = 19,
    MenuSelectedFontColor = 20,
    MenuItemColor = 21,
    MenuItemFontColor = 22,
    MenuLeftBarColor = 23,
    ProgressBarPicture = 24,
    ControlBorderColor = 25,
    ControlColor = 26,
    ControlFontColor = 27,
    TrackBarPicture = 28,
    TrackBarSliderPicture = 29,
    TrackBarVerticalSliderPicture = 30,
    ScrollBarColor = 31,
    ScrollBarButtonPicture = 32,
    ScrollBarTrackPicture = 33,
    CheckListPicture = 34,
    ToolBarBorderColor = 35,
    ToolBarButtonColor = 36,
    ToolBarDownColor = 37,
    ScrollButtonPicture = 38,
    TabPicture = 39,
    TabLinePicture = 40,
    SideChannelHandlePicture = 41,
    SideChannelBarPicture = 42,
    // Rows no control of ours reads.
    Unnamed43 = 43,
    Unnamed44 = 44,
    Unnamed45 = 45,
    Unnamed46 = 46,
    Unnamed47 = 47,
    Unnamed48 = 48,
};

// Kind of `item` (1-48) for `style`. FromThemeFile, any other value outside
// the built-in styles, and items outside 1-48 read as an integer item.
StyleItemKind StyleItemKindOf(UIStyle style, int item);

// The item's value when it has the asked kind; otherwise false, 0 and -1.
bool StyleBool(UIStyle style, int item);
std::uint32_t StyleColor(UIStyle style, int item);
int StyleInt(UIStyle style, int item);
inline bool StyleBool(UIStyle style, StyleItem item) { return StyleBool(style, static_cast<int>(item)); }
inline std::uint32_t StyleColor(UIStyle style, StyleItem item) { return StyleColor(style, static_cast<int>(item)); }
inline int StyleInt(UIStyle style, StyleItem item) { return StyleInt(style, static_cast<int>(item)); }

// Resource name of a bitmap item, or nullptr when nothing is to be loaded
// (not a bitmap item, or not a built-in style). Items 43, 45 and 46 give ""
// and fail to load like any missing resource.
const char* StyleBitmapName(UIStyle style, int item);
inline const char* StyleBitmapName(UIStyle style, StyleItem item) {
    return StyleBitmapName(style, static_cast<int>(item));
}

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
