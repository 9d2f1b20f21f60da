// Bitmaps of the built-in styles, loaded from the program's bitmap resources,
// and the cutting of a picture strip into equal parts.
#pragma once
#include <windows.h>
#include <optional>

#include "skin/theme/StyleTable.h"
#include "skin/theme/UIStyle.h"
#include "ui/Gdi.h"

namespace corvane::skin {

// Part `partNo` (from 1) of `partCount` equal-width parts of `source`, at the
// source's full height (the last part takes the rightmost columns). A part count
// of 0 copies the whole source.
ui::BitmapHandle CutBitmapPart(HBITMAP source, int partCount, int partNo);

// Loads a named bitmap resource of the program. Throws ui::UiError naming the
// resource when it is missing, as the platform's loader reports it; painting code
// that goes on without the picture uses ui::LoadBitmapResourceOrNull or StylePicture.
ui::BitmapHandle LoadBitmapResource(const char* name);

// Item `item` (1-48) of a built-in style: loads its picture into `bitmap`
// when the item is a bitmap item, and leaves `bitmap` alone otherwise
// (FromThemeFile loads nothing), which is why it takes the handle to fill.
void StyleBitmap(UIStyle style, int item, ui::BitmapHandle& bitmap);
// Nothing when `dest` is null; the whole picture for a part count of 0,
// otherwise part `partNo` of `partCount`.
void StyleBitmapPart(UIStyle style, int item, ui::BitmapHandle* dest, int partCount, int partNo);

// The picture of item `item` of a built-in style, or part `partNo` of `partCount`
// of it when the count is not 0; none, never an error, when the item has no
// picture or its resource is missing.
ui::BitmapHandle StylePicture(UIStyle style, int item, int partCount = 0, int partNo = 0);
inline ui::BitmapHandle StylePicture(UIStyle style, StyleItem item, int partCount = 0, int partNo = 0) {
    return StylePicture(style, static_cast<int>(item), partCount, partNo);
}

// A picture drawn for 96 DPI and the larger renditions its art carries; any may be missing.
struct Renditions {
    HBITMAP design = nullptr;
    HBITMAP at144 = nullptr;
    HBITMAP at192 = nullptr;
};

// Part `partNo` of `partCount` equal parts (the whole for a count of 0) for `dpi`, at
// the design's size scaled: at 96 the design's; else cut from the rendition drawn for
// that DPI or the next larger one that fits, resized only when the DPI lies between,
// and from the design when none fits. `key`, the transparent colour, never blends.
ui::BitmapHandle PictureAtDpi(const Renditions& r, int dpi, std::optional<COLORREF> key, int partCount = 0,
                              int partNo = 0);

// The built-in picture `name` with its renditions "<name>_150" and "<name>_200", loaded
// once and lent for the program's life; empty when the resource is missing.
Renditions BuiltInRenditions(const char* name);
// The built-in picture `name` for `dpi`, transparent by its bottom-left pixel.
ui::BitmapHandle BuiltInPictureAtDpi(const char* name, int dpi, int partCount = 0, int partNo = 0);

} // namespace corvane::skin
