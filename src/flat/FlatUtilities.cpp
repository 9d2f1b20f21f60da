#include "flat/FlatUtilities.h"
#include "ui/Gdi.h"
#include "flat/FlatColors.h"
#include <vector>

namespace corvane::flat {

void DrawBevelFrame(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width) {
    const Rect r{rect.left, rect.top, rect.right, rect.bottom};
    ui::PenHandle tl(CreatePen(PS_SOLID, 1, topLeft));
    ui::PenHandle br(CreatePen(PS_SOLID, 1, bottomRight));
    const HGDIOBJ old = SelectObject(dc, tl.get());
    for (const BevelRing& ring : BevelFrameRings(r, width)) {
        POINT a[3], b[3];
        for (int i = 0; i < 3; ++i) {
            a[i] = POINT{ring.topLeft[i].x, ring.topLeft[i].y};
            b[i] = POINT{ring.bottomRight[i].x, ring.bottomRight[i].y};
        }
        SelectObject(dc, tl.get());
        Polyline(dc, a, 3);
        SelectObject(dc, br.get());
        Polyline(dc, b, 3);
    }
    SelectObject(dc, old);
}

ui::BitmapHandle MakeDisabledGlyph(HBITMAP source, COLORREF maskColor, COLORREF backColor, bool drawHighlight,
                                   COLORREF shadow, COLORREF highlight) {
    const SIZE size = ui::BitmapSize(source);
    if (size.cx <= 0 || size.cy <= 0) return {};
    const int w = size.cx, h = size.cy;
    ui::BitmapHandle result(CreateCompatibleBitmap(ui::WindowDc(nullptr).get(), w, h));
    ui::MemDcHandle srcDc(CreateCompatibleDC(nullptr));
    ui::MemDcHandle maskDc(CreateCompatibleDC(nullptr));
    ui::MemDcHandle outDc(CreateCompatibleDC(nullptr));
    // White marks background, black the picture.
    ui::BitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
    {
        ui::SelectObjectScope src(srcDc.get(), source);
        ui::SelectObjectScope m(maskDc.get(), mask.get());
        BITMAP bm{};
        GetObjectW(source, sizeof bm, &bm);
        if (bm.bmBitsPixel == 1) {
            // Already a mask.
            BitBlt(maskDc.get(), 0, 0, w, h, srcDc.get(), 0, 0, SRCCOPY);
        } else {
            // Anything the source does not cover stays in the mask colour.
            ui::FillSolid(maskDc.get(), RECT{0, 0, w, h}, maskColor);
            SetBkColor(srcDc.get(), GetPixel(srcDc.get(), 0, h - 1));
            BitBlt(maskDc.get(), 0, 0, w, h, srcDc.get(), 0, 0, SRCCOPY);
        }
    }
    ui::SelectObjectScope out(outDc.get(), result.get());
    ui::SelectObjectScope m(maskDc.get(), mask.get());
    ui::FillSolid(outDc.get(), RECT{0, 0, w, h}, backColor);
    // DSPDxax lays the brush where the expanded source is all ones and keeps the
    // destination where it is zero. Expanding the mask with a white text colour
    // and a black background puts the brush on the picture (mask black) and
    // leaves the background (mask white) untouched.
    constexpr DWORD kDSPDxax = 0x00E20746;
    SetTextColor(outDc.get(), RGB(255, 255, 255));
    SetBkColor(outDc.get(), RGB(0, 0, 0));
    if (drawHighlight) {
        ui::BrushHandle b(CreateSolidBrush(highlight));
        ui::SelectObjectScope sel(outDc.get(), b.get());
        BitBlt(outDc.get(), 1, 1, w, h, maskDc.get(), 0, 0, kDSPDxax);
    }
    {
        ui::BrushHandle b(CreateSolidBrush(shadow));
        ui::SelectObjectScope sel(outDc.get(), b.get());
        BitBlt(outDc.get(), 0, 0, w, h, maskDc.get(), 0, 0, kDSPDxax);
    }
    return result;
}

GlyphTextLayout LayoutGlyphAndText(HDC dc, const RECT& client, POINT offset, const std::string& caption, HBITMAP glyph,
                                   int numGlyphs, int margin, int spacing, ButtonLayout layout) {
    Size text{};
    if (!caption.empty()) {
        RECT t{0, 0, client.right - client.left, 0};
        ui::DrawUtf8Text(dc, caption, t, DT_CALCRECT | DT_SINGLELINE);
        text = Size{t.right - t.left, t.bottom - t.top};
    }
    const SIZE g = ui::BitmapSize(glyph);
    return LayoutGlyphAndText(Rect{client.left, client.top, client.right, client.bottom}, Point{offset.x, offset.y},
                              Size{g.cx, g.cy}, numGlyphs, text, margin, spacing, layout);
}

HWND ControlAtScreenPoint(POINT screen) {
    HWND w = WindowFromPoint(screen);
    // WindowFromPoint passes over disabled children; look for them below the hit.
    while (w) {
        POINT p = screen;
        ScreenToClient(w, &p);
        HWND child = ChildWindowFromPointEx(w, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == w) break;
        w = child;
    }
    return w;
}

} // namespace corvane::flat
