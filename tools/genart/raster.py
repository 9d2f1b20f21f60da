"""Small antialiased raster library: signed-distance shapes, gradients,
compositing, and BMP / ICO / PNG writers. Standard library only."""

import contextlib
import math
import struct
import zlib

MAGENTA = (255, 0, 255)

# ---------------------------------------------------------------- DPI

DESIGN_DPI = 96
_dpi = DESIGN_DPI        # the DPI that new canvases are drawn at; see drawn_at()


def S(v, dpi=None):
    """A 96-DPI length at dpi (default: the current one), rounded as the
    program's MulDiv rounds it (halves up); v >= 0."""
    return (v * (_dpi if dpi is None else dpi) + DESIGN_DPI // 2) // DESIGN_DPI


@contextlib.contextmanager
def drawn_at(dpi):
    """Canvases made inside the block keep 96-DPI coordinates for the drawing
    code but hold the pixels of dpi: a canvas of w x h is S(w) x S(h)."""
    global _dpi
    old, _dpi = _dpi, dpi
    try:
        yield
    finally:
        _dpi = old


def current_dpi():
    return _dpi


def snap(v):
    """A length that covers a whole number of device pixels at the current
    DPI (v itself at 96): for lines that must stay crisp, such as borders."""
    if _dpi == DESIGN_DPI:
        return v
    k = _dpi / DESIGN_DPI
    return math.floor(v * k + 0.5) / k


def _edge(v):
    return int(math.floor(v + 0.5))


def hexc(s):
    """'#RRGGBB' -> (r, g, b)."""
    s = s.lstrip('#')
    return (int(s[0:2], 16), int(s[2:4], 16), int(s[4:6], 16))


def bgr(v):
    """A Windows 0x00BBGGRR colour value -> (r, g, b)."""
    return (v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF)


def mix(a, b, t):
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(min(len(a), len(b))))


def lighten(c, t):
    return mix(c, (255, 255, 255), t)


def darken(c, t):
    return mix(c, (0, 0, 0), t)


def clamp01(v):
    return 0.0 if v < 0 else 1.0 if v > 1 else v


def smooth(t):
    t = clamp01(t)
    return t * t * (3 - 2 * t)


# ---------------------------------------------------------------- paints

def stops_at(stops, t):
    """Piecewise-linear colour ramp; stops = [(pos, (r,g,b)), ...]."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 1.0)
    return stops[-1][1]


def vgrad(y0, y1, stops):
    """Vertical gradient over pixel rows y0..y1 (pixel-centre positions)."""
    if not isinstance(stops[0], tuple) or len(stops[0]) != 2 or not isinstance(stops[0][1], tuple):
        stops = [(i / (len(stops) - 1), c) for i, c in enumerate(stops)]
    span = (y1 - y0) or 1.0

    def paint(x, y):
        return stops_at(stops, (y - y0) / span)
    return paint


def hgrad(x0, x1, stops):
    if not isinstance(stops[0], tuple) or len(stops[0]) != 2 or not isinstance(stops[0][1], tuple):
        stops = [(i / (len(stops) - 1), c) for i, c in enumerate(stops)]
    span = (x1 - x0) or 1.0

    def paint(x, y):
        return stops_at(stops, (x - x0) / span)
    return paint


def rgrad(cx, cy, r, stops):
    if not isinstance(stops[0], tuple) or len(stops[0]) != 2 or not isinstance(stops[0][1], tuple):
        stops = [(i / (len(stops) - 1), c) for i, c in enumerate(stops)]

    def paint(x, y):
        return stops_at(stops, math.hypot(x - cx, y - cy) / r)
    return paint


# ---------------------------------------------------------------- distances

def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_rrect(x0, y0, x1, y1, r=0.0):
    """Rounded rectangle covering the area x0..x1, y0..y1 (pixel edges)."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2, (y1 - y0) / 2
    r = min(r, hx, hy)

    def d(x, y):
        qx = abs(x - cx) - hx + r
        qy = abs(y - cy) - hy + r
        out = math.hypot(max(qx, 0), max(qy, 0))
        return out + min(max(qx, qy), 0) - r
    return d


def sd_ellipse(cx, cy, rx, ry):
    # Scaled circle; good enough for the small ellipses we draw.
    k = min(rx, ry)
    return lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1) * k


def sd_segment(ax, ay, bx, by, r):
    """Capsule: a stroke of half-width r from a to b with round caps."""
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy or 1e-9

    def d(x, y):
        px, py = x - ax, y - ay
        h = max(0.0, min(1.0, (px * dx + py * dy) / ll))
        return math.hypot(px - dx * h, py - dy * h) - r
    return d


def sd_polyline(pts, r):
    segs = [sd_segment(a[0], a[1], b[0], b[1], r) for a, b in zip(pts, pts[1:])]
    return lambda x, y: min(s(x, y) for s in segs)


def sd_polygon(pts):
    """Exact signed distance to a simple polygon (negative inside)."""
    n = len(pts)

    def d(x, y):
        best = (x - pts[0][0]) ** 2 + (y - pts[0][1]) ** 2
        s = 1.0
        j = n - 1
        for i in range(n):
            vix, viy = pts[i]
            vjx, vjy = pts[j]
            ex, ey = vjx - vix, vjy - viy
            wx, wy = x - vix, y - viy
            ll = ex * ex + ey * ey or 1e-9
            h = max(0.0, min(1.0, (wx * ex + wy * ey) / ll))
            bx, by = wx - ex * h, wy - ey * h
            best = min(best, bx * bx + by * by)
            c1 = y >= viy
            c2 = y < vjy
            c3 = ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                s = -s
            j = i
        return s * math.sqrt(best)
    return d


def sd_union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def sd_inter(*fs):
    return lambda x, y: max(f(x, y) for f in fs)


def sd_sub(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def sd_grow(f, r):
    """Offset a shape outward by r (inward when r is negative)."""
    return lambda x, y: f(x, y) - r


def sd_ring(f, w):
    """A band of width w centred on the outline of f."""
    return lambda x, y: abs(f(x, y)) - w / 2


def sd_shift(f, dx, dy):
    return lambda x, y: f(x - dx, y - dy)


def sd_halfplane(nx, ny, c):
    """Inside where nx*x + ny*y < c (n need not be unit)."""
    k = math.hypot(nx, ny)
    return lambda x, y: (nx * x + ny * y - c) / k


def sd_star(cx, cy, r_out, r_in, points=5, rot=-math.pi / 2):
    pts = []
    for i in range(points * 2):
        a = rot + i * math.pi / points
        r = r_out if i % 2 == 0 else r_in
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return sd_polygon(pts)


# ---------------------------------------------------------------- canvas

class Canvas:
    """Straight-alpha RGBA image; colours 0..255 floats, alpha 0..1.

    Made inside drawn_at(dpi), a canvas of w x h holds S(w) x S(h) device
    pixels; its methods still take 96-DPI coordinates: shapes and paints are
    evaluated at the device pixel centre mapped back, distances converted to
    device pixels; rect and pixel snap their edges to the device grid. w and h
    are the device size (what px holds), lw and lh the 96-DPI one."""

    def __init__(self, w, h, color=None, alpha=1.0, device=False):
        # device: w x h are device pixels at 1:1 (pictures, previews, crops)
        self.lw, self.lh = w, h
        if not device:
            w, h = S(w), S(h)
        self.w, self.h = w, h
        self.kx = w / self.lw if self.lw else 1.0
        self.ky = h / self.lh if self.lh else 1.0
        self.k = (self.kx + self.ky) / 2       # logical distance -> device pixels
        if color is None:
            self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]
        else:
            self.px = [[color[0], color[1], color[2], alpha] for _ in range(w * h)]

    def copy(self):
        c = Canvas(self.w, self.h, device=True)
        c.lw, c.lh, c.kx, c.ky, c.k = self.lw, self.lh, self.kx, self.ky, self.k
        c.px = [p[:] for p in self.px]
        return c

    def get(self, x, y):
        return self.px[y * self.w + x]

    def span(self, x0, y0, x1, y1):
        """Device pixel edges of a logical box, snapped to the grid and clipped."""
        return (max(0, _edge(x0 * self.kx)), max(0, _edge(y0 * self.ky)),
                min(self.w, _edge(x1 * self.kx)), min(self.h, _edge(y1 * self.ky)))

    def centre(self, x, y):
        """Logical coordinates of the centre of device pixel (x, y)."""
        return (x + 0.5) / self.kx, (y + 0.5) / self.ky

    def pixels(self, box=None):
        """(x, y, [r, g, b, a]) of every device pixel in the logical box (all by
        default), to read or change in place: the scaled form of px[y * w + x]."""
        x0, y0, x1, y1 = self.span(*box) if box else (0, 0, self.w, self.h)
        for y in range(y0, y1):
            for x in range(x0, x1):
                yield x, y, self.px[y * self.w + x]

    def blend(self, x, y, col, a):
        if a <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        p = self.px[y * self.w + x]
        if a >= 1:
            p[0], p[1], p[2], p[3] = col[0], col[1], col[2], 1.0
            return
        da = p[3]
        oa = a + da * (1 - a)
        if oa <= 0:
            return
        for i in range(3):
            p[i] = (col[i] * a + p[i] * da * (1 - a)) / oa
        p[3] = oa

    def fill(self, sdf, paint, alpha=1.0, box=None, ss=1, exact=True):
        """Cover the shape sdf<0 with paint (a colour or f(x, y) -> colour).
        ss > 1 supersamples the coverage, for hairline details; then pixels
        far from the edge are not sampled, unless exact is False: sdf may
        exceed the true distance (it is only right about the sign)."""
        kx, ky, k = self.kx, self.ky, self.k
        x0, y0, x1, y1 = box if box else (0, 0, self.lw, self.lh)
        x0, y0 = max(0, int(math.floor(x0 * kx))), max(0, int(math.floor(y0 * ky)))
        x1, y1 = min(self.w, int(math.ceil(x1 * kx))), min(self.h, int(math.ceil(y1 * ky)))
        fn = callable(paint)
        for y in range(y0, y1):
            for x in range(x0, x1):
                if ss == 1:
                    d = sdf((x + 0.5) / kx, (y + 0.5) / ky) * k
                    if d >= 0.5:
                        continue
                    cov = 1.0 if d <= -0.5 else 0.5 - d
                else:
                    # pixels well away from the edge need no samples (the margin
                    # allows for distances that are lower bounds, not exact)
                    d = sdf((x + 0.5) / kx, (y + 0.5) / ky) * k if exact else 0.0
                    if d >= 1.5:
                        continue
                    if d <= -1.5:
                        cov = 1.0
                    else:
                        n = 0
                        for sy in range(ss):
                            for sx in range(ss):
                                if sdf((x + (sx + 0.5) / ss) / kx, (y + (sy + 0.5) / ss) / ky) < 0:
                                    n += 1
                        if not n:
                            continue
                        cov = n / (ss * ss)
                c = paint((x + 0.5) / kx, (y + 0.5) / ky) if fn else paint
                a = alpha * cov
                if len(c) == 4:
                    a *= c[3]
                self.blend(x, y, c, a)

    def rect(self, x0, y0, x1, y1, paint, alpha=1.0):
        """Pixel-exact rectangle fill (no antialiasing); edges snap to the device grid."""
        fn = callable(paint)
        for x, y, _ in self.pixels((x0, y0, x1, y1)):
            c = paint((x + 0.5) / self.kx, (y + 0.5) / self.ky) if fn else paint
            a = alpha * (c[3] if len(c) == 4 else 1.0)
            self.blend(x, y, c, a)

    def pixel(self, x, y, col, a=1.0):
        """One logical pixel: its device block."""
        if self.kx == 1 and self.ky == 1:
            self.blend(x, y, col, a)
            return
        for dx, dy, _ in self.pixels((x, y, x + 1, y + 1)):
            self.blend(dx, dy, col, a)

    def draw(self, src, dx, dy, alpha=1.0):
        """src's device pixels 1:1, at the logical offset dx, dy."""
        dx, dy = _edge(dx * self.kx), _edge(dy * self.ky)
        for y in range(src.h):
            for x in range(src.w):
                p = src.px[y * src.w + x]
                if p[3] > 0:
                    self.blend(dx + x, dy + y, p, p[3] * alpha)

    def crop(self, x0, y0, w, h):
        """Device pixels w x h from device pixel x0, y0."""
        c = Canvas(w, h, device=True)
        for y in range(h):
            for x in range(w):
                if 0 <= x0 + x < self.w and 0 <= y0 + y < self.h:
                    c.px[y * w + x] = self.px[(y0 + y) * self.w + x0 + x][:]
        return c

    def stretch(self, w, h):
        """Nearest-neighbour resize to w x h device pixels (what the controls
        do with StretchBlt)."""
        c = Canvas(w, h, device=True)
        for y in range(h):
            sy = min(self.h - 1, y * self.h // h) if h else 0
            for x in range(w):
                sx = min(self.w - 1, x * self.w // w) if w else 0
                c.px[y * w + x] = self.px[sy * self.w + sx][:]
        return c

    def shadow(self, sdf, dx, dy, blur, color=(0, 0, 0), alpha=0.35):
        """Soft drop shadow of a shape."""
        kx, ky, k = self.kx, self.ky, self.k
        blur *= k

        def sh(x, y):
            return sdf(x - dx, y - dy)
        for y in range(self.h):
            for x in range(self.w):
                d = sh((x + 0.5) / kx, (y + 0.5) / ky) * k
                if d < blur:
                    a = alpha * (1 - smooth((d + blur) / (2 * blur)))
                    if a > 0.003:
                        self.blend(x, y, color, a)

    def flatten(self, matte, transparent=False, threshold=0.5, rows=None):
        """-> list of (r, g, b) ints. Partly covered pixels are blended onto
        matte (the colour the picture will usually sit on); with transparent
        set, pixels below threshold become magenta, only in the device rows
        given (a range) if rows is set: elsewhere they are blended too."""
        out = []
        for i, p in enumerate(self.px):
            a = p[3]
            if transparent and a < threshold and (rows is None or i // self.w in rows):
                out.append(MAGENTA)
                continue
            r = int(round(p[0] * a + matte[0] * (1 - a)))
            g = int(round(p[1] * a + matte[1] * (1 - a)))
            b = int(round(p[2] * a + matte[2] * (1 - a)))
            c = (max(0, min(255, r)), max(0, min(255, g)), max(0, min(255, b)))
            if c == MAGENTA:  # an opaque pixel must never read as a hole
                c = (254, 0, 254)
            out.append(c)
        return out


class Picture:
    """A finished 24-bit picture: size and (r, g, b) pixels, top row first."""

    def __init__(self, w, h, rgb):
        assert len(rgb) == w * h
        self.w, self.h, self.rgb = w, h, rgb

    @staticmethod
    def of(canvas, matte, transparent=False, threshold=0.5, rows=None):
        return Picture(canvas.w, canvas.h, canvas.flatten(matte, transparent, threshold, rows))

    @staticmethod
    def hstack(parts):
        h = parts[0].h
        w = sum(p.w for p in parts)
        rgb = []
        for y in range(h):
            for p in parts:
                assert p.h == h
                rgb.extend(p.rgb[y * p.w:(y + 1) * p.w])
        return Picture(w, h, rgb)

    def to_canvas(self, show_magenta=True):
        c = Canvas(self.w, self.h, device=True)
        for i, v in enumerate(self.rgb):
            if v == MAGENTA and not show_magenta:
                c.px[i] = [0.0, 0.0, 0.0, 0.0]
            else:
                c.px[i] = [float(v[0]), float(v[1]), float(v[2]), 1.0]
        return c


# ---------------------------------------------------------------- writers

def bmp_bytes(pic):
    """24-bit bottom-up BMP."""
    w, h = pic.w, pic.h
    stride = (w * 3 + 3) & ~3
    pad = b'\0' * (stride - w * 3)
    body = bytearray()
    for y in range(h - 1, -1, -1):
        row = pic.rgb[y * w:(y + 1) * w]
        for r, g, b in row:
            body += bytes((b, g, r))
        body += pad
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(body), 0, 0, 14 + len(info))
    return bytes(head + info + body)


def ico_bytes(images):
    """images: list of (size, [(r, g, b, a) ints, ...]) -> .ico with 32-bit
    colour plus the 1-bit AND mask that older loaders still read."""
    entries = []
    blobs = []
    offset = 6 + 16 * len(images)
    for size, rgba in images:
        w = h = size
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = rgba[y * w + x]
                xor += bytes((b, g, r, a))
        mstride = ((w + 31) // 32) * 4
        mask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(mstride)
            for x in range(w):
                if rgba[y * w + x][3] < 128:
                    row[x >> 3] |= 0x80 >> (x & 7)
            mask += row
        info = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        blob = info + bytes(xor) + bytes(mask)
        entries.append(struct.pack('<BBBBHHII', w if w < 256 else 0, h if h < 256 else 0,
                                   0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack('<HHH', 0, 1, len(images)) + b''.join(entries) + b''.join(blobs)


def png_bytes(w, h, rgb):
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for r, g, b in rgb[y * w:(y + 1) * w]:
            raw += bytes((r, g, b))

    def chunk(tag, data):
        return (struct.pack('>I', len(data)) + tag + data +
                struct.pack('>I', zlib.crc32(tag + data) & 0xFFFFFFFF))
    return (b'\x89PNG\r\n\x1a\n' +
            chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(bytes(raw), 9)) +
            chunk(b'IEND', b''))
