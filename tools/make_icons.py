#!/usr/bin/env python3
"""Draws Tolvane's icons and writes them to res/icons/ as .ico files.

The .ico files are committed and are what the resource script compiles; this
script is how they are changed. Every picture is built from a few filled shapes
(boxes, rounded boxes, circles, polygons, thick lines) sampled 4x4 times per
pixel, so straight edges stay crisp and round ones get soft alpha edges.

    python3 tools/make_icons.py                 write res/icons/*.ico
    python3 tools/make_icons.py --check         fail if a committed icon is stale
    python3 tools/make_icons.py --preview x.png also write an enlarged sheet to look at

Standard library only.
"""

import argparse
import math
import os
import struct
import sys
import zlib

SUBSAMPLES = 4  # per pixel edge; 16 samples give 17 alpha levels

# ---------------------------------------------------------------------------
# Shapes. Coordinates are in "icon units": a 16x16 icon is 16 units wide and
# pixel (x, y) covers [x, x+1) x [y, y+1). A 32x32 canvas samples the same
# units twice as finely, so one drawing serves both sizes.
# ---------------------------------------------------------------------------


class Shape:
    def contains(self, x, y):
        raise NotImplementedError

    def bbox(self):  # (x0, y0, x1, y1) in units; samples outside are never inside
        raise NotImplementedError

    def __or__(self, other):
        return Union(self, other)

    def __sub__(self, other):
        return Difference(self, other)


class Box(Shape):
    """Axis-aligned box given by its edges."""

    def __init__(self, x0, y0, x1, y1):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1

    def contains(self, x, y):
        return self.x0 <= x < self.x1 and self.y0 <= y < self.y1

    def bbox(self):
        return (self.x0, self.y0, self.x1, self.y1)


def px(x, y, w=1, h=1):
    """A box of whole pixels: left/top pixel and size, as pixel art is counted."""
    return Box(x, y, x + w, y + h)


class RoundBox(Box):
    def __init__(self, x0, y0, x1, y1, r):
        super().__init__(x0, y0, x1, y1)
        self.r = r

    def contains(self, x, y):
        if not Box.contains(self, x, y):
            return False
        cx = min(max(x, self.x0 + self.r), self.x1 - self.r)
        cy = min(max(y, self.y0 + self.r), self.y1 - self.r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= self.r ** 2


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def contains(self, x, y):
        return (x - self.cx) ** 2 + (y - self.cy) ** 2 <= self.r ** 2

    def bbox(self):
        return (self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r)


class Polygon(Shape):
    """Filled polygon, even-odd rule."""

    def __init__(self, *points):
        self.points = points

    def contains(self, x, y):
        inside = False
        pts = self.points
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside

    def bbox(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return (min(xs), min(ys), max(xs), max(ys))


class Stroke(Shape):
    """A thick line through pixel-centre style points, with round joins and ends."""

    def __init__(self, width, *points):
        self.half = width / 2.0
        self.points = points

    def contains(self, x, y):
        for (ax, ay), (bx, by) in zip(self.points, self.points[1:]):
            dx, dy = bx - ax, by - ay
            t = ((x - ax) * dx + (y - ay) * dy) / float(dx * dx + dy * dy)
            t = min(1.0, max(0.0, t))
            if (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= self.half ** 2:
                return True
        return False

    def bbox(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return (min(xs) - self.half, min(ys) - self.half, max(xs) + self.half, max(ys) + self.half)


class Gear(Shape):
    """A toothed wheel: a disc of radius `root` with square-ended teeth out to `tip`."""

    def __init__(self, cx, cy, root, tip, teeth, tooth_half_width, turn=0.0):
        self.cx, self.cy = cx, cy
        self.root, self.tip = root, tip
        self.angles = [turn + 2 * math.pi * k / teeth for k in range(teeth)]
        self.half = tooth_half_width

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        r2 = dx * dx + dy * dy
        if r2 <= self.root ** 2:
            return True
        if r2 > self.tip ** 2:
            return False
        for a in self.angles:
            ux, uy = math.cos(a), math.sin(a)
            if dx * ux + dy * uy > 0 and abs(-dx * uy + dy * ux) <= self.half:
                return True
        return False

    def bbox(self):
        return (self.cx - self.tip, self.cy - self.tip, self.cx + self.tip, self.cy + self.tip)


class Union(Shape):
    def __init__(self, *parts):
        self.parts = parts

    def contains(self, x, y):
        return any(p.contains(x, y) for p in self.parts)

    def bbox(self):
        boxes = [p.bbox() for p in self.parts]
        return (min(b[0] for b in boxes), min(b[1] for b in boxes),
                max(b[2] for b in boxes), max(b[3] for b in boxes))


class Difference(Shape):
    def __init__(self, keep, cut):
        self.keep, self.cut = keep, cut

    def contains(self, x, y):
        return self.keep.contains(x, y) and not self.cut.contains(x, y)

    def bbox(self):
        return self.keep.bbox()


class Moved(Shape):
    """The same shape shifted by (dx, dy) units."""

    def __init__(self, shape, dx, dy):
        self.shape, self.dx, self.dy = shape, dx, dy

    def contains(self, x, y):
        return self.shape.contains(x - self.dx, y - self.dy)

    def bbox(self):
        x0, y0, x1, y1 = self.shape.bbox()
        return (x0 + self.dx, y0 + self.dy, x1 + self.dx, y1 + self.dy)


def grown(shape, by=1):
    """The shape and its copies `by` units left, right, up and down: painted
    under the shape it gives an outline that follows any outline, slants included."""
    return Union(shape, *(Moved(shape, dx * by, dy * by) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))))


def thick_segment(x0, y0, x1, y1, half_width):
    """A straight bar with square ends, as a four-cornered polygon."""
    length = math.hypot(x1 - x0, y1 - y0)
    nx, ny = -(y1 - y0) / length * half_width, (x1 - x0) / length * half_width
    return Polygon((x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny))


def sprite(c, x0, y0, art, palette):
    """Paints pixel art given as lines of characters; '.' and ' ' leave pixels alone."""
    for dy, line in enumerate(art.strip("\n").splitlines()):
        for dx, ch in enumerate(line):
            if ch not in ". ":
                c.fill(px(x0 + dx, y0 + dy), palette[ch])


# ---------------------------------------------------------------------------
# Canvas: straight (not premultiplied) RGBA in floats 0..255.
# ---------------------------------------------------------------------------


class Canvas:
    def __init__(self, size):
        self.size = size
        self.scale = size / 16.0
        # Small icons read best as hard-edged pixel art: a pixel is either in a
        # shape or not. Drawings that want soft edges switch this on.
        self.smooth = False
        self.rgba = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def _coverage(self, shape):
        """Yields (index, coverage) for every pixel the shape touches."""
        x0, y0, x1, y1 = shape.bbox()
        s = self.scale
        n = SUBSAMPLES
        offsets = [(i + 0.5) / n for i in range(n)]
        for py in range(max(0, int(math.floor(y0 * s))), min(self.size, int(math.ceil(y1 * s)) + 1)):
            for pxl in range(max(0, int(math.floor(x0 * s))), min(self.size, int(math.ceil(x1 * s)) + 1)):
                hits = 0
                for oy in offsets:
                    uy = (py + oy) / s
                    for ox in offsets:
                        if shape.contains((pxl + ox) / s, uy):
                            hits += 1
                if hits:
                    yield py * self.size + pxl, hits / float(n * n), pxl / s, py / s

    def fill(self, shape, color):
        """Paints the shape over what is there. `color` is (r, g, b), (r, g, b, a)
        or a function of the unit coordinates returning one of those."""
        for index, cover, ux, uy in self._coverage(shape):
            if not self.smooth:
                if cover < 0.5:
                    continue
                cover = 1.0
            c = color(ux, uy) if callable(color) else color
            alpha = cover * (c[3] / 255.0 if len(c) > 3 else 1.0)
            dst = self.rgba[index]
            da = dst[3] / 255.0
            out = alpha + da * (1.0 - alpha)
            if out <= 0.0:
                continue
            for k in range(3):
                dst[k] = (c[k] * alpha + dst[k] * da * (1.0 - alpha)) / out
            dst[3] = out * 255.0

    def erase(self, shape):
        """Makes the shape transparent again (punches holes)."""
        for index, cover, _, _ in self._coverage(shape):
            if not self.smooth:
                cover = 1.0 if cover >= 0.5 else 0.0
            self.rgba[index][3] *= 1.0 - cover

    def outlined(self, outer, inner, edge, body):
        self.fill(outer, edge)
        self.fill(inner, body)

    def pixels(self):
        """Rows top to bottom of (r, g, b, a) bytes; fully transparent pixels are black."""
        rows = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                r, g, b, a = (int(round(v)) for v in self.rgba[y * self.size + x])
                row.append((r, g, b, a) if a else (0, 0, 0, 0))
            rows.append(row)
        return rows


def vertical_gradient(top, bottom, y0, y1):
    def color(_, y):
        t = min(1.0, max(0.0, (y - y0) / float(y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return color


# ---------------------------------------------------------------------------
# Palette
# ---------------------------------------------------------------------------

PAPER = (255, 255, 255)
PAPER_EDGE = (96, 108, 128)
PAPER_FOLD = (214, 222, 234)
INK = (112, 132, 162)
INK_DARK = (60, 84, 120)

FOLDER_EDGE = (168, 112, 18)
FOLDER_BACK = (226, 168, 44)
FOLDER_FRONT = (252, 206, 86)
FOLDER_LIGHT = (255, 234, 158)
FOLDER_OPEN_FRONT = (255, 222, 120)

BOARD_EDGE = (104, 62, 24)
BOARD = (190, 128, 64)
BOARD_LIGHT = (222, 168, 108)
METAL_EDGE = (72, 80, 92)
METAL = (178, 186, 198)
METAL_LIGHT = (236, 240, 246)

RED = (224, 46, 40)
RED_EDGE = (148, 20, 18)
BLUE = (48, 118, 222)
BLUE_EDGE = (22, 68, 150)
BLUE_LIGHT = (160, 198, 248)
GREEN = (48, 170, 84)
GREEN_EDGE = (20, 108, 48)
TAG_PURPLE = (128, 44, 160)
GRAY_EDGE = (66, 74, 88)
GRAY = (150, 160, 176)
GRAY_LIGHT = (206, 212, 222)
HALO = (255, 255, 255, 235)

# ---------------------------------------------------------------------------
# Parts shared by several icons
# ---------------------------------------------------------------------------


def page(c, x0, y0, x1, y1, ear=4, lines=()):
    """A sheet of paper with a folded top-right corner and lines of text.
    `lines` are (y, x_from, x_to) in whole pixels, inclusive."""
    c.fill(Polygon((x0, y0), (x1 - ear, y0), (x1, y0 + ear), (x1, y1), (x0, y1)), PAPER_EDGE)
    c.fill(Polygon((x0 + 1, y0 + 1), (x1 - ear - 0.4, y0 + 1), (x1 - 1, y0 + ear + 0.4),
                   (x1 - 1, y1 - 1), (x0 + 1, y1 - 1)), PAPER)
    c.fill(Polygon((x1 - ear, y0), (x1 - ear, y0 + ear), (x1, y0 + ear)), PAPER_EDGE)
    c.fill(Polygon((x1 - ear + 1, y0 + 2), (x1 - ear + 1, y0 + ear - 1 + 0.01), (x1 - 2 + 0.01, y0 + ear - 1 + 0.01)),
           PAPER_FOLD)
    for y, a, b in lines:
        c.fill(px(a, y, b - a + 1), INK)


def closed_folder(c, front=FOLDER_FRONT, back=FOLDER_BACK, x0=1, y0=2, x1=15, y1=14, tab=7):
    """Folder, by default filling the icon: tab top left, body 14x10."""
    c.outlined(RoundBox(x0, y0, x0 + tab, y0 + 4, 1), RoundBox(x0 + 1, y0 + 1, x0 + tab - 1, y0 + 4, 0.5),
               FOLDER_EDGE, back)
    c.outlined(Box(x0, y0 + 2, x1, y1), Box(x0 + 1, y0 + 3, x1 - 1, y1 - 1), FOLDER_EDGE, front)
    c.fill(px(x0 + 1, y0 + 3, x1 - x0 - 2), FOLDER_LIGHT)


OPEN_FOLDER = """
................
................
.OOOOOO.........
.OKKKKKOOOOOOO..
.OKKEEEEEEEEKO..
.OKKEPPPPPPEKO..
.OKKEPIIIIPEKO..
.OKKEPPPPPPEKO..
.OKOOOOOOOOOOOOO
.OKOLLLLLLLLLLO.
.OOFFFFFFFFFFFO.
.OOFFFFFFFFFFO..
.OFFFFFFFFFFFO..
.OOOOOOOOOOOOO..
"""


def open_folder(c):
    """Folder seen open: back panel, a sheet inside, front flap tipped forward."""
    sprite(c, 0, 0, OPEN_FOLDER, {"O": FOLDER_EDGE, "K": FOLDER_BACK, "E": PAPER_EDGE, "P": PAPER,
                                  "I": INK, "L": FOLDER_LIGHT, "F": FOLDER_OPEN_FRONT})


def clipboard(c, board=BOARD, board_light=BOARD_LIGHT, ink=INK, lines=((7, 5, 10), (9, 5, 9), (11, 5, 10))):
    """Clipboard: board 12x14 with a sheet and a metal clip on top."""
    c.outlined(RoundBox(2, 2, 14, 16, 1.5), RoundBox(3, 3, 13, 15, 0.8), BOARD_EDGE, board)
    c.fill(px(3, 3, 1, 11), board_light)
    c.outlined(Box(4, 4, 12, 15), Box(5, 5, 11, 14), PAPER_EDGE, PAPER)
    for y, a, b in lines:
        c.fill(px(a, y, b - a + 1), ink)
    c.outlined(RoundBox(5, 1, 11, 6, 1), RoundBox(6, 2, 10, 5, 0.5), METAL_EDGE, METAL)
    c.fill(px(6, 2, 4), METAL_LIGHT)
    c.fill(px(7, 0, 2, 2), METAL_EDGE)


def calendar_badge(c, x0, y0, x1, y1):
    """A small calendar sheet: red band with two rings, white day area."""
    c.fill(Box(x0 - 1, y0 - 1, x1 + 1, y1 + 1), HALO)
    c.outlined(Box(x0, y0, x1, y1), Box(x0 + 1, y0 + 1, x1 - 1, y1 - 1), RED_EDGE, PAPER)
    c.fill(Box(x0 + 1, y0 + 1, x1 - 1, y0 + 3), RED)
    for dy in range(y0 + 4, y1 - 1, 2):
        for dx in range(x0 + 2, x1 - 2, 2):
            c.fill(px(dx, dy), INK_DARK)


def arrow(tail, tip, mid, shaft, head, head_length, turn=lambda x, y: (x, y)):
    """A block arrow pointing right, from x = tail to its point at x = tip on the
    line y = mid; `turn` maps the points to point it another way."""
    neck = tip - head_length
    points = [(tail, mid - shaft), (neck, mid - shaft), (neck, mid - head), (tip, mid),
              (neck, mid + head), (neck, mid + shaft), (tail, mid + shaft)]
    return Polygon(*(turn(x, y) for x, y in points))


def blue_arrow(c, shape, halo=False):
    """Arrows of the tool buttons: blue with a dark rim, with a white halo when
    they lie over another picture."""
    if halo:
        c.fill(grown(grown(shape)), HALO)
    c.fill(grown(shape), BLUE_EDGE)
    c.fill(shape, BLUE)


def magnifier(c, cx, cy, r):
    """A magnifying glass whose lens is centred at (cx, cy), handle to the bottom right."""
    end = (cx + r + 3.2, cy + r + 3.2)
    c.fill(Circle(cx, cy, r + 2) | Stroke(4.2, (cx, cy), end), HALO)
    c.fill(Stroke(2.6, (cx + r * 0.7, cy + r * 0.7), end), (92, 58, 24))
    c.fill(Circle(cx, cy, r + 1), GRAY_EDGE)
    c.fill(Circle(cx, cy, r), BLUE_LIGHT)
    c.fill(px(int(cx - r * 0.6), int(cy - r * 0.6), 1, 1), PAPER)


# ---------------------------------------------------------------------------
# The icons
# ---------------------------------------------------------------------------


def draw_app(c, active):
    """Tolvane itself: a speech balloon of phrases on a tile. The active face,
    shown in the tray while a menu is open, swaps the blue tile for amber."""
    if active:
        top, bottom, edge, ink = (255, 196, 64), (236, 110, 20), (150, 62, 8), (206, 92, 14)
    else:
        top, bottom, edge, ink = (88, 158, 240), (28, 84, 190), (16, 52, 128), (36, 96, 200)
    c.smooth = True
    c.fill(RoundBox(0, 0, 16, 16, 3.2), edge)
    c.fill(RoundBox(0.5 + 0.5 / c.scale, 0.5 + 0.5 / c.scale, 15.5 - 0.5 / c.scale, 15.5 - 0.5 / c.scale, 2.8),
           vertical_gradient(top, bottom, 1, 15))
    # soft sheen over the top half
    c.fill(RoundBox(1.5, 1.2, 14.5, 7, 2.2), (255, 255, 255, 40))
    balloon = RoundBox(2.5, 3, 13.5, 10.5, 2.2) | Polygon((4, 9.5), (8, 9.5), (3.5, 14))
    c.fill(balloon, (0, 0, 0, 60) if not active else (90, 30, 0, 60))
    c.fill(RoundBox(2.5, 2.5, 13.5, 10, 2.2) | Polygon((4, 9), (8, 9), (3.5, 13.5)), PAPER)
    if c.size >= 32:
        for y, x1 in ((4.5, 11.5), (6.0, 10.0), (7.5, 11.0)):
            c.fill(Box(4.5, y, x1, y + 0.5), ink)
    else:
        c.fill(px(5, 5, 6), ink)
        c.fill(px(5, 7, 4), ink)
    if active:
        # a spark beside the balloon says "working now"
        c.fill(Polygon((13, 10.5), (13.7, 12.3), (15.5, 13), (13.7, 13.7), (13, 15.5), (12.3, 13.7),
                       (10.5, 13), (12.3, 12.3)), (255, 255, 255))


def draw_phrase(c):
    page(c, 2, 1, 14, 15, lines=((4, 4, 8), (6, 4, 11), (8, 4, 11), (10, 4, 11), (12, 4, 9)))


DATA_TAG = """
...OOOOOOO
..OBBBBBBO
.OBBBBBBBO
OBWBLLLLBO
.OBBBBBBBO
..OBBBBBBO
...OOOOOOO
"""


def draw_data_phrase(c):
    """Display text and content apart: a label tied to a sheet."""
    page(c, 4, 1, 15, 15, lines=((4, 6, 9), (6, 6, 12), (8, 6, 12), (10, 6, 12), (12, 6, 10)))
    c.fill(Polygon((-1, 10.5), (3, 6.5), (11, 6.5), (11, 14.5), (3, 14.5)), HALO)
    sprite(c, 0, 7, DATA_TAG, {"O": BLUE_EDGE, "B": BLUE, "W": PAPER, "L": BLUE_LIGHT})


def draw_settings(c):
    c.fill(Gear(8, 8, 5.3, 7.9, 8, 1.7, turn=math.pi / 8), GRAY_EDGE)
    c.fill(Gear(8, 8, 4.3, 6.9, 8, 0.75, turn=math.pi / 8),
           vertical_gradient((214, 220, 230), (128, 138, 154), 1, 15))
    c.fill(Circle(8, 8, 3.1), GRAY_EDGE)
    c.fill(Circle(8, 8, 2.1), (240, 244, 250))
    c.erase(Circle(8, 8, 1.2))


def draw_vertical_separator(c):
    for y in (3, 6, 9, 12):
        c.fill(px(1, y, 4 if y != 9 else 3), INK)
        c.fill(px(11, y, 4 if y != 6 else 3), INK)
    c.fill(px(7, 1, 1, 14), GRAY_EDGE)
    c.fill(px(8, 1, 1, 14), GRAY_LIGHT)


def draw_horizontal_separator(c):
    c.fill(px(2, 2, 10), INK)
    c.fill(px(2, 4, 7), INK)
    c.fill(px(1, 7, 14), GRAY_EDGE)
    c.fill(px(1, 8, 14), GRAY_LIGHT)
    c.fill(px(2, 11, 11), INK)
    c.fill(px(2, 13, 8), INK)


def draw_folder(c):
    closed_folder(c)


def draw_folder_open(c):
    open_folder(c)


def draw_clip_history(c):
    clipboard(c)


def draw_clip_history_open(c):
    """The history submenu is open: the top sheet is lifted and the text glows blue."""
    clipboard(c, board=(214, 150, 80), board_light=(240, 190, 130), ink=BLUE,
              lines=((7, 5, 10), (9, 5, 10), (11, 5, 8)))
    c.fill(Box(9, 8, 16, 16), HALO)
    c.outlined(Box(10, 9, 16, 16), Box(11, 10, 15, 15), BLUE_EDGE, PAPER)
    c.fill(px(12, 11, 2), BLUE)
    c.fill(px(12, 13, 2), BLUE)


def draw_date(c):
    """Date and time: a calendar leaf with a clock in front."""
    c.outlined(Box(1, 2, 13, 14), Box(2, 3, 12, 13), RED_EDGE, PAPER)
    c.fill(Box(2, 3, 12, 6), RED)
    c.fill(px(4, 1, 1, 3), GRAY_EDGE)
    c.fill(px(9, 1, 1, 3), GRAY_EDGE)
    for y in (7, 9, 11):
        for x in (3, 5, 7, 9):
            c.fill(px(x, y), INK_DARK)
    c.fill(Circle(11.5, 11.5, 5.6), HALO)
    c.fill(Circle(11.5, 11.5, 4.6), BLUE_EDGE)
    c.fill(Circle(11.5, 11.5, 3.6), PAPER)
    c.fill(px(11, 9, 1, 3), INK_DARK)
    c.fill(px(12, 11, 2, 1), INK_DARK)


def draw_date_folder(c):
    closed_folder(c)
    calendar_badge(c, 8, 8, 16, 16)


def draw_date_folder_open(c):
    open_folder(c)
    calendar_badge(c, 8, 8, 16, 16)


def pencil(c, x0, y0, x1, y1):
    """Pencil lying from its point (x0, y0) to its end (x1, y1)."""
    length = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / length, (y1 - y0) / length
    tip = 3.0
    bx, by = x0 + ux * tip, y0 + uy * tip
    c.fill(Stroke(5.0, (x0, y0), (x1, y1)), HALO)
    c.fill(thick_segment(bx, by, x1, y1, 1.9), (120, 76, 10))
    c.fill(thick_segment(bx, by, x1 - ux * 1.0, y1 - uy * 1.0, 1.1), (250, 196, 48))
    ex, ey = x1 - ux * 2.2, y1 - uy * 2.2
    c.fill(thick_segment(ex, ey, x1, y1, 1.9), (200, 90, 110))
    nx, ny = -uy * 1.9, ux * 1.9
    c.fill(Polygon((x0, y0), (bx + nx, by + ny), (bx - nx, by - ny)), (236, 200, 150))
    c.fill(Polygon((x0, y0), (x0 + ux * 1.3 + nx * 0.45, y0 + uy * 1.3 + ny * 0.45),
                   (x0 + ux * 1.3 - nx * 0.45, y0 + uy * 1.3 - ny * 0.45)), (40, 40, 48))


def draw_edit_history(c):
    clipboard(c)
    pencil(c, 6.5, 14.5, 15.2, 5.8)


def draw_exit(c):
    """Leave: an open door with a red arrow going out."""
    c.outlined(Box(1, 1, 10, 16), Box(2, 2, 9, 16), (70, 44, 20), (44, 40, 52))
    c.fill(Polygon((2, 2), (7, 3.5), (7, 16), (2, 15)), (120, 70, 30))
    c.fill(Polygon((2.9, 3.2), (6.1, 4.2), (6.1, 14.6), (2.9, 14.0)), (176, 112, 56))
    c.fill(Circle(5.3, 9.3, 0.7), (255, 214, 80))
    arrow = Polygon((7.5, 7), (11, 7), (11, 4.5), (15.5, 8.5), (11, 12.5), (11, 10), (7.5, 10))
    c.fill(Polygon((6.3, 6), (10, 6), (10, 2.2), (16.9, 8.5), (10, 14.8), (10, 11), (6.3, 11)), HALO)
    c.fill(arrow, RED_EDGE)
    c.fill(Polygon((8.5, 8), (12, 8), (12, 6.8), (14, 8.5), (12, 10.2), (12, 9), (8.5, 9)), RED)


def draw_erase_history(c):
    clipboard(c)
    c.fill(Stroke(4.4, (9.5, 9.5), (14.5, 14.5)) | Stroke(4.4, (14.5, 9.5), (9.5, 14.5)), HALO)
    c.fill(Stroke(2.6, (9.5, 9.5), (14.5, 14.5)) | Stroke(2.6, (14.5, 9.5), (9.5, 14.5)), RED_EDGE)
    c.fill(Stroke(1.5, (9.5, 9.5), (14.5, 14.5)) | Stroke(1.5, (14.5, 9.5), (9.5, 14.5)), RED)


def draw_enclose(c):
    """A selection wrapped between < and >."""
    c.fill(Box(6, 5, 10, 11), BLUE_LIGHT)
    c.fill(px(7, 7, 2, 2), BLUE_EDGE)
    c.fill(Stroke(2.2, (5.0, 3.0), (1.6, 8.0), (5.0, 13.0)), TAG_PURPLE)
    c.fill(Stroke(2.2, (11.0, 3.0), (14.4, 8.0), (11.0, 13.0)), TAG_PURPLE)


def draw_folder_popup(c):
    """A folder whose contents open as a menu: folder with a submenu arrow."""
    closed_folder(c)
    c.fill(Circle(11.5, 11.5, 5.6), HALO)
    c.fill(Circle(11.5, 11.5, 4.6), GREEN_EDGE)
    c.fill(Circle(11.5, 11.5, 3.6), GREEN)
    c.fill(px(10, 9, 1, 5) | px(11, 10, 1, 3) | px(12, 11), PAPER)


# The settings editor's tool buttons. They sit on a button face, so they keep
# to the middle of the icon and lean on outlines rather than on the background.


def draw_tool_new(c):
    """New item: a blank sheet with a spark."""
    page(c, 3, 1, 14, 15, lines=((8, 5, 11), (10, 5, 11), (12, 5, 9)))
    spark = Polygon((4.5, 0), (5.6, 3.4), (9, 4.5), (5.6, 5.6), (4.5, 9), (3.4, 5.6), (0, 4.5), (3.4, 3.4))
    c.fill(grown(spark), FOLDER_EDGE)
    c.fill(spark, (255, 214, 64))


def draw_tool_move_up(c):
    blue_arrow(c, arrow(3, 14, 8, 2, 5, 6, turn=lambda x, y: (y, 16 - x)))


def draw_tool_move_down(c):
    blue_arrow(c, arrow(3, 14, 8, 2, 5, 6, turn=lambda x, y: (16 - y, x)))


def draw_tool_move_out(c):
    """Out of the folder: an arrow leaving a folder towards the left."""
    closed_folder(c, x0=6, y0=4, x1=16, y1=13, tab=5)
    blue_arrow(c, arrow(5, 14.5, 10.5, 1, 3, 3.5, turn=lambda x, y: (16 - x, y)), halo=True)


def draw_tool_move_in(c):
    """Into the folder above: an arrow going into a folder from the left."""
    closed_folder(c, x0=6, y0=4, x1=16, y1=13, tab=5)
    blue_arrow(c, arrow(1, 11, 10.5, 1, 3, 3.5), halo=True)


def draw_tool_delete(c):
    cross = Stroke(2.2, (4, 4), (12, 12)) | Stroke(2.2, (12, 4), (4, 12))
    c.fill(grown(cross), RED_EDGE)
    c.fill(cross, RED)


def draw_tool_copy(c):
    """Add a copy: a second sheet in front of the first."""
    page(c, 1, 0, 11, 12, ear=3, lines=((4, 3, 6), (6, 3, 8), (8, 3, 8)))
    page(c, 5, 4, 15, 16, ear=3, lines=((8, 7, 10), (10, 7, 12), (12, 7, 12)))


def draw_tool_icon(c):
    """Change the icon: a small picture, sun over green hills."""
    c.outlined(Box(1, 2, 15, 14), Box(2, 3, 14, 13), GRAY_EDGE, vertical_gradient((120, 180, 250), (200, 228, 255), 3, 10))
    c.fill(Circle(11, 6, 2), (255, 200, 40))
    c.fill(Polygon((2, 13), (2, 10), (6, 6.5), (10, 10.5), (11.5, 9), (14, 11), (14, 13)), GREEN)
    c.fill(Polygon((6, 6.5), (7, 7.4), (5, 9.4), (4, 8.5)), (120, 210, 130))


def draw_tool_load_file(c):
    """Load a file's contents: an open folder and a written sheet taken from it."""
    open_folder(c)
    c.fill(Box(8, 4, 16, 16), HALO)
    page(c, 9, 5, 16, 16, ear=3, lines=((9, 11, 13), (11, 11, 13), (13, 11, 12)))


def draw_tool_browse_file(c):
    """Pick a file: a sheet under a magnifying glass."""
    page(c, 1, 0, 12, 14, ear=3, lines=((4, 3, 8), (6, 3, 9), (8, 3, 6)))
    magnifier(c, 8.5, 8.5, 2.6)


def draw_tool_browse_folder(c):
    """Pick a folder: a folder under a magnifying glass."""
    closed_folder(c, x0=0, y0=1, x1=14, y1=12)
    magnifier(c, 8.5, 8.5, 2.6)


def draw_tool_apply(c):
    """Apply: a green tick."""
    tick = Stroke(2.4, (3, 8.5), (6.5, 12), (13, 4.5))
    c.fill(grown(tick), GREEN_EDGE)
    c.fill(tick, GREEN)


# Resource number, file name, drawing, sizes.
ICONS = [
    (102, "app.ico", lambda c: draw_app(c, False), (16, 32)),
    (103, "active.ico", lambda c: draw_app(c, True), (16, 32)),
    (109, "phrase.ico", draw_phrase, (16,)),
    (110, "vseparator.ico", draw_vertical_separator, (16,)),
    (111, "hseparator.ico", draw_horizontal_separator, (16,)),
    (112, "data_phrase.ico", draw_data_phrase, (16,)),
    (113, "settings.ico", draw_settings, (16,)),
    (114, "folder.ico", draw_folder, (16,)),
    (117, "clip_history.ico", draw_clip_history, (16,)),
    (127, "date.ico", draw_date, (16,)),
    (128, "date_folder.ico", draw_date_folder, (16,)),
    (129, "edit_history.ico", draw_edit_history, (16,)),
    (130, "exit.ico", draw_exit, (16,)),
    (131, "erase_history.ico", draw_erase_history, (16,)),
    (142, "folder_open.ico", draw_folder_open, (16,)),
    (143, "date_folder_open.ico", draw_date_folder_open, (16,)),
    (144, "clip_history_open.ico", draw_clip_history_open, (16,)),
    (145, "enclose.ico", draw_enclose, (16,)),
    (149, "folder_popup.ico", draw_folder_popup, (16,)),
    (105, "tool_move_down.ico", draw_tool_move_down, (16,)),
    (106, "tool_move_up.ico", draw_tool_move_up, (16,)),
    (107, "tool_move_out.ico", draw_tool_move_out, (16,)),
    (108, "tool_move_in.ico", draw_tool_move_in, (16,)),
    (118, "tool_browse_file.ico", draw_tool_browse_file, (16,)),
    (121, "tool_load_file.ico", draw_tool_load_file, (16,)),
    (123, "tool_new.ico", draw_tool_new, (16,)),
    (124, "tool_delete.ico", draw_tool_delete, (16,)),
    (133, "tool_apply.ico", draw_tool_apply, (16,)),
    (146, "tool_copy.ico", draw_tool_copy, (16,)),
    (147, "tool_icon.ico", draw_tool_icon, (16,)),
    (150, "tool_browse_folder.ico", draw_tool_browse_folder, (16,)),
]

# ---------------------------------------------------------------------------
# File formats
# ---------------------------------------------------------------------------

# Pixels at least this opaque are drawn by code that only honours the AND mask.
MASK_ALPHA_THRESHOLD = 128


def ico_image(rows):
    """One icon image: BITMAPINFOHEADER, 32-bit BGRA bottom-up, AND mask bottom-up."""
    size = len(rows)
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < MASK_ALPHA_THRESHOLD:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico_file(images):
    """ICONDIR, one ICONDIRENTRY per image, then the images; `images` is a list of row lists."""
    blobs = [ico_image(rows) for rows in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for rows, blob in zip(images, blobs):
        size = len(rows)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def png_file(width, height, rgb_rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rgb_rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------
# Driver
# ---------------------------------------------------------------------------


def render_all():
    """{file name: [rows per size]} for every icon."""
    result = {}
    for _, name, draw, sizes in ICONS:
        images = []
        for size in sizes:
            canvas = Canvas(size)
            draw(canvas)
            images.append(canvas.pixels())
        result[name] = images
    return result


# Backgrounds the icons meet: a menu, a highlighted menu entry, a dark taskbar.
PREVIEW_BACKGROUNDS = [(255, 255, 255), (0, 120, 215), (40, 40, 44)]


def write_preview(path, rendered, scale):
    """One band per background: each icon enlarged, then all of them at real size."""
    tiles = [(name, rows) for _, name, _, _ in ICONS for rows in rendered[name]]
    cell = 16 * scale + 8
    width = cell * len(tiles) + 8
    band = cell + 48
    height = band * len(PREVIEW_BACKGROUNDS)
    canvas = [[(200, 200, 200)] * width for _ in range(height)]

    def put(x0, y0, rows, factor, bg):
        for y, row in enumerate(rows):
            for x, (r, g, b, a) in enumerate(row):
                t = a / 255.0
                colour = tuple(int(round(c * t + k * (1 - t))) for c, k in zip((r, g, b), bg))
                for dy in range(factor):
                    line = canvas[y0 + y * factor + dy]
                    for dx in range(factor):
                        line[x0 + x * factor + dx] = colour

    for i, bg in enumerate(PREVIEW_BACKGROUNDS):
        top = i * band
        for y in range(top, top + band - 4):
            canvas[y] = [bg] * width
        x = 8
        for _, rows in tiles:
            put(x, top + 4, rows, (16 * scale) // len(rows), bg)
            x += cell
        x = 8
        for _, rows in tiles:
            put(x, top + cell + 8, rows, 1, bg)
            if len(rows) == 16:
                put(x + 20, top + cell + 8, rows, 2, bg)
            x += cell
    with open(path, "wb") as f:
        f.write(png_file(width, height, canvas))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(here, "..", "res", "icons"),
                        help="folder of the .ico files (default: res/icons)")
    parser.add_argument("--check", action="store_true",
                        help="write nothing; exit 1 when a file in --out differs from what this script draws")
    parser.add_argument("--preview", metavar="PNG", help="also write an enlarged preview sheet")
    parser.add_argument("--scale", type=int, default=6, help="enlargement of the preview (default 6)")
    args = parser.parse_args()

    rendered = render_all()
    stale = []
    for _, name, _, _ in ICONS:
        data = ico_file(rendered[name])
        target = os.path.join(args.out, name)
        if args.check:
            try:
                with open(target, "rb") as f:
                    if f.read() != data:
                        stale.append(name)
            except OSError:
                stale.append(name)
            continue
        os.makedirs(args.out, exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)
    if args.preview:
        write_preview(args.preview, rendered, args.scale)
    if stale:
        print("out of date (run tools/make_icons.py): " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
