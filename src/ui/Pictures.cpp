#include "ui/Pictures.h"
#include "ui/WideText.h"

#include "ui/Gdi.h"

namespace corvane::ui {

BitmapHandle LoadBitmapResourceOrNull(const char* name) {
    if (!name || !*name) return {};
    return BitmapHandle(LoadBitmapW(GetModuleHandleW(nullptr), WideArg(name)));
}

COLORREF BottomLeftPixel(HBITMAP bitmap) {
    const SIZE s = BitmapSize(bitmap);
    if (s.cx <= 0 || s.cy <= 0) return 0;
    MemDcHandle dc(CreateCompatibleDC(nullptr));
    SelectObjectScope sel(dc.get(), bitmap);
    return GetPixel(dc.get(), 0, s.cy - 1);
}

void DrawTransparent(HDC dc, HBITMAP bitmap, int x, int y, std::uint32_t key) {
    const SIZE s = BitmapSize(bitmap);
    if (s.cx <= 0) return;
    MemDcHandle src(CreateCompatibleDC(dc));
    SelectObjectScope sel(src.get(), bitmap);
    TransparentBlt(dc, x, y, s.cx, s.cy, src.get(), 0, 0, s.cx, s.cy, key & 0xFFFFFF);
}

} // namespace corvane::ui
