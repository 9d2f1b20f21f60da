#include "skin/frame/FrameLayout.h"

#include <algorithm>

namespace corvane::skin {

int SaneFrameThickness(int measured, const ui::Scaler& scale) {
    return measured < 0 || measured > scale(16) ? scale(4) : measured;
}

Rect NcCalcRect(int x, int y, int cx, int cy, const NcSizes& s) {
    // The native frame, its one-pixel steps, the top and the built-in sides are the system's
    // and stay as they are; the skin's borders and the built-in bottom are scaled.
    const ui::Scaler& at = s.scale;
    const int fl = std::max(4, s.fl), fb = std::max(4, s.fb);
    Rect r;
    r.top = y - fb + 4;
    if (s.l != 0) {
        r.right = x + cx + fl - std::max(s.r, at(4)) - 1;
        r.left = x + std::max(s.l, at(4)) - fl + 1;
    } else {
        // The built-in styles' sides are as thick as the native frame: the window was sized
        // for that one, so the client keeps the design's width at every DPI.
        r.right = x + cx + fl - 4;
        r.left = x - fl + 4;
    }
    if (s.b != 0) r.bottom = y + cy + fb - std::max(s.b, at(4)) - 1;
    else if (s.borderWidth == 3) r.bottom = y + cy + fb - (at(3) + 1);
    else r.bottom = y + cy + fb - (at(s.borderWidth + 1) + 1);
    return r;
}

int TitleInset(int leftBorder, int nativeBottom, const ui::Scaler& scale) {
    return leftBorder != 0 ? std::max(leftBorder, scale(4)) : nativeBottom - 1;
}

Rect MaximizedBounds(const Rect& a) { return {a.left - 2, a.top - 2, a.right + 2, a.bottom - 1}; }

RegionRows ScaledRegionRows(int minY, int maxY, const ui::Scaler& scale) {
    const int lo = minY < 0 ? minY : scale(minY);
    if (minY >= maxY) return {lo, lo};
    return {lo, scale(maxY + 1) - 1};
}

void AddStripRegion(const PixelView& image, uint32_t transparent, int minY, int maxY, int width, int dy,
                    std::vector<Rect>& out) {
    const int h = image.height;
    // A picture that could not be made has no pixels to scan: its strip stays solid.
    if (!image.pixels) {
        if (h > 0) out.push_back({0, dy, width, dy + h});
        return;
    }
    const int start = std::clamp(minY == -1 ? 0 : minY, 0, h);
    const int end = std::clamp(minY >= maxY ? h : maxY + 1, start, h);
    if (minY >= 1) out.push_back({0, dy, width, dy + std::min(minY, h)});
    transparent &= 0xFFFFFF;
    for (int y = start; y < end; ++y) {
        int x = 0;
        while (x < image.width) {
            while (x < image.width && (image.at(x, y) & 0xFFFFFF) == transparent) ++x;
            if (x == image.width) break;
            const int x0 = x;
            while (x < image.width && (image.at(x, y) & 0xFFFFFF) != transparent) ++x;
            out.push_back({x0, dy + y, x, dy + y + 1});
        }
    }
    if (end < h) out.push_back({0, dy + end, width, dy + h});
}

std::vector<Rect> FrameRegionRects(const RegionInput& in) {
    std::vector<Rect> out;
    if (!in.title && !in.bottom) {
        out.push_back({0, 0, in.width, in.height});
        return out;
    }
    const int th = in.title ? in.title->height : 0;
    const int bh = in.bottom ? in.bottom->height : 0;
    if (in.title) AddStripRegion(*in.title, in.transparent, in.titleMinY, in.titleMaxY, in.width, 0, out);
    if (in.height - bh > th) out.push_back({0, th, in.width, in.height - bh});
    if (in.bottom)
        AddStripRegion(*in.bottom, in.transparent, in.bottomMinY, in.bottomMaxY, in.width, in.height - bh, out);
    return out;
}

TitleButtonLayout LayoutTitleButtons(const TitleBarMetrics& m, const std::vector<TitleButtonSlot>& buttons, int cursorX,
                                     int cursorY) {
    TitleButtonLayout out;
    out.rects.resize(buttons.size());
    auto inside = [&](const Rect& r) {
        return cursorX >= r.left && cursorX <= r.right && cursorY >= r.top && cursorY <= r.bottom;
    };
    int xb = m.width + m.inset - 1 - m.rightOffset;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const TitleButtonSlot& b = buttons[i];
        if (!b.visible || !b.hasPictures) continue;
        if (b.type == TitleButtonType::ControlBox) {
            out.controlBox = static_cast<int>(i);
            continue;
        }
        xb -= b.type == TitleButtonType::Close ? b.width : b.width + m.interval + 1;
        if (m.width < xb + b.width + 1) xb = m.width - b.width - 1;
        out.rects[i] = {xb, m.buttonTop, xb + b.width, m.buttonTop + b.height};
        if (inside(out.rects[i])) out.hot = static_cast<int>(i);
    }
    out.buttonsLeft = xb;
    const ui::Scaler& s = m.scale;
    int xl = std::max(0, m.leftOffset - m.inset - s(3));
    if (out.controlBox >= 0) {
        const TitleButtonSlot& cb = buttons[static_cast<size_t>(out.controlBox)];
        out.controlBoxRect = {xl, m.iconTop, xl + cb.width, m.iconTop + cb.height};
        out.rects[static_cast<size_t>(out.controlBox)] = out.controlBoxRect;
        if (inside(out.controlBoxRect)) out.hot = out.controlBox;
        xl += m.drawAppIcon ? s(21) : cb.width + s(5);
    }
    out.captionLeft = xl == 0 ? s(6) : xl;
    return out;
}

std::vector<SectionPlace> LayoutSections(const std::vector<SectionSlot>& sections, int controlWidth, int ox,
                                         int captionSectionWidth) {
    std::vector<SectionPlace> out(sections.size());
    int x = ox, xr = controlWidth - ox;
    int client = -1;
    for (size_t i = 0; i < sections.size(); ++i) {
        const SectionSlot& s = sections[i];
        if (s.capSec) {
            out[i] = {x, x + captionSectionWidth};
            x += captionSectionWidth;
        } else if (s.align == SectionAlign::Left) {
            out[i] = {x, x + s.pictureWidth};
            x += s.pictureWidth;
        } else if (s.align == SectionAlign::Right) {
            out[i] = {xr - s.pictureWidth, xr};
            xr -= s.pictureWidth;
        } else {
            client = static_cast<int>(i);
        }
    }
    if (client >= 0) out[static_cast<size_t>(client)] = {x, xr};
    return out;
}

void MenuLook::applyStyle(bool isMacOs) {
    macOs = isMacOs;
    barWidth = 26;
    itemHeight = isMacOs ? 20 : 21;
    separatorHeight = isMacOs ? 12 : 5;
}

MenuItemSize MeasureMenuItem(const MenuLook& look, const std::string& caption, int captionWidth, int captionHeight,
                             int shortcutWidth) {
    MenuItemSize s;
    s.height = caption == "-" ? look.separatorHeight : std::max(captionHeight, look.itemHeight);
    s.width = captionWidth + shortcutWidth + look.barWidth + 40;
    return s;
}

} // namespace corvane::skin
