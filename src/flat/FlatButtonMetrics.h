// Layout and state arithmetic of the flat button, kept apart from painting.
#pragma once

#include <cstdint>
#include <vector>

#include "flat/FlatColors.h"
#include "ui/ButtonLayout.h"
#include "ui/Geometry.h"

namespace corvane::flat {

using ui::ButtonLayout;
using ui::Point;
using ui::Rect;
using ui::Size;

enum class ButtonState : std::uint8_t { Up, Disabled, Down, Exclusive };

enum class TransparentMode : std::uint8_t { Always, NotFocused, None };

inline constexpr int kMaxGlyphs = 4;

struct GlyphTextLayout {
    Point glyphPos;  // top-left of the glyph image
    Rect textBounds; // rectangle the caption is drawn centred in
};

// Places glyph and caption inside `client`. `glyph` is the whole glyph bitmap
// (all images side by side, empty when there is none), `text` the caption
// measured single-line in a rectangle of the client's width (0, 0 when empty).
// margin -1 centres automatically; spacing -1 spreads automatically.
GlyphTextLayout LayoutGlyphAndText(const Rect& client, Point offset, Size glyph, int numGlyphs, Size text, int margin,
                                   int spacing, ButtonLayout layout);

// NumGlyphs after assigning a glyph of this size: width div height when the
// width is a multiple of the height (1 beyond four images), else unchanged.
int NumGlyphsForGlyph(Size glyph, int current);

// 1-based image of a NumGlyphs-image glyph drawn in `state`.
int GlyphImageForState(int numGlyphs, ButtonState state);

// Source rectangle of 1-based image `image` within the glyph bitmap.
Rect GlyphImageRect(Size glyph, int numGlyphs, int image);

// Mouse position test of the button: the bottom edge row counts as inside,
// the right edge column does not.
bool IsInsideButton(Point p, Size client);

// Paint offset of glyph and caption: pressed looks move by one pixel.
Point PaintOffset(ButtonState state);

// State at the start of painting, from the enabled flag and the Down/GroupIndex pair.
ButtonState RefreshedState(ButtonState state, bool enabled, bool down, int groupIndex);

// State while dragging with the mouse at an inside or outside position.
ButtonState DraggingState(bool down, bool inside);

// True when the face shows the parent's background instead of a fill.
bool FaceIsTransparent(TransparentMode mode, bool mouseIn);

// Fill colour of the face.
std::uint32_t FaceColor(ButtonState state, bool mouseIn, const FlatButtonColors& colors);

struct BevelFrame {
    std::uint32_t topLeft = 0;
    std::uint32_t bottomRight = 0;
    int width = 1;
};

BevelFrame FrameForState(ButtonState state, bool mouseIn, bool isDefault, const FlatButtonColors& colors);

// One ring of a bevel frame as two three-point polylines, drawn with a
// one-pixel pen; the bottom-right line ends one pixel past the left edge so
// that the corner pixel is covered.
struct BevelRing {
    Point topLeft[3];
    Point bottomRight[3];
};

std::vector<BevelRing> BevelFrameRings(const Rect& rect, int width);

} // namespace corvane::flat
