#include "flat/FlatButtonMetrics.h"

#include <algorithm>

namespace corvane::flat {

namespace {

bool IsHorizontal(ButtonLayout layout) {
    return layout == ButtonLayout::GlyphLeft || layout == ButtonLayout::GlyphRight;
}

} // namespace

GlyphTextLayout LayoutGlyphAndText(const Rect& client, Point offset, Size glyph, int numGlyphs, Size text, int margin,
                                   int spacing, ButtonLayout layout) {
    const int cw = client.width();
    const int ch = client.height();
    int gw = 0;
    int gh = 0;
    if (glyph.cx > 0 && glyph.cy > 0) {
        gw = glyph.cx / std::max(numGlyphs, 1);
        gh = glyph.cy;
    }
    const int tw = text.cx;
    const int th = text.cy;
    const bool horizontal = IsHorizontal(layout);

    // Glyph and caption are centred across the layout axis and share the room along it.
    const int room = horizontal ? cw : ch;
    const int across = horizontal ? ch : cw;
    const int glyphExtent = horizontal ? gw : gh;
    const int textExtent = horizontal ? tw : th;
    Point g;
    Point t;
    int& glyphAlong = horizontal ? g.x : g.y;
    int& textAlong = horizontal ? t.x : t.y;
    (horizontal ? g.y : g.x) = (across - (horizontal ? gh : gw) + 1) / 2;
    (horizontal ? t.y : t.x) = (across - (horizontal ? th : tw) + 1) / 2;

    if (tw == 0 || gw == 0) spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (room - (glyphExtent + textExtent)) / 3;
            spacing = margin;
        } else {
            margin = (room - (glyphExtent + spacing + textExtent) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (room - (margin + glyphExtent) - textExtent) / 2;
    }

    // The glyph keeps the margin from its own edge; the caption follows it after the spacing.
    if (layout == ButtonLayout::GlyphLeft || layout == ButtonLayout::GlyphTop) {
        glyphAlong = margin;
        textAlong = glyphAlong + glyphExtent + spacing;
    } else {
        glyphAlong = room - margin - glyphExtent;
        textAlong = glyphAlong - spacing - textExtent;
    }

    GlyphTextLayout out;
    out.glyphPos = {client.left + g.x + offset.x, client.top + g.y + offset.y};
    out.textBounds = Rect{0, 0, tw, th}.offset(client.left + t.x + offset.x, client.top + t.y + offset.y);
    return out;
}

int NumGlyphsForGlyph(Size glyph, int current) {
    if (glyph.cx <= 0 || glyph.cy <= 0 || glyph.cx % glyph.cy != 0) return current;
    const int n = glyph.cx / glyph.cy;
    return n > kMaxGlyphs ? 1 : n;
}

int GlyphImageForState(int numGlyphs, ButtonState state) {
    switch (state) {
    case ButtonState::Up: return 1;
    case ButtonState::Disabled: return numGlyphs >= 2 ? 2 : 1;
    case ButtonState::Down: return numGlyphs >= 3 ? 3 : 1;
    case ButtonState::Exclusive: return numGlyphs >= 4 ? 4 : (numGlyphs == 3 ? 3 : 1);
    }
    return 1;
}

Rect GlyphImageRect(Size glyph, int numGlyphs, int image) {
    if (numGlyphs <= 1) return {0, 0, glyph.cx, glyph.cy};
    const int w = glyph.cx / numGlyphs;
    const int left = w * (std::clamp(image, 1, numGlyphs) - 1);
    return {left, 0, left + w, glyph.cy};
}

bool IsInsideButton(Point p, Size client) { return p.x >= 0 && p.x < client.cx && p.y >= 0 && p.y <= client.cy; }

Point PaintOffset(ButtonState state) {
    if (state == ButtonState::Down || state == ButtonState::Exclusive) return {1, 1};
    return {0, 0};
}

ButtonState RefreshedState(ButtonState state, bool enabled, bool down, int groupIndex) {
    if (!enabled) return ButtonState::Disabled;
    if (state == ButtonState::Disabled) return down && groupIndex != 0 ? ButtonState::Exclusive : ButtonState::Up;
    return state;
}

ButtonState DraggingState(bool down, bool inside) {
    if (down) return ButtonState::Exclusive;
    return inside ? ButtonState::Down : ButtonState::Up;
}

bool FaceIsTransparent(TransparentMode mode, bool mouseIn) {
    switch (mode) {
    case TransparentMode::Always: return true;
    case TransparentMode::NotFocused: return !mouseIn;
    case TransparentMode::None: return false;
    }
    return false;
}

std::uint32_t FaceColor(ButtonState state, bool mouseIn, const FlatButtonColors& colors) {
    switch (state) {
    case ButtonState::Up: return mouseIn ? colors.focused : colors.color;
    case ButtonState::Disabled: return colors.color;
    case ButtonState::Down: return colors.down;
    case ButtonState::Exclusive: return mouseIn ? colors.focused : colors.down;
    }
    return colors.color;
}

BevelFrame FrameForState(ButtonState state, bool mouseIn, bool isDefault, const FlatButtonColors& colors) {
    switch (state) {
    case ButtonState::Up:
        if (mouseIn) return {colors.highlight, colors.shadow, 1};
        if (isDefault) return {colors.border, colors.border, 2};
        return {colors.border, colors.border, 1};
    case ButtonState::Disabled: return {colors.border, colors.border, 1};
    case ButtonState::Down:
    case ButtonState::Exclusive: return {colors.shadow, colors.highlight, 1};
    }
    return {colors.border, colors.border, 1};
}

std::vector<BevelRing> BevelFrameRings(const Rect& rect, int width) {
    std::vector<BevelRing> rings;
    Rect r{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
    for (int i = 0; i < width; ++i) {
        BevelRing ring;
        ring.topLeft[0] = {r.left, r.bottom};
        ring.topLeft[1] = {r.left, r.top};
        ring.topLeft[2] = {r.right, r.top};
        ring.bottomRight[0] = {r.right, r.top};
        ring.bottomRight[1] = {r.right, r.bottom};
        ring.bottomRight[2] = {r.left - 1, r.bottom};
        rings.push_back(ring);
        r = r.inflated(-1, -1);
    }
    return rings;
}

} // namespace corvane::flat
