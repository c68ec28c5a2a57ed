#!/usr/bin/env python3
"""Draw the editor's own pictures (window icons, banners, resource icons).

Every picture is built from simple shapes by this script, once at its own size
and once at twice its size for screens with two pixels to each of ours. For the
Qt window it writes PNGs next to it (name.png, name@2x.png), which can be
regenerated (byte for byte) with

    python3 resources/draw_pictures.py

For the Windows window the build writes, into a folder of its own, 32-bit
bitmaps with premultiplied alpha (name.bmp, name@2x.bmp) and one icon file
holding every size of the window icon (icon128.ico):

    python3 resources/draw_pictures.py --windows FOLDER

Only the Python standard library is used.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------
# Raster helpers
# ---------------------------------------------------------------------------

SUB = 4  # samples per pixel along each axis: 4 x 4 supersampling


def merge_spans(spans):
    """Sort and join overlapping [x0, x1) intervals."""
    spans = sorted(s for s in spans if s[1] > s[0])
    out = []
    for a, b in spans:
        if out and a <= out[-1][1]:
            if b > out[-1][1]:
                out[-1] = (out[-1][0], b)
        else:
            out.append((a, b))
    return out


def intersect_spans(p, q):
    out, i, j = [], 0, 0
    while i < len(p) and j < len(q):
        a, b = max(p[i][0], q[j][0]), min(p[i][1], q[j][1])
        if a < b:
            out.append((a, b))
        if p[i][1] < q[j][1]:
            i += 1
        else:
            j += 1
    return out


def subtract_spans(p, q):
    out = []
    for a, b in p:
        for c, d in q:
            if d <= a or c >= b:
                continue
            if c > a:
                out.append((a, c))
            a = max(a, d)
            if a >= b:
                break
        if a < b:
            out.append((a, b))
    return out


class Shape:
    """A filled region; it only has to say which x intervals a horizontal
    line crosses, which keeps filling fast enough in pure Python."""

    bbox = (0.0, 0.0, 0.0, 0.0)

    def spans(self, y):
        raise NotImplementedError

    def __or__(self, other):
        return Union([self, other])

    def __and__(self, other):
        return Intersect(self, other)

    def __sub__(self, other):
        return Difference(self, other)


class Polygon(Shape):
    def __init__(self, points):
        self.points = [(float(x), float(y)) for x, y in points]
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        self.bbox = (min(xs), min(ys), max(xs), max(ys))
        n = len(self.points)
        self.edges = [(self.points[i], self.points[(i + 1) % n]) for i in range(n)]

    def spans(self, y):
        if y < self.bbox[1] or y > self.bbox[3]:
            return []
        xs = []
        for (xa, ya), (xb, yb) in self.edges:
            if (ya <= y < yb) or (yb <= y < ya):
                xs.append(xa + (y - ya) * (xb - xa) / (yb - ya))
        xs.sort()
        # Even-odd rule; the outlines drawn here do not cross themselves.
        return merge_spans([(xs[i], xs[i + 1]) for i in range(0, len(xs) - 1, 2)])


class Ellipse(Shape):
    """An ellipse, optionally turned by `angle` degrees (clockwise on screen)."""

    def __init__(self, cx, cy, rx, ry=None, angle=0.0):
        ry = rx if ry is None else ry
        self.cx, self.cy = cx, cy
        t = math.radians(angle)
        c, s = math.cos(t), math.sin(t)
        # Quadratic form of the rotated ellipse: a*x^2 + 2*b*x*y + d*y^2 <= 1.
        self.a = c * c / rx**2 + s * s / ry**2
        self.b = c * s / rx**2 - s * c / ry**2
        self.d = s * s / rx**2 + c * c / ry**2
        ex = math.sqrt((rx * c) ** 2 + (ry * s) ** 2)
        ey = math.sqrt((rx * s) ** 2 + (ry * c) ** 2)
        self.bbox = (cx - ex, cy - ey, cx + ex, cy + ey)

    def spans(self, y):
        dy = y - self.cy
        disc = (self.b * dy) ** 2 - self.a * (self.d * dy * dy - 1.0)
        if disc <= 0:
            return []
        root = math.sqrt(disc)
        return [(self.cx + (-self.b * dy - root) / self.a,
                 self.cx + (-self.b * dy + root) / self.a)]


def Circle(cx, cy, r):
    return Ellipse(cx, cy, r)


def Rect(x0, y0, x1, y1):
    return Polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])


class Union(Shape):
    def __init__(self, shapes):
        self.shapes = list(shapes)
        bs = [s.bbox for s in self.shapes]
        self.bbox = (min(b[0] for b in bs), min(b[1] for b in bs),
                     max(b[2] for b in bs), max(b[3] for b in bs))

    def spans(self, y):
        out = []
        for s in self.shapes:
            if s.bbox[1] <= y <= s.bbox[3]:
                out.extend(s.spans(y))
        return merge_spans(out)


class Intersect(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b
        self.bbox = (max(a.bbox[0], b.bbox[0]), max(a.bbox[1], b.bbox[1]),
                     min(a.bbox[2], b.bbox[2]), min(a.bbox[3], b.bbox[3]))

    def spans(self, y):
        return intersect_spans(self.a.spans(y), self.b.spans(y))


class Difference(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b
        self.bbox = a.bbox

    def spans(self, y):
        return subtract_spans(self.a.spans(y), self.b.spans(y))


def capsule(p0, p1, r):
    """A straight pen stroke of radius r with round ends."""
    (x0, y0), (x1, y1) = p0, p1
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    parts = [Circle(x0, y0, r), Circle(x1, y1, r)]
    if length > 1e-9:
        nx, ny = -dy / length * r, dx / length * r
        parts.append(Polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                              (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]))
    return Union(parts)


def stroke(points, width, closed=False):
    """A round-jointed pen line through the points."""
    pts = list(points) + ([points[0]] if closed else [])
    return Union([capsule(pts[i], pts[i + 1], width / 2) for i in range(len(pts) - 1)])


def cubic(p0, p1, p2, p3, steps=16):
    """Points along a cubic Bezier curve, without the first point."""
    out = []
    for i in range(1, steps + 1):
        t = i / steps
        u = 1 - t
        out.append((u**3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t**3 * p3[0],
                    u**3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t**3 * p3[1]))
    return out


def path(start, *curves):
    """Outline from a start point and (c1, c2, end) cubic segments or plain points."""
    pts = [start]
    for seg in curves:
        if len(seg) == 3 and isinstance(seg[0], tuple):
            pts.extend(cubic(pts[-1], *seg))
        else:
            pts.append(seg)
    return pts


def arc(cx, cy, rx, ry, a0, a1, steps=24):
    """Points on an elliptic arc; angles in degrees, 0 = right, 90 = down."""
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / steps)))
            for i in range(steps + 1)]


def hex_colour(text, alpha=1.0):
    text = text.lstrip("#")
    return (int(text[0:2], 16) / 255, int(text[2:4], 16) / 255,
            int(text[4:6], 16) / 255, alpha)


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def ramp(stops, t):
    """Colour at t along a list of (position, colour) stops."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0) if t1 > t0 else 1.0)
    return stops[-1][1]


def linear(p0, p1, stops):
    """Paint that changes colour along the line p0 -> p1."""
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    len2 = dx * dx + dy * dy
    return lambda x, y: ramp(stops, ((x - p0[0]) * dx + (y - p0[1]) * dy) / len2)


def radial(cx, cy, r, stops, ry=None):
    """Paint that changes colour outward from a centre (elliptically if ry is given)."""
    ry = r if ry is None else ry
    return lambda x, y: ramp(stops, math.hypot((x - cx) / r, (y - cy) / ry))


class Canvas:
    """RGBA pixels, stored premultiplied so that layering is a plain blend.

    Shapes and paints are given in the picture's own pixels; a canvas of scale 2
    has twice as many pixels along each axis and draws the same picture finer."""

    def __init__(self, width, height, background=(0, 0, 0, 0), scale=1):
        self.scale = scale
        self.w, self.h = width * scale, height * scale
        r, g, b, a = background
        self.px = [[r * a, g * a, b * a, a] for _ in range(self.w * self.h)]

    def fill(self, shape, paint, opacity=1.0):
        """Cover the shape with a colour or a paint function of (x, y)."""
        s = self.scale
        x0, y0, x1, y1 = (v * s for v in shape.bbox)
        px0, px1 = max(0, math.floor(x0)), min(self.w, math.ceil(x1))
        py0, py1 = max(0, math.floor(y0)), min(self.h, math.ceil(y1))
        if px0 >= px1 or py0 >= py1:
            return
        full = SUB * SUB
        for py in range(py0, py1):
            counts = [0] * (px1 - px0)
            for j in range(SUB):
                for a, b in shape.spans((py + (j + 0.5) / SUB) / s):
                    a, b = a * s, b * s
                    # Sample k sits at x = (k + 0.5) / SUB.
                    k0 = max(math.ceil(a * SUB - 0.5), px0 * SUB)
                    k1 = min(math.ceil(b * SUB - 0.5), px1 * SUB)
                    for k in range(k0, k1):
                        counts[k // SUB - px0] += 1
            for i, n in enumerate(counts):
                if n == 0:
                    continue
                x = px0 + i
                r, g, b, a = paint((x + 0.5) / s, (py + 0.5) / s) if callable(paint) else paint
                a *= opacity * n / full
                dst = self.px[py * self.w + x]
                keep = 1.0 - a
                dst[0] = r * a + dst[0] * keep
                dst[1] = g * a + dst[1] * keep
                dst[2] = b * a + dst[2] * keep
                dst[3] = a + dst[3] * keep

    def save_png(self, name):
        """Write the picture as name, or as name@2x.png at scale 2; for Windows, as a bitmap or
        as a size of the window icon."""
        if self.scale != 1:
            stem, ext = os.path.splitext(name)
            name = "%s@%dx%s" % (stem, self.scale, ext)
        if WINDOWS_FOLDER:
            if name.startswith("icon128"):
                ICON_SIZES.setdefault(self.w, self)
            else:
                with open(os.path.join(WINDOWS_FOLDER, os.path.splitext(name)[0] + ".bmp"),
                          "wb") as f:
                    f.write(self.bmp())
            return
        rows = bytearray()
        for y in range(self.h):
            rows.append(0)  # no per-row filter
            for r, g, b, a in self.px[y * self.w:(y + 1) * self.w]:
                if a <= 0.0:
                    rows.extend((0, 0, 0, 0))
                    continue
                rows.extend(min(255, max(0, round(v / a * 255))) for v in (r, g, b))
                rows.append(min(255, max(0, round(a * 255))))

        def chunk(tag, data):
            return (struct.pack(">I", len(data)) + tag + data
                    + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF))

        header = struct.pack(">IIBBBBB", self.w, self.h, 8, 6, 0, 0, 0)
        png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
               + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(png)


    def bgra_rows(self):
        """The pixels bottom row first, as Windows keeps a bitmap: premultiplied blue, green,
        red and alpha bytes."""
        out = bytearray()
        for y in reversed(range(self.h)):
            for r, g, b, a in self.px[y * self.w:(y + 1) * self.w]:
                out.extend(min(255, max(0, round(v * 255))) for v in (b, g, r, a))
        return bytes(out)

    def bmp(self):
        """A 32-bit bitmap file: BITMAPFILEHEADER, BITMAPINFOHEADER, pixels."""
        pixels = self.bgra_rows()
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 32, 0, len(pixels), 2835, 2835,
                           0, 0)
        header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
        return header + info + pixels

    def icon_image(self):
        """One image of an icon file: the bitmap at double height, then an empty AND mask."""
        pixels = self.bgra_rows()
        mask = bytes(((self.w + 31) // 32 * 4) * self.h)
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h * 2, 1, 32, 0,
                           len(pixels) + len(mask), 0, 0, 0, 0)
        return info + pixels + mask


# Where the Windows formats go; none: the PNGs are written.
WINDOWS_FOLDER = None
# The window icon's canvases by width, the first drawn of each size.
ICON_SIZES = {}


def save_icon(name, canvases):
    """An icon file holding the canvases, smallest first."""
    canvases = sorted(canvases, key=lambda c: c.w)
    images = [c.icon_image() for c in canvases]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for c, image in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    with open(name, "wb") as f:
        f.write(out)


class Dice:
    """Small fixed pseudo-random sequence, so star fields never change between runs."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return self.state / 0x7FFFFFFF

    def between(self, lo, hi):
        return lo + (hi - lo) * self.next()


# ---------------------------------------------------------------------------
# Lettering: a hand-made pen font (capitals only). Each glyph is a list of
# pen lines in a box one unit high; the number is the glyph's width.
# ---------------------------------------------------------------------------

GLYPHS = {
    "A": (0.72, [[(0, 1), (0.36, 0), (0.72, 1)], [(0.15, 0.64), (0.57, 0.64)]]),
    "D": (0.64, [[(0, 0), (0.26, 0)] + arc(0.26, 0.5, 0.38, 0.5, -90, 90)[1:] + [(0, 1), (0, 0)]]),
    "E": (0.56, [[(0.56, 0), (0, 0), (0, 1), (0.56, 1)], [(0, 0.5), (0.44, 0.5)]]),
    "G": (0.68, [arc(0.36, 0.5, 0.36, 0.5, -40, -360, 32) + [(0.42, 0.5)]]),
    "I": (0.0, [[(0, 0), (0, 1)]]),
    "L": (0.52, [[(0, 0), (0, 1), (0.52, 1)]]),
    "M": (0.84, [[(0, 1), (0, 0), (0.42, 0.62), (0.84, 0), (0.84, 1)]]),
    "O": (0.76, [arc(0.38, 0.5, 0.38, 0.5, 0, 360, 40)]),
    "R": (0.62, [[(0, 1), (0, 0), (0.32, 0)] + arc(0.32, 0.26, 0.27, 0.26, -90, 90, 16)[1:]
                 + [(0, 0.52)], [(0.3, 0.52), (0.64, 1)]]),
    "S": (0.6, [arc(0.3, 0.255, 0.29, 0.255, -20, -270, 20)
                + arc(0.3, 0.745, 0.3, 0.255, -90, 160, 20)[1:]]),
    "T": (0.7, [[(0, 0), (0.7, 0)], [(0.35, 0), (0.35, 1)]]),
    "V": (0.72, [[(0, 0), (0.36, 1), (0.72, 0)]]),
}


def text_width(text, height, pen, spacing):
    width = 0.0
    for ch in text:
        width += (0.42 if ch == " " else GLYPHS[ch][0]) * height + pen + spacing
    return width - spacing


def text_shape(text, left, top, height, pen, spacing, extra_pen=0.0):
    """The lettering as one shape; extra_pen widens every line (for outlines)."""
    parts, x = [], left + pen / 2
    for ch in text:
        if ch == " ":
            x += 0.42 * height + pen + spacing
            continue
        width, lines = GLYPHS[ch]
        for line in lines:
            pts = [(x + px * height, top + pen / 2 + py * (height - pen)) for px, py in line]
            parts.append(stroke(pts, pen + extra_pen))
        x += width * height + pen + spacing
    return Union(parts)


# ---------------------------------------------------------------------------
# Shared pieces
# ---------------------------------------------------------------------------

GOLD_FACE = [(0.0, hex_colour("fff1a8")), (0.45, hex_colour("f5c842")),
             (1.0, hex_colour("c98f1c"))]
GOLD_EDGE = hex_colour("b27a16")
GOLD_RIM = hex_colour("6e4708")


def coin_stack(c, cx, bottom, rx, ry, thick, count, step):
    """Coins lying flat, one on another, seen slightly from above."""
    for i in range(count):
        y = bottom - i * step  # centre of this coin's underside
        side = Ellipse(cx, y, rx, ry) | Rect(cx - rx, y - thick, cx + rx, y)
        c.fill(Ellipse(cx, y, rx + 0.55, ry + 0.55)
               | Rect(cx - rx - 0.55, y - thick, cx + rx + 0.55, y), GOLD_RIM)
        c.fill(side, linear((cx - rx, 0), (cx + rx, 0),
                            [(0, hex_colour("8c5c0e")), (0.35, GOLD_EDGE),
                             (1, hex_colour("7a4e0a"))]))
        top = y - thick
        c.fill(Ellipse(cx, top, rx, ry), GOLD_RIM)
        c.fill(Ellipse(cx, top, rx - 0.6, ry - 0.45),
               linear((cx - rx, top - ry), (cx + rx * 0.6, top + ry), GOLD_FACE))


def standing_coin(c, cx, cy, r, emblem=True):
    """A coin on its edge, showing its face."""
    c.fill(Circle(cx, cy, r + 0.6), GOLD_RIM)
    c.fill(Circle(cx, cy, r), linear((cx - r, cy - r), (cx + r, cy + r), GOLD_FACE))
    c.fill(Circle(cx, cy, r * 0.72) - Circle(cx, cy, r * 0.72 - max(0.6, r * 0.1)),
           hex_colour("b8811a"), 0.8)
    if emblem:
        c.fill(star(cx, cy, r * 0.45, r * 0.19, 5), hex_colour("b8811a"))


def star(cx, cy, outer, inner, points, turn=-90.0):
    pts = []
    for i in range(points * 2):
        r = outer if i % 2 == 0 else inner
        t = math.radians(turn + i * 180.0 / points)
        pts.append((cx + r * math.cos(t), cy + r * math.sin(t)))
    return Polygon(pts)


def shield_outline(left, right, top, tip, shoulder):
    """A heater shield: flat top, straight upper sides, curving to a point."""
    mid = (left + right) / 2
    return Polygon(path((left, top), (right, top), (right, shoulder),
                        ((right, shoulder + (tip - shoulder) * 0.55),
                         (mid + (right - mid) * 0.45, tip - (tip - shoulder) * 0.12), (mid, tip)),
                        ((mid - (mid - left) * 0.45, tip - (tip - shoulder) * 0.12),
                         (left, shoulder + (tip - shoulder) * 0.55), (left, shoulder))))


def feather(base, tip, width, bend):
    """Outline of a quill vane: a leaf shape from base to tip, fattest a little past the middle."""
    (bx, by), (tx, ty) = base, tip
    dx, dy = tx - bx, ty - by
    length = math.hypot(dx, dy)
    nx, ny = -dy / length, dx / length

    def at(t, side):
        return (bx + dx * t + nx * side, by + dy * t + ny * side)

    w = width / 2
    return path(at(0, 0),
                (at(0.25, w * (1 + bend)), at(0.75, w * (1 + bend)), at(1, 0)),
                (at(0.8, -w * (1 - bend)), at(0.3, -w * (1 - bend)), at(0, 0)))[:-1]


# ---------------------------------------------------------------------------
# Window icons: a blue shield with a gold rim and a white quill across it
# ---------------------------------------------------------------------------

SHIELD_DARK = hex_colour("2a1c08")
SHIELD_GOLD = [(0.0, hex_colour("fbe39a")), (1.0, hex_colour("b07c22"))]
SHIELD_BLUE = [(0.0, hex_colour("4a74cc")), (1.0, hex_colour("1a2a66"))]
QUILL = hex_colour("fbf7ea")
QUILL_SHADE = hex_colour("b9b4a4")
QUILL_LINE = hex_colour("3c3a46")


def draw_quill(c, base, tip, width, pen, nib_len, notches):
    """A white quill: outlined vane with a few notches, then a bare shaft and an inked nib."""
    (bx, by), (tx, ty) = base, tip
    dx, dy = tx - bx, ty - by
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    nx, ny = -uy, ux
    outline = feather(base, tip, width, 0.2)
    wedges = []
    for t, side in notches:
        # Split barbs: a thin wedge cut in from the edge, slanting toward the base.
        px, py = bx + dx * t, by + dy * t
        edge = width * side
        back = width * 0.7
        wedges.append(Polygon([(px + nx * edge * 0.15, py + ny * edge * 0.15),
                               (px + nx * edge, py + ny * edge),
                               (px + nx * edge - ux * back, py + ny * edge - uy * back)]))
    vane = Polygon(outline)
    dark = vane | stroke(outline, pen * 2, closed=True)
    if wedges:
        vane, dark = vane - Union(wedges), dark - Union(wedges)
    nib = (bx - ux * nib_len, by - uy * nib_len)
    c.fill(stroke([nib, base], pen * 3.0), QUILL_LINE)
    c.fill(dark, QUILL_LINE)
    c.fill(vane, linear(base, tip, [(0, QUILL_SHADE), (0.4, QUILL), (1, QUILL)]))
    c.fill(stroke([base, (bx + dx * 0.85, by + dy * 0.85)], pen * 0.9), hex_colour("9c9684"))
    c.fill(stroke([nib, base], pen * 1.1), hex_colour("efe3bc"))
    ink_end = (nib[0] + ux * nib_len * 0.3, nib[1] + uy * nib_len * 0.3)
    c.fill(stroke([nib, ink_end], pen * 1.3), hex_colour("1a1a24"))


def draw_icon_32(scale):
    c = Canvas(32, 32, scale=scale)
    c.fill(shield_outline(3, 29, 1, 31.2, 13), SHIELD_DARK)
    c.fill(shield_outline(4, 28, 2, 29.8, 13), linear((4, 2), (26, 28), SHIELD_GOLD))
    c.fill(shield_outline(6, 26, 4, 26.6, 13), linear((8, 4), (22, 26), SHIELD_BLUE))
    # Quill from the lower left to the upper right, crossing the shield.
    draw_quill(c, (10.5, 21.5), (28.5, 3.0), 8.0, 0.75, 7.0, [(0.42, 1), (0.6, -1), (0.72, 1)])
    c.save_png("icon128_32.png")


def draw_icon_16(scale):
    c = Canvas(16, 16, scale=scale)
    c.fill(shield_outline(1, 15, 0, 15.8, 6.5), SHIELD_DARK)
    c.fill(shield_outline(2, 14, 1, 14.4, 6.5), linear((2, 1), (13, 14), SHIELD_GOLD))
    c.fill(shield_outline(3, 13, 2, 12.9, 6.5), linear((4, 2), (11, 13), SHIELD_BLUE))
    draw_quill(c, (5.4, 10.8), (14.6, 1.2), 4.4, 0.45, 3.6, [])
    c.save_png("icon128_16.png")


# ---------------------------------------------------------------------------
# Banners: a night sky over mountains and a castle, with the title lettered
# ---------------------------------------------------------------------------

def draw_banner(name, width, castle_left, scale):
    h = 98
    c = Canvas(width, h, hex_colour("0a0d26"), scale)
    c.fill(Rect(0, 0, width, h), linear((0, 0), (0, h), [
        (0.0, hex_colour("070a20")), (0.35, hex_colour("131842")),
        (0.58, hex_colour("2c2460")), (0.75, hex_colour("5a3c74")), (1.0, hex_colour("8a5670"))]))
    # Warm glow on the horizon, as if the sun had just set.
    c.fill(Ellipse(width / 2, h + 6, width * 0.6, 52),
           radial(width / 2, h + 6, width * 0.6, [(0, hex_colour("d08a5a", 0.55)),
                                                  (1, hex_colour("d08a5a", 0.0))], 52))

    # Stars, dimmer behind the title so the lettering stays clean, and a few sparkling ones.
    dice = Dice(width * 7 + 3)
    for _ in range(70):
        x, y = dice.between(6, width - 6), dice.between(6, 64)
        size = dice.between(0.35, 0.8)
        glow = dice.between(0.45, 1.0)
        if abs(x - width / 2) < 110 and y < 56:
            glow *= 0.35
        c.fill(Circle(x, y, size), hex_colour("fff8e0"), glow)
    for sx, sy in [(0.11, 0.2), (0.3, 0.5), (0.71, 0.14), (0.9, 0.52), (0.6, 0.6)]:
        x, y = sx * width, sy * h
        if castle_left:
            x = width - x
        sparkle = stroke([(x - 2.6, y), (x + 2.6, y)], 0.5) | stroke([(x, y - 2.6), (x, y + 2.6)], 0.5)
        c.fill(sparkle, hex_colour("fff8e0"), 0.7)
        c.fill(Circle(x, y, 0.9), hex_colour("ffffff"))

    # Crescent moon on the side away from the castle.
    mx = width - 34 if castle_left else 34
    my = 24
    c.fill(Circle(mx, my, 14), radial(mx, my, 14, [(0.5, hex_colour("fff4c8", 0.18)),
                                                   (1, hex_colour("fff4c8", 0.0))]))
    c.fill(Circle(mx, my, 8) - Circle(mx + (4 if castle_left else -4), my - 2.5, 7.2),
           linear((mx - 8, my - 8), (mx + 8, my + 8), [(0, hex_colour("fffbe8")),
                                                        (1, hex_colour("f0d890"))]))

    # Two ranges of mountains, the nearer one darker.
    far = [(0, 70), (0.05, 64), (0.1, 70), (0.17, 59), (0.23, 68), (0.28, 65), (0.33, 72),
           (0.4, 64), (0.45, 70), (0.5, 66), (0.55, 72), (0.62, 64), (0.68, 71), (0.74, 66),
           (0.8, 59), (0.87, 68), (0.93, 63), (1.0, 69)]
    near = [(0, 82), (0.09, 75), (0.19, 84), (0.32, 76), (0.44, 85), (0.57, 77), (0.69, 85),
            (0.83, 76), (0.93, 83), (1.0, 79)]
    for ridge, colour in [(far, hex_colour("1c1840")), (near, hex_colour("0b0a1c"))]:
        pts = [(fx * width, fy) for fx, fy in ridge]
        c.fill(Polygon([(-1, h), (-1, pts[0][1])] + pts + [(width + 1, pts[-1][1]),
                                                           (width + 1, h)]), colour)

    draw_castle(c, 38 if castle_left else width - 38, 88, castle_left)

    # Title with a shadow and a dark outline under gold lettering.
    title, th, pen, gap = "VELMOR", 34.0, 6.0, 5.0
    tx = (width - text_width(title, th, pen, gap)) / 2
    ty = 9.0
    c.fill(text_shape(title, tx + 1.8, ty + 2.2, th, pen, gap, 3.0), (0, 0, 0, 1), 0.55)
    c.fill(text_shape(title, tx, ty, th, pen, gap, 2.6), hex_colour("2b1804"))
    c.fill(text_shape(title, tx, ty, th, pen, gap), linear((0, ty), (0, ty + th), [
        (0.0, hex_colour("fff6c4")), (0.42, hex_colour("f7cd52")),
        (0.5, hex_colour("d9a22e")), (1.0, hex_colour("f4c04a"))]))

    # Subtitle, flanked by small gold rules.
    sub, sh, spen, sgap = "SAVED GAME EDITOR", 8.0, 1.35, 2.2
    sw = text_width(sub, sh, spen, sgap)
    sx, sy = (width - sw) / 2, 55.0
    c.fill(text_shape(sub, sx, sy, sh, spen, sgap, 1.8), hex_colour("0b0a1c"), 0.85)
    c.fill(text_shape(sub, sx, sy, sh, spen, sgap), hex_colour("f2e6c4"))
    for side in (-1, 1):
        x0 = width / 2 + side * (sw / 2 + 6)
        x1 = width / 2 + side * (sw / 2 + 34)
        y = sy + sh / 2
        c.fill(stroke([(x0, y), (x1, y)], 0.9), hex_colour("d9a22e"))
        c.fill(Polygon([(x1, y - 2.2), (x1 + side * 2.2, y), (x1, y + 2.2),
                        (x1 - side * 2.2, y)]), hex_colour("f4c04a"))

    draw_frame(c, width, h)
    c.save_png(name)


def draw_castle(c, cx, ground, facing_right):
    """A dark keep with towers on a hill, a few lit windows and a pennant."""
    ink = hex_colour("0b0918")
    m = 1 if facing_right else -1  # mirror so the pennant flies toward the title
    c.fill(Ellipse(cx, ground + 6, 44, 12), ink)
    parts = [Rect(cx - 18, ground - 20, cx + 18, ground)]
    for i in range(7):  # battlements on the curtain wall
        x = cx - 18 + i * 5.6
        parts.append(Rect(x, ground - 23, x + 2.8, ground - 19))
    parts.append(Rect(cx - 7, ground - 36, cx + 7, ground - 15))  # keep
    for i in range(3):
        x = cx - 7 + i * 5.3
        parts.append(Rect(x, ground - 39, x + 3.4, ground - 35))
    for tx, top, half in [(-20, 34, 4.2), (20, 30, 4.2), (0, 48, 2.6)]:
        x = cx + tx * m
        parts.append(Rect(x - half, ground - top, x + half, ground - 10))
        parts.append(Polygon([(x - half - 1.2, ground - top), (x, ground - top - 9),
                              (x + half + 1.2, ground - top)]))
    c.fill(Union(parts), ink)
    # Pennant on the tallest spire.
    flag_x, flag_y = cx, ground - 57
    c.fill(stroke([(flag_x, flag_y), (flag_x, flag_y - 6)], 0.7), ink)
    c.fill(Polygon([(flag_x, flag_y - 6), (flag_x + 6 * m, flag_y - 4.6), (flag_x, flag_y - 3.2)]),
           hex_colour("c0392b"))
    lit = hex_colour("ffcf6a")
    for wx, wy in [(-2.5, 30), (2.5, 30), (0, 22), (-20, 26), (20, 22), (-10, 12), (10, 12)]:
        x = cx + wx * m
        c.fill(Rect(x - 0.7, ground - wy, x + 0.7, ground - wy + 2.6), lit, 0.9)
    # The gate.
    c.fill(Rect(cx - 3, ground - 7, cx + 3, ground) | Circle(cx, ground - 7, 3),
           hex_colour("3a2410"))


def draw_frame(c, width, h):
    """A dark outer edge, a gold inner rule and small diamonds in the corners."""
    outer = Rect(0, 0, width, h)
    c.fill(outer - Rect(1.5, 1.5, width - 1.5, h - 1.5), hex_colour("120c04"))
    c.fill(Rect(1.5, 1.5, width - 1.5, h - 1.5) - Rect(3, 3, width - 3, h - 3),
           hex_colour("b8862e"))
    c.fill(Rect(4.5, 4.5, width - 4.5, h - 4.5) - Rect(5.3, 5.3, width - 5.3, h - 5.3),
           hex_colour("e0b050"), 0.55)
    for x, y in [(5, 5), (width - 5, 5), (5, h - 5), (width - 5, h - 5)]:
        c.fill(Polygon([(x, y - 4), (x + 4, y), (x, y + 4), (x - 4, y)]), hex_colour("2b1804"))
        c.fill(Polygon([(x, y - 3), (x + 3, y), (x, y + 3), (x - 3, y)]), hex_colour("f4c04a"))


def draw_banner_about(scale):
    draw_banner("banner129.png", 349, castle_left=True, scale=scale)


def draw_banner_main(scale):
    draw_banner("banner135.png", 348, castle_left=False, scale=scale)


# ---------------------------------------------------------------------------
# Small resource pictures
# ---------------------------------------------------------------------------

def fruit(c, cx, cy, rx, ry, light, mid, dark):
    """A round fruit lit from the upper left."""
    c.fill(Ellipse(cx, cy, rx + 0.6, ry + 0.6), hex_colour("2a1408", 0.85))
    c.fill(Ellipse(cx, cy, rx, ry), radial(cx - rx * 0.4, cy - ry * 0.45, max(rx, ry) * 1.7,
                                           [(0, light), (0.45, mid), (1, dark)]))
    c.fill(Ellipse(cx - rx * 0.38, cy - ry * 0.4, rx * 0.22, ry * 0.17, -30),
           (1, 1, 1, 1), 0.75)


def draw_food(scale):
    c = Canvas(32, 17, scale=scale)
    cx, rim_y, rx, ry = 16.0, 9.6, 13.2, 6.4
    brown_dark, brown = hex_colour("3a1f0a"), hex_colour("8a5424")
    # Inside of the bowl, seen past the far rim.
    c.fill(Ellipse(cx, rim_y, rx + 0.6, 2.6), brown_dark)
    c.fill(Ellipse(cx, rim_y, rx - 0.6, 1.9), hex_colour("5a3214"))
    # Fruit, back to front: a green apple behind a red apple and a lemon.
    fruit(c, 16.0, 4.9, 4.5, 4.3, hex_colour("d8f27a"), hex_colour("6cb82c"), hex_colour("2f6a14"))
    c.fill(stroke([(16.3, 1.2), (16.9, -0.2)], 0.8), hex_colour("4a2a10"))
    c.fill(Ellipse(18.4, 0.9, 1.5, 0.7, -20), hex_colour("2f7a18"))
    fruit(c, 8.6, 7.0, 4.4, 4.2, hex_colour("ff9a8a"), hex_colour("d62a22"), hex_colour("7a0e0c"))
    c.fill(stroke([(8.9, 3.1), (9.7, 1.5)], 0.8), hex_colour("4a2a10"))
    fruit(c, 23.6, 7.3, 4.7, 3.8, hex_colour("fffbc0"), hex_colour("f4d428"), hex_colour("a88408"))
    # Front of the bowl covers the lower halves of the fruit.
    bowl = Ellipse(cx, rim_y, rx, ry) & Rect(0, rim_y, 32, 17)
    c.fill(Ellipse(cx, rim_y, rx + 0.6, ry + 0.6) & Rect(0, rim_y - 0.3, 32, 17), brown_dark)
    c.fill(bowl, linear((cx - rx, rim_y), (cx + rx, rim_y + ry),
                        [(0, hex_colour("c0803e")), (0.4, brown), (1, hex_colour("4e2a0e"))]))
    c.fill(Ellipse(cx, rim_y + 0.2, rx, 1.1) & Rect(0, rim_y, 32, 17), hex_colour("d89a52"), 0.9)
    c.fill(Ellipse(cx - 6.5, rim_y + 2.8, 3.2, 0.8, 18), (1, 1, 1, 1), 0.25)
    # Foot.
    c.fill(Rect(cx - 4.4, rim_y + ry - 1.2, cx + 4.4, 16.8), brown_dark)
    c.fill(Rect(cx - 3.6, rim_y + ry - 0.8, cx + 3.6, 16.0), hex_colour("6a3c18"))
    c.save_png("food136.png")


def draw_gold(scale):
    c = Canvas(40, 17, scale=scale)
    coin_stack(c, 9.5, 14.0, 7.0, 2.3, 1.7, 5, 2.3)
    coin_stack(c, 21.5, 14.6, 7.0, 2.3, 1.7, 3, 2.3)
    standing_coin(c, 32.6, 9.6, 6.0)
    c.save_png("gold137.png")


def draw_bank(scale):
    # Its frame shows about 40 x 18 pixels, so the bag and its coins are drawn to fit inside.
    c = Canvas(38, 16, scale=scale)
    ink = hex_colour("3a1f08")
    # Sack body: wide at the bottom, pinched at the neck.
    body = path((10, 5.6),
                ((6.5, 6.4), (1.4, 9.2), (1.4, 12.0)),
                ((1.4, 14.4), (4.6, 15.3), (10, 15.3)),
                ((15.4, 15.3), (18.6, 14.4), (18.6, 12.0)),
                ((18.6, 9.2), (13.5, 6.4), (10, 5.6)))
    c.fill(Polygon(body), linear((3, 7), (17, 15), [
        (0, hex_colour("e2b478")), (0.45, hex_colour("c08848")), (1, hex_colour("7e4e22"))]))
    c.fill(stroke(body, 0.9, closed=True), ink)
    # Cloth gathered above the tie, frilled at the top.
    top = path((8.4, 5.4),
               ((7.6, 4.0), (6.2, 2.6), (6.4, 1.2)),
               (7.7, 1.9), (8.9, 0.7), (10.1, 1.8), (11.3, 0.7), (12.5, 1.9), (13.7, 1.2),
               ((13.8, 2.6), (12.4, 4.0), (11.6, 5.4)))
    c.fill(Polygon(top), linear((6, 1), (14, 5), [
        (0, hex_colour("e8c088")), (1, hex_colour("9a6430"))]))
    c.fill(stroke(top, 0.8, closed=True), ink)
    # Cord round the neck.
    c.fill(stroke([(7.6, 5.6), (12.4, 5.6)], 2.2), ink)
    c.fill(stroke([(7.8, 5.6), (12.2, 5.6)], 1.1), hex_colour("e0ae50"))
    # Coin badge stitched on the sack, and the light on the cloth.
    standing_coin(c, 10, 11.2, 2.9, emblem=False)
    c.fill(Ellipse(4.6, 9.8, 0.9, 1.8, 35), (1, 1, 1, 1), 0.22)
    # Coins beside the sack.
    coin_stack(c, 32.8, 15.0, 4.5, 1.5, 1.3, 5, 2.0)
    coin_stack(c, 24.6, 15.0, 4.5, 1.5, 1.3, 3, 2.0)
    c.save_png("bank140.png")


PICTURES = [draw_icon_32, draw_icon_16, draw_banner_about, draw_banner_main,
            draw_food, draw_gold, draw_bank]

if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--windows":
        WINDOWS_FOLDER = sys.argv[2]
        os.makedirs(WINDOWS_FOLDER, exist_ok=True)
    for draw in PICTURES:
        for scale in (1, 2):
            draw(scale)
    if WINDOWS_FOLDER:
        save_icon(os.path.join(WINDOWS_FOLDER, "icon128.ico"), ICON_SIZES.values())
