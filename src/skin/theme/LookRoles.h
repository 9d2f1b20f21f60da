// The roles a skinned component's look is asked for, each tied once to the
// file theme's key and the built-in styles' item that answer it.
#pragma once
#include <optional>

#include "skin/theme/SkinKeys.h"
#include "skin/theme/StyleTable.h"

namespace corvane::skin {

// A role one source lacks reads there as that source's absent value: the file
// theme's -1, false or none, the table's item None.
template <class Key>
struct LookRole {
    std::optional<Key> file;
    StyleItem item = StyleItem::None;
};

using ColorRole = LookRole<ColorKey>;
using IntRole = LookRole<IntKey>;
using FlagRole = LookRole<BoolKey>;
using PictureRole = LookRole<BitmapKey>;

namespace role {

// Form frame and title bar.
inline constexpr ColorRole FormColor{ColorKey::FORMCOLOR, StyleItem::FormColor};
inline constexpr ColorRole MenuBarStartColor{ColorKey::MENUBARSTARTCOLOR, StyleItem::FormColor};
inline constexpr ColorRole MenuBarEndColor{ColorKey::MENUBARENDCOLOR, StyleItem::FormColor};
inline constexpr ColorRole FrameBorderColor{std::nullopt, StyleItem::FormBorderColor};
inline constexpr IntRole FrameBorderWidth{std::nullopt, StyleItem::FormBorderWidth};
inline constexpr ColorRole TransparentColor{ColorKey::TRANSCOLOR, StyleItem::None};
inline constexpr ColorRole TitleFontColor{ColorKey::TITLEFONTCOLOR, StyleItem::None};
inline constexpr IntRole TitleIconLeft{IntKey::TITLEBARICONPOSX, StyleItem::TitleIconLeft};
inline constexpr IntRole TitleButtonsRight{IntKey::TITLEBARBUTTONPOSX, StyleItem::TitleButtonsRight};
inline constexpr IntRole TitleButtonsTop{IntKey::TITLEBARBUTTONPOSY, StyleItem::TitleButtonsTop};
inline constexpr IntRole TitleMinWidth{std::nullopt, StyleItem::TitleMinWidth};
inline constexpr IntRole TitleRoundCorner{std::nullopt, StyleItem::TitleRoundCorner};
inline constexpr FlagRole TitleButtonsTransparent{BoolKey::TITLEBTNTRANS, StyleItem::TitleButtonsTransparent};
inline constexpr PictureRole TitleButtons{BitmapKey::TITLEBUTTONS, StyleItem::TitleButtonsPicture};
// A built-in title bar has three sections; a file theme's are read by key.
inline constexpr PictureRole TitleLeft{std::nullopt, StyleItem::TitleLeftPicture};
inline constexpr PictureRole TitleClient{std::nullopt, StyleItem::TitleClientPicture};
inline constexpr PictureRole TitleRight{std::nullopt, StyleItem::TitleRightPicture};

// Popup menus and the menu bar.
inline constexpr ColorRole MenuLeftBarStartColor{ColorKey::LEFTBARSTARTCOLOR, StyleItem::MenuLeftBarColor};
inline constexpr ColorRole MenuLeftBarEndColor{ColorKey::LEFTBARENDCOLOR, StyleItem::MenuLeftBarColor};
inline constexpr ColorRole MenuItemColor{ColorKey::MENUITEMCOLOR, StyleItem::MenuItemColor};
inline constexpr ColorRole MenuItemFontColor{ColorKey::MENUITEMFONTCOLOR, StyleItem::MenuItemFontColor};
inline constexpr ColorRole MenuSelectedColor{ColorKey::SELECTEDMENUCOLOR, StyleItem::MenuSelectedColor};
inline constexpr ColorRole MenuSelectedBorderColor{ColorKey::SELECTEDMENUBORDERCOLOR,
                                                   StyleItem::MenuSelectedBorderColor};
inline constexpr ColorRole MenuSelectedFontColor{ColorKey::SELECTEDMENUFONTCOLOR, StyleItem::MenuSelectedFontColor};
inline constexpr ColorRole TopMenuSelectedColor{ColorKey::TOPSELECTEDMENUCOLOR, StyleItem::MenuSelectedColor};
inline constexpr ColorRole TopMenuSelectedBorderColor{ColorKey::TOPSELECTEDMENUBORDERCOLOR,
                                                      StyleItem::MenuSelectedBorderColor};
inline constexpr ColorRole TopMenuSelectedFontColor{ColorKey::TOPSELECTEDMENUFONTCOLOR,
                                                    StyleItem::MenuSelectedFontColor};
inline constexpr ColorRole TopMenuFontColor{ColorKey::TOPMENUFONTCOLOR, StyleItem::MenuItemFontColor};

// Controls.
inline constexpr ColorRole ControlBorderColor{ColorKey::CONTROLBORDERCOLOR, StyleItem::ControlBorderColor};
inline constexpr ColorRole ControlFontColor{ColorKey::CONTROLFONTCOLOR, StyleItem::ControlFontColor};
inline constexpr ColorRole ButtonFontColor{ColorKey::BUTTONFONTCOLOR, StyleItem::None};
inline constexpr FlagRole ButtonTransparent{BoolKey::BUTTONTRANS, StyleItem::ButtonTransparent};
inline constexpr PictureRole ButtonFace{BitmapKey::BUTTON, StyleItem::ButtonPicture};
inline constexpr PictureRole CheckBoxFace{BitmapKey::CHECKBOX, StyleItem::CheckBoxPicture};
inline constexpr ColorRole ToolBarButtonBorderColor{ColorKey::TOOLBARBORDERCOLOR, StyleItem::ToolBarBorderColor};
inline constexpr ColorRole ToolBarButtonColor{ColorKey::TOOLBARSTARTCOLOR, StyleItem::ToolBarButtonColor};
inline constexpr ColorRole ToolBarButtonDownColor{ColorKey::TOOLBARDOWNCOLOR, StyleItem::ToolBarDownColor};
inline constexpr ColorRole ToolBarStartColor{ColorKey::TOOLBARSTARTCOLOR, StyleItem::FormColor};
inline constexpr ColorRole ToolBarEndColor{ColorKey::TOOLBARENDCOLOR, StyleItem::FormColor};

} // namespace role

} // namespace corvane::skin
