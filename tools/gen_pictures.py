#!/usr/bin/env python3
"""Draws the driver's embedded pictures and writes them as single-image cursor
files under controls/popup/images/, with pictures.cpp holding their bytes.

  tools/gen_pictures.py            write the files
  tools/gen_pictures.py --check    exit 1 when a committed file differs
  tools/gen_pictures.py --png DIR  also write an enlarged contact sheet

Pictures (all hotspot 0,0, bitmap at offset 22, fully opaque unless a badge):
  12 item-row pieces 8 x 45, 24 bits: four sets (normal, pressed, focused,
     placeholder) of left cap, middle tile and right cap;
   9 title icons 48 x 54, 24 bits, on the title band's colour;
  23 dock pictures 40 x 41: eight kinds normal and highlighted, the empty
     slot, three badges normal and highlighted (badges are drawn over a
     picture, so only the badge itself is opaque).

Only +, -, *, / and comparisons are used on floats, so every machine writes
the same bytes.
"""
import argparse
import struct
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
IMAGES = ROOT / "controls" / "popup" / "images"
PI = 3.14159265358979323846


# ---------------------------------------------------------------- arithmetic

def sin(a):
    """Sine by its series after reducing to [-pi, pi]."""
    while a > PI:
        a -= 2 * PI
    while a < -PI:
        a += 2 * PI
    term, total, n = a, a, 1
    while n < 30:
        term = -term * a * a / ((n + 1) * (n + 2))
        total += term
        n += 2
    return total


def cos(a):
    return sin(a + PI / 2)


def mix(c1, c2, t):
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def rgb(value):
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255)


def lighten(c, t):
    return mix(c, (255, 255, 255), t)


def darken(c, t):
    return mix(c, (0, 0, 0), t)


# ---------------------------------------------------------------- shapes
# A shape is a predicate on a point (x, y) in pixel units, y down; pixel (i, j)
# covers [i, i + 1) x [j, j + 1).

class Shape:
    """A predicate with the box (x0, y0, x1, y1) outside which it is false."""

    def __init__(self, test, box):
        self.test, self.box = test, box

    def __call__(self, x, y):
        return self.test(x, y)


def circle(cx, cy, r):
    return Shape(lambda x, y: (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r,
                 (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    def inside(x, y):
        u, v = (x - cx) / rx, (y - cy) / ry
        return u * u + v * v <= 1
    return Shape(inside, (cx - rx, cy - ry, cx + rx, cy + ry))


def ring(cx, cy, r_out, r_in):
    return Shape(lambda x, y: r_in * r_in < (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r_out * r_out,
                 (cx - r_out, cy - r_out, cx + r_out, cy + r_out))


def rect(x0, y0, x1, y1):
    return Shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1, (x0, y0, x1, y1))


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return Shape(inside, (x0, y0, x1, y1))


def segment(x0, y0, x1, y1, width):
    """A stroke with round ends."""
    vx, vy = x1 - x0, y1 - y0
    length2 = vx * vx + vy * vy
    half2 = width * width / 4

    def inside(x, y):
        t = ((x - x0) * vx + (y - y0) * vy) / length2 if length2 else 0
        t = min(1, max(0, t))
        dx, dy = x - (x0 + t * vx), y - (y0 + t * vy)
        return dx * dx + dy * dy <= half2
    h = width / 2
    return Shape(inside, (min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h))


def polygon(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return Shape(inside, (min(xs), min(ys), max(xs), max(ys)))


def union(*shapes):
    box = (min(s.box[0] for s in shapes), min(s.box[1] for s in shapes),
           max(s.box[2] for s in shapes), max(s.box[3] for s in shapes))
    return Shape(lambda x, y: any(s(x, y) for s in shapes), box)


def minus(shape, *holes):
    return Shape(lambda x, y: shape(x, y) and not any(h(x, y) for h in holes), shape.box)


def within(shape, limit):
    return Shape(lambda x, y: limit(x, y) and shape(x, y), limit.box)


def where(shape, test):
    return Shape(lambda x, y: shape(x, y) and test(x, y), shape.box)


def moved(shape, dx, dy):
    x0, y0, x1, y1 = shape.box
    return Shape(lambda x, y: shape(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))


def outline(make, width):
    """The band of width `width` inside the border of the shape make(inset)."""
    return minus(make(0), make(width))


def rotated(points, cx, cy, angle):
    c, s = cos(angle), sin(angle)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in points]


# ---------------------------------------------------------------- canvas

SAMPLES = 4  # per axis and pixel


class Canvas:
    def __init__(self, w, h, color):
        self.w, self.h = w, h
        self.px = [[tuple(map(float, color)) for _ in range(w)] for _ in range(h)]
        self.opaque = [[True] * w for _ in range(h)]

    def coverage(self, shape, i, j):
        n = 0
        for sy in range(SAMPLES):
            for sx in range(SAMPLES):
                if shape(i + (sx + 0.5) / SAMPLES, j + (sy + 0.5) / SAMPLES):
                    n += 1
        return n / (SAMPLES * SAMPLES)

    def fill(self, shape, color, alpha=1.0):
        """Blends color (a tuple, or a function of the pixel centre) over the shape."""
        x0, y0, x1, y1 = shape.box
        for j in range(max(0, int(y0) - 1), min(self.h, int(y1) + 2)):
            for i in range(max(0, int(x0) - 1), min(self.w, int(x1) + 2)):
                a = self.coverage(shape, i, j) * alpha
                if a <= 0:
                    continue
                c = color(i + 0.5, j + 0.5) if callable(color) else color
                self.px[j][i] = mix(self.px[j][i], c, a)

    def shadow(self, shape, dx, dy, alpha):
        self.fill(moved(shape, dx, dy), (0, 0, 0), alpha)

    def pixels(self):
        return [[tuple(min(255, max(0, int(v + 0.5))) for v in p) for p in row] for row in self.px]


def vertical(top, bottom, y0, y1):
    """A colour function running from top at row y0 to bottom at row y1."""
    def color(x, y):
        t = min(1, max(0, (y - y0) / (y1 - y0)))
        return mix(top, bottom, t)
    return color


# ---------------------------------------------------------------- glyphs
# Each glyph maker takes the centre and the half size s of its square box and
# returns a shape.

def glyph_gear(cx, cy, s):
    teeth = []
    for k in range(8):
        a = k * PI / 4
        tooth = [(cx - 0.16 * s, cy - 0.95 * s), (cx + 0.16 * s, cy - 0.95 * s),
                 (cx + 0.22 * s, cy - 0.5 * s), (cx - 0.22 * s, cy - 0.5 * s)]
        teeth.append(polygon(rotated(tooth, cx, cy, a)))
    return minus(union(circle(cx, cy, 0.68 * s), *teeth), circle(cx, cy, 0.3 * s))


def glyph_clock(cx, cy, s):
    return union(ring(cx, cy, 0.9 * s, 0.72 * s),
                 segment(cx, cy, cx, cy - 0.52 * s, 0.15 * s),
                 segment(cx, cy, cx + 0.38 * s, cy + 0.2 * s, 0.15 * s),
                 *[circle(cx + 0.6 * s * cos(k * PI / 2), cy + 0.6 * s * sin(k * PI / 2), 0.06 * s)
                   for k in range(4)])


def glyph_globe(cx, cy, s):
    r = 0.88 * s
    w = 0.11 * s
    inside = circle(cx, cy, r)
    lines = union(
        ring(cx, cy, r, r - w),
        minus(ellipse(cx, cy, 0.42 * s + w / 2, r), ellipse(cx, cy, 0.42 * s - w / 2, r - w)),
        rect(cx - w / 2, cy - r, cx + w / 2, cy + r),
        rect(cx - r, cy - w / 2, cx + r, cy + w / 2),
        rect(cx - r, cy - 0.48 * s - w / 2, cx + r, cy - 0.48 * s + w / 2),
        rect(cx - r, cy + 0.48 * s - w / 2, cx + r, cy + 0.48 * s + w / 2))
    return within(lines, inside)


def glyph_lock(cx, cy, s):
    top = cy - 0.2 * s
    shackle = union(minus(ring(cx, top, 0.5 * s, 0.3 * s), rect(cx - s, top, cx + s, cy + s)),
                    rect(cx - 0.5 * s, top, cx - 0.3 * s, cy + 0.1 * s),
                    rect(cx + 0.3 * s, top, cx + 0.5 * s, cy + 0.1 * s))
    body = rounded(cx - 0.7 * s, cy + 0.02 * s, cx + 0.7 * s, cy + 0.9 * s, 0.14 * s)
    hole = union(circle(cx, cy + 0.36 * s, 0.13 * s),
                 polygon([(cx - 0.06 * s, cy + 0.4 * s), (cx + 0.06 * s, cy + 0.4 * s),
                          (cx + 0.1 * s, cy + 0.68 * s), (cx - 0.1 * s, cy + 0.68 * s)]))
    return union(shackle, minus(body, hole))


def glyph_monitor(cx, cy, s):
    screen = outline(lambda d: rounded(cx - 0.92 * s + d, cy - 0.78 * s + d, cx + 0.92 * s - d,
                                       cy + 0.42 * s - d, max(0.01, 0.12 * s - d)), 0.14 * s)
    return union(screen,
                 rect(cx - 0.13 * s, cy + 0.42 * s, cx + 0.13 * s, cy + 0.68 * s),
                 rounded(cx - 0.5 * s, cy + 0.66 * s, cx + 0.5 * s, cy + 0.82 * s, 0.06 * s),
                 polygon([(cx - 0.55 * s, cy + 0.2 * s), (cx - 0.15 * s, cy - 0.2 * s),
                          (cx + 0.1 * s, cy + 0.05 * s), (cx + 0.35 * s, cy - 0.4 * s),
                          (cx + 0.7 * s, cy + 0.2 * s)]))


def glyph_storage(cx, cy, s):
    rx, ry = 0.72 * s, 0.24 * s
    w = 0.1 * s
    body = union(ellipse(cx, cy - 0.62 * s, rx, ry), rect(cx - rx, cy - 0.62 * s, cx + rx, cy + 0.62 * s),
                 ellipse(cx, cy + 0.62 * s, rx, ry))
    grooves = union(*[minus(ellipse(cx, cy + k * s, rx + 0.01, ry + w / 2),
                            ellipse(cx, cy + k * s - w, rx + 0.01, ry),
                            rect(cx - s, cy + k * s - s, cx + s, cy + k * s))
                      for k in (-0.62, -0.2, 0.22)])
    return minus(body, grooves)


def glyph_power(cx, cy, s):
    arc = ring(cx, cy + 0.06 * s, 0.78 * s, 0.58 * s)
    gap = polygon([(cx, cy + 0.06 * s), (cx - 0.62 * s, cy - s), (cx + 0.62 * s, cy - s)])
    return union(minus(arc, gap), segment(cx, cy - 0.86 * s, cx, cy - 0.06 * s, 0.2 * s))


def glyph_order(cx, cy, s):
    def arrow(x, up):
        d = -1 if up else 1
        head = polygon([(x, cy + d * 0.88 * s), (x - 0.36 * s, cy + d * 0.4 * s),
                        (x + 0.36 * s, cy + d * 0.4 * s)])
        return union(head, segment(x, cy - d * 0.8 * s, x, cy + d * 0.45 * s, 0.2 * s))
    return union(arrow(cx - 0.36 * s, True), arrow(cx + 0.36 * s, False))


def glyph_bolt(cx, cy, s):
    return polygon([(cx + 0.2 * s, cy - 0.95 * s), (cx - 0.55 * s, cy + 0.12 * s),
                    (cx - 0.02 * s, cy + 0.12 * s), (cx - 0.2 * s, cy + 0.95 * s),
                    (cx + 0.55 * s, cy - 0.15 * s), (cx + 0.02 * s, cy - 0.15 * s)])


def glyph_home(cx, cy, s):
    roof = polygon([(cx, cy - 0.92 * s), (cx + 0.92 * s, cy - 0.02 * s), (cx + 0.7 * s, cy - 0.02 * s),
                    (cx, cy - 0.68 * s), (cx - 0.7 * s, cy - 0.02 * s), (cx - 0.92 * s, cy - 0.02 * s)])
    house = minus(polygon([(cx, cy - 0.52 * s), (cx + 0.62 * s, cy + 0.08 * s), (cx + 0.62 * s, cy + 0.88 * s),
                           (cx - 0.62 * s, cy + 0.88 * s), (cx - 0.62 * s, cy + 0.08 * s)]),
                  rounded(cx - 0.17 * s, cy + 0.3 * s, cx + 0.17 * s, cy + 0.9 * s, 0.08 * s))
    return union(roof, house)


def glyph_folder(cx, cy, s):
    back = union(rounded(cx - 0.9 * s, cy - 0.62 * s, cx - 0.05 * s, cy - 0.3 * s, 0.1 * s),
                 rounded(cx - 0.9 * s, cy - 0.45 * s, cx + 0.9 * s, cy + 0.75 * s, 0.1 * s))
    front = polygon([(cx - 0.9 * s, cy + 0.75 * s), (cx - 0.68 * s, cy - 0.12 * s),
                     (cx + 0.98 * s, cy - 0.12 * s), (cx + 0.76 * s, cy + 0.75 * s)])
    seam = minus(polygon([(cx - 0.9 * s, cy + 0.75 * s), (cx - 0.72 * s, cy - 0.2 * s),
                          (cx + 1.02 * s, cy - 0.2 * s), (cx + 0.8 * s, cy + 0.75 * s)]), front)
    return minus(union(back, front), seam)


def glyph_chip(cx, cy, s):
    pins = []
    for k in (-0.45, 0, 0.45):
        pins += [rect(cx + (k - 0.1) * s, cy - 0.92 * s, cx + (k + 0.1) * s, cy + 0.92 * s),
                 rect(cx - 0.92 * s, cy + (k - 0.1) * s, cx + 0.92 * s, cy + (k + 0.1) * s)]
    body = rounded(cx - 0.66 * s, cy - 0.66 * s, cx + 0.66 * s, cy + 0.66 * s, 0.12 * s)
    core = outline(lambda d: rect(cx - 0.3 * s + d, cy - 0.3 * s + d, cx + 0.3 * s - d, cy + 0.3 * s - d),
                   0.1 * s)
    return union(minus(union(body, *pins), rect(cx - 0.5 * s, cy - 0.5 * s, cx + 0.5 * s, cy + 0.5 * s)),
                 core)


def glyph_network(cx, cy, s):
    nodes = [(cx, cy - 0.6 * s), (cx - 0.62 * s, cy + 0.55 * s), (cx + 0.62 * s, cy + 0.55 * s)]
    links = [segment(nodes[0][0], nodes[0][1], cx, cy + 0.05 * s, 0.13 * s),
             segment(nodes[1][0], nodes[1][1], cx, cy + 0.05 * s, 0.13 * s),
             segment(nodes[2][0], nodes[2][1], cx, cy + 0.05 * s, 0.13 * s)]
    return union(*links, *[circle(x, y, 0.27 * s) for x, y in nodes], circle(cx, cy + 0.05 * s, 0.13 * s))


def glyph_info(cx, cy, s):
    return union(circle(cx, cy - 0.58 * s, 0.17 * s),
                 rounded(cx - 0.14 * s, cy - 0.22 * s, cx + 0.14 * s, cy + 0.72 * s, 0.05 * s),
                 rounded(cx - 0.34 * s, cy - 0.22 * s, cx + 0.1 * s, cy - 0.08 * s, 0.04 * s),
                 rounded(cx - 0.34 * s, cy + 0.62 * s, cx + 0.34 * s, cy + 0.78 * s, 0.04 * s))


def glyph_check(cx, cy, s):
    return union(segment(cx - 0.55 * s, cy + 0.02 * s, cx - 0.15 * s, cy + 0.45 * s, 0.3 * s),
                 segment(cx - 0.15 * s, cy + 0.45 * s, cx + 0.58 * s, cy - 0.45 * s, 0.3 * s))


def glyph_bang(cx, cy, s):
    return union(segment(cx, cy - 0.6 * s, cx, cy + 0.12 * s, 0.3 * s), circle(cx, cy + 0.55 * s, 0.17 * s))


def glyph_star(cx, cy, s):
    points = []
    for k in range(10):
        r = 0.85 * s if k % 2 == 0 else 0.36 * s
        a = k * PI / 5
        points.append((cx + r * sin(a), cy - r * cos(a) + 0.06 * s))
    return polygon(points)


# ---------------------------------------------------------------- item-row pieces

ROW_W, ROW_H = 8, 45
ROW_SETS = ["normal", "pressed", "focused", "placeholder"]


def ramp(a, b, r0, r1, r):
    """Evenly from a at row r0 to b at row r1, to the nearest level."""
    return a + int((b - a) * (r - r0) / (r1 - r0) + (0.5 if b >= a else -0.5))


def tile_shade(kind, r):
    if kind == "normal":
        return 0x96 if r == 0 else 0x6D if r == 44 else ramp(0x7A, 0x7F, 1, 43, r)
    if kind == "pressed":
        if r == 0:
            return 0xCA
        if r == 44:
            return 0x89
        return ramp(0xBF, 0x6A, 1, 26, r) if r <= 26 else ramp(0x6A, 0xA4, 26, 43, r)
    if kind == "focused":
        if r == 0:
            return 0xD1
        if r == 44:
            return 0x94
        return ramp(0xC6, 0x7D, 1, 26, r) if r <= 26 else ramp(0x7D, 0xB0, 26, 43, r)
    # Placeholder of a dragged row.
    if r == 0:
        return 0x56
    if r == 44:
        return 0x62
    if r == 43:
        return 0x63
    return ramp(0x57, 0x64, 1, 12, r) if r <= 12 else 0x64


def cap_darkening(c, r):
    """Levels a left cap is darker than the tile at column c (0 = outer) of row r:
    11 along the outer column, up to 37 at its ends, fading inwards like a
    rounded end of radius 8."""
    edge = min(r, ROW_H - 1 - r)
    corner = max(0.0, 1 - edge / 7)
    corner *= corner
    outer = 11 + 26 * corner
    reach = 3.5 + 4.5 * corner  # columns the darkening spreads over
    t = max(0.0, 1 - c / reach)
    return int(outer * t * t + 0.5) if c > 0 else int(outer + 0.5)


def row_piece(kind, piece):
    px = []
    for r in range(ROW_H):
        shade = tile_shade(kind, r)
        row = []
        for c in range(ROW_W):
            if piece == "middle":
                d = 0
            elif piece == "left":
                d = cap_darkening(c, r)
            else:
                d = cap_darkening(ROW_W - 1 - c, r)
            v = max(0, shade - d)
            row.append((v, v, v))
        px.append(row)
    return px


# ---------------------------------------------------------------- title icons

ICON_W, ICON_H = 48, 54
ICON_BACK = rgb(0x111111)  # the title band under the icon

# By option-popup entry (entry 0 to 8 serve kinds 0, 2, 17, 16, 18, 4, 5, 6, 3).
TITLE_ICONS = [
    ("settings", glyph_gear, 0x2F6FD0),
    ("clock", glyph_clock, 0x169A8C),
    ("language", glyph_globe, 0x2E9E3E),
    ("security", glyph_lock, 0xC8353B),
    ("display", glyph_monitor, 0x7B4FD0),
    ("storage", glyph_storage, 0xDB8A1F),
    ("power", glyph_power, 0x9C1F4A),
    ("boot-order", glyph_order, 0x3F4FB8),
    ("performance", glyph_bolt, 0xD4A012),
]


def tile(canvas, box, radius, base, glyph, glyph_scale, glow=None):
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    body = rounded(x0, y0, x1, y1, radius)
    if glow:
        for k, a in ((3, 0.16), (2, 0.3), (1, 0.5)):
            canvas.fill(rounded(x0 - k, y0 - k, x1 + k, y1 + k, radius + k), glow, a)
    canvas.shadow(body, 0, 2, 0.45)
    canvas.fill(body, vertical(lighten(base, 0.28), darken(base, 0.22), y0, y1))
    # A lighter upper half, like light from above.
    canvas.fill(minus(body, ellipse(cx, y1 + (y1 - y0) * 0.18, (x1 - x0) * 0.95, (y1 - y0) * 0.62)),
                (255, 255, 255), 0.13)
    canvas.fill(outline(lambda d: rounded(x0 + d, y0 + d, x1 - d, y1 - d, max(0.01, radius - d)), 1),
                darken(base, 0.45), 0.7)
    canvas.fill(outline(lambda d: rounded(x0 + 1 + d, y0 + 1 + d, x1 - 1 - d, y1 - 1 - d,
                                          max(0.01, radius - 1 - d)), 1), lighten(base, 0.45), 0.35)
    g = glyph(cx, cy, glyph_scale)
    canvas.shadow(g, 0, 1.2, 0.4)
    canvas.fill(g, (255, 255, 255))


def title_icon(glyph, color):
    c = Canvas(ICON_W, ICON_H, ICON_BACK)
    tile(c, (3, 5, 45, 47), 10, rgb(color), glyph, 14)
    return c.pixels()


# ---------------------------------------------------------------- dock pictures

DOCK_W, DOCK_H = 40, 41
BAND = rgb(0x245909)
GLOW = rgb(0xD8FF8A)

DOCK_KINDS = [
    ("home", glyph_home, 0x2F6FD0),
    ("settings", glyph_gear, 0x6F7F90),
    ("files", glyph_folder, 0xD99A22),
    ("processor", glyph_chip, 0x179C8F),
    ("display", glyph_monitor, 0x7B4FD0),
    ("network", glyph_network, 0xE0602A),
    ("power", glyph_power, 0xC8283C),
    ("about", glyph_info, 0xC83C96),
]

# Badges sit on the top-right corner of a picture.
BADGES = [
    ("ready", glyph_check, 0x2FA84A),
    ("attention", glyph_bang, 0xF0A020),
    ("favourite", glyph_star, 0xE0342E),
]


def dock_item(glyph, color, highlighted):
    c = Canvas(DOCK_W, DOCK_H, BAND)
    base = rgb(color)
    if highlighted:
        base = lighten(base, 0.22)
    tile(c, (4, 4, 36, 36), 8, base, glyph, 10.5 if highlighted else 10, GLOW if highlighted else None)
    return c.pixels()


def dock_placeholder():
    c = Canvas(DOCK_W, DOCK_H, BAND)
    c.fill(rounded(4, 4, 36, 36, 8), darken(BAND, 0.35))
    border = outline(lambda d: rounded(4 + d, 4 + d, 36 - d, 36 - d, max(0.01, 8 - d)), 1.4)

    # Dashes along the border, by position around it.
    c.fill(where(border, lambda x, y: (int(x + y) // 3) % 2 == 0), lighten(BAND, 0.45))
    c.fill(union(rect(19, 14, 21, 26), rect(14, 19, 26, 21)), lighten(BAND, 0.25))
    return c.pixels()


def badge(glyph, color, highlighted):
    """Only the badge is opaque; the rest keeps the picture under it."""
    c = Canvas(DOCK_W, DOCK_H, (0, 0, 0))
    cx, cy = 31.5, 8.5
    r = 8 if highlighted else 7
    base = lighten(rgb(color), 0.2) if highlighted else rgb(color)
    rim = (255, 255, 255) if highlighted else rgb(0x10280A)
    shape = circle(cx, cy, r)
    c.fill(shape, rim)
    c.fill(circle(cx, cy, r - (1.6 if highlighted else 1.2)), vertical(lighten(base, 0.25), darken(base, 0.15),
                                                                        cy - r, cy + r))
    c.fill(glyph(cx, cy, r * 0.62), (255, 255, 255))
    for j in range(DOCK_H):
        for i in range(DOCK_W):
            c.opaque[j][i] = c.coverage(shape, i, j) >= 0.5
    pixels = c.pixels()
    # Where the picture shows through, the stored colour must be black.
    return [[p if c.opaque[j][i] else (0, 0, 0) for i, p in enumerate(row)] for j, row in enumerate(pixels)], c.opaque


# ---------------------------------------------------------------- cursor files

def cursor_file(pixels, bits, opaque=None):
    """A single-image cursor file: directory, BITMAPINFOHEADER, colour rows and
    AND mask, both bottom-up; a 1 mask bit keeps what lies under the picture."""
    h, w = len(pixels), len(pixels[0])
    assert w % 8 == 0 and bits in (24, 32)
    colors = bytearray()
    mask = bytearray()
    for j in reversed(range(h)):
        for i, (r, g, b) in enumerate(pixels[j]):
            solid = opaque is None or opaque[j][i]
            colors += bytes((b, g, r)) + (bytes((255 if solid else 0,)) if bits == 32 else b"")
        row = bytearray(w // 8)
        for i in range(w):
            if opaque is not None and not opaque[j][i]:
                row[i // 8] |= 0x80 >> (i % 8)
        mask += row + bytes(-len(row) % 4)
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bits, 0, len(colors) + len(mask), 0, 0, 0, 0)
    head = struct.pack("<HHHBBBBHHII", 0, 2, 1, w, h, 0, 0, 0, 0, len(info) + len(colors) + len(mask), 22)
    return head + info + bytes(colors) + bytes(mask)


def dock_bits(kind, highlighted):
    return 24 if kind == 3 or (kind == 6 and not highlighted) else 32


def build():
    """Every picture as (file name, C++ name, group, bytes, pixels, opaque)."""
    out = []
    for s, kind in enumerate(ROW_SETS):
        for piece in ("left", "middle", "right"):
            px = row_piece(kind, piece)
            out.append(("row-%s-%s.cur" % (kind, piece), "row", cursor_file(px, 24), px))
    for n, (name, glyph, color) in enumerate(TITLE_ICONS):
        px = title_icon(glyph, color)
        out.append(("icon-%d-%s.cur" % (n, name), "icon", cursor_file(px, 24), px))
    for highlighted in (False, True):
        for k, (name, glyph, color) in enumerate(DOCK_KINDS):
            px = dock_item(glyph, color, highlighted)
            out.append(("dock-%d-%s%s.cur" % (k, name, "-highlighted" if highlighted else ""), "dock",
                        cursor_file(px, dock_bits(k, highlighted)), px))
    px = dock_placeholder()
    out.append(("dock-placeholder.cur", "dock", cursor_file(px, 32), px))
    for highlighted in (False, True):
        for n, (name, glyph, color) in enumerate(BADGES):
            px, opaque = badge(glyph, color, highlighted)
            out.append(("badge-%d-%s%s.cur" % (n, name, "-highlighted" if highlighted else ""), "dock",
                        cursor_file(px, 32, opaque), px))
    return out


def identifier(file_name):
    return "kFile" + "".join(part.capitalize() for part in file_name[:-4].replace("-", " ").split())


def source(pictures):
    lines = ["// Generated by tools/gen_pictures.py from the .cur files beside it; do not edit.",
             '#include "controls/popup/images/pictures.h"', "", "namespace {", ""]
    for file_name, _, data, _ in pictures:
        lines.append("// %s" % file_name)
        lines.append("constexpr UINT8 %s[%d] = {" % (identifier(file_name), len(data)))
        for i in range(0, len(data), 24):
            lines.append("    " + ",".join("0x%02x" % b for b in data[i:i + 24]) + ",")
        lines.append("};")
        lines.append("")
    lines.append("}  // namespace")
    tables = {"row": "gRowPieces", "icon": "gTitleIcons", "dock": "gDockPictures"}
    for group, table in tables.items():
        members = [p for p in pictures if p[1] == group]
        lines.append("")
        lines.append("constinit const CursorImage %s[%d] = {" % (table, len(members)))
        for file_name, _, _, _ in members:
            lines.append("    {%s, sizeof %s}," % (identifier(file_name), identifier(file_name)))
        lines.append("};")
    return "\n".join(lines) + "\n"


def outputs():
    pictures = build()
    files = {IMAGES / name: data for name, _, data, _ in pictures}
    files[IMAGES / "pictures.cpp"] = source(pictures).encode()
    return pictures, files


# ---------------------------------------------------------------- preview

def write_png(path, rows):
    import zlib
    h, w = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)

    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body))
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    Path(path).write_bytes(data)


def contact_sheet(pictures, path, zoom=4):
    """Every picture enlarged on a grey sheet; badges shown over the first item."""
    cells = []
    base = None
    for name, group, _, px in pictures:
        if name.startswith("dock-0-"):
            base = base or px
        if name.startswith("badge"):
            opaque = None
            _, opaque = badge(*[(g, c) for n, g, c in BADGES if n in name][0], "highlighted" in name)
            px = [[px[j][i] if opaque[j][i] else base[j][i] for i in range(DOCK_W)] for j in range(DOCK_H)]
        cells.append(px)
    cols = 12
    cw, ch = 50, 56
    w, h = cols * cw * zoom, ((len(cells) + cols - 1) // cols) * ch * zoom
    sheet = [[(70, 70, 70)] * w for _ in range(h)]
    for n, px in enumerate(cells):
        ox, oy = (n % cols) * cw * zoom, (n // cols) * ch * zoom
        for j, row in enumerate(px):
            for i, p in enumerate(row):
                for dy in range(zoom):
                    line = sheet[oy + j * zoom + dy]
                    for dx in range(zoom):
                        line[ox + i * zoom + dx] = p
    write_png(path, sheet)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true", help="compare with the committed files")
    parser.add_argument("--png", metavar="DIR", help="write a contact sheet into DIR")
    args = parser.parse_args()
    pictures, files = outputs()
    if args.png:
        Path(args.png).mkdir(parents=True, exist_ok=True)
        contact_sheet(pictures, Path(args.png) / "pictures.png")
    if args.check:
        stale = [p for p, data in files.items() if not p.is_file() or p.read_bytes() != data]
        known = {p.name for p in files} | {"pictures.h", ".clang-format"}
        extra = [p for p in IMAGES.iterdir() if p.name not in known]
        for p in stale:
            print("differs from the generator: %s" % p.relative_to(ROOT))
        for p in extra:
            print("not made by the generator: %s" % p.relative_to(ROOT))
        return 1 if stale or extra else 0
    IMAGES.mkdir(parents=True, exist_ok=True)
    for p, data in files.items():
        if not p.is_file() or p.read_bytes() != data:
            p.write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
