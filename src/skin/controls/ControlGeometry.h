// Arithmetic of the skinned controls, free of the platform so that the host
// tests can check it exactly: the nine-part stretch of button pictures, the
// glyph and caption layout, the state pictures, the tool bar's button faces and
// the group box frame.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "ui/ButtonLayout.h"
#include "ui/Geometry.h"
#include "ui/Scale.h"

namespace corvane::skin {

using ui::ButtonLayout;
using ui::Point;
using ui::Rect;
using ui::Size;

// One piece of a stretched button picture: `source` in the picture, drawn into
// `target`. Corners are drawn unscaled (source and target have the same size),
// edges and centre are stretched.
struct NinePiece {
    enum Kind { TopLeft, BottomLeft, LeftEdge, TopRight, BottomRight, RightEdge, TopEdge, Centre, BottomEdge };
    Kind kind;
    Rect source;
    Rect target;
    bool corner() const { return kind == TopLeft || kind == BottomLeft || kind == TopRight || kind == BottomRight; }
    // Pieces with nothing to draw are skipped.
    bool empty() const {
        return source.width() <= 0 || source.height() <= 0 || target.width() <= 0 || target.height() <= 0;
    }
};

// The nine pieces, in drawing order, that stretch a picture of `picture` size
// over a target of `target` size. Corners keep their size but never take more
// than their quarter of the target.
std::array<NinePiece, 9> NinePartStretch(Size picture, Size target);

// Part (from 1) of the three-part button strip for a state.
int ButtonStatePart(bool enabled, bool pressed, bool hover);

// Part and part count of the check box strip: six parts from a file theme,
// four from a built-in style.
struct StripPart {
    int part;
    int count;
};
StripPart CheckBoxStatePart(bool fromFileTheme, bool checked, bool enabled);

// A glyph exactly twice as wide as high holds two images: normal, disabled.
bool IsTwoImageGlyph(Size glyph);

struct GlyphLayout {
    Point glyph;   // glyph's top-left, before the pressed offset
    Point caption; // caption's top-left
    Size image;    // one image of the glyph
};
// Places glyph and caption on a control of `control` size. `text` is the size
// of the raw caption (an "&" counts).
GlyphLayout LayoutGlyph(Size control, Size text, Size glyph, ButtonLayout layout, int spacing);

// Size an auto-sized button takes from its style's three-part strip; an empty
// strip counts as 74 x 21.
Size AutoSizeFromStrip(Size strip);

// The check box's auto size: picture, caption and 8 pixels wide; the taller of
// the picture and a text line (+ 2), and 4 more, high. The pixels are 96-DPI ones.
Size CheckBoxAutoSize(Size picture, int textLineHeight, int captionWidth, const ui::Scaler& scale = ui::Scaler());

// The caption with every "&" removed, as a tool bar measures it.
std::string StripAmpersands(const std::string& caption);

// Where a tool bar button draws its image and caption on its own face.
struct ToolButtonFace {
    Point image;
    Rect caption;
};
// `button` is the button's bounds, `image` the image list's image size (0 x 0
// without images), `captionWidth` the width of the caption without "&".
ToolButtonFace LayoutToolButton(Rect button, Size image, bool list, bool dropDown, bool pressedLook, int captionWidth);

// The group box frame: a polyline at y = top + |font height| div 2 + 1 with a
// gap for the caption, mirrored for right-to-left.
std::vector<Point> GroupBoxFrame(Rect client, int fontHeight, int captionWidth, bool hasCaption, bool rightToLeft);

// Where a group box lays out its aligned children.
Rect GroupBoxAlignRect(Rect client, int fontHeight);

} // namespace corvane::skin
