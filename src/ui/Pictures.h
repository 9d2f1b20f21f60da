// Pictures of the program: named bitmap resources, and drawing with a key colour
// left out.
#pragma once
#include <cstdint>

#include "ui/Handles.h"

namespace corvane::ui {

// A named bitmap resource of the program; none when the name is empty or the
// resource is missing, so painting code draws without it instead of failing.
BitmapHandle LoadBitmapResourceOrNull(const char* name);

// The colour of the bottom-left pixel, which marks a glyph's or a built-in
// picture's transparent pixels; 0 for an empty bitmap.
COLORREF BottomLeftPixel(HBITMAP bitmap);

// Draws the bitmap at its own size, leaving out the pixels of colour `key`
// (0x00BBGGRR; the top byte is ignored). Nothing for an empty bitmap.
void DrawTransparent(HDC dc, HBITMAP bitmap, int x, int y, std::uint32_t key);

} // namespace corvane::ui
