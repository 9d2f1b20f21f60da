"""Pictures of the five built-in styles."""

from raster import (Canvas, Picture, MAGENTA, S, DESIGN_DPI, current_dpi, hexc, bgr, mix,
                    lighten, darken, vgrad, hgrad, rgrad, sd_circle, sd_rrect, sd_segment,
                    sd_polyline, sd_polygon, sd_union, sd_inter, sd_sub, sd_grow, sd_ellipse,
                    sd_halfplane)

STYLES = ['MACOS', 'WINXP', 'DEEPBLUE', 'PROTEIN', 'BLUEGLASS']

# (width, height) per element and style prefix; the controls cut these into
# equal parts, so the sizes are fixed.
SIZES = {
    'BUTTON': [(252, 23), (54, 21), (222, 21), (222, 21), (231, 27)],
    'CHECKBOX': [(60, 17), (52, 13), (52, 13), (52, 13), (52, 13)],
    'RADIOBUTTON': [(64, 17), (52, 13), (52, 13), (52, 13), (52, 13)],
    'TITLEBTN': [(306, 17), (378, 21), (342, 19), (342, 19), (342, 19)],
    'TITLE_LEFT': [(48, 23), (35, 29), (97, 32), (441, 23), (162, 33)],
    'TITLE_CLIENT': [(49, 23), (37, 29), (98, 32), (1, 23), (179, 33)],
    'TITLE_RIGHT': [(48, 23), (35, 29), (97, 32), (1, 23), (101, 33)],
    'PROGRESSBAR': [(13, 10), (6, 10), (1, 10), (1, 10), (1, 10)],
    'TRACKBAR_BAR': [(45, 5), (45, 8), (45, 4), (45, 4), (45, 4)],
    'TRACKBAR_SLIDER': [(11, 20), (11, 21), (11, 20), (11, 20), (11, 20)],
    'TRACKBAR_SLIDER_V': [(19, 11), (22, 11), (18, 11), (18, 11), (18, 11)],
    'SCROLLBAR_BUTTON': [(96, 22), (96, 17), (96, 16), (96, 16), (102, 16)],
    'SCROLLBAR_TRACK': [(33, 16), (21, 16), (21, 16), (21, 16), (21, 16)],
    'CHECKLIST': [(40, 11), (44, 11), (44, 11), (44, 11), (44, 11)],
    'SCROLLBUTTON': [(72, 18), (72, 18), None, None, None],
    'TAB': [(36, 27), (18, 18), (12, 17), (18, 17), (18, 17)],
    'TAB_LINE': [(17, 7), (8, 1), (5, 5), (10, 5), (10, 5)],
    'SIDECHENNEL_HANDLE': [(7, 84), (8, 86), (8, 83), (8, 83), (8, 86)],
    'SIDECHENNEL_BAR': [(1, 21), (1, 21), (1, 20), (1, 21), (1, 21)],
}
ELEMENTS = list(SIZES)


def size(element, style):
    return SIZES[element][STYLES.index(style)]


# Values of the built-in style table that the pictures must agree with.
FORM = {s: bgr(v) for s, v in zip(STYLES, [0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7])}
TITLEBTN_TOP = dict(MACOS=4, WINXP=5, DEEPBLUE=2, PROTEIN=2, BLUEGLASS=6)
TITLEBTN_TRANSPARENT = dict(MACOS=False, WINXP=False, DEEPBLUE=False, PROTEIN=True,
                            BLUEGLASS=True)
BUTTON_TRANSPARENT = dict(MACOS=True, WINXP=False, DEEPBLUE=False, PROTEIN=False,
                          BLUEGLASS=True)
LEFT_OFFSET = dict(MACOS=3, WINXP=2, DEEPBLUE=0, PROTEIN=0, BLUEGLASS=4)
RIGHT_OFFSET = dict(MACOS=-2, WINXP=-2, DEEPBLUE=0, PROTEIN=0, BLUEGLASS=-3)


def rows(h, layout):
    """Row colours from (first, last, colour[, colour]) bands."""
    out = [(0, 0, 0)] * h
    for band in layout:
        y0, y1, c0 = band[0], band[1], hexc(band[2])
        c1 = hexc(band[3]) if len(band) > 3 else c0
        for y in range(y0, y1 + 1):
            out[y] = mix(c0, c1, (y - y0) / (y1 - y0) if y1 > y0 else 0)
    return out


# ---------------------------------------------------------------- title bars

def title_rows(style):
    if style == 'DEEPBLUE':
        return rows(32, [(0, 0, '#081230'), (1, 1, '#6384BE'), (2, 12, '#3A5A95', '#2A4A84'),
                         (13, 22, '#17306A', '#0E2252'), (23, 23, '#08132F'),
                         (24, 24, '#4A6FAE'), (25, 30, '#2D4F8C', '#1B3770'),
                         (31, 31, '#07112B')])
    if style == 'WINXP':
        return rows(29, [(0, 0, '#1346D0'), (1, 1, '#8EC0FF'), (2, 3, '#64A2FB', '#4A8CF6'),
                         (4, 9, '#3A7EF2', '#2A6AE6'), (10, 22, '#2462E0', '#1B55D3'),
                         (23, 26, '#1F5DDA', '#3474E6'), (27, 27, '#1B4EC6'),
                         (28, 28, '#0A31A6')])
    if style == 'MACOS':
        out = rows(23, [(0, 0, '#9A9A9A'), (1, 1, '#FFFFFF'), (2, 21, '#F4F4F4', '#C9C9C9'),
                        (22, 22, '#7F7F7F')])
        # fine pinstripes
        return [darken(c, 0.025) if 2 <= y <= 21 and y % 2 else c for y, c in enumerate(out)]
    if style == 'PROTEIN':
        return rows(23, [(0, 0, '#34507E'), (1, 1, '#C4D6F2'), (2, 11, '#8DA8D4', '#6B8AC0'),
                         (12, 20, '#5676AE', '#6483B9'), (21, 21, '#7E9BCB'),
                         (22, 22, '#2E4772')])
    # BLUEGLASS
    return rows(33, [(0, 0, '#0E3A78'), (1, 1, '#D8ECFF'), (2, 15, '#6FA9EA', '#3F84D8'),
                     (16, 29, '#1B5FC2', '#3C8AE4'), (30, 30, '#6BB0F4'), (31, 31, '#A8D4FF'),
                     (32, 32, '#0F3C7C')])


def title_canvas(style, w):
    rc = title_rows(style)
    c = Canvas(w, len(rc))
    for y, col in enumerate(rc):
        c.rect(0, y, w, y + 1, col)
    return c


def fade_right(x0, x1, alpha):
    """Alpha ramp that reaches 0 at x1, so a section meets its neighbour."""
    def f(x):
        return alpha * max(0.0, min(1.0, (x1 - x) / (x1 - x0)))
    return f


def title_left(style):
    w, h = size('TITLE_LEFT', style)
    c = title_canvas(style, w)
    if style == 'DEEPBLUE':
        fa = fade_right(0, w, 1.0)
        c.fill(sd_ellipse(10, 10, 34, 16),
               lambda x, y: (120, 170, 255, 0.20 * fa(x) * (1 - min(1, ((x - 10) ** 2 / 34 ** 2 + (y - 10) ** 2 / 16 ** 2)))),
               box=(0, 1, w, 23))
        c.rect(0, 25, w, 31, lambda x, y: (110, 170, 255, 0.22 * fa(x)))
        c.rect(0, 24, w, 25, lambda x, y: (150, 205, 255, 0.45 * fa(x)))
    elif style == 'WINXP':
        c.rect(0, 2, w, 23, lambda x, y: (255, 255, 255, 0.10 * max(0, 1 - x / w)))
    elif style == 'PROTEIN':
        # a light ribbon that thins out towards the middle of the bar
        def edge(x):
            return 12.0 + 10.0 * (max(0.0, x - 30) / (w - 30)) ** 0.7
        fa = fade_right(60, w - 1, 0.30)

        def ribbon(x, y):
            cov = max(0.0, min(1.0, (y - edge(x)) * c.k + 0.5))
            return (255, 255, 255, cov * (fa(x) if x > 60 else 0.30))
        c.rect(0, 2, w, 22, ribbon)
        c.rect(0, 1, w, 22, lambda x, y: (255, 255, 255, 0.12 * max(0, 1 - x / 120)))
    elif style == 'BLUEGLASS':
        fa = fade_right(0, w - 1, 1.0)
        c.fill(sd_ellipse(40, -6, 90, 17),
               lambda x, y: (255, 255, 255, 0.22 * fa(x)), box=(0, 1, w, 16))
        c.rect(0, 16, w, 30, lambda x, y: (120, 200, 255, 0.18 * fa(x) * (y - 16) / 14))
    return c


def title_client(style):
    w, h = size('TITLE_CLIENT', style)
    return title_canvas(style, w)


def title_right(style):
    w, h = size('TITLE_RIGHT', style)
    c = title_canvas(style, w)
    if style == 'DEEPBLUE':
        fa = lambda x: max(0.0, (x - 40) / (w - 40))
        c.rect(40, 25, w, 31, lambda x, y: (110, 170, 255, 0.16 * fa(x)))
        c.rect(40, 24, w, 25, lambda x, y: (150, 205, 255, 0.35 * fa(x)))
    elif style == 'BLUEGLASS':
        c.rect(0, 16, w, 30, lambda x, y: (120, 200, 255, 0.12 * (x / w) * (y - 16) / 14))
    return c


# ---------------------------------------------------------------- title buttons

GLYPHS_Q = {
    'big': [".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##..",
            "..##.."],
    'small': [".###.", "#...#", "...#.", "..#..", "..#..", ".....", "..#.."],
}


def glyph(c, kind, n, color, dx=0, dy=0, alpha=1.0):
    """Caption-button symbols for a square cell of side n."""
    g0 = round(n * 0.3) + dx
    g1 = n - round(n * 0.3) + dx
    h0 = round(n * 0.3) + dy
    h1 = n - round(n * 0.3) + dy
    col = color + (alpha,) if alpha < 1 else color
    if kind == 'close':
        r = 1.05 if n >= 19 else 0.9
        c.fill(sd_union(sd_segment(g0 + 0.6, h0 + 0.6, g1 - 0.6, h1 - 0.6, r),
                        sd_segment(g1 - 0.6, h0 + 0.6, g0 + 0.6, h1 - 0.6, r)), col, ss=3)
    elif kind == 'min':
        c.rect(g0, h1 - 2, g1, h1, col)
    elif kind == 'max':
        c.rect(g0, h0, g1, h0 + 2, col)
        c.rect(g0, h0 + 2, g0 + 1, h1, col)
        c.rect(g1 - 1, h0 + 2, g1, h1, col)
        c.rect(g0 + 1, h1 - 1, g1 - 1, h1, col)
    elif kind == 'restore':
        s = 2
        # back window, only where the front one does not cover it
        c.rect(g0 + s, h0, g1, h0 + 2, col)
        c.rect(g1 - 1, h0 + 2, g1, h1 - s, col)
        c.rect(g1 - s, h1 - s - 1, g1 - 1, h1 - s, col)
        # front window
        c.rect(g0, h0 + s, g1 - s, h0 + s + 2, col)
        c.rect(g0, h0 + s + 2, g0 + 1, h1, col)
        c.rect(g1 - s - 1, h0 + s + 2, g1 - s, h1, col)
        c.rect(g0 + 1, h1 - 1, g1 - s - 1, h1, col)
    elif kind == 'help':
        pat = GLYPHS_Q['big' if n >= 19 else 'small']
        ox = (n - len(pat[0])) // 2 + dx
        oy = (n - len(pat)) // 2 + dy
        for yy, row in enumerate(pat):
            for xx, ch in enumerate(row):
                if ch == '#':
                    c.pixel(ox + xx, oy + yy, color, alpha)
    elif kind == 'box':
        cx = n / 2 + dx
        cy = n / 2 + dy + 0.5
        k = (g1 - g0) / 2 + 0.5
        c.fill(sd_polygon([(cx - k, cy - k * 0.55), (cx + k, cy - k * 0.55), (cx, cy + k * 0.6)]),
               col, ss=3)


BUTTON_KINDS = ['box', 'help', 'max', 'restore', 'min', 'close']


def title_button_parts(style):
    """18 cells: control box, help, maximize, restore, minimize, close;
    each normal, mouse-on, mouse-down."""
    w, n = size('TITLEBTN', style)
    assert w == 18 * n
    top = TITLEBTN_TOP[style]
    rc = title_rows(style)
    transparent = TITLEBTN_TRANSPARENT[style]
    matte = rc[min(len(rc) - 1, top + n // 2)]
    bar = title_canvas(style, 1)      # the bar's device rows, which the button covers
    parts = []
    for kind in BUTTON_KINDS:
        for state in range(3):
            c = Canvas(n, n)
            if not transparent:
                for x, y, p in c.pixels():
                    p[:] = bar.px[min(bar.h - 1, S(top) + y) * bar.w]
            draw_title_button(style, c, n, kind, state)
            parts.append(Picture.of(c, matte, transparent))
    return Picture.hstack(parts)


def draw_title_button(style, c, n, kind, state):
    close = kind == 'close'
    press = 1 if state == 2 else 0
    if style == 'DEEPBLUE':
        shape = sd_rrect(1, 1, n - 1, n - 1, 3)
        if state == 0:
            c.fill(shape, (255, 255, 255, 0.30))
            c.fill(sd_grow(shape, -1), vgrad(1, n - 1, [(255, 255, 255, 0.16), (255, 255, 255, 0.02)]))
            c.fill(sd_grow(shape, -1), (12, 26, 60, 0.35))
        elif state == 1:
            hi = (hexc('#F08070'), hexc('#D23A2C'), hexc('#A81E14')) if close else \
                (hexc('#A9CCFF'), hexc('#4D82D8'), hexc('#2A58A8'))
            c.fill(shape, hi[0])
            c.fill(sd_grow(shape, -1), vgrad(2, n - 2, [hi[1], hi[2]]))
            c.fill(sd_inter(sd_grow(shape, -1), lambda x, y: y - n / 2), (255, 255, 255, 0.18))
        else:
            lo = (hexc('#E06A5C'), hexc('#7E160E'), hexc('#B02A1E')) if close else \
                (hexc('#6F92CC'), hexc('#0B1A3C'), hexc('#1E3C78'))
            c.fill(shape, lo[0])
            c.fill(sd_grow(shape, -1), vgrad(2, n - 2, [lo[1], lo[2]]))
        glyph(c, kind, n, (5, 12, 32), press, press + 1, 0.55)
        glyph(c, kind, n, (255, 255, 255), press, press)
    elif style == 'WINXP':
        shape = sd_rrect(0.5, 0.5, n - 0.5, n - 0.5, 3)
        base = [hexc('#F08A6A'), hexc('#D24A26'), hexc('#B5300E')] if close else \
            [hexc('#7DB0FF'), hexc('#3B7BF0'), hexc('#2A62DA')]
        if state == 1:
            base = [lighten(b, 0.22) for b in base]
        elif state == 2:
            base = [darken(base[2], 0.25), darken(base[1], 0.15), base[1]]
        c.fill(shape, (255, 255, 255, 0.92))
        c.fill(sd_grow(shape, -1), rgrad(n * 0.35, n * 0.3, n * 0.95, base))
        c.fill(sd_inter(sd_grow(shape, -1.5), lambda x, y: y - n * 0.42), (255, 255, 255, 0.16))
        glyph(c, kind, n, (20, 40, 110), press, press + 1, 0.45)
        glyph(c, kind, n, (255, 255, 255), press, press)
    elif style == 'MACOS':
        cx = cy = n / 2
        disc = sd_circle(cx, cy, n / 2 - 1.0)
        if state == 0:
            top, bot, line = hexc('#FDFDFD'), hexc('#AEB6C2'), hexc('#7D8590')
        elif state == 1:
            top, bot, line = hexc('#D2EAFF'), hexc('#3C8EE6'), hexc('#2B5F9E')
        else:
            top, bot, line = hexc('#5C9BE0'), hexc('#2466BA'), hexc('#1C4A85')
        c.shadow(disc, 0, 0.6, 1.0, alpha=0.25)
        c.fill(disc, line)
        inner = sd_grow(disc, -1)
        c.fill(inner, rgrad(cx, cy + n * 0.3, n * 0.62, [lighten(bot, 0.35), bot, darken(bot, 0.1)]))
        c.fill(sd_ellipse(cx, cy - n * 0.2, n * 0.3, n * 0.18),
               lambda x, y: mix((255, 255, 255), top, 0.3) + (0.75,), ss=2)
        col = (40, 46, 56) if state == 0 else (255, 255, 255)
        glyph(c, kind, n, col, press, press, 0.9)
    elif style == 'PROTEIN':
        shape = sd_rrect(1, 1, n - 1, n - 1, 4)
        if state == 0:
            fill, line, gcol = [hexc('#FFFFFF'), hexc('#DCE4EE'), hexc('#B9C6D8')], hexc('#3F5680'), hexc('#33476A')
        elif state == 1:
            fill, line, gcol = ([hexc('#FFF4F0'), hexc('#F6B3A6'), hexc('#E0705C')], hexc('#8A2A1C'), hexc('#5A140A')) \
                if close else ([hexc('#FFFFFF'), hexc('#CFE5FF'), hexc('#8EBEF4')], hexc('#2A5798'), hexc('#1C3E72'))
        else:
            fill, line, gcol = ([hexc('#D0604E'), hexc('#E89080'), hexc('#F4C0B4')], hexc('#6E1E12'), hexc('#FFFFFF')) \
                if close else ([hexc('#7FA6D8'), hexc('#A9C8EE'), hexc('#D6E6FA')], hexc('#203F70'), hexc('#0E2448'))
        c.fill(sd_grow(shape, 0.8), (20, 40, 80, 0.25))
        c.fill(shape, line)
        c.fill(sd_grow(shape, -1), vgrad(2, n - 2, fill))
        glyph(c, kind, n, gcol, press, press)
    else:  # BLUEGLASS
        shape = sd_rrect(0.5, 0.5, n - 0.5, n - 0.5, 4.5)
        if close:
            cols = [hexc('#F5A090'), hexc('#D8402E'), hexc('#A01C10'), hexc('#E8604C')]
        else:
            cols = [hexc('#BFE2FF'), hexc('#4C98EA'), hexc('#1A56B0'), hexc('#58A8F4')]
        if state == 1:
            cols = [lighten(k, 0.25) for k in cols]
        elif state == 2:
            cols = [darken(k, 0.25) for k in cols]
        c.fill(shape, darken(cols[2], 0.35))
        inner = sd_grow(shape, -1)
        m = n / 2
        c.fill(inner, lambda x, y: mix(cols[0], cols[1], (y - 1) / (m - 1)) if y < m
               else mix(cols[2], cols[3], (y - m) / (n - 1 - m)))
        c.fill(sd_inter(sd_grow(shape, -1.5), lambda x, y: y - m + 0.5), (255, 255, 255, 0.25))
        glyph(c, kind, n, (10, 30, 70), press, press + 1, 0.45)
        glyph(c, kind, n, (255, 255, 255), press, press)


# ---------------------------------------------------------------- push buttons

def button_strip(style):
    w, h = size('BUTTON', style)
    pw = w // 3
    transparent = BUTTON_TRANSPARENT[style]
    parts = []
    for state in range(3):                      # normal, mouse-on, pressed
        c = Canvas(pw, h)
        draw_button(style, c, pw, h, state)
        parts.append(Picture.of(c, FORM[style], transparent))
    return Picture.hstack(parts)


def two_tone(y0, y1, split, a, b, c_, d):
    """Glossy fill: a->b above split, c_->d below."""
    def paint(x, y):
        if y < split:
            return mix(a, b, (y - y0) / max(1, split - y0))
        return mix(c_, d, (y - split) / max(1, y1 - split))
    return paint


def draw_button(style, c, w, h, state):
    if style == 'DEEPBLUE':
        shape = sd_rrect(0, 0, w, h, 3)
        line = [hexc('#2B4C8A'), hexc('#2458C0'), hexc('#1A3566')][state]
        c.fill(shape, line)
        inner = sd_grow(shape, -1)
        if state == 0:
            c.fill(inner, two_tone(1, h - 1, h // 2, hexc('#FFFFFF'), hexc('#F1F5FA'),
                                   hexc('#E2E9F3'), hexc('#CBD7E8')))
        elif state == 1:
            c.fill(inner, hexc('#8DB7F4'))
            c.fill(sd_grow(shape, -2), two_tone(2, h - 2, h // 2, hexc('#FFFFFF'), hexc('#EEF5FE'),
                                                hexc('#DCEBFD'), hexc('#BCD6F7')))
        else:
            c.fill(inner, two_tone(1, h - 1, h // 2, hexc('#B5C4DA'), hexc('#C9D5E6'),
                                   hexc('#D3DDEA'), hexc('#E6ECF4')))
        c.rect(3, 1, w - 3, 2, (255, 255, 255, 0.8 if state < 2 else 0.0))
    elif style == 'WINXP':
        shape = sd_rrect(0, 0, w, h, 3)
        c.fill(shape, hexc('#1F4F8C') if state < 2 else hexc('#163F73'))
        inner = sd_grow(shape, -1)
        if state == 2:
            c.fill(inner, vgrad(1, h - 1, [hexc('#DCD9CF'), hexc('#EEECE6'), hexc('#F6F5F1')]))
        else:
            c.fill(inner, vgrad(1, h - 1, [hexc('#FFFFFF'), hexc('#F7F6F2'), hexc('#ECEAE2'),
                                           hexc('#DAD5C8')]))
            if state == 1:
                ring = sd_sub(inner, sd_rrect(3, 3, w - 3, h - 3, 1))
                c.fill(ring, vgrad(1, h - 1, [hexc('#FFE7A8'), hexc('#F8B740'), hexc('#E89A1E')]))
    elif style == 'PROTEIN':
        shape = sd_rrect(0, 0, w, h, 4)
        line = [hexc('#8E99A8'), hexc('#4D82C6'), hexc('#66717F')][state]
        c.fill(shape, line)
        inner = sd_grow(shape, -1)
        if state == 0:
            c.fill(inner, two_tone(1, h - 1, h // 2, hexc('#FFFFFF'), hexc('#FAFBFC'),
                                   hexc('#EEF1F5'), hexc('#E3E8EE')))
        elif state == 1:
            c.fill(inner, two_tone(1, h - 1, h // 2, hexc('#FFFFFF'), hexc('#F3F8FE'),
                                   hexc('#E0EDFC'), hexc('#CFE2F9')))
        else:
            c.fill(inner, vgrad(1, h - 1, [hexc('#D3D9E1'), hexc('#EEF1F4')]))
    elif style == 'MACOS':
        r = h / 2 - 0.5
        shape = sd_rrect(0.5, 0, w - 0.5, h - 1, r)
        c.shadow(shape, 0, 0.8, 1.2, alpha=0.22)
        if state == 0:
            line, cols = hexc('#78828F'), [hexc('#FFFFFF'), hexc('#EEF0F3'), hexc('#D3D8DF'),
                                            hexc('#F7F9FB')]
        elif state == 1:
            line, cols = hexc('#2E5E9C'), [hexc('#DDF0FF'), hexc('#9CCEFA'), hexc('#4E9CEC'),
                                            hexc('#A8DCFF')]
        else:
            line, cols = hexc('#1F4478'), [hexc('#8BB8E8'), hexc('#5E98DA'), hexc('#2D6EC4'),
                                            hexc('#6FB0F0')]
        c.fill(shape, line)
        inner = sd_grow(shape, -1)
        m = (h - 1) / 2
        c.fill(inner, lambda x, y: mix(cols[0], cols[1], y / m) if y < m
               else mix(cols[2], cols[3], (y - m) / (h - 1 - m)))
        c.fill(sd_inter(sd_rrect(3, 1.5, w - 3, m + 0.5, r - 2), inner),
               (255, 255, 255, 0.35))
    else:  # BLUEGLASS
        shape = sd_rrect(0.5, 0.5, w - 0.5, h - 0.5, 6)
        if state == 0:
            line, cols = hexc('#2A5C9C'), [hexc('#F2F9FF'), hexc('#CFE6FC'), hexc('#9CCAF4'),
                                            hexc('#D0EAFF')]
        elif state == 1:
            line, cols = hexc('#2870C8'), [hexc('#FFFFFF'), hexc('#DDF0FF'), hexc('#8CCBFF'),
                                            hexc('#D8F1FF')]
        else:
            line, cols = hexc('#1B4378'), [hexc('#9CC4EC'), hexc('#B4D4F2'), hexc('#7FB2E6'),
                                            hexc('#A9D0F5')]
        c.fill(shape, line)
        inner = sd_grow(shape, -1)
        m = h * 0.48
        c.fill(inner, lambda x, y: mix(cols[0], cols[1], (y - 1) / m) if y < m
               else mix(cols[2], cols[3], (y - m) / (h - 1 - m)))
        c.fill(sd_sub(inner, sd_grow(shape, -2)), (255, 255, 255, 0.55))


# ---------------------------------------------------------------- check boxes, radios

PALETTE = {
    'DEEPBLUE': dict(line=hexc('#2B4C8A'), top=hexc('#DCE4EF'), bot=hexc('#FFFFFF'),
                     mark=hexc('#1C3F86'), off=hexc('#B8BEC8')),
    'WINXP': dict(line=hexc('#1F4F8C'), top=hexc('#DCDAD0'), bot=hexc('#FFFFFF'),
                  mark=hexc('#1E9A26'), off=hexc('#C9C6BA')),
    'PROTEIN': dict(line=hexc('#7F8B9B'), top=hexc('#E4E9EF'), bot=hexc('#FFFFFF'),
                    mark=hexc('#2C62B8'), off=hexc('#C4CAD2')),
    'BLUEGLASS': dict(line=hexc('#2A5C9C'), top=hexc('#B5D6F6'), bot=hexc('#F0F8FF'),
                      mark=hexc('#0F3D82'), off=hexc('#B8C8DA')),
    'MACOS': dict(line=hexc('#6F7884'), top=hexc('#FFFFFF'), bot=hexc('#D8DDE4'),
                  mark=hexc('#FFFFFF'), off=hexc('#BFC3C9')),
}


def check_mark(c, x0, y0, s, color, alpha=1.0):
    """A tick inside the s x s box at (x0, y0)."""
    k = s / 13.0
    pts = [(x0 + 3.2 * k, y0 + 6.6 * k), (x0 + 5.6 * k, y0 + 9.0 * k),
           (x0 + 10.0 * k, y0 + 3.8 * k)]
    c.fill(sd_polyline(pts, 1.05 * max(0.85, k)), color + (alpha,), ss=3)


def toggle_strip(style, element):
    """Four cells: checked, unchecked, checked disabled, unchecked disabled."""
    w, h = size(element, style)
    cw = w // 4
    p = PALETTE[style]
    radio = element == 'RADIOBUTTON'
    parts = []
    for checked, enabled in ((True, True), (False, True), (True, False), (False, False)):
        c = Canvas(cw, h, FORM[style])
        s = min(cw, h, 13) if element != 'CHECKLIST' else min(cw, h)
        if style == 'MACOS' and element != 'CHECKLIST':
            s = 13
        x0 = (cw - s) // 2
        y0 = (h - s) // 2
        if radio:
            shape = sd_circle(x0 + s / 2, y0 + s / 2, s / 2)
        else:
            shape = sd_rrect(x0, y0, x0 + s, y0 + s, 2.5 if style == 'MACOS' else 1.2 if style in ('PROTEIN', 'BLUEGLASS') else 0.6)
        line = p['line'] if enabled else p['off']
        if style == 'MACOS' and checked and enabled:
            top, bot, line = hexc('#A6D4FF'), hexc('#3B89E0'), hexc('#2B5F9E')
        elif enabled:
            top, bot = p['top'], p['bot']
        else:
            top, bot = hexc('#F4F4F4'), hexc('#FFFFFF')
        c.fill(shape, line)
        c.fill(sd_grow(shape, -1), vgrad(y0 + 1, y0 + s - 1, [top, bot]))
        if style in ('MACOS', 'BLUEGLASS') and enabled:
            c.fill(sd_inter(sd_grow(shape, -1.5), lambda x, y, m=y0 + s / 2: y - m),
                   (255, 255, 255, 0.35))
        if checked:
            mark = p['mark'] if enabled else p['off']
            if style == 'MACOS' and not enabled:
                mark = hexc('#9AA0A8')
            if radio:
                cx, cy = x0 + s / 2, y0 + s / 2
                c.fill(sd_circle(cx, cy, s * 0.2), mark, ss=3)
            else:
                check_mark(c, x0, y0, s, mark)
        parts.append(Picture.of(c, FORM[style]))
    return Picture.hstack(parts)


# ---------------------------------------------------------------- the rest

def accent(style):
    return {'MACOS': (hexc('#9ED0FF'), hexc('#2F7FDA')),
            'WINXP': (hexc('#A6F0A0'), hexc('#2BAE35')),
            'DEEPBLUE': (hexc('#6C92D6'), hexc('#1E3C7A')),
            'PROTEIN': (hexc('#A8C4EC'), hexc('#4A74B4')),
            'BLUEGLASS': (hexc('#BEE2FF'), hexc('#2A7AD8'))}[style]


def progressbar(style):
    w, h = size('PROGRESSBAR', style)
    a, b = accent(style)
    c = Canvas(w, h, FORM[style])
    if style == 'MACOS':
        def stripe(x, y):
            t = ((x + y) % 13) / 13.0
            base = mix(a, b, 0.45) if t < 0.5 else mix(a, b, 0.75)
            return lighten(base, 0.35 * (1 - abs(y - 3) / 6)) if y < 5 else base
        c.rect(0, 0, w, h, stripe)
    elif style == 'WINXP':
        c.rect(0, 0, w, h, (255, 255, 255))
        c.rect(0, 0, w - 1, h, vgrad(0, h - 1, [b, a, lighten(a, 0.4), a, b]))
    else:
        c.rect(0, 0, w, h, vgrad(0, h - 1, [lighten(a, 0.4), a, b, darken(b, 0.1)]))
    return Picture.of(c, FORM[style])


def trackbar_bar(style):
    w, h = size('TRACKBAR_BAR', style)
    c = Canvas(w, h, FORM[style])
    shape = sd_rrect(0, 0, w, h, min(2, h / 2))
    c.fill(shape, darken(FORM[style], 0.45))
    c.fill(sd_rrect(1, 1, w, h, min(2, h / 2)), lighten(FORM[style], 0.7))
    c.fill(sd_rrect(1, 1, w - 1, h - 1, min(1.5, h / 2)), darken(FORM[style], 0.12))
    return Picture.of(c, FORM[style])


def slider(style, vertical):
    w, h = size('TRACKBAR_SLIDER_V' if vertical else 'TRACKBAR_SLIDER', style)
    a, b = accent(style)
    c = Canvas(w, h)
    if vertical:      # points to the right
        tip = h / 2
        shape = sd_polygon([(0.5, 0.5), (w - tip, 0.5), (w - 0.5, tip), (w - tip, h - 0.5),
                            (0.5, h - 0.5)])
        paint = vgrad(1, h - 1, [lighten(a, 0.6), a, b])
    else:             # points down
        tip = w / 2
        shape = sd_polygon([(0.5, 0.5), (w - 0.5, 0.5), (w - 0.5, h - tip), (w / 2, h - 0.5),
                            (0.5, h - tip)])
        paint = hgrad(1, w - 1, [lighten(a, 0.6), a, b])
    c.fill(shape, darken(b, 0.35))
    c.fill(sd_grow(shape, -1), paint)
    return Picture.of(c, FORM[style], transparent=True)


def arrow_glyph(c, cx, cy, k, direction, color):
    pts = {'up': [(cx - k, cy + k * 0.5), (cx + k, cy + k * 0.5), (cx, cy - k * 0.6)],
           'down': [(cx - k, cy - k * 0.5), (cx + k, cy - k * 0.5), (cx, cy + k * 0.6)],
           'left': [(cx + k * 0.5, cy - k), (cx + k * 0.5, cy + k), (cx - k * 0.6, cy)],
           'right': [(cx - k * 0.5, cy - k), (cx - k * 0.5, cy + k), (cx + k * 0.6, cy)]}[direction]
    c.fill(sd_polygon(pts), color, ss=3)


def small_button(style, w, h, state):
    """A square scroll-type button face: normal, hot, pressed."""
    c = Canvas(w, h, FORM[style])
    a, b = accent(style)
    shape = sd_rrect(0, 0, w, h, 2 if style != 'WINXP' else 2.5)
    line = darken(b, 0.2) if style != 'MACOS' else hexc('#7D8590')
    c.fill(shape, line)
    if state == 0:
        cols = [hexc('#FFFFFF'), lighten(a, 0.55)]
    elif state == 1:
        cols = [hexc('#FFFFFF'), lighten(a, 0.25)]
    else:
        cols = [lighten(a, 0.2), lighten(a, 0.6)]
    c.fill(sd_grow(shape, -1), vgrad(1, h - 1, cols))
    return c


def scrollbar_button(style):
    """Six cells: up normal, hot, pressed; down normal, hot, pressed."""
    w, h = size('SCROLLBAR_BUTTON', style)
    cw = w // 6
    a, b = accent(style)
    parts = []
    for d in ('up', 'down'):
        for state in range(3):
            c = small_button(style, cw, h, state)
            off = 1 if state == 2 else 0
            arrow_glyph(c, cw / 2 + off, h / 2 + off, min(cw, h) * 0.22, d, darken(b, 0.3))
            parts.append(Picture.of(c, FORM[style]))
    return Picture.hstack(parts)


def scrollbar_track(style):
    """Thumb in three parts: leading end, stretchable middle with grip, trailing end."""
    w, h = size('SCROLLBAR_TRACK', style)
    cw = w // 3
    a, b = accent(style)
    full = Canvas(cw * 3, h, FORM[style])
    shape = sd_rrect(0.5, 1, cw * 3 - 0.5, h - 1, 3)
    full.fill(shape, darken(b, 0.15))
    full.fill(sd_grow(shape, -1), vgrad(2, h - 2, [lighten(a, 0.65), lighten(a, 0.2), a]))
    mid = cw * 3 / 2
    for gx in (-2, 0, 2):
        full.rect(int(mid + gx), 5, int(mid + gx) + 1, h - 5, lighten(a, 0.85))
        full.rect(int(mid + gx) + 1, 5, int(mid + gx) + 2, h - 5, darken(b, 0.1))
    return Picture.of(full, FORM[style])


def scrollbutton(style):
    """Four cells: left normal, left pressed, right normal, right pressed."""
    if style in ('MACOS', 'WINXP'):
        w, h = size('SCROLLBUTTON', style)
    else:
        w, h = 72, 17
    cw = w // 4
    a, b = accent(style)
    parts = []
    for d in ('left', 'right'):
        for state in (0, 2):
            c = small_button(style, cw, h, state)
            off = 1 if state == 2 else 0
            arrow_glyph(c, cw / 2 + off, h / 2 + off, min(cw, h) * 0.22, d, darken(b, 0.3))
            parts.append(Picture.of(c, FORM[style]))
    return Picture.hstack(parts)


def tab(style):
    """Three parts of a raised tab: left end, middle, right end."""
    w, h = size('TAB', style)
    a, b = accent(style)
    c = Canvas(w, h, FORM[style])
    r = min(4, w / 6)
    shape = sd_rrect(0, 0, w, h + r + 1, r)
    c.fill(shape, darken(FORM[style], 0.4))
    c.fill(sd_grow(shape, -1), vgrad(1, h, [hexc('#FFFFFF'), lighten(FORM[style], 0.3)]))
    c.rect(int(r), 1, w - int(r), 3, (b[0], b[1], b[2], 0.85) if style != 'MACOS' else a)
    return Picture.of(c, FORM[style])


def tab_line(style):
    w, h = size('TAB_LINE', style)
    c = Canvas(w, h, FORM[style])
    c.rect(0, 0, w, 1, darken(FORM[style], 0.4))
    if h > 1:
        c.rect(0, 1, w, 2, (255, 255, 255))
        c.rect(0, 2, w, h, vgrad(2, h, [lighten(FORM[style], 0.3), FORM[style]]))
    return Picture.of(c, FORM[style])


def sidechannel_handle(style):
    w, h = size('SIDECHENNEL_HANDLE', style)
    a, b = accent(style)
    c = Canvas(w, h, FORM[style])
    shape = sd_rrect(0, 0, w, h, 2)
    c.fill(shape, darken(b, 0.2))
    c.fill(sd_grow(shape, -1), hgrad(1, w - 1, [lighten(a, 0.5), a, b]))
    for y in range(h // 2 - 10, h // 2 + 11, 4):
        c.rect(w // 2 - 1, y, w // 2 + 1, y + 2, lighten(a, 0.85))
        c.rect(w // 2, y + 1, w // 2 + 1, y + 2, darken(b, 0.3))
    return Picture.of(c, FORM[style])


def sidechannel_bar(style):
    w, h = size('SIDECHENNEL_BAR', style)
    rc = title_rows(style)
    c = Canvas(w, h)
    for y in range(h):
        c.rect(0, y, w, y + 1, rc[int(y * len(rc) / h)])
    return Picture.of(c, FORM[style])


# ---------------------------------------------------------------- shared pictures

def menu_checked():
    """Check mark on white; the menus mask it with white, so no soft edges."""
    c = Canvas(16, 16, (255, 255, 255))
    pat = ["..........#",
           ".........##",
           "#.......###",
           "##.....###.",
           "###...###..",
           ".###.###...",
           "..#####....",
           "...###.....",
           "....#......"]
    for y, row in enumerate(pat):
        for x, ch in enumerate(row):
            if ch == '#':
                c.pixel(3 + x, 3 + y, (0, 0, 0))
    return Picture.of(c, (255, 255, 255))


def macos_form_background():
    c = Canvas(8, 8)
    for y in range(8):
        c.rect(0, y, 8, y + 1, hexc('#EDEDED') if y % 4 < 2 else hexc('#E2E2E2'))
    return Picture.of(c, FORM['MACOS'])


def protein_form_background():
    c = Canvas(8, 8, hexc('#FCFCFC'))
    for i in range(8):
        c.pixel(i, (i + 4) % 8, hexc('#F1F3F6'))
        c.pixel(i, i, hexc('#F6F7F9'))
    return Picture.of(c, FORM['PROTEIN'])


def macos_menu_bar():
    c = Canvas(16, 20)
    c.rect(0, 0, 16, 20, vgrad(0, 19, [hexc('#FCFCFC'), hexc('#F2F2F2'), hexc('#E9E9E9')]))
    return Picture.of(c, FORM['MACOS'])


def macos_menu_select():
    c = Canvas(16, 20)
    c.rect(0, 0, 16, 20, vgrad(0, 19, [hexc('#8CC2F8'), hexc('#4A93E6'), hexc('#2A72D2'),
                                       hexc('#3F88E0')]))
    c.rect(0, 0, 16, 1, hexc('#B8DAFF'))
    c.rect(0, 19, 16, 20, hexc('#1F5FB8'))
    return Picture.of(c, FORM['MACOS'])


# ---------------------------------------------------------------- everything

def _title(section):
    return lambda style: Picture.of(section(style), title_rows(style)[0])


# (element, f(style) -> Picture) in table order
BUILDERS = [
    ('BUTTON', button_strip),
    ('CHECKBOX', lambda style: toggle_strip(style, 'CHECKBOX')),
    ('RADIOBUTTON', lambda style: toggle_strip(style, 'RADIOBUTTON')),
    ('TITLEBTN', title_button_parts),
    ('TITLE_LEFT', _title(title_left)),
    ('TITLE_CLIENT', _title(title_client)),
    ('TITLE_RIGHT', _title(title_right)),
    ('PROGRESSBAR', progressbar),
    ('TRACKBAR_BAR', trackbar_bar),
    ('TRACKBAR_SLIDER', lambda style: slider(style, False)),
    ('TRACKBAR_SLIDER_V', lambda style: slider(style, True)),
    ('SCROLLBAR_BUTTON', scrollbar_button),
    ('SCROLLBAR_TRACK', scrollbar_track),
    ('CHECKLIST', lambda style: toggle_strip(style, 'CHECKLIST')),
    ('SCROLLBUTTON', scrollbutton),
    ('TAB', tab),
    ('TAB_LINE', tab_line),
    ('SIDECHENNEL_HANDLE', sidechannel_handle),
    ('SIDECHENNEL_BAR', sidechannel_bar),
]


def style_pictures(style, elements=None):
    """[(resource name, Picture)] for one style, in table order; only the
    given elements when there are any. Drawn at the current DPI."""
    out = []
    for element, build in BUILDERS:
        if elements is not None and element not in elements:
            continue
        if element == 'SCROLLBUTTON' and style not in ('MACOS', 'WINXP'):
            continue
        name = style + '_' + element
        pic = build(style)
        if current_dpi() == DESIGN_DPI and SIZES[element][STYLES.index(style)] is not None:
            assert (pic.w, pic.h) == size(element, style), (name, pic.w, pic.h)
        out.append((name, pic))
    return out


def shared_pictures():
    return [('MORE_SCROLLBUTTON', scrollbutton('DEEPBLUE')),
            ('MENU_CHECKED', menu_checked()),
            ('MACOS_FORM_BACKGROUND', macos_form_background()),
            ('PROTEIN_FORM_BACKGROUND', protein_form_background()),
            ('MACOS_MENU_BAR', macos_menu_bar()),
            ('MACOS_MENU_SELECT', macos_menu_select())]
