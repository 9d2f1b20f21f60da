#include "ui/Pictures.h"
#include "ui/WideText.h"

#include "ui/Gdi.h"

namespace corvane::ui {

BitmapHandle LoadBitmapResourceOrNull(const char* name) {
    if (!name || !*name) return {};
    BitmapHandle file(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), WideArg(name), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    // Made a 32-bit picture like all the others (see NewPicture), whatever the file's depth.
    const SIZE s = BitmapSize(file.get());
    std::uint32_t* bits = nullptr;
    BitmapHandle picture = NewPicture(s.cx, s.cy, &bits);
    BITMAPINFO info = TopDown32(s.cx, s.cy);
    const BitmapDc converter(nullptr);
    if (!picture ||
        GetDIBits(converter.get(), file.get(), 0, static_cast<UINT>(s.cy), bits, &info, DIB_RGB_COLORS) != s.cy)
        return file;
    return picture;
}

COLORREF BottomLeftPixel(HBITMAP bitmap) {
    const SIZE s = BitmapSize(bitmap);
    if (s.cx <= 0 || s.cy <= 0) return 0;
    BitmapDc dc(bitmap);
    return GetPixel(dc.get(), 0, s.cy - 1);
}

void DrawTransparent(HDC dc, HBITMAP bitmap, int x, int y, std::uint32_t key) {
    const SIZE s = BitmapSize(bitmap);
    if (s.cx <= 0) return;
    BitmapDc src(bitmap);
    TransparentBlt(dc, x, y, s.cx, s.cy, src.get(), 0, 0, s.cx, s.cy, key & 0xFFFFFF);
}

} // namespace corvane::ui
