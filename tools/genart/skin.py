#!/usr/bin/env python3
"""Draws Corvane's own skin, "msn.ssk": a folder of BMP files and a values
file that the skin packer (tools/skinpack) turns into the skin file.

    python3 tools/genart/skin.py OUTDIR [--sheet sheet.png] [--dpi-art]

The look: a dark slate-teal title bar with rounded top corners, a lighter
panel behind the caption that tapers off after it, thin borders with rounded
bottom corners, light warm-grey forms. Corners are cut with the transparent
colour, so the window region leaves them out.
"""

import argparse
import math
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import font  # noqa: E402
import icons  # noqa: E402
from raster import (Canvas, Picture, MAGENTA, hexc, mix, lighten, darken, vgrad, sd_rrect,  # noqa: E402
                    sd_grow, sd_shift, sd_inter, sd_halfplane, bmp_bytes, png_bytes, snap,
                    S, drawn_at, current_dpi, DESIGN_DPI)
from styles import glyph, check_mark, BUTTON_KINDS  # noqa: E402

# ---------------------------------------------------------------- palette

OUTLINE = hexc('#1A2F37')
HIGHLIGHT = hexc('#6F929D')
# Dark enough that the caption in white, or in Windows' default inactive-caption
# colour, stands out at 4.5:1 or better (test_genart measures it).
BAR_TOP = hexc('#2E4F5C')
BAR_BOTTOM = hexc('#223E4A')
BAR_BASE = hexc('#1D3641')        # last rows of the bar, above the client area
BORDER_MID = hexc('#2D4C58')
BORDER_INNER = hexc('#C5D3D7')
FORM = hexc('#EEF1F0')
INK = hexc('#1F2F35')
TITLE_INK = hexc('#F6FAFA')
CLOSE_HOT = hexc('#B8685B')
CLOSE_DOWN = hexc('#9A5247')

# ---------------------------------------------------------------- geometry

TITLE_H = 30
CORNER_R = 7             # top window corners
BOTTOM_R = 4             # bottom window corners
SIDE = 4                 # left and right border width; also the bottom border height
SECTION_W = dict(TITLEBAR1=28, TITLEBAR2=8, TITLEBAR3=28, TITLEBAR4=8, TITLEBAR5=90)
BTN_W, BTN_H = 20, 18
BTN_TOP = 6              # TITLEBARBUTTONPOSY, in full title-image rows
BTN_RIGHT = 6            # TITLEBARBUTTONPOSX
ICON_X, ICON_Y = 9, 7
CAPTION_TOP = 7
PUSH_W, PUSH_H = 24, 22  # one state of the push button
CHECK = 13               # one cell of the check box strip


def rgb_value(c):
    """(r, g, b) -> Windows colour value 0x00BBGGRR."""
    r, g, b = (int(round(v)) for v in c[:3])
    return r | (g << 8) | (b << 16)


def bar_row(y):
    """Colour of title-bar row y where no corner or panel touches it."""
    if y == 0:
        return OUTLINE
    if y == 1:
        return HIGHLIGHT
    if y >= TITLE_H - 2:
        return BAR_BASE
    return mix(BAR_TOP, BAR_BOTTOM, (y - 2) / (TITLE_H - 5))


def panel_alpha(y):
    """Strength of the light caption panel on row y."""
    if y < 2 or y >= TITLE_H - 2:
        return 0.0
    return 0.06 - 0.03 * (y - 2) / (TITLE_H - 5)


# ---------------------------------------------------------------- region rows
#
# The program builds the window region by scanning only the title and bottom
# rows that values.txt names (96-DPI rows, inclusive), at another DPI device
# rows S(first) .. S(last + 1) - 1. A transparent pixel outside them would show
# as magenta, so the scaled corners are drawn to fit those rows.

def scanned_rows(rows):
    """Device rows (a range) the region scan visits for the 96-DPI rows
    (first, last), at the current DPI; None (no limit) for None."""
    return None if rows is None else range(S(rows[0]), S(rows[1] + 1))


def fitted_radius(r, depth):
    """r (96-DPI), or less where a corner of radius r would reach more than
    depth device rows from its edge: the largest radius whose curve passes
    through the centre of the edge column's pixel on row depth (circle centre
    (R, R), pixel centre (0.5, depth + 0.5)). That pixel comes out about half
    covered; the rows given to flatten keep it opaque."""
    k = current_dpi() / DESIGN_DPI
    return min(r, (depth + 1 + math.sqrt(depth + 0.5)) / k)


# ---------------------------------------------------------------- title sections

def title_strip(w, corner=None, panel=None, rows=None):
    """A title section: the bar's rows, an optional rounded outer corner
    ('left' or 'right'; outside pixels become the transparent colour) and an
    optional panel mask f(x, y, k) -> coverage 0..1 (k: device pixels per
    96-DPI pixel). The outline and highlight rows stay whole device pixels.
    rows: the 96-DPI region rows the corner must keep to (None: no limit)."""
    c = Canvas(w, TITLE_H)
    big = 200
    r = CORNER_R if rows is None else fitted_radius(CORNER_R, scanned_rows(rows).stop)
    if corner == 'left':
        outer = sd_rrect(0, 0, big, big, r)
    elif corner == 'right':
        outer = sd_rrect(w - big, 0, w, big, r)
    else:
        outer = sd_rrect(-big, 0, w + big, big, r)
    inner = sd_grow(outer, -snap(1))
    body = sd_inter(inner, sd_halfplane(0, -1, -snap(2)))     # rows from 2 down
    c.fill(outer, OUTLINE, ss=3)
    c.fill(inner, HIGHLIGHT, ss=3)
    c.fill(body, lambda x, y: bar_row(int(y)), ss=3)
    # the side columns carry the border's dark outline down to the bottom row
    if corner == 'left':
        c.rect(0, r, 1, TITLE_H, OUTLINE)
    elif corner == 'right':
        c.rect(w - snap(1), r, w, TITLE_H, OUTLINE)
    if panel:
        for x, y, p in c.pixels((0, 2, w, TITLE_H - 2)):
            lx, ly = c.centre(x, y)
            k = panel(lx, ly, c.k)
            if k > 0 and p[3] > 0.99:
                c.blend(x, y, (255, 255, 255), panel_alpha(int(ly)) * k)
    return c


def panel_edge(x, y, k):
    """The panel's right edge in TITLEBAR3: full for 8 columns, then a soft
    slanted taper that is narrower at the top."""
    t = (y - 2) / (TITLE_H - 4)
    edge = 10 + 14 * t * t
    d = (x - edge) * k
    return 1.0 if d <= -0.5 else 0.0 if d >= 0.5 else 0.5 - d


def title_sections(rows=None):
    full = (lambda x, y, k: 1.0)
    return [
        ('SKIN2_TITLEBAR1', title_strip(SECTION_W['TITLEBAR1'], 'left', full, rows)),
        ('SKIN2_TITLEBAR2', title_strip(SECTION_W['TITLEBAR2'], None, full, rows)),
        ('SKIN2_TITLEBAR3', title_strip(SECTION_W['TITLEBAR3'], None, panel_edge, rows)),
        ('SKIN2_TITLEBAR4', title_strip(SECTION_W['TITLEBAR4'], rows=rows)),
        ('SKIN2_TITLEBAR5', title_strip(SECTION_W['TITLEBAR5'], 'right', rows=rows)),
    ]


def flat_title(c, rows=None):
    # an edge pixel the fitted curve still leaves outside the rows is blended instead
    return Picture.of(c, BAR_TOP, transparent=True, rows=scanned_rows(rows))


# ---------------------------------------------------------------- borders

def side_border(right):
    """FORMLEFTBORDER / FORMRIGHTBORDER: outline, two mid columns, a light
    inner line; stretched down the window's sides."""
    h = 8
    c = Canvas(SIDE, h)
    # bands measured from the outer edge, in whole device pixels
    for x0, x1, col in ((0, snap(1), OUTLINE), (snap(1), snap(3), BORDER_MID),
                        (snap(3), SIDE, BORDER_INNER)):
        if right:
            x0, x1 = SIDE - x1, SIDE - x0
        c.rect(x0, 0, x1, h, col)
    return Picture.of(c, BORDER_MID)


def bottom_piece(kind, rows=None):
    """FORMBOTTOMBORDER1 (left corner), 2 (middle, stretched), 3 (right corner).
    rows: the 96-DPI region rows the corner must keep to (None: no limit)."""
    w = 8
    big = 200
    r = BOTTOM_R if rows is None else fitted_radius(BOTTOM_R, S(SIDE) - scanned_rows(rows).start)
    if kind == 'left':
        outer = sd_rrect(0, SIDE - big, big, SIDE, r)
    elif kind == 'right':
        outer = sd_rrect(w - big, SIDE - big, w, SIDE, r)
    else:
        outer = sd_rrect(-big, SIDE - big, w + big, SIDE, r)
    c = Canvas(w, SIDE)
    c.fill(outer, OUTLINE, ss=3)
    c.fill(sd_grow(outer, -snap(1)), BORDER_MID, ss=3)
    c.fill(sd_grow(outer, -snap(3)), BORDER_INNER, ss=3)
    c.fill(sd_grow(outer, -snap(4)), FORM, ss=3)
    return Picture.of(c, BORDER_MID, transparent=True, rows=scanned_rows(rows))


# ---------------------------------------------------------------- buttons

def title_buttons():
    """18 cells: control box, help, maximize, restore, minimize, close; each
    normal, mouse-on, mouse-down. Drawn over the bar's own rows; around the
    rounded cell the transparent colour lets the bar show through."""
    parts = []
    for kind in BUTTON_KINDS:
        for state in range(3):
            c = Canvas(BTN_W, BTN_H)
            shape = sd_rrect(1, 1, BTN_W - 1, BTN_H - 1, 4)
            c.fill(shape, lambda x, y: bar_row(BTN_TOP + int(y)), ss=3)
            if kind == 'close' and state > 0:
                c.fill(shape, CLOSE_HOT if state == 1 else CLOSE_DOWN, ss=3)
            elif state == 0:
                c.fill(shape, (255, 255, 255, 0.10), ss=3)
            elif state == 1:
                c.fill(shape, (255, 255, 255, 0.26), ss=3)
            else:
                c.fill(shape, (0, 0, 0, 0.18), ss=3)
            # a faint upper rim, lit from above
            c.fill(sd_inter(shape, sd_sub_inner(shape)), (255, 255, 255, 0.18 if state < 2 else 0.05), ss=3)
            press = 1 if state == 2 else 0
            g = Canvas(BTN_H, BTN_H)
            glyph(g, kind, BTN_H, TITLE_INK)
            c.draw(g, (BTN_W - BTN_H) // 2 + press, press)
            parts.append(Picture.of(c, BAR_BOTTOM, transparent=True))
    return Picture.hstack(parts)


def sd_sub_inner(shape):
    # the band between the shape's outline and the same shape moved down a pixel
    moved = sd_shift(shape, 0, 1)
    return lambda x, y: -moved(x, y)


def push_button():
    """Three states side by side: normal, mouse-on, pressed."""
    parts = []
    for state in range(3):
        c = Canvas(PUSH_W, PUSH_H)
        shape = sd_rrect(0, 0, PUSH_W, PUSH_H, 3.5)
        line = [hexc('#8AA1A8'), hexc('#4B7482'), hexc('#3F6573')][state]
        fill = [[hexc('#FDFEFE'), hexc('#F1F4F4'), hexc('#E1E7E8')],
                [hexc('#FFFFFF'), hexc('#EDF4F5'), hexc('#D7E5E8')],
                [hexc('#D2DDE0'), hexc('#DEE6E8'), hexc('#E8EDEE')]][state]
        c.fill(shape, line, ss=3)
        c.fill(sd_grow(shape, -1), vgrad(1, PUSH_H - 1, fill), ss=3)
        parts.append(Picture.of(c, FORM, transparent=True))
    return Picture.hstack(parts)


def check_box():
    """Six cells: checked, checked mouse-on, unchecked, checked disabled,
    unchecked mouse-on, unchecked disabled."""
    cells = [(True, 'on'), (True, 'hot'), (False, 'on'), (True, 'off'), (False, 'hot'), (False, 'off')]
    parts = []
    for checked, mode in cells:
        c = Canvas(CHECK, CHECK, FORM)
        shape = sd_rrect(0, 0, CHECK, CHECK, 2)
        line = {'on': hexc('#6F8F99'), 'hot': hexc('#4B7482'), 'off': hexc('#B7C2C5')}[mode]
        top, bot = {'on': (hexc('#FFFFFF'), hexc('#E6ECED')),
                    'hot': (hexc('#FFFFFF'), hexc('#D9E7EA')),
                    'off': (hexc('#F4F6F6'), hexc('#F4F6F6'))}[mode]
        c.fill(shape, line, ss=3)
        c.fill(sd_grow(shape, -1), vgrad(1, CHECK - 1, [top, bot]), ss=3)
        if checked:
            check_mark(c, 0, 0, CHECK, hexc('#2E5F6E') if mode != 'off' else hexc('#A9B5B8'))
        parts.append(Picture.of(c, FORM))
    return Picture.hstack(parts)


# ---------------------------------------------------------------- the skin

def pictures(region=None):
    """[(item name, Picture)] in the order they go into the skin. region: the
    (title, bottom) rows of region_rows() that the corners must keep to; None
    at 96 DPI, whose pictures give those rows."""
    title_rows, bottom_rows = region or (None, None)
    out = [(name, flat_title(c, title_rows)) for name, c in title_sections(title_rows)]
    out += [
        ('SKIN2_FORMLEFTBORDER', side_border(False)),
        ('SKIN2_FORMRIGHTBORDER', side_border(True)),
        ('SKIN2_FORMBOTTOMBORDER1', bottom_piece('left', bottom_rows)),
        ('SKIN2_FORMBOTTOMBORDER2', bottom_piece('middle', bottom_rows)),
        ('SKIN2_FORMBOTTOMBORDER3', bottom_piece('right', bottom_rows)),
        ('SKIN2_TITLEBUTTONS', title_buttons()),
        ('SKIN2_BUTTON', push_button()),
        ('SKIN2_CHECKBOX', check_box()),
    ]
    return out


def transparent_rows(pics, prefix):
    """First and last row holding the transparent colour in the pictures whose
    names start with prefix: the rows the region scan must visit."""
    ys = [y for name, pic in pics if name.startswith(prefix)
          for y in range(pic.h) if MAGENTA in pic.rgb[y * pic.w:(y + 1) * pic.w]]
    return min(ys), max(ys)


def region_rows(pics):
    """(title, bottom): the (first, last) region rows of values.txt, from the
    96-DPI pictures."""
    return transparent_rows(pics, 'SKIN2_TITLEBAR'), transparent_rows(pics, 'SKIN2_FORMBOTTOMBORDER')


def values(pics):
    """[(kind, name, value)] for the values file."""
    title_rows, bottom_rows = region_rows(pics)
    c = lambda name, col: ('color', 'SKIN2_' + name, rgb_value(col))  # noqa: E731
    teal_select = hexc('#D6E4E8')
    return [
        ('color', 'SKIN2_TRANSCOLOR', 0xFF00FF),
        c('TITLEFONTCOLOR', TITLE_INK),
        c('FORMCOLOR', FORM),
        c('MENUBARSTARTCOLOR', FORM),
        c('MENUBARENDCOLOR', FORM),
        c('TOPSELECTEDMENUCOLOR', teal_select),
        c('TOPSELECTEDMENUBORDERCOLOR', BAR_BOTTOM),
        c('TOPSELECTEDMENUFONTCOLOR', INK),
        c('TOPMENUFONTCOLOR', INK),
        c('LEFTBARSTARTCOLOR', hexc('#DDE6E8')),
        c('LEFTBARENDCOLOR', hexc('#C8D7DB')),
        c('MENUITEMCOLOR', hexc('#FAFBFB')),
        c('MENUITEMFONTCOLOR', INK),
        c('SELECTEDMENUCOLOR', BAR_TOP),
        c('SELECTEDMENUBORDERCOLOR', BAR_BOTTOM),
        c('SELECTEDMENUFONTCOLOR', hexc('#FFFFFF')),
        c('TOOLBARSTARTCOLOR', hexc('#F5F7F6')),
        c('TOOLBARENDCOLOR', hexc('#E3E9E9')),
        c('TOOLBARONCOLOR', teal_select),
        c('TOOLBARBORDERCOLOR', hexc('#6F8F99')),
        c('TOOLBARDOWNCOLOR', hexc('#C9D8DC')),
        c('CONTROLCOLOR', hexc('#FFFFFF')),
        c('CONTROLBORDERCOLOR', hexc('#7F98A0')),
        c('CONTROLFONTCOLOR', OUTLINE),
        c('BUTTONFONTCOLOR', INK),
        c('SCROLLBARCOLOR', hexc('#E4EAEB')),
        c('TABCONTROLCOLOR', FORM),
        c('TABCONTROLBORDERCOLOR', hexc('#7F98A0')),
        c('TABCONTROLACTIVEFONTCOLOR', INK),
        c('TABCONTROLINACTIVEFONTCOLOR', hexc('#5D6F75')),
        c('SIDECHANNELCOLOR', FORM),
        c('SIDECHANNELBORDERCOLOR', hexc('#7F98A0')),
        ('int', 'SKIN2_TITLEBARICONPOSX', ICON_X),
        ('int', 'SKIN2_TITLEBARICONPOSY', ICON_Y),
        ('int', 'SKIN2_TITLEBARCAPTIONTOP', CAPTION_TOP),
        ('int', 'SKIN2_TITLEBARBUTTONPOSX', BTN_RIGHT),
        ('int', 'SKIN2_TITLEBARBUTTONPOSY', BTN_TOP),
        # only the rows of the rounded corners need scanning
        ('int', 'SKIN2_TITLEBARREGIONMINY', title_rows[0]),
        ('int', 'SKIN2_TITLEBARREGIONMAXY', title_rows[1]),
        ('int', 'SKIN2_BOTTOMREGIONMINY', bottom_rows[0]),
        ('int', 'SKIN2_BOTTOMREGIONMAXY', bottom_rows[1]),
        ('bool', 'SKIN2_TITLEFIVESECT', 1),
        ('bool', 'SKIN2_BOTTOMBORDERTHREESECT', 1),
        ('bool', 'SKIN2_TITLEBARNEEDREGION', 1),
        ('bool', 'SKIN2_BOTTOMBORDERNEEDREGION', 1),
        ('bool', 'SKIN2_TITLEBTNTRANS', 1),
        ('bool', 'SKIN2_BUTTONTRANS', 1),
        ('bool', 'SKIN2_CHECKBOXTRANS', 0),
        ('bool', 'SKIN2_RADIOBUTTONTRANS', 0),
        ('bool', 'SKIN2_TABCONTROLTRANS', 0),
    ]


def values_text(pics):
    lines = ['# Corvane\'s own skin; written by tools/genart/skin.py, packed by skinpack.']
    for kind, name, v in values(pics):
        lines.append('%-6s %-32s %s' % (kind, name, ('0x%06X' % v) if kind == 'color' else v))
    return '\n'.join(lines) + '\n'


def write_file(path, data):
    if os.path.exists(path):
        with open(path, 'rb') as f:
            if f.read() == data:
                return False
    with open(path, 'wb') as f:
        f.write(data)
    return True


def write_pictures(outdir, pics):
    os.makedirs(outdir, exist_ok=True)
    for old in os.listdir(outdir):          # a renamed picture must not linger
        if old.endswith('.bmp') and old[:-4] not in dict(pics):
            os.remove(os.path.join(outdir, old))
    for name, pic in pics:
        write_file(os.path.join(outdir, name + '.bmp'), bmp_bytes(pic))


def write_skin_folder(outdir, pics):
    write_pictures(outdir, pics)
    write_file(os.path.join(outdir, 'values.txt'), values_text(pics).encode('ascii'))


# percent -> DPI of the pictures for other screens; values.txt holds 96-DPI values only
DPI_PERCENTS = ((150, 144), (200, 192))


def dpi_pictures(dpi, base=None):
    """The pictures at dpi, their corners kept to the region rows of base (the
    96-DPI pictures; drawn here if not given), as values.txt holds them."""
    region = region_rows(base or pictures())
    with drawn_at(dpi):
        return pictures(region)


# ---------------------------------------------------------------- contact sheet

def cut(pic, n, i):
    w = pic.w // n
    rgb = []
    for y in range(pic.h):
        rgb.extend(pic.rgb[y * pic.w + i * w: y * pic.w + (i + 1) * w])
    return Picture(w, pic.h, rgb)


def mock_window(pics, width, height, caption, hot=None, dpi=96):
    """A window composed roughly as the skinned frame draws it: five title
    sections, the caption, the icon, close and minimize buttons, the borders;
    the corners show the desk behind (the region cuts them). pics drawn at
    dpi; width and height in its pixels."""
    z = lambda v: S(v, dpi)  # noqa: E731
    d = dict(pics)
    desk = (120, 128, 136)
    c = Canvas(width, height, desk)
    sec = {k[len('SKIN2_'):]: d[k] for k in d if k.startswith('SKIN2_TITLEBAR') and k[-1].isdigit()}
    th = sec['TITLEBAR1'].h
    cap_w = font.text_width(caption, bold=True)
    x = 0
    c.draw(sec['TITLEBAR1'].to_canvas(False), 0, 0)
    x = sec['TITLEBAR1'].w
    cw = max(0, cap_w + z(ICON_X) - x + z(17 + 4))
    c.draw(sec['TITLEBAR2'].to_canvas(False).stretch(cw, th), x, 0)
    x += cw
    c.draw(sec['TITLEBAR3'].to_canvas(False), x, 0)
    x += sec['TITLEBAR3'].w
    right = width - sec['TITLEBAR5'].w
    c.draw(sec['TITLEBAR4'].to_canvas(False).stretch(max(0, right - x), th), x, 0)
    c.draw(sec['TITLEBAR5'].to_canvas(False), right, 0)
    c.draw(icons.main_icon(z(16)), z(ICON_X), z(ICON_Y))
    font.draw_text(c, z(ICON_X) + z(18), z(CAPTION_TOP) + z(4), caption, TITLE_INK, bold=True)
    strip = d['SKIN2_TITLEBUTTONS']
    xb = width - 1 - z(BTN_RIGHT)
    for base, gap in ((16, 0), (13, 1)):       # close, then minimize
        xb -= strip.w // 18 + gap
        state = 1 if hot == base else 0
        c.draw(cut(strip, 18, base - 1 + state).to_canvas(False), xb, z(BTN_TOP))
    # borders and client
    left, rightb = d['SKIN2_FORMLEFTBORDER'], d['SKIN2_FORMRIGHTBORDER']
    b1, b2, b3 = (d['SKIN2_FORMBOTTOMBORDER%d' % i] for i in (1, 2, 3))
    side, bh = left.w, b1.h
    c.rect(side, th, width - side, height - bh, FORM)
    c.draw(left.to_canvas().stretch(side, height - th - bh), 0, th)
    c.draw(rightb.to_canvas().stretch(side, height - th - bh), width - side, th)
    c.draw(b1.to_canvas(False), 0, height - bh)
    c.draw(b2.to_canvas(False).stretch(width - b1.w - b3.w, bh), b1.w, height - bh)
    c.draw(b3.to_canvas(False), width - b3.w, height - bh)
    return c


def controls_row(pics, width):
    d = dict(pics)
    c = Canvas(width, 34, FORM)
    strip = d['SKIN2_BUTTON']
    x = 6
    for i, label in enumerate(['OK', 'HOVER', 'DOWN']):
        part = cut(strip, 3, i).to_canvas(False).stretch(75, PUSH_H)
        # keep the corners unscaled, as the nine-part stretch does
        src = cut(strip, 3, i).to_canvas(False)
        half = PUSH_W // 2
        for yy in range(PUSH_H):
            for xx in range(half):
                part.px[yy * 75 + xx] = src.px[yy * PUSH_W + xx][:]
                part.px[yy * 75 + 75 - half + xx] = src.px[yy * PUSH_W + PUSH_W - half + xx][:]
        c.draw(part, x, 6)
        font.draw_text(c, x + (75 - font.text_width(label)) // 2, 13, label, INK)
        x += 82
    box = d['SKIN2_CHECKBOX']
    for i in range(6):
        c.draw(cut(box, 6, i).to_canvas(), x, 10)
        x += CHECK + 6
    return c


def contact_sheet(pics, dpi=96):
    width = S(520, dpi)
    blocks = []
    head = Canvas(width, 14, (60, 66, 80))
    font.draw_text(head, 4, 4, 'MSN.SSK - CORVANE SKIN' + ('' if dpi == 96 else ' AT %d DPI' % dpi),
                   (255, 255, 255), bold=True)
    blocks.append(head)
    blocks.append(mock_window(pics, width, S(120, dpi), 'CORVANE', dpi=dpi))
    blocks.append(mock_window(pics, S(260, dpi), S(60, dpi), 'OPTIONS', hot=16, dpi=dpi))
    if dpi == 96:
        blocks.append(controls_row(pics, width))
    x, y, row_h = 4, 4, 0
    placed = []
    for name, pic in pics:
        label = '%s %dX%d' % (name[len('SKIN2_'):], pic.w, pic.h)
        cw = max(pic.w, font.text_width(label)) + 10
        ch = pic.h + 12
        if x + cw > width and x > 4:
            x, y, row_h = 4, y + row_h + 4, 0
        placed.append((x, y, label, pic))
        x += cw
        row_h = max(row_h, ch)
    flow = Canvas(width, y + row_h + 4, (250, 250, 250))
    for x, y, label, pic in placed:
        font.draw_text(flow, x, y, label, (40, 40, 40))
        flow.draw(pic.to_canvas(), x, y + 10)
    blocks.append(flow)
    height = sum(b.h + 4 for b in blocks)
    sheet = Canvas(width, height, (200, 200, 200))
    y = 0
    for b in blocks:
        sheet.draw(b, 0, y)
        y += b.h + 4
    return sheet


def write_png(path, canvas, k):
    rgb = canvas.flatten((255, 255, 255))
    w, h = canvas.w, canvas.h
    big = []
    for yy in range(h * k):
        row = rgb[(yy // k) * w:(yy // k + 1) * w]
        for v in row:
            big.extend([v] * k)
    with open(path, 'wb') as f:
        f.write(png_bytes(w * k, h * k, big))


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    ap.add_argument('outdir', help='folder for the BMP files and values.txt')
    ap.add_argument('--sheet', help='also write a contact sheet PNG (2x) here; with --dpi-art '
                                    'also SHEET-150.png and SHEET-200.png (1x)')
    ap.add_argument('--dpi-art', action='store_true',
                    help='also draw the pictures at 150 and 200 percent into OUTDIR/150 and '
                         'OUTDIR/200')
    args = ap.parse_args(argv)
    pics = pictures()
    write_skin_folder(args.outdir, pics)
    print('skin: %d pictures and values.txt in %s' % (len(pics), args.outdir))
    scaled = []
    if args.dpi_art:
        for percent, dpi in DPI_PERCENTS:
            scaled.append((percent, dpi, dpi_pictures(dpi, pics)))
            write_pictures(os.path.join(args.outdir, str(percent)), scaled[-1][2])
    if args.sheet:
        names = [args.sheet]
        write_png(args.sheet, contact_sheet(pics), 2)
        root, ext = os.path.splitext(args.sheet)
        for percent, dpi, spics in scaled:
            names.append('%s-%d%s' % (root, percent, ext or '.png'))
            write_png(names[-1], contact_sheet(spics, dpi), 1)
        print('sheet: %s' % ', '.join(names))
    return 0


if __name__ == '__main__':
    sys.exit(main())
