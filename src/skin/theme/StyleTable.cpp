#include "skin/theme/StyleTable.h"

#include <array>
#include <cstring>

namespace corvane::skin {

namespace {

constexpr int kStyles = 5; // MacOS .. BlueGlass

struct ItemRow {
    int number;
    StyleItemKind kind;
    std::array<std::int32_t, kStyles> values;
    std::array<const char*, kStyles> names;
};

constexpr std::array<const char*, kStyles> kNoNames{};

constexpr ItemRow Int(int n, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d, std::int32_t e) {
    return {n, StyleItemKind::Integer, {a, b, c, d, e}, kNoNames};
}

constexpr ItemRow Col(int n, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d, std::int32_t e) {
    return {n, StyleItemKind::Colour, {a, b, c, d, e}, kNoNames};
}

constexpr ItemRow Bool(int n, bool a, bool b, bool c, bool d, bool e) {
    return {n, StyleItemKind::Boolean, {a, b, c, d, e}, kNoNames};
}

constexpr ItemRow Bmp(int n, std::array<const char*, kStyles> names) { return {n, StyleItemKind::Bitmap, {}, names}; }

// Picture names are the style prefix, "_" and the element.
#define CORVANE_STYLE_PICTURES(element)                                                                                \
    std::array<const char*, kStyles> {                                                                                 \
        "MACOS_" element, "WINXP_" element, "DEEPBLUE_" element, "PROTEIN_" element, "BLUEGLASS_" element              \
    }

constexpr std::array<const char*, kStyles> kEmptyNames{"", "", "", "", ""};

constexpr std::array<ItemRow, kStyleItemCount> kItems{{
    Bmp(1, CORVANE_STYLE_PICTURES("BUTTON")),
    Bool(2, true, false, false, false, true),
    Bmp(3, CORVANE_STYLE_PICTURES("CHECKBOX")),
    Bmp(4, CORVANE_STYLE_PICTURES("RADIOBUTTON")),
    Bmp(5, CORVANE_STYLE_PICTURES("TITLEBTN")),
    Bool(6, false, false, false, true, true),
    Int(7, 3, 2, 0, 0, 4),
    Int(8, -2, -2, 0, 0, -3),
    Int(9, 4, 5, 2, 2, 6),
    Bmp(10, CORVANE_STYLE_PICTURES("TITLE_LEFT")),
    Bmp(11, CORVANE_STYLE_PICTURES("TITLE_CLIENT")),
    Bmp(12, CORVANE_STYLE_PICTURES("TITLE_RIGHT")),
    Int(13, 130, 150, 130, 130, 270),
    Int(14, 0, 13, 0, 0, 11),
    Col(15, 0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7),
    Col(16, 0x7F7F7F, 0xC82C00, 0x000000, 0x000000, 0x000000),
    Int(17, 1, 3, 1, 1, 1),
    Col(18, 0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E),
    Col(19, 0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E),
    Col(20, 0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF),
    Col(21, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7),
    Col(22, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000),
    Col(23, 0x000000, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6),
    Bmp(24, CORVANE_STYLE_PICTURES("PROGRESSBAR")),
    Col(25, 0x7F7F7F, 0x686868, 0x000000, 0x000000, 0x000000),
    Col(26, 0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7),
    Col(27, 0x000000, 0xCF4602, 0x000000, 0x000000, 0x000000),
    Bmp(28, CORVANE_STYLE_PICTURES("TRACKBAR_BAR")),
    Bmp(29, CORVANE_STYLE_PICTURES("TRACKBAR_SLIDER")),
    Bmp(30, CORVANE_STYLE_PICTURES("TRACKBAR_SLIDER_V")),
    Col(31, 0xC9C9C9, 0xF9F9F9, 0xF5F5F5, 0xF5F5F5, 0xF4F4F4),
    Bmp(32, CORVANE_STYLE_PICTURES("SCROLLBAR_BUTTON")),
    Bmp(33, CORVANE_STYLE_PICTURES("SCROLLBAR_TRACK")),
    Bmp(34, CORVANE_STYLE_PICTURES("CHECKLIST")),
    Col(35, 0x474747, 0xC66931, 0x474747, 0x474747, 0x474747),
    Col(36, 0xEFEFEF, 0xEFD3C6, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF),
    Col(37, 0xD8D8D8, 0xE1AC93, 0xD8D8D8, 0xD8D8D8, 0xD8D8D8),
    // Three styles share one picture under a name of its own.
    Bmp(38,
        {"MACOS_SCROLLBUTTON", "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON"}),
    Bmp(39, CORVANE_STYLE_PICTURES("TAB")),
    Bmp(40, CORVANE_STYLE_PICTURES("TAB_LINE")),
    Bmp(41, CORVANE_STYLE_PICTURES("SIDECHENNEL_HANDLE")),
    Bmp(42, CORVANE_STYLE_PICTURES("SIDECHENNEL_BAR")),
    Bmp(43, kEmptyNames),
    Col(44, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF),
    Bmp(45, kEmptyNames),
    Bmp(46, kEmptyNames),
    Int(47, 0, 0, 0, 0, 0),
    Col(48, 0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7),
}};

#undef CORVANE_STYLE_PICTURES

constexpr bool ItemsInOrder() {
    for (int i = 0; i < kStyleItemCount; ++i)
        if (kItems[static_cast<std::size_t>(i)].number != i + 1) return false;
    return true;
}
static_assert(ItemsInOrder(), "style items must be listed 1..48 in order");

// Row of a built-in style's item, or nullptr for anything that reads as the
// integer -1 (not a built-in style, or an item outside 1-48).
const ItemRow* Lookup(UIStyle style, int item, int& column) {
    const int s = static_cast<int>(style);
    if (s < 1 || s > kStyles || item < 1 || item > kStyleItemCount) return nullptr;
    column = s - 1;
    return &kItems[static_cast<std::size_t>(item - 1)];
}

constexpr BuiltInPicture kPictures[] = {
    // name, width, height, sizeFree
    {"MACOS_BUTTON", 252, 23, false},
    {"WINXP_BUTTON", 54, 21, false},
    {"DEEPBLUE_BUTTON", 222, 21, false},
    {"PROTEIN_BUTTON", 222, 21, false},
    {"BLUEGLASS_BUTTON", 231, 27, false},
    {"MACOS_CHECKBOX", 60, 17, false},
    {"WINXP_CHECKBOX", 52, 13, false},
    {"DEEPBLUE_CHECKBOX", 52, 13, false},
    {"PROTEIN_CHECKBOX", 52, 13, false},
    {"BLUEGLASS_CHECKBOX", 52, 13, false},
    {"MACOS_RADIOBUTTON", 64, 17, false},
    {"WINXP_RADIOBUTTON", 52, 13, false},
    {"DEEPBLUE_RADIOBUTTON", 52, 13, false},
    {"PROTEIN_RADIOBUTTON", 52, 13, false},
    {"BLUEGLASS_RADIOBUTTON", 52, 13, false},
    {"MACOS_TITLEBTN", 306, 17, false},
    {"WINXP_TITLEBTN", 378, 21, false},
    {"DEEPBLUE_TITLEBTN", 342, 19, false},
    {"PROTEIN_TITLEBTN", 342, 19, false},
    {"BLUEGLASS_TITLEBTN", 342, 19, false},
    {"MACOS_TITLE_LEFT", 48, 23, false},
    {"WINXP_TITLE_LEFT", 35, 29, false},
    {"DEEPBLUE_TITLE_LEFT", 97, 32, false},
    {"PROTEIN_TITLE_LEFT", 441, 23, false},
    {"BLUEGLASS_TITLE_LEFT", 162, 33, false},
    {"MACOS_TITLE_CLIENT", 49, 23, false},
    {"WINXP_TITLE_CLIENT", 37, 29, false},
    {"DEEPBLUE_TITLE_CLIENT", 98, 32, false},
    {"PROTEIN_TITLE_CLIENT", 1, 23, false},
    {"BLUEGLASS_TITLE_CLIENT", 179, 33, false},
    {"MACOS_TITLE_RIGHT", 48, 23, false},
    {"WINXP_TITLE_RIGHT", 35, 29, false},
    {"DEEPBLUE_TITLE_RIGHT", 97, 32, false},
    {"PROTEIN_TITLE_RIGHT", 1, 23, false},
    {"BLUEGLASS_TITLE_RIGHT", 101, 33, false},
    {"MACOS_PROGRESSBAR", 13, 10, false},
    {"WINXP_PROGRESSBAR", 6, 10, false},
    {"DEEPBLUE_PROGRESSBAR", 1, 10, false},
    {"PROTEIN_PROGRESSBAR", 1, 10, false},
    {"BLUEGLASS_PROGRESSBAR", 1, 10, false},
    {"MACOS_TRACKBAR_BAR", 45, 5, false},
    {"WINXP_TRACKBAR_BAR", 45, 8, false},
    {"DEEPBLUE_TRACKBAR_BAR", 45, 4, false},
    {"PROTEIN_TRACKBAR_BAR", 45, 4, false},
    {"BLUEGLASS_TRACKBAR_BAR", 45, 4, false},
    {"MACOS_TRACKBAR_SLIDER", 11, 20, false},
    {"WINXP_TRACKBAR_SLIDER", 11, 21, false},
    {"DEEPBLUE_TRACKBAR_SLIDER", 11, 20, false},
    {"PROTEIN_TRACKBAR_SLIDER", 11, 20, false},
    {"BLUEGLASS_TRACKBAR_SLIDER", 11, 20, false},
    {"MACOS_TRACKBAR_SLIDER_V", 19, 11, false},
    {"WINXP_TRACKBAR_SLIDER_V", 22, 11, false},
    {"DEEPBLUE_TRACKBAR_SLIDER_V", 18, 11, false},
    {"PROTEIN_TRACKBAR_SLIDER_V", 18, 11, false},
    {"BLUEGLASS_TRACKBAR_SLIDER_V", 18, 11, false},
    {"MACOS_SCROLLBAR_BUTTON", 96, 22, false},
    {"WINXP_SCROLLBAR_BUTTON", 96, 17, false},
    {"DEEPBLUE_SCROLLBAR_BUTTON", 96, 16, false},
    {"PROTEIN_SCROLLBAR_BUTTON", 96, 16, false},
    {"BLUEGLASS_SCROLLBAR_BUTTON", 102, 16, false},
    {"MACOS_SCROLLBAR_TRACK", 33, 16, false},
    {"WINXP_SCROLLBAR_TRACK", 21, 16, false},
    {"DEEPBLUE_SCROLLBAR_TRACK", 21, 16, false},
    {"PROTEIN_SCROLLBAR_TRACK", 21, 16, false},
    {"BLUEGLASS_SCROLLBAR_TRACK", 21, 16, false},
    {"MACOS_CHECKLIST", 40, 11, false},
    {"WINXP_CHECKLIST", 44, 11, false},
    {"DEEPBLUE_CHECKLIST", 44, 11, false},
    {"PROTEIN_CHECKLIST", 44, 11, false},
    {"BLUEGLASS_CHECKLIST", 44, 11, false},
    {"MACOS_SCROLLBUTTON", 72, 18, false},
    {"WINXP_SCROLLBUTTON", 72, 18, false},
    {"MORE_SCROLLBUTTON", 72, 17, false},
    {"MACOS_TAB", 36, 27, false},
    {"WINXP_TAB", 18, 18, false},
    {"DEEPBLUE_TAB", 12, 17, false},
    {"PROTEIN_TAB", 18, 17, false},
    {"BLUEGLASS_TAB", 18, 17, false},
    {"MACOS_TAB_LINE", 17, 7, false},
    {"WINXP_TAB_LINE", 8, 1, false},
    {"DEEPBLUE_TAB_LINE", 5, 5, false},
    {"PROTEIN_TAB_LINE", 10, 5, false},
    {"BLUEGLASS_TAB_LINE", 10, 5, false},
    {"MACOS_SIDECHENNEL_HANDLE", 7, 84, false},
    {"WINXP_SIDECHENNEL_HANDLE", 8, 86, false},
    {"DEEPBLUE_SIDECHENNEL_HANDLE", 8, 83, false},
    {"PROTEIN_SIDECHENNEL_HANDLE", 8, 83, false},
    {"BLUEGLASS_SIDECHENNEL_HANDLE", 8, 86, false},
    {"MACOS_SIDECHENNEL_BAR", 1, 21, false},
    {"WINXP_SIDECHENNEL_BAR", 1, 21, false},
    {"DEEPBLUE_SIDECHENNEL_BAR", 1, 20, false},
    {"PROTEIN_SIDECHENNEL_BAR", 1, 21, false},
    {"BLUEGLASS_SIDECHENNEL_BAR", 1, 21, false},
    // Menu check mark: a 16 by 16 image list image, drawn inside the 17 by 17
    // box a checked item with an image gets.
    {"MENU_CHECKED", 16, 16, false},
    // Tiled as a brush, or stretched: any size works.
    {"MACOS_FORM_BACKGROUND", 8, 8, true},
    {"PROTEIN_FORM_BACKGROUND", 8, 8, true},
    // Stretched after cutting to 12 or 20 rows, so at least 20 rows high.
    {"MACOS_MENU_BAR", 16, 20, true},
    {"MACOS_MENU_SELECT", 16, 20, true},
};

} // namespace

StyleItemKind StyleItemKindOf(UIStyle style, int item) {
    int column = 0;
    const ItemRow* row = Lookup(style, item, column);
    return row ? row->kind : StyleItemKind::Integer;
}

bool StyleBool(UIStyle style, int item) {
    int column = 0;
    const ItemRow* row = Lookup(style, item, column);
    if (!row || row->kind != StyleItemKind::Boolean) return false;
    return row->values[static_cast<std::size_t>(column)] != 0;
}

std::uint32_t StyleColor(UIStyle style, int item) {
    int column = 0;
    const ItemRow* row = Lookup(style, item, column);
    if (!row || row->kind != StyleItemKind::Colour) return 0;
    return static_cast<std::uint32_t>(row->values[static_cast<std::size_t>(column)]);
}

int StyleInt(UIStyle style, int item) {
    int column = 0;
    const ItemRow* row = Lookup(style, item, column);
    if (!row || row->kind != StyleItemKind::Integer) return -1;
    return row->values[static_cast<std::size_t>(column)];
}

const char* StyleBitmapName(UIStyle style, int item) {
    int column = 0;
    const ItemRow* row = Lookup(style, item, column);
    if (!row || row->kind != StyleItemKind::Bitmap) return nullptr;
    return row->names[static_cast<std::size_t>(column)];
}

const char* StylePicturePrefix(UIStyle style) {
    switch (style) {
    case UIStyle::MacOS: return "MACOS";
    case UIStyle::WinXP: return "WINXP";
    case UIStyle::DeepBlue: return "DEEPBLUE";
    case UIStyle::Protein: return "PROTEIN";
    case UIStyle::BlueGlass: return "BLUEGLASS";
    default: return nullptr;
    }
}

std::span<const BuiltInPicture> BuiltInPictures() { return kPictures; }

const BuiltInPicture* FindBuiltInPicture(const char* name) {
    if (name == nullptr) return nullptr;
    for (const BuiltInPicture& p : kPictures)
        if (std::strcmp(p.name, name) == 0) return &p;
    return nullptr;
}

} // namespace corvane::skin
