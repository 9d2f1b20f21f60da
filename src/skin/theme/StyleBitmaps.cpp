#include "skin/theme/StyleBitmaps.h"

#include <string>

#include "skin/theme/DrawMath.h"
#include "skin/theme/StyleTable.h"
#include "ui/Errors.h"
#include "ui/Gdi.h"
#include "ui/Pictures.h"

namespace corvane::skin {

ui::BitmapHandle CutBitmapPart(HBITMAP source, int partCount, int partNo) {
    const SIZE s = ui::BitmapSize(source);
    const PartColumns part = BitmapPartColumns(s.cx, partCount, partNo);
    return ui::CopyBitmap(source, part.left, 0, part.width, s.cy);
}

ui::BitmapHandle LoadBitmapResource(const char* name) {
    ui::BitmapHandle b = ui::LoadBitmapResourceOrNull(name);
    if (!b) throw ui::UiError(std::string("Resource ") + (name ? name : "") + " not found");
    return b;
}

void StyleBitmap(UIStyle style, int item, ui::BitmapHandle& bitmap) {
    const char* name = StyleBitmapName(style, item);
    if (!name) return;
    bitmap = LoadBitmapResource(name);
}

void StyleBitmapPart(UIStyle style, int item, ui::BitmapHandle* dest, int partCount, int partNo) {
    if (!dest) return;
    if (partCount == 0) {
        StyleBitmap(style, item, *dest);
        return;
    }
    const char* name = StyleBitmapName(style, item);
    if (!name) return;
    *dest = CutBitmapPart(LoadBitmapResource(name).get(), partCount, partNo);
}

ui::BitmapHandle StylePicture(UIStyle style, int item, int partCount, int partNo) {
    ui::BitmapHandle whole = ui::LoadBitmapResourceOrNull(StyleBitmapName(style, item));
    if (partCount == 0) return whole;
    return CutBitmapPart(whole.get(), partCount, partNo);
}

} // namespace corvane::skin
