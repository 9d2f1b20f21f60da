#include "skin/theme/StyleBitmaps.h"

#include <string>

#include "skin/theme/DrawMath.h"
#include "skin/theme/StyleTable.h"
#include "ui/Errors.h"

namespace corvane {

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || GetObjectA(bitmap, sizeof bm, &bm) != sizeof bm) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

HBITMAP CopyBitmapArea(HBITMAP source, int left, int top, int width, int height) {
    if (!source || width <= 0 || height <= 0) return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP out = CreateCompatibleBitmap(screen, width, height);
    ui::MemDcHandle src(CreateCompatibleDC(screen));
    ui::MemDcHandle dst(CreateCompatibleDC(screen));
    ReleaseDC(nullptr, screen);
    if (!out || !src || !dst) {
        if (out) DeleteObject(out);
        return nullptr;
    }
    {
        ui::SelectObjectScope s(src.get(), source);
        ui::SelectObjectScope d(dst.get(), out);
        BitBlt(dst.get(), 0, 0, width, height, src.get(), left, top, SRCCOPY);
    }
    return out;
}

HBITMAP CopyBitmap(HBITMAP source) {
    const SIZE s = BitmapSize(source);
    return CopyBitmapArea(source, 0, 0, s.cx, s.cy);
}

void CutBitmapPart(HBITMAP source, ui::BitmapHandle& dest, int partCount, int partNo) {
    const SIZE s = BitmapSize(source);
    const PartColumns part = BitmapPartColumns(s.cx, partCount, partNo);
    dest.reset(CopyBitmapArea(source, part.left, 0, part.width, s.cy));
}

HBITMAP LoadBitmapResource(const char* name) {
    HBITMAP b = (name && *name) ? LoadBitmapA(GetModuleHandleA(nullptr), name) : nullptr;
    if (!b) throw ui::UiError(std::string("Resource ") + (name ? name : "") + " not found");
    return b;
}

void StyleBitmap(TsuiUIStyle style, int item, ui::BitmapHandle& bitmap) {
    const char* name = StyleBitmapName(style, item);
    if (!name) return;
    bitmap.reset(LoadBitmapResource(name));
}

void StyleBitmapPart(TsuiUIStyle style, int item, ui::BitmapHandle* dest, int partCount, int partNo) {
    if (!dest) return;
    if (partCount == 0) {
        StyleBitmap(style, item, *dest);
        return;
    }
    const char* name = StyleBitmapName(style, item);
    if (!name) return;
    ui::BitmapHandle whole(LoadBitmapResource(name));
    CutBitmapPart(whole.get(), *dest, partCount, partNo);
}

} // namespace corvane
