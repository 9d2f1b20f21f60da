#include "skin/controls/ControlGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace corvane::skin {

std::array<NinePiece, 9> NinePartStretch(Size picture, Size target) {
    const int W = picture.cx, H = picture.cy, w = target.cx, h = target.cy;
    const int hw = W / 2, hh = H / 2, tw = w / 2, th = h / 2;
    auto clampSize = [](int source, int quarter) { return std::max(0, std::min(source, quarter)); };

    // Corners: the source cut on its inner sides to fit the target's quarter,
    // drawn at the target's outer corner.
    auto corner = [&](NinePiece::Kind kind, Rect src, Rect quarter, bool right, bool bottom) {
        const int cw = clampSize(src.width(), quarter.width());
        const int ch = clampSize(src.height(), quarter.height());
        Rect s{right ? src.right - cw : src.left, bottom ? src.bottom - ch : src.top, 0, 0};
        s.right = s.left + cw;
        s.bottom = s.top + ch;
        Rect t{right ? quarter.right - cw : quarter.left, bottom ? quarter.bottom - ch : quarter.top, 0, 0};
        t.right = t.left + cw;
        t.bottom = t.top + ch;
        return NinePiece{kind, s, t};
    };
    const NinePiece tl = corner(NinePiece::TopLeft, {0, 0, hw, hh}, {0, 0, tw, th}, false, false);
    const NinePiece bl = corner(NinePiece::BottomLeft, {0, H - hh + 1, hw, H}, {0, h - th + 1, tw, h}, false, true);
    const NinePiece tr = corner(NinePiece::TopRight, {W - hw + 1, 0, W, hh}, {w - tw + 1, 0, w, th}, true, false);
    const NinePiece br = corner(NinePiece::BottomRight, {W - hw + 1, H - hh + 1, W, H}, {w - tw + 1, h - th + 1, w, h},
                                true, true);
    const Rect TL = tl.target, BL = bl.target, TR = tr.target, BR = br.target;

    // Side edges keep the outer columns as wide as the drawn corners, top and
    // bottom edges the outer rows as high as them.
    Rect left{0, hh, hw, H - hh};
    left.right = left.left + std::min(left.width(), TL.width());
    Rect right{W - hw + 1, H - hh, W, hh + 2};
    right.left = right.right - std::min(right.width(), TR.width());
    Rect top{hw, 0, W - hw + 1, hh};
    top.bottom = top.top + std::min(top.height(), TL.height());
    Rect bottom{hw, H - hh, W - hw + 1, H};
    bottom.top = bottom.bottom - std::min(bottom.height(), BL.height());

    return {tl,
            bl,
            NinePiece{NinePiece::LeftEdge, left, {0, TL.bottom, TL.right, BL.top}},
            tr,
            br,
            NinePiece{NinePiece::RightEdge, right, {TR.left, TR.bottom, TR.right, BR.top}},
            NinePiece{NinePiece::TopEdge, top, {TL.right, 0, TR.left, TL.bottom}},
            NinePiece{NinePiece::Centre, {hw, hh, W - hw + 1, H - hh}, {TL.right, TL.bottom, TR.left, BR.top - 1}},
            NinePiece{NinePiece::BottomEdge, bottom, {TL.right - 1, BL.top - 1, BR.left, BR.bottom}}};
}

int ButtonStatePart(bool enabled, bool pressed, bool hover) {
    if (!enabled) return 1;
    if (pressed) return 3;
    if (hover) return 2;
    return 1;
}

StripPart CheckBoxStatePart(bool fromFileTheme, bool checked, bool enabled) {
    if (fromFileTheme) return {checked ? (enabled ? 1 : 4) : (enabled ? 3 : 6), 6};
    return {checked ? (enabled ? 1 : 3) : (enabled ? 2 : 4), 4};
}

bool IsTwoImageGlyph(Size glyph) { return glyph.cy > 0 && glyph.cx == 2 * glyph.cy; }

GlyphLayout LayoutGlyph(Size control, Size text, Size glyph, ButtonLayout layout, int spacing) {
    const int W = control.cx, H = control.cy, tw = text.cx, th = text.cy, S = spacing;
    const int gw = IsTwoImageGlyph(glyph) ? glyph.cy : glyph.cx, gh = glyph.cy;
    GlyphLayout r{{}, {}, {gw, gh}};
    switch (layout) {
    case ButtonLayout::GlyphLeft:
        r.glyph = {(W - gw - tw - S) / 2, (H - gh) / 2};
        r.caption = {r.glyph.x + gw + S, (H - th) / 2};
        break;
    case ButtonLayout::GlyphRight:
        r.glyph = {(W + tw + S - gw) / 2, (H - gh) / 2};
        r.caption = {r.glyph.x - tw - S, (H - th) / 2};
        break;
    case ButtonLayout::GlyphTop:
        r.glyph = {(W - gw) / 2, (H - th - gh - S) / 2};
        r.caption = {(W - tw) / 2, r.glyph.y + gh + S};
        break;
    case ButtonLayout::GlyphBottom:
        r.glyph = {(W - gw) / 2, (H + th + S - gh) / 2};
        r.caption = {(W - tw) / 2, r.glyph.y - th - S};
        break;
    }
    return r;
}

Size AutoSizeFromStrip(Size strip) {
    const int h = strip.cy == 0 ? 21 : strip.cy;
    const int w = strip.cx == 0 ? 74 : strip.cx;
    return {w / 3, h};
}

Size CheckBoxAutoSize(Size picture, int textLineHeight, int captionWidth, const ui::Scaler& scale) {
    return {picture.cx + captionWidth + scale(8), std::max(textLineHeight + scale(2), picture.cy) + scale(4)};
}

std::string StripAmpersands(const std::string& caption) {
    std::string out;
    for (char c : caption)
        if (c != '&') out += c;
    return out;
}

ToolButtonFace LayoutToolButton(Rect R, Size image, bool list, bool dropDown, bool pressedLook, int captionWidth) {
    const bool images = image.cx > 0 || image.cy > 0;
    const int rightEdge = dropDown ? R.right - 14 : R.right;
    ToolButtonFace f{};
    if (list) f.image = {R.left + 5, R.top + 3};
    else f.image = {R.left + (rightEdge - R.left - image.cx) / 2, R.top + 3};
    const int centred = R.left + (rightEdge - R.left - captionWidth) / 2;
    if (list && images) f.caption = {R.left + image.cx + 7, R.top + 4 + (image.cy - 16) / 2, R.right, R.bottom};
    else if (images) f.caption = {centred, R.top + image.cy + 4, R.right, R.bottom};
    else if (list) f.caption = {R.left + 8, R.top + 3, R.right, R.bottom};
    else f.caption = {centred, R.top + (pressedLook ? 5 : 4), R.right, R.bottom};
    return f;
}

std::vector<Point> GroupBoxFrame(Rect c, int fontHeight, int captionWidth, bool hasCaption, bool rightToLeft) {
    const int y = c.top + std::abs(fontHeight) / 2 + 1;
    if (!rightToLeft)
        return {{c.left + 2, y},        {c.left, y},
                {c.left, c.bottom - 1}, {c.right - 1, c.bottom - 1},
                {c.right - 1, y},       {hasCaption ? c.left + 6 + captionWidth : c.left, y}};
    return {{c.right - 3, y},           {c.right - 1, y}, {c.right - 1, c.bottom - 1},
            {c.left + 1, c.bottom - 1}, {c.left + 1, y},  {hasCaption ? c.right - captionWidth - 7 : c.right - 1, y}};
}

Rect GroupBoxAlignRect(Rect c, int fontHeight) {
    return {c.left + 3, c.top + std::abs(fontHeight) + 5, c.right - 3, c.bottom - 3};
}

} // namespace corvane::skin
