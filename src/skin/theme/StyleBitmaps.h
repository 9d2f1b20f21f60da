// Bitmaps of the built-in styles, loaded from the program's bitmap resources,
// and the cutting of a picture strip into equal parts.
#pragma once
#include <windows.h>

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

} // namespace corvane::skin
