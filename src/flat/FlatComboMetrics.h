// Geometry of the flat combo box's own painting: border, arrow button,
// the strips kept free of the platform's drawing.
#pragma once

#include "ui/Geometry.h"

namespace corvane::flat {

using ui::Point;
using ui::Rect;
using ui::Size;

inline constexpr int kComboArrowButtonWidth = 11;

struct FlatComboGeometry {
    Rect button;            // arrow button as hit/invalidation area
    Rect buttonDrawn;       // arrow button as painted (one pixel wider each side)
    Rect frame;             // outermost border ring, whole-window coordinates
    Point arrowOrigin;      // x0, y0 of the triangle
    Rect scrollStrip;       // kept out of the platform's painting
    Rect arrowClipStrip;    // excluded after drawing the arrow button
    int paintRightLimit;    // right edge of the area filled with Color
    Rect dropDownFrame;     // DropDown with the list open
    Rect listFaceStrip;     // list styles: strip left of the button
    Rect focusFrame;        // list styles: frame around the selected text
    Size editChild;         // size of the edit child (DropDown, Simple)
    Rect closeUpInvalidate; // repainted when the list closes
};

// w, h: window size; cw, ch: client size; sb: system vertical scroll-bar width.
FlatComboGeometry ComputeFlatComboGeometry(int w, int h, int cw, int ch, int sb);

// The three corners of the filled arrow triangle at `origin`; it points up
// while the list is dropped down.
struct Triangle {
    Point p[3];
};

Triangle ComboArrowTriangle(Point origin, bool droppedDown);

} // namespace corvane::flat
