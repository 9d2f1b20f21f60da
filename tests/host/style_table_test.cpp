#include <gtest/gtest.h>

#include <set>
#include <string>

#include "skin/theme/LookRoles.h"
#include "skin/theme/StyleTable.h"

using namespace corvane::skin;

namespace corvane {
namespace {

using S = skin::UIStyle;
constexpr S kBuiltIn[] = {S::MacOS, S::WinXP, S::DeepBlue, S::Protein, S::BlueGlass};

TEST(StyleTableTest, AskingForTheWrongKindGivesTheNeutralAnswer) {
    EXPECT_EQ(StyleColor(S::DeepBlue, 1), 0u); // item 1 is a bitmap
    EXPECT_EQ(StyleInt(S::DeepBlue, 15), -1);  // a colour
    EXPECT_FALSE(StyleBool(S::MacOS, 7));      // an integer
    EXPECT_EQ(StyleBitmapName(S::MacOS, 2), nullptr);
    EXPECT_EQ(StyleInt(S::MacOS, 2), -1); // true boolean is not an integer 1
}

TEST(StyleTableTest, FromThemeFileAndUnknownStylesReadAsIntegerMinusOne) {
    const S notBuiltIn[] = {S::FromThemeFile, static_cast<S>(6), static_cast<S>(255)};
    for (S s : notBuiltIn) {
        SCOPED_TRACE(static_cast<int>(s));
        EXPECT_EQ(StyleInt(s, 7), -1);
        EXPECT_EQ(StyleColor(s, 15), 0u);
        EXPECT_FALSE(StyleBool(s, 2));
        EXPECT_EQ(StyleBitmapName(s, 1), nullptr);
        EXPECT_EQ(StyleItemKindOf(s, 1), StyleItemKind::Integer);
        EXPECT_EQ(StylePicturePrefix(s), nullptr);
    }
}

TEST(StyleTableTest, ItemsOutsideTheTableReadAsIntegerMinusOne) {
    for (int item : {0, -1, 49, 1000}) {
        SCOPED_TRACE(item);
        EXPECT_EQ(StyleInt(S::WinXP, item), -1);
        EXPECT_EQ(StyleColor(S::WinXP, item), 0u);
        EXPECT_FALSE(StyleBool(S::WinXP, item));
        EXPECT_EQ(StyleBitmapName(S::WinXP, item), nullptr);
    }
    EXPECT_EQ(StyleColor(S::BlueGlass, 48), 0xE7E7E7u); // the last item is there
}

TEST(StyleTableTest, ValuesAcrossTheFiveStyles) {
    struct Row {
        int item;
        long long v[5];
    };
    // Integer and colour items the program's controls read.
    const Row ints[] = {
        {7, {3, 2, 0, 0, 4}},    {8, {-2, -2, 0, 0, -3}}, {9, {4, 5, 2, 2, 6}}, {13, {130, 150, 130, 130, 270}},
        {14, {0, 13, 0, 0, 11}}, {17, {1, 3, 1, 1, 1}},
    };
    const Row colours[] = {
        {15, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
        {16, {0x7F7F7F, 0xC82C00, 0x000000, 0x000000, 0x000000}},
        {18, {0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E}},
        {19, {0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E}},
        {20, {0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
        {21, {0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7}},
        {23, {0x000000, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6}},
        {25, {0x7F7F7F, 0x686868, 0x000000, 0x000000, 0x000000}},
        {27, {0x000000, 0xCF4602, 0x000000, 0x000000, 0x000000}},
        {35, {0x474747, 0xC66931, 0x474747, 0x474747, 0x474747}},
        {36, {0xEFEFEF, 0xEFD3C6, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF}},
        {37, {0xD8D8D8, 0xE1AC93, 0xD8D8D8, 0xD8D8D8, 0xD8D8D8}},
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i + 1);
        for (const Row& r : ints) EXPECT_EQ(StyleInt(kBuiltIn[i], r.item), r.v[i]) << "item " << r.item;
        for (const Row& r : colours) EXPECT_EQ(StyleColor(kBuiltIn[i], r.item), r.v[i]) << "item " << r.item;
    }
    const bool buttonTransparent[] = {true, false, false, false, true};
    const bool titleButtonsTransparent[] = {false, false, false, true, true};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(StyleBool(kBuiltIn[i], 2), buttonTransparent[i]) << i + 1;
        EXPECT_EQ(StyleBool(kBuiltIn[i], 6), titleButtonsTransparent[i]) << i + 1;
    }
}

TEST(StyleTableTest, KindsAreSharedByAllStyles) {
    int counts[4] = {};
    for (int item = 1; item <= kStyleItemCount; ++item) {
        const StyleItemKind k = StyleItemKindOf(S::MacOS, item);
        ++counts[static_cast<int>(k)];
        for (S s : kBuiltIn) EXPECT_EQ(StyleItemKindOf(s, item), k) << item;
    }
    EXPECT_EQ(counts[static_cast<int>(StyleItemKind::Integer)], 7);
    EXPECT_EQ(counts[static_cast<int>(StyleItemKind::Colour)], 17);
    EXPECT_EQ(counts[static_cast<int>(StyleItemKind::Bitmap)], 22);
    EXPECT_EQ(counts[static_cast<int>(StyleItemKind::Boolean)], 2);
}

TEST(StyleTableTest, BitmapNamesCarryTheStylePrefix) {
    EXPECT_STREQ(StyleBitmapName(S::DeepBlue, 1), "DEEPBLUE_BUTTON");
    EXPECT_STREQ(StyleBitmapName(S::WinXP, 41), "WINXP_SIDECHENNEL_HANDLE");
    EXPECT_STREQ(StyleBitmapName(S::BlueGlass, 30), "BLUEGLASS_TRACKBAR_SLIDER_V");
    EXPECT_STREQ(StyleBitmapName(S::Protein, 11), "PROTEIN_TITLE_CLIENT");

    EXPECT_STREQ(StyleBitmapName(S::MacOS, 38), "MACOS_SCROLLBUTTON");
    EXPECT_STREQ(StyleBitmapName(S::WinXP, 38), "WINXP_SCROLLBUTTON");
    for (S s : {S::DeepBlue, S::Protein, S::BlueGlass}) EXPECT_STREQ(StyleBitmapName(s, 38), "MORE_SCROLLBUTTON");

    for (S s : kBuiltIn)
        for (int item : {43, 45, 46}) {
            ASSERT_NE(StyleBitmapName(s, item), nullptr);
            EXPECT_STREQ(StyleBitmapName(s, item), "") << item;
        }

    // Apart from the shared picture, every name is prefix + "_" + element.
    for (S s : kBuiltIn) {
        const std::string prefix = std::string(StylePicturePrefix(s)) + "_";
        for (int item = 1; item <= kStyleItemCount; ++item) {
            const char* name = StyleBitmapName(s, item);
            if (!name || !*name || std::string(name) == "MORE_SCROLLBUTTON") continue;
            EXPECT_EQ(std::string(name).rfind(prefix, 0), 0u) << name;
        }
    }
}

TEST(StyleTableTest, EveryNamedPictureExistsAndEveryStylePictureIsNamed) {
    std::set<std::string> named;
    for (S s : kBuiltIn)
        for (int item = 1; item <= kStyleItemCount; ++item) {
            const char* name = StyleBitmapName(s, item);
            if (!name || !*name) continue;
            named.insert(name);
            EXPECT_NE(FindBuiltInPicture(name), nullptr) << name;
        }

    std::set<std::string> seen;
    for (const BuiltInPicture& p : BuiltInPictures()) {
        EXPECT_TRUE(seen.insert(p.name).second) << "duplicate " << p.name;
        EXPECT_GT(p.width, 0) << p.name;
        EXPECT_GT(p.height, 0) << p.name;
    }
    // 18 elements for each of five styles, the scroll button picture for two
    // styles plus the shared one.
    EXPECT_EQ(named.size(), 18u * 5 + 3);
    // The extra pictures the frame and menus draw.
    for (const char* extra :
         {"MENU_CHECKED", "MACOS_FORM_BACKGROUND", "PROTEIN_FORM_BACKGROUND", "MACOS_MENU_BAR", "MACOS_MENU_SELECT"}) {
        EXPECT_NE(FindBuiltInPicture(extra), nullptr) << extra;
        EXPECT_EQ(named.count(extra), 0u);
    }
    EXPECT_EQ(BuiltInPictures().size(), named.size() + 5);
    EXPECT_EQ(FindBuiltInPicture("DEEPBLUE_SCROLLBUTTON"), nullptr);
    EXPECT_EQ(FindBuiltInPicture(""), nullptr);
    EXPECT_EQ(FindBuiltInPicture(nullptr), nullptr);
}

TEST(StyleTableTest, PictureSizes) {
    struct Want {
        const char* name;
        int w, h;
    };
    const Want wants[] = {
        {"MACOS_BUTTON", 252, 23},       {"BLUEGLASS_BUTTON", 231, 27},       {"PROTEIN_TITLE_LEFT", 441, 23},
        {"PROTEIN_TITLE_CLIENT", 1, 23}, {"BLUEGLASS_TITLE_RIGHT", 101, 33},  {"WINXP_TAB_LINE", 8, 1},
        {"MORE_SCROLLBUTTON", 72, 17},   {"MACOS_SIDECHENNEL_HANDLE", 7, 84}, {"BLUEGLASS_SCROLLBAR_BUTTON", 102, 16},
        {"MENU_CHECKED", 16, 16},
    };
    for (const Want& w : wants) {
        const BuiltInPicture* p = FindBuiltInPicture(w.name);
        ASSERT_NE(p, nullptr) << w.name;
        EXPECT_EQ(p->width, w.w) << w.name;
        EXPECT_EQ(p->height, w.h) << w.name;
        EXPECT_FALSE(p->sizeFree) << w.name;
    }
    // Title bar buttons hold 18 pictures side by side.
    for (S s : kBuiltIn) {
        const BuiltInPicture* p = FindBuiltInPicture(StyleBitmapName(s, 5));
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->width % 18, 0) << p->name;
    }
    // Menu pictures are cut to 20 rows before stretching.
    EXPECT_GE(FindBuiltInPicture("MACOS_MENU_BAR")->height, 20);
    EXPECT_GE(FindBuiltInPicture("MACOS_MENU_SELECT")->height, 20);
}

// Each role's built-in value, read through its item, and the skin key a file theme answers it by.
TEST(StyleTableTest, LookRolesReadTheirItemsAndKeys) {
    struct ColorRow {
        const ColorRole& role;
        S style;
        std::uint32_t value;
        std::optional<ColorKey> key;
    };
    const ColorRow colors[] = {
        {role::FormColor, S::WinXP, 0xDEEBEF, ColorKey::FORMCOLOR},
        {role::FrameBorderColor, S::WinXP, 0xC82C00, std::nullopt},
        {role::ControlFontColor, S::WinXP, 0xCF4602, ColorKey::CONTROLFONTCOLOR},
        {role::MenuLeftBarEndColor, S::WinXP, 0xCED3D6, ColorKey::LEFTBARENDCOLOR},
        {role::TopMenuSelectedColor, S::WinXP, 0xEFD3C6, ColorKey::TOPSELECTEDMENUCOLOR},
        {role::ToolBarButtonBorderColor, S::WinXP, 0xC66931, ColorKey::TOOLBARBORDERCOLOR},
        {role::ToolBarEndColor, S::Protein, 0xFBFBFB, ColorKey::TOOLBARENDCOLOR},
    };
    for (const ColorRow& r : colors) {
        SCOPED_TRACE(r.value);
        EXPECT_EQ(StyleColor(r.style, r.role.item), r.value);
        EXPECT_EQ(r.role.file, r.key);
    }
    EXPECT_EQ(StyleInt(S::WinXP, role::FrameBorderWidth.item), 3);
    EXPECT_EQ(StyleInt(S::BlueGlass, role::TitleButtonsRight.item), -3);
    EXPECT_EQ(StyleInt(S::BlueGlass, role::TitleMinWidth.item), 270);
    EXPECT_TRUE(StyleBool(S::Protein, role::TitleButtonsTransparent.item));
    EXPECT_FALSE(StyleBool(S::Protein, role::ButtonTransparent.item));
    EXPECT_STREQ(StyleBitmapName(S::WinXP, role::TitleButtons.item), "WINXP_TITLEBTN");
    EXPECT_EQ(role::TitleButtons.file, BitmapKey::TITLEBUTTONS);
}

} // namespace
} // namespace corvane
