"""Tool-bar images (16 x 16 each) and the program icon."""

import math

from raster import (Canvas, Picture, hexc, mix, lighten, darken, vgrad, hgrad, rgrad,
                    sd_circle, sd_rrect, sd_segment, sd_polyline, sd_polygon, sd_union,
                    sd_sub, sd_grow, sd_star, sd_inter, sd_halfplane)

# Tool bar buttons are drawn on 0xEFEFEF / 0xE8E8E8 / 0xD8D8D8 faces.
TOOLBAR_MATTE = (234, 234, 234)

AMBER = dict(line=hexc('#9A6410'), back=hexc('#E2A93A'), front0=hexc('#FFE69A'),
             front1=hexc('#F5B93F'), tab=hexc('#D69A2C'))
BLUE = dict(line=hexc('#1B4E9B'), fill0=hexc('#8CC8FF'), fill1=hexc('#2C78D6'))
GREEN = dict(line=hexc('#1C6B28'), fill0=hexc('#8EE08A'), fill1=hexc('#2E9B3C'))
RED = dict(line=hexc('#8C1512'), fill0=hexc('#FF7A6E'), fill1=hexc('#D0271C'))
ORANGE = dict(line=hexc('#9A4E00'), fill0=hexc('#FFD27A'), fill1=hexc('#F08A12'))


def outlined(c, shape, line, paint, width=1.0):
    """Fill shape with its outline colour, then the inside inset by width."""
    c.fill(shape, line)
    c.fill(sd_grow(shape, -width), paint)


def gloss(c, shape, top, bottom, alpha=0.45):
    """A soft white sheen over the upper part of a shape."""
    c.fill(sd_inter(shape, lambda x, y: y - (top + (bottom - top) * 0.5)),
           lambda x, y: (255, 255, 255, alpha * (1 - (y - top) / max(1, bottom - top))))


# ---------------------------------------------------------------- pieces

def folder(c, x0, y0, x1, y1, pal, line_w=1.0):
    """A folder filling the box x0..x1, y0..y1 (pixel edges)."""
    h = y1 - y0
    w = x1 - x0
    tab_w = w * 0.42
    tab_h = max(1.5, h * 0.17)
    back = sd_union(sd_rrect(x0, y0 + tab_h, x1, y1, 1.2 * line_w),
                    sd_rrect(x0, y0, x0 + tab_w, y0 + tab_h + 2 * line_w, 1.2 * line_w))
    outlined(c, back, pal['line'], pal['back'], line_w)
    # a sheet of paper peeking out
    c.fill(sd_rrect(x0 + w * 0.12, y0 + tab_h + line_w * 1.2, x1 - w * 0.1, y1 - h * 0.3, 0.5),
           (252, 252, 250))
    ft = y0 + h * 0.40
    front = sd_polygon([(x0 + w * 0.08, ft), (x1, ft), (x1, y1), (x0, y1)]) if w < 20 else \
        sd_polygon([(x0 + w * 0.10, ft), (x1 + 0.0, ft), (x1 - w * 0.02, y1), (x0, y1)])
    front = sd_inter(front, sd_rrect(x0, y0, x1, y1, 1.2 * line_w))
    outlined(c, front, pal['line'], vgrad(ft, y1, [pal['front0'], pal['front1']]), line_w)


def arrow_shape(cx, tip_y, tail_y, head_w, shaft_w, head_len):
    """Vertical arrow pointing from tail_y to tip_y."""
    s = 1 if tail_y > tip_y else -1
    base = tip_y + s * head_len
    return sd_polygon([(cx, tip_y), (cx + head_w / 2, base), (cx + shaft_w / 2, base),
                       (cx + shaft_w / 2, tail_y), (cx - shaft_w / 2, tail_y),
                       (cx - shaft_w / 2, base), (cx - head_w / 2, base)])


def draw_arrow(c, shape, pal, y0, y1):
    c.fill(shape, pal['line'])
    inner = sd_grow(shape, -1.0)
    c.fill(inner, hgrad(3, 13, [pal['fill0'], pal['fill1']]))
    c.fill(sd_inter(inner, lambda x, y: x - 8.0), (255, 255, 255, 0.18))


def tray(c, top, pal_line, pal_fill):
    """An open box at the bottom of the 16 x 16 cell."""
    body = sd_rrect(1, top, 15, 15, 1.5)
    outlined(c, body, pal_line, vgrad(top, 15, [lighten(pal_fill, 0.35), pal_fill]))
    # the opening
    c.fill(sd_rrect(3.6, top + 1.6, 12.4, top + 3.6, 0.8), darken(pal_fill, 0.45))


def letters(c, x, y, rows, color):
    for dy, row in enumerate(rows):
        for dx, ch in enumerate(row):
            if ch == '#':
                c.pixel(x + dx, y + dy, color)


# ---------------------------------------------------------------- the 12 images

def icon_edit():
    c = Canvas(16, 16)
    tip = (1.6, 14.4)
    u = (1 / math.sqrt(2), -1 / math.sqrt(2))
    n = (1 / math.sqrt(2), 1 / math.sqrt(2))

    def P(s, t):
        return (tip[0] + u[0] * s + n[0] * t, tip[1] + u[1] * s + n[1] * t)
    hw = 2.3
    whole = sd_union(sd_polygon([P(0, 0), P(4, -hw), P(15.2, -hw), P(15.2, hw), P(4, hw)]),
                     sd_segment(*P(15.2, 0), *P(15.9, 0), hw))
    c.fill(sd_grow(whole, 0.9), hexc('#3B2A0C'))
    wood = sd_polygon([P(0, 0), P(4, -hw), P(4, hw)])
    c.fill(wood, hexc('#F3D7A4'))
    c.fill(sd_polygon([P(0, 0), P(1.7, -hw * 0.45), P(1.7, hw * 0.45)]), hexc('#3A3A3A'))

    def body_paint(x, y):
        t = (x - tip[0]) * n[0] + (y - tip[1]) * n[1]
        if t < -0.75:
            return hexc('#FFE27A')
        if t < 0.75:
            return hexc('#F7C331')
        return hexc('#D9971A')
    c.fill(sd_polygon([P(4.6, -hw), P(12.2, -hw), P(12.2, hw), P(4.6, hw)]), body_paint)
    c.fill(sd_polygon([P(12.6, -hw), P(14.3, -hw), P(14.3, hw), P(12.6, hw)]),
           lambda x, y: mix(hexc('#E8EDF2'), hexc('#8D99A6'),
                            ((x - tip[0]) * n[0] + (y - tip[1]) * n[1] + hw) / (2 * hw)))
    c.fill(sd_union(sd_polygon([P(14.7, -hw), P(15.3, -hw), P(15.3, hw), P(14.7, hw)]),
                    sd_segment(*P(15.3, 0), *P(15.6, 0), hw - 0.05)),
           hexc('#F08C9A'))
    return c


def icon_delete():
    c = Canvas(16, 16)
    x = sd_union(sd_segment(4, 4, 12, 12, 2.25), sd_segment(12, 4, 4, 12, 2.25))
    c.fill(x, RED['line'])
    inner = sd_grow(x, -1.0)
    c.fill(inner, vgrad(2, 14, [RED['fill0'], RED['fill1']]))
    c.fill(sd_inter(inner, lambda px, py: py - 7.5), (255, 255, 255, 0.22))
    return c


def icon_arrow(up):
    c = Canvas(16, 16)
    if up:
        shape = arrow_shape(8, 0.8, 15.2, 13.0, 6.0, 6.5)
    else:
        shape = arrow_shape(8, 15.2, 0.8, 13.0, 6.0, 6.5)
    draw_arrow(c, shape, BLUE, 1, 15)
    return c


def icon_help():
    c = Canvas(16, 16)
    disc = sd_circle(8, 8, 7.5)
    c.fill(disc, hexc('#17469A'))
    c.fill(sd_circle(8, 8, 6.5), rgrad(6.2, 5.0, 9.5, [hexc('#8FD0FF'), hexc('#3A8AE6'),
                                                      hexc('#1A5BC4')]))
    c.fill(sd_inter(sd_circle(8, 8, 6.5), sd_circle(8, 3.0, 5.2)), (255, 255, 255, 0.28))
    letters(c, 5, 3, [".####.",
                      "##..##",
                      "....##",
                      "...##.",
                      "..##..",
                      "..##..",
                      "......",
                      "..##..",
                      "..##.."], (255, 255, 255))
    return c


def icon_folder():
    c = Canvas(16, 16)
    folder(c, 0.5, 1.5, 15.5, 14.5, AMBER)
    return c


def icon_add():
    c = Canvas(16, 16)
    folder(c, 0.5, 0.5, 13.5, 12.5, AMBER)
    plus = sd_union(sd_rrect(9, 6, 13, 16, 0.6), sd_rrect(6, 9, 16, 13, 0.6))
    c.fill(plus, GREEN['line'])
    c.fill(sd_grow(plus, -1.0), vgrad(6, 16, [GREEN['fill0'], GREEN['fill1']]))
    return c


def icon_refresh():
    c = Canvas(16, 16)
    cx, cy, r = 8.0, 8.3, 5.1
    a0, a1 = -10.0, 125.0 - 360.0   # clockwise sweep leaving a gap at the top right
    steps = 28
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + r * math.cos(a), cy - r * math.sin(a)))
    arc = sd_polyline(pts, 1.15)
    e = math.radians(125.0)
    ex, ey = cx + r * math.cos(e), cy - r * math.sin(e)
    tx, ty = math.sin(e), math.cos(e)          # clockwise tangent on screen
    nx, ny = -ty, tx
    head = sd_polygon([(ex + tx * 4.6, ey + ty * 4.6),
                       (ex + nx * 3.6 - tx * 0.4, ey + ny * 3.6 - ty * 0.4),
                       (ex - nx * 3.6 - tx * 0.4, ey - ny * 3.6 - ty * 0.4)])
    shape = sd_union(arc, head)
    c.fill(sd_grow(shape, 0.95), GREEN['line'])
    c.fill(shape, vgrad(2, 14, [GREEN['fill0'], GREEN['fill1']]))
    return c


def icon_sort():
    c = Canvas(16, 16)
    navy = hexc('#1F3F7A')
    letters(c, 0, 0, [".###.",
                      "##.##",
                      "#...#",
                      "#####",
                      "#...#",
                      "#...#"], navy)
    letters(c, 0, 9, ["#####",
                      "...##",
                      "..##.",
                      ".##..",
                      "##...",
                      "#####"], hexc('#B3261E'))
    shape = arrow_shape(12, 15.4, 0.6, 8.0, 4.0, 4.4)
    c.fill(shape, BLUE['line'])
    c.fill(sd_grow(shape, -1.0), hgrad(8, 15, [BLUE['fill0'], BLUE['fill1']]))
    return c


def icon_options():
    c = Canvas(16, 16)
    cx, cy = 8.0, 8.0
    teeth = 8
    r_in, r_out = 5.3, 7.4

    def gear(x, y):
        dx, dy = x - cx, y - cy
        d = math.hypot(dx, dy)
        a = math.atan2(dy, dx) * teeth / (2 * math.pi) + 0.25
        f = abs((a - math.floor(a)) - 0.5) * 2          # 0 at tooth centre .. 1 between
        tooth = 1 - max(0.0, min(1.0, (f - 0.45) / 0.2))
        return d - (r_in + (r_out - r_in) * tooth)
    body = sd_sub(gear, sd_circle(cx, cy, 2.3))
    # gear() is a radial distance, far more than the true one at the teeth's flanks
    c.fill(body, hexc('#3C4756'), ss=3, exact=False)
    c.fill(sd_sub(sd_grow(gear, -1.0), sd_circle(cx, cy, 3.3)),
           rgrad(5.5, 4.5, 11, [hexc('#E6ECF3'), hexc('#A9B6C5'), hexc('#6C7B8E')]), ss=3,
           exact=False)
    return c


def icon_transfer(export):
    c = Canvas(16, 16)
    tray(c, 8.5, hexc('#3F4B5C'), hexc('#8FA2BA'))
    pal = ORANGE if export else GREEN
    if export:
        shape = arrow_shape(8, 0.5, 11.6, 10.0, 4.2, 5.0)
    else:
        shape = arrow_shape(8, 11.6, 0.5, 10.0, 4.2, 5.0)
    c.fill(shape, pal['line'])
    inner = sd_grow(shape, -1.0)
    c.fill(inner, hgrad(4, 12, [pal['fill0'], pal['fill1']]))
    return c


def toolbar_icons():
    """Canvases in image-list order."""
    return [icon_edit(), icon_delete(), icon_arrow(True), icon_arrow(False), icon_help(),
            icon_folder(), icon_add(), icon_refresh(), icon_sort(), icon_options(),
            icon_transfer(True), icon_transfer(False)]


def toolbar_strip():
    parts = [Picture.of(c, TOOLBAR_MATTE, transparent=True, threshold=0.4)
             for c in toolbar_icons()]
    return Picture.hstack(parts)


# ---------------------------------------------------------------- program icon

def main_icon(size):
    """Blue folder with a gold star, drawn for one pixel size."""
    s = size / 16.0
    lw = 1.0 if size <= 32 else 1.5
    c = Canvas(size, size)
    pal = dict(line=hexc('#123A7A'), back=hexc('#3C74C8'), front0=hexc('#8CC4FF'),
               front1=hexc('#2F6FD0'))
    x0, y0, x1, y1 = 0.5 * s, 1.5 * s, 15.5 * s, 14.2 * s
    if size >= 32:
        shadow = sd_rrect(x0 + s * 0.5, y0 + s * 0.8, x1 + s * 0.2, y1 + s * 0.6, 2 * s)
        c.shadow(shadow, 0, 0, s * 0.7, alpha=0.30)
    folder(c, x0, y0, x1, y1, pal, lw)
    # gloss on the front flap
    ft = y0 + (y1 - y0) * 0.40
    c.fill(sd_rrect(x0 + lw + s * 0.6, ft + lw, x1 - lw, ft + (y1 - ft) * 0.45, s * 0.6),
           (255, 255, 255, 0.22))
    scx, scy = 10.6 * s, 10.2 * s
    ro, ri = 5.3 * s, 2.25 * s
    star = sd_star(scx, scy, ro, ri)
    if size >= 32:
        c.shadow(star, s * 0.25, s * 0.35, s * 0.5, alpha=0.35)
    c.fill(sd_grow(star, lw * 0.9), hexc('#7A4A00'))
    c.fill(star, rgrad(scx - s * 1.5, scy - s * 2.0, ro * 1.35,
                       [hexc('#FFF6B0'), hexc('#FFC928'), hexc('#E08A00')]))
    return c


def main_icon_rgba(size):
    c = main_icon(size)
    out = []
    for p in c.px:
        a = max(0.0, min(1.0, p[3]))
        out.append((int(round(p[0])), int(round(p[1])), int(round(p[2])), int(round(a * 255))))
    return out
