// Drawing routines shared by the flat button and the flat combo box.
#pragma once
#include "flat/FlatButtonMetrics.h"
#include "ui/Gdi.h"
#include <windows.h>
#include <cstdint>
#include <string>

namespace corvane::flat {

using NumGlyphs = int; // 1..4
using AdvColors = int; // 0..100, a percentage

// A one-pixel-pen bevel `width` rings deep inside `rect`.
void DrawBevelFrame(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width);

// The embossed, disabled rendering of `source`: a new bitmap of the source's
// size filled with `backColor`, stamped with `highlight` one pixel down-right
// (when drawHighlight) and `shadow` on top, wherever the source is not
// background. The source's background is the colour of its bottom-left pixel.
ui::BitmapHandle MakeDisabledGlyph(HBITMAP source, COLORREF maskColor, COLORREF backColor, bool drawHighlight,
                                   COLORREF shadow, COLORREF highlight);

// Measures the caption in `dc`'s font and places glyph and caption in `client`.
GlyphTextLayout LayoutGlyphAndText(HDC dc, const RECT& client, POINT offset, const std::string& caption, HBITMAP glyph,
                                   int numGlyphs, int margin, int spacing, ButtonLayout layout);

// The window under a screen position, disabled child windows included.
HWND ControlAtScreenPoint(POINT screen);

} // namespace corvane::flat
