"""Checks of the art generator: file formats read back correctly and every
picture has the layout the controls cut it by.

    python3 tools/genart/test_genart.py
"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import genart  # noqa: E402
import skin  # noqa: E402
import styles  # noqa: E402
from raster import MAGENTA, Canvas, Picture, bmp_bytes, drawn_at, ico_bytes, png_bytes  # noqa: E402


def read_bmp(data):
    magic, size, _, _, off = struct.unpack('<2sIHHI', data[:14])
    hs, w, h, planes, bpp, comp = struct.unpack('<IiiHHI', data[14:34])
    assert magic == b'BM' and size == len(data) and planes == 1 and comp == 0
    assert bpp == 24 and h > 0
    stride = (w * 3 + 3) & ~3
    rgb = []
    for y in range(h):
        row = off + (h - 1 - y) * stride
        for x in range(w):
            b, g, r = data[row + 3 * x: row + 3 * x + 3]
            rgb.append((r, g, b))
    return Picture(w, h, rgb)


GROUPS = genart.all_pictures()
PICS = dict(p for _, pics in GROUPS for p in pics)


class Formats(unittest.TestCase):
    def test_bmp_round_trip_with_row_padding(self):
        # widths 1, 3 and 5 all need padding bytes; rows are stored bottom-up
        for w in (1, 3, 4, 5):
            rgb = [((x * 40) % 256, y * 50, 7) for y in range(3) for x in range(w)]
            back = read_bmp(bmp_bytes(Picture(w, 3, rgb)))
            self.assertEqual((back.w, back.h), (w, 3))
            self.assertEqual(back.rgb, rgb)

    def test_ico_directory_and_masks(self):
        img = [(10, 20, 30, 255 if (i % 3) else 0) for i in range(16 * 16)]
        data = ico_bytes([(16, img), (32, [(0, 0, 0, 255)] * 1024)])
        reserved, kind, count = struct.unpack('<HHH', data[:6])
        self.assertEqual((reserved, kind, count), (0, 1, 2))
        w, h, _, _, planes, bpp, size, off = struct.unpack('<BBBBHHII', data[6:22])
        self.assertEqual((w, h, planes, bpp), (16, 16, 1, 32))
        hs, bw, bh = struct.unpack('<Iii', data[off:off + 12])
        self.assertEqual((hs, bw, bh), (40, 16, 32))   # height counts the AND mask
        self.assertEqual(size, 40 + 16 * 16 * 4 + 16 * 4)
        mask = data[off + 40 + 1024: off + size]
        # bottom row of the image is first; pixel 0 of the top row is transparent
        top_row = mask[15 * 4: 16 * 4]
        self.assertTrue(top_row[0] & 0x80)
        self.assertFalse(top_row[0] & 0x40)
        w2, _, _, _, _, _, size2, off2 = struct.unpack('<BBBBHHII', data[22:38])
        self.assertEqual((w2, off2), (32, off + size))
        self.assertEqual(off2 + size2, len(data))

    def test_png_chunks_and_pixels(self):
        rgb = [(1, 2, 3), (4, 5, 6), (7, 8, 9), (250, 251, 252)]
        data = png_bytes(2, 2, rgb)
        self.assertEqual(data[:8], b'\x89PNG\r\n\x1a\n')
        pos, chunks = 8, {}
        while pos < len(data):
            n, = struct.unpack('>I', data[pos:pos + 4])
            tag, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + n]
            crc, = struct.unpack('>I', data[pos + 8 + n:pos + 12 + n])
            self.assertEqual(crc, zlib.crc32(tag + body) & 0xFFFFFFFF)
            chunks[tag] = body
            pos += 12 + n
        raw = zlib.decompress(chunks[b'IDAT'])
        self.assertEqual(raw, b'\0' + bytes([1, 2, 3, 4, 5, 6]) + b'\0' + bytes([7, 8, 9, 250, 251, 252]))


class Layout(unittest.TestCase):
    def test_every_table_picture_exists_with_its_size(self):
        for element, sizes in styles.SIZES.items():
            for style, wh in zip(styles.STYLES, sizes):
                name = style + '_' + element
                if wh is None:
                    self.assertNotIn(name, PICS)
                    continue
                self.assertIn(name, PICS)
                self.assertEqual((PICS[name].w, PICS[name].h), wh, name)
        self.assertEqual((PICS['MORE_SCROLLBUTTON'].w, PICS['MORE_SCROLLBUTTON'].h), (72, 17))
        self.assertEqual((PICS['TOOLBAR'].w, PICS['TOOLBAR'].h), (192, 16))
        for name in ('MENU_CHECKED', 'MACOS_FORM_BACKGROUND', 'PROTEIN_FORM_BACKGROUND',
                     'MACOS_MENU_BAR', 'MACOS_MENU_SELECT'):
            self.assertIn(name, PICS)

    def test_strips_divide_evenly(self):
        for style in styles.STYLES:
            self.assertEqual(PICS[style + '_TITLEBTN'].w % 18, 0)
            self.assertEqual(PICS[style + '_BUTTON'].w % 3, 0)
            self.assertEqual(PICS[style + '_CHECKBOX'].w % 4, 0)

    def test_magenta_only_where_drawn_transparently(self):
        def has_magenta(name):
            return MAGENTA in PICS[name].rgb
        for s in styles.STYLES:
            self.assertEqual(has_magenta(s + '_TITLEBTN'), styles.TITLEBTN_TRANSPARENT[s], s)
            self.assertEqual(has_magenta(s + '_BUTTON'), styles.BUTTON_TRANSPARENT[s], s)
            # check boxes and title pictures are always drawn opaque
            for e in ('CHECKBOX', 'RADIOBUTTON', 'TITLE_LEFT', 'TITLE_CLIENT', 'TITLE_RIGHT'):
                self.assertFalse(has_magenta(s + '_' + e), s + e)
        # the menu check mark is masked with white, not magenta
        self.assertFalse(has_magenta('MENU_CHECKED'))
        self.assertIn((255, 255, 255), PICS['MENU_CHECKED'].rgb)

    def test_title_sections_meet_without_a_seam(self):
        # the client section is stretched between left and right, so their
        # touching columns must match it row by row
        for s in styles.STYLES:
            left, client, right = (PICS[s + '_TITLE_LEFT'], PICS[s + '_TITLE_CLIENT'],
                                   PICS[s + '_TITLE_RIGHT'])
            for y in range(left.h):
                c = client.rgb[y * client.w]
                near = lambda a, b: max(abs(a[i] - b[i]) for i in range(3)) <= 6
                self.assertTrue(near(left.rgb[y * left.w + left.w - 1], c), (s, y))
                self.assertTrue(near(right.rgb[y * right.w], c), (s, y))

    def test_opaque_title_buttons_sit_on_the_bar_colours(self):
        for s in styles.STYLES:
            if styles.TITLEBTN_TRANSPARENT[s]:
                continue
            strip, bar = PICS[s + '_TITLEBTN'], PICS[s + '_TITLE_RIGHT']
            top = styles.TITLEBTN_TOP[s]
            for y in (0, strip.h - 1):
                self.assertEqual(strip.rgb[y * strip.w], bar.rgb[(top + y) * bar.w + bar.w - 1])


def contrast(a, b):
    """Contrast ratio of two sRGB colours, by the usual accessibility formula."""
    def lum(c):
        lin = [v / 3294.6 if v <= 10.31 else ((v / 255 + 0.055) / 1.055) ** 2.4 for v in c[:3]]
        return 0.2126 * lin[0] + 0.7152 * lin[1] + 0.0722 * lin[2]
    hi, lo = sorted((lum(a), lum(b)), reverse=True)
    return (hi + 0.05) / (lo + 0.05)


class OurSkinCaption(unittest.TestCase):
    def test_caption_reaches_4_5_to_1_active_and_with_windows_inactive_colour(self):
        with tempfile.TemporaryDirectory() as tmp:
            skin.write_skin_folder(tmp, skin.pictures())
            titles = []
            for n in range(1, 6):
                with open(os.path.join(tmp, 'SKIN2_TITLEBAR%d.bmp' % n), 'rb') as f:
                    titles.append(read_bmp(f.read()))
            with open(os.path.join(tmp, 'values.txt')) as f:
                v = int(dict(ln.split()[1:3] for ln in f if ln.startswith('color'))['SKIN2_TITLEFONTCOLOR'], 16)
        # every opaque pixel of the caption's rows, in every section a long caption can reach
        rows = range(skin.CAPTION_TOP, skin.CAPTION_TOP + 14)
        behind = {p.rgb[y * p.w + x] for p in titles for y in rows for x in range(p.w)} - {MAGENTA}
        for ink in ((v & 0xFF, (v >> 8) & 0xFF, v >> 16), (191, 205, 219)):
            self.assertGreaterEqual(min(contrast(ink, c) for c in behind), 4.5, ink)


class Outputs(unittest.TestCase):
    def test_written_files_read_back_and_rc_compiles(self):
        with tempfile.TemporaryDirectory() as tmp:
            genart.write_outputs(tmp, GROUPS)
            art = os.path.join(tmp, 'resources', 'art')
            with open(os.path.join(art, 'art.rc')) as f:
                lines = [ln for ln in f.read().splitlines() if not ln.startswith('//')]
            self.assertEqual(len(lines), len(PICS) + 1)
            for ln in lines:
                name, kind, path = ln.split()
                path = path.strip('"')
                with open(os.path.join(tmp, 'resources', path), 'rb') as f:
                    data = f.read()
                if kind == 'BITMAP':
                    pic = read_bmp(data)
                    self.assertEqual(pic.rgb, PICS[name.strip('"')].rgb, name)
            windres = 'i686-w64-mingw32-windres'
            if any(os.access(os.path.join(p, windres), os.X_OK)
                   for p in os.environ.get('PATH', '').split(os.pathsep)):
                out = os.path.join(tmp, 'art.o')
                r = subprocess.run([windres, '-i', 'art/art.rc', '-o', out],
                                   cwd=os.path.join(tmp, 'resources'),
                                   capture_output=True, text=True)
                self.assertEqual(r.returncode, 0, r.stderr)


def S(v, dpi):                      # the program's MulDiv rounding
    return (v * dpi + 48) // 96


SCALED = {dpi: dict(genart.dpi_pictures(dpi)) for _, dpi in genart.DPI_PERCENTS}
SKIN = {dpi: dict(skin.dpi_pictures(dpi)) for dpi in (96, 144, 192)}
# pictures the program cuts into equal parts side by side; the rest are one part
PARTS = {'TOOLBAR': 12, 'TITLEBTN': 18, 'BUTTON': 3, 'CHECKBOX': 4,
         'SKIN2_TITLEBUTTONS': 18, 'SKIN2_BUTTON': 3, 'SKIN2_CHECKBOX': 6}


class Scaled(unittest.TestCase):
    def test_sizes_written_out(self):
        for name, at150, at200 in (('TOOLBAR', (288, 24), (384, 32)),
                                   ('MACOS_TITLEBTN', (468, 26), (612, 34)),   # parts of 17
                                   ('WINXP_BUTTON', (81, 32), (108, 42)),
                                   ('MACOS_CHECKBOX', (92, 26), (120, 34)),
                                   ('DEEPBLUE_TITLE_LEFT', (146, 48), (194, 64)),
                                   ('PROTEIN_TITLE_CLIENT', (2, 35), (2, 46)),
                                   ('MACOS_FORM_BACKGROUND', (12, 12), (16, 16)),
                                   ('SKIN2_TITLEBUTTONS', (540, 27), (720, 36)),
                                   ('SKIN2_CHECKBOX', (120, 20), (156, 26))):   # parts of 13
            for dpi, wh in ((144, at150), (192, at200)):
                pic = (SKIN if name.startswith('SKIN2') else SCALED)[dpi][name]
                self.assertEqual((pic.w, pic.h), wh, (name, dpi))

    def test_every_picture_scales_part_by_part(self):
        for dpi in (144, 192):
            pairs = [(n, PICS[n], p) for n, p in SCALED[dpi].items()]
            pairs += [(n, SKIN[96][n], p) for n, p in SKIN[dpi].items()]
            self.assertEqual(len(pairs), 3 + 5 * 6 + 13)
            for name, base, pic in pairs:
                parts = PARTS.get(name, PARTS.get(name.split('_', 1)[-1], 1))
                self.assertEqual((pic.w, pic.h), (parts * S(base.w // parts, dpi), S(base.h, dpi)), name)

    def test_magenta_and_the_bottom_left_pixel_as_at_96(self):
        for dpi in (144, 192):
            for name, pic in list(SCALED[dpi].items()) + list(SKIN[dpi].items()):
                base = PICS.get(name) or SKIN[96][name]
                self.assertEqual(MAGENTA in pic.rgb, MAGENTA in base.rgb, (name, dpi))
                self.assertEqual(pic.rgb[(pic.h - 1) * pic.w] == MAGENTA,
                                 base.rgb[(base.h - 1) * base.w] == MAGENTA, (name, dpi))

    def test_skin_magenta_only_in_the_window_corners(self):
        for dpi in (144, 192):
            for name, pic in SKIN[dpi].items():
                r = S(skin.BOTTOM_R if 'BOTTOM' in name else skin.CORNER_R, dpi)
                holes = {(i % pic.w, i // pic.w) for i, v in enumerate(pic.rgb) if v == MAGENTA}
                if name.startswith('SKIN2_TITLEBAR'):
                    left, right = name.endswith('1'), name.endswith('5')
                    corner = {(x, y) for x in range(pic.w) for y in range(r)
                              if (left and x < r) or (right and x >= pic.w - r)}
                    self.assertTrue(holes <= corner, (name, dpi, sorted(holes - corner)[:3]))
                    self.assertEqual(bool(holes), left or right, (name, dpi))
                elif 'BOTTOM' in name:
                    corner = {(x, y) for x in range(pic.w) for y in range(pic.h - r, pic.h)
                              if (name.endswith('1') and x < r) or (name.endswith('3') and x >= pic.w - r)}
                    self.assertTrue(holes <= corner, (name, dpi))

    def test_skin_corners_fill_exactly_the_rows_the_region_scan_visits(self):
        # values.txt: title rows 0-3, bottom rows 2-3; magenta elsewhere would show
        for dpi, title, bottom in ((144, (0, 5), (3, 5)), (192, (0, 7), (4, 7))):
            for name, pic in SKIN[dpi].items():
                ys = {i // pic.w for i, v in enumerate(pic.rgb) if v == MAGENTA}
                if ys and ('TITLEBAR' in name or 'BOTTOM' in name):
                    self.assertEqual((min(ys), max(ys)), title if 'TITLEBAR' in name else bottom, (name, dpi))

    def test_opaque_title_buttons_sit_on_the_bar_rows(self):
        for dpi in (144, 192):
            for s in styles.STYLES:
                if styles.TITLEBTN_TRANSPARENT[s]:
                    continue
                strip, bar = SCALED[dpi][s + '_TITLEBTN'], SCALED[dpi][s + '_TITLE_RIGHT']
                top = S(styles.TITLEBTN_TOP[s], dpi)
                for y in (0, strip.h - 1):
                    self.assertEqual(strip.rgb[y * strip.w], bar.rgb[(top + y) * bar.w + bar.w - 1], (s, dpi))

    def test_one_pixel_rect_is_crisp(self):
        with drawn_at(144):
            c = Canvas(4, 4)
        c.rect(1, 1, 2, 3, (0, 0, 0))       # edges 1.5 and 4.5 round up to 2 and 5
        self.assertEqual((c.w, c.h), (6, 6))
        self.assertEqual([(i % 6, i // 6) for i, p in enumerate(c.px) if p[3]],
                         [(2, y) for y in (2, 3, 4)])

    def test_dpi_files_and_rc(self):
        with tempfile.TemporaryDirectory() as tmp:
            genart.write_dpi_outputs(tmp, [(p, list(SCALED[d].items())) for p, d in genart.DPI_PERCENTS])
            with open(os.path.join(tmp, 'art-dpi.rc')) as f:
                lines = [ln.split() for ln in f.read().splitlines() if not ln.startswith('//')]
            self.assertEqual(len(lines), 66)
            self.assertIn(['TOOLBAR_150', 'BITMAP', '"%s/toolbar_150.bmp"' % tmp.replace(os.sep, '/')], lines)
            for name, _, path in lines:
                with open(path.strip('"'), 'rb') as f:
                    pic = read_bmp(f.read())
                self.assertEqual(pic.rgb, SCALED[{'150': 144, '200': 192}[name[-3:]]][name[:-4]].rgb)
            if shutil.which('i686-w64-mingw32-windres'):
                r = subprocess.run(['i686-w64-mingw32-windres', '-i', 'art-dpi.rc', '-o', 'art.o'],
                                   cwd=tmp, capture_output=True, text=True)
                self.assertEqual(r.returncode, 0, r.stderr)
            with self.assertRaises(SystemExit):
                genart.write_dpi_outputs(os.path.join(HERE, '..', '..', 'resources', 'art'), [])

    def test_committed_96_pictures_are_what_the_generator_draws(self):
        art = os.path.join(HERE, '..', '..', 'resources', 'art')
        for name, pic in PICS.items():
            with open(os.path.join(art, name.lower() + '.bmp'), 'rb') as f:
                self.assertEqual(f.read(), bmp_bytes(pic), name)


if __name__ == '__main__':
    unittest.main()
