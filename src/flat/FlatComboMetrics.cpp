#include "flat/FlatComboMetrics.h"

namespace corvane::flat {

FlatComboGeometry ComputeFlatComboGeometry(int w, int h, int cw, int ch, int sb) {
    FlatComboGeometry g{};
    g.button = {cw - kComboArrowButtonWidth - 1, 0, w - 1, h};
    g.buttonDrawn = g.button.inflated(1, 0);
    g.frame = {0, 0, w - (kComboArrowButtonWidth + 1), h};
    g.arrowOrigin = {g.buttonDrawn.left + g.buttonDrawn.width() / 2 - 6,
                     g.buttonDrawn.top + g.buttonDrawn.height() / 2 - 1};
    g.scrollStrip = {cw - (sb + 2), 0, cw, ch};
    g.arrowClipStrip = {cw - sb, 0, cw, ch};
    g.paintRightLimit = w - 15;
    g.dropDownFrame = Rect{0, 0, cw, ch}.inflated(-2, -2);
    g.dropDownFrame.right = w - 14;
    const Rect face = Rect{0, 0, cw, ch}.inflated(-2, -3);
    g.listFaceStrip = {face.right - 19, face.top, face.right - 14, face.bottom};
    g.focusFrame = Rect{0, 0, cw, ch}.inflated(-3, -3);
    g.focusFrame.right -= 13;
    g.editChild = {cw - 19, h - 6};
    g.closeUpInvalidate = {g.button.left - 2, g.button.top, g.button.right, g.button.bottom};
    return g;
}

Triangle ComboArrowTriangle(Point o, bool droppedDown) {
    if (droppedDown) return {{{o.x + 4, o.y + 2}, {o.x + 8, o.y + 2}, {o.x + 6, o.y}}};
    return {{{o.x + 4, o.y}, {o.x + 8, o.y}, {o.x + 6, o.y + 2}}};
}

} // namespace corvane::flat
