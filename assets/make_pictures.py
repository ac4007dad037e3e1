#!/usr/bin/env python3
"""Draws the pictures that ship with the programs and writes the default skin file.

    python3 assets/make_pictures.py [--preview FOLDER]

Writes, beside this script:
  Skins/Default.ini       the default skin: section FORMMAIN (main window and splash) and
                          section Sundrel (the defragmentation tool's progress window)
  Skins/*.bmp             the pictures the skin names (24 bits per pixel)
  icons/*.ico             the programs' icons, 16, 32 and 48 pixels (the tray uses 16)
  resources/*.bmp         pictures built into the programs' own resources

The layout lives here, once: the coordinates written into Default.ini are the same
ones the pictures are drawn for. The output is committed, so a build needs no Python;
run this again after changing it. Standard library only. With --preview every picture
is also written as a PNG into FOLDER, to look at.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def rgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


# Colours: a calm slate-teal title, light side column, white cards on a pale page.
FUCHSIA = (255, 0, 255)
WHITE = (255, 255, 255)
TITLE_LEFT = rgb("#183442")
TITLE_RIGHT = rgb("#1F4E5A")
TITLE_SUBTEXT = rgb("#9CC3C4")
WINDOW_BORDER = rgb("#5E7382")
SIDEBAR = rgb("#EAEFF3")
SIDEBAR_LINE = rgb("#D5DDE5")
PAGE = rgb("#F2F5F8")
CARD_LINE = rgb("#DDE3E9")
ROW_LINE = rgb("#ECF0F3")
ACCENT = rgb("#1F8A7E")
ACCENT_DARK = rgb("#166A61")
ACCENT_MID = rgb("#9FD3CA")
ACCENT_LIGHT = rgb("#E2F3F0")
ACCENT_TOP = rgb("#2BA393")
ACCENT_BOTTOM = rgb("#176B62")
TEXT = rgb("#1E2A35")
TEXT_MUTED = rgb("#5A6875")
GREY_ICON = rgb("#A0AAB2")
RED = rgb("#C0392B")
RED_LIGHT = rgb("#FBE9E7")
AMBER = rgb("#E0922F")
DEFRAG_TOP = rgb("#4C7FC0")
DEFRAG_BOTTOM = rgb("#2F5A8F")
DEFRAG_BLOCK = rgb("#F2B134")

# Main window geometry (client area 914 x 625).
WINDOW_W, WINDOW_H = 914, 625
WINDOW_RADIUS = 9
TITLE_H = 48
SIDEBAR_W = 190
CONTENT = (SIDEBAR_W, TITLE_H, 716, 568)        # ImagePanelMain on the form
PAGE_W, PAGE_H = CONTENT[2], CONTENT[3]          # the page panels
SUB = (20, 50, 676, 502)                         # sub-page controls inside a page
SUB_W, SUB_H = SUB[2], SUB[3]
CAPTION_BUTTON = 17
CAPTION_Y = 15
CAPTION_X = {"btnMin": 839, "btnHelp": 862, "btnClose": 885}
NAV = (12, 64, 166, 40, 46)                      # x, first y, width, height, step
TAB = (20, 16, 150, 34, 152)                     # x, y, width, height, step
ACTION_W, ACTION_H = 150, 36
ACTION_Y = SUB_H - 24 - ACTION_H                 # 442
ACTION_RIGHT = SUB_W - 24 - ACTION_W             # 502
ACTION_LEFT = ACTION_RIGHT - 6 - ACTION_W        # 346
TILE = (20, 428, 216, 64, 230)                   # overview shortcut buttons
STATUS_CARD = (20, 80, 676, 224)
STATUS_ROW_H = 56
TOTALS_CARD = (20, 320, 676, 84)


# ---------------------------------------------------------------------------
# Drawing

def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t + 0.5) for i in range(3))


class Canvas:
    """RGBA pixels, top row first. Shapes are anti-aliased by their distance field."""

    def __init__(self, width, height, colour=WHITE, alpha=255):
        self.width, self.height = width, height
        self.pixels = bytearray(bytes((*colour, alpha)) * (width * height))

    def get(self, x, y):
        i = (y * self.width + x) * 4
        return tuple(self.pixels[i:i + 3])

    def blend(self, x, y, colour, a):
        p = self.pixels
        i = (y * self.width + x) * 4
        if a >= 0.999:
            p[i], p[i + 1], p[i + 2], p[i + 3] = colour[0], colour[1], colour[2], 255
            return
        da = p[i + 3] / 255.0
        keep = da * (1.0 - a)
        out = a + keep
        if out <= 0.0:
            return
        for c in range(3):
            p[i + c] = int((colour[c] * a + p[i + c] * keep) / out + 0.5)
        p[i + 3] = int(out * 255 + 0.5)

    def fill_rect(self, x0, y0, x1, y1, colour):
        x0, y0 = max(0, x0), max(0, y0)
        x1, y1 = min(self.width, x1), min(self.height, y1)
        if x0 >= x1 or y0 >= y1:
            return
        if callable(colour):
            for y in range(y0, y1):
                for x in range(x0, x1):
                    self.blend(x, y, colour(x, y), 1.0)
            return
        row = bytes((*colour, 255)) * (x1 - x0)
        for y in range(y0, y1):
            i = (y * self.width + x0) * 4
            self.pixels[i:i + len(row)] = row

    def paint(self, box, distance, colour, alpha=1.0):
        """Covers the pixels of box whose centre lies inside the shape (distance < 0)."""
        x0, y0, x1, y1 = box
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1 = min(self.width, int(math.ceil(x1)))
        y1 = min(self.height, int(math.ceil(y1)))
        solid = not callable(colour)
        for y in range(y0, y1):
            cy = y + 0.5
            for x in range(x0, x1):
                a = clamp01(0.5 - distance(x + 0.5, cy)) * alpha
                if a > 0.0:
                    self.blend(x, y, colour if solid else colour(x, y), a)

    def round_rect(self, x, y, w, h, r, colour, radii=None, alpha=1.0):
        """A box on whole pixels with rounded corners (radii: top-left, top-right,
        bottom-right, bottom-left)."""
        tl, tr, br, bl = radii if radii else (r, r, r, r)

        def distance(px, py):
            if px < x + tl and py < y + tl:
                return math.hypot(px - x - tl, py - y - tl) - tl
            if px > x + w - tr and py < y + tr:
                return math.hypot(px - x - w + tr, py - y - tr) - tr
            if px > x + w - br and py > y + h - br:
                return math.hypot(px - x - w + br, py - y - h + br) - br
            if px < x + bl and py > y + h - bl:
                return math.hypot(px - x - bl, py - y - h + bl) - bl
            return -1.0

        if alpha >= 1.0 and not callable(colour):
            top, bottom = math.ceil(max(tl, tr)), math.ceil(max(bl, br))
            self.fill_rect(x, y + top, x + w, y + h - bottom, colour)
            self.paint((x, y, x + w, y + top), distance, colour)
            self.paint((x, y + h - bottom, x + w, y + h), distance, colour)
        else:
            self.paint((x, y, x + w, y + h), distance, colour, alpha)

    def framed_rect(self, x, y, w, h, r, border, fill):
        self.round_rect(x, y, w, h, r, border)
        self.round_rect(x + 1, y + 1, w - 2, h - 2, max(0, r - 1), fill)

    def circle(self, cx, cy, radius, colour, alpha=1.0):
        self.paint((cx - radius - 1, cy - radius - 1, cx + radius + 1, cy + radius + 1),
                   lambda px, py: math.hypot(px - cx, py - cy) - radius, colour, alpha)

    def ring(self, cx, cy, radius, width, colour):
        self.paint((cx - radius - width, cy - radius - width, cx + radius + width,
                    cy + radius + width),
                   lambda px, py: abs(math.hypot(px - cx, py - cy) - radius) - width / 2,
                   colour)

    def stroke(self, lines, width, colour, alpha=1.0):
        """Polylines of (x, y) points, drawn with round ends and joins."""
        segments = []
        for line in lines:
            if len(line) == 1:
                segments.append((line[0], line[0]))
            segments.extend(zip(line, line[1:]))
        xs = [p[0] for line in lines for p in line]
        ys = [p[1] for line in lines for p in line]
        pad = width / 2 + 1
        box = (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)
        half = width / 2
        self.paint(box, lambda px, py: min(segment_distance(px, py, a, b)
                                           for a, b in segments) - half, colour, alpha)

    def polygon(self, points, colour, alpha=1.0):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        box = (min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1)
        self.paint(box, lambda px, py: polygon_distance(px, py, points), colour, alpha)

    def copy_from(self, source, sx, sy):
        for y in range(self.height):
            i = ((sy + y) * source.width + sx) * 4
            j = y * self.width * 4
            self.pixels[j:j + self.width * 4] = source.pixels[i:i + self.width * 4]


def segment_distance(px, py, a, b):
    ax, ay = a
    dx, dy = b[0] - ax, b[1] - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else clamp01(((px - ax) * dx + (py - ay) * dy) / length2)
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def polygon_distance(px, py, points):
    inside = False
    nearest = float("inf")
    for a, b in zip(points, points[1:] + points[:1]):
        nearest = min(nearest, segment_distance(px, py, a, b))
        if (a[1] > py) != (b[1] > py):
            cross = a[0] + (py - a[1]) * (b[0] - a[0]) / (b[1] - a[1])
            if px < cross:
                inside = not inside
    return -nearest if inside else nearest


def arc(cx, cy, rx, ry, start, end, step=8.0):
    """Points of an elliptic arc on the screen (y down); angles in degrees, counter-clockwise."""
    count = max(2, int(abs(end - start) / step) + 1)
    return [(cx + rx * math.cos(math.radians(start + (end - start) * k / (count - 1))),
             cy - ry * math.sin(math.radians(start + (end - start) * k / (count - 1))))
            for k in range(count)]


def horizontal_gradient(left, right, x0, x1):
    span = max(1, x1 - x0 - 1)
    return lambda x, y: mix(left, right, clamp01((x - x0) / span))


def vertical_gradient(top, bottom, y0, y1):
    span = max(1, y1 - y0 - 1)
    return lambda x, y: mix(top, bottom, clamp01((y - y0) / span))


# ---------------------------------------------------------------------------
# Lettering: a geometric stroke face for the product name and its few other words.
# Units: cap height 10, x-height 7, baseline 0, y up; each glyph is polylines and
# an advance width.

def _font_arc(cx, cy, rx, ry, start, end):
    return [(x, 2 * cy - y) for x, y in arc(cx, cy, rx, ry, start, end)]


GLYPHS = {
    "H": ([[(0, 0), (0, 10)], [(7, 0), (7, 10)], [(0, 5), (7, 5)]], 7),
    "R": ([[(0, 0), (0, 10), (3.8, 10)] + _font_arc(3.8, 7.6, 2.4, 2.4, 90, -90)
           + [(0, 5.2)], [(3.4, 5.2), (6.4, 0)]], 6.4),
    "C": ([_font_arc(4.6, 5, 4.6, 5, 48, 312)], 7.6),
    "S": ([_font_arc(3.2, 7.5, 2.8, 2.5, 25, 270) + _font_arc(3.2, 2.5, 3.0, 2.5, 90, -155)],
          6.2),
    "a": ([_font_arc(3.5, 3.5, 3.5, 3.5, 0, 360), [(7, 7), (7, 0)]], 7),
    "c": ([_font_arc(3.5, 3.5, 3.5, 3.5, 45, 315)], 6.5),
    "e": ([[(0, 3.5)] + _font_arc(3.5, 3.5, 3.5, 3.5, 0, 318)], 7),
    "g": ([_font_arc(3.5, 3.5, 3.5, 3.5, 0, 360),
           [(7, 7), (7, -0.5)] + _font_arc(3.5, -0.5, 3.5, 3, 0, -150)], 7),
    "i": ([[(0, 0), (0, 7)], [(0, 9.4)]], 0),
    "l": ([[(0, 0), (0, 10)]], 0),
    "n": ([[(0, 0), (0, 7)], _font_arc(3.1, 4, 3.1, 3, 180, 0) + [(6.2, 0)]], 6.2),
    "o": ([_font_arc(3.5, 3.5, 3.5, 3.5, 0, 360)], 7),
    "p": ([[(0, 7), (0, -3.5)], _font_arc(3.5, 3.5, 3.5, 3.5, 0, 360)], 7),
    "r": ([[(0, 0), (0, 7)], _font_arc(3.4, 4, 3.4, 3, 180, 70)], 4.6),
    "s": ([_font_arc(2.7, 5.25, 2.4, 1.75, 25, 270) + _font_arc(2.7, 1.75, 2.6, 1.75, 90, -155)],
          5.4),
    "t": ([[(1.6, 9.5), (1.6, 0)], [(0, 7), (3.6, 7)]], 3.6),
    "v": ([[(0, 7), (3.2, 0), (6.4, 7)]], 6.4),
    "y": ([[(0, 7), (3.2, 0)], [(6.4, 7), (1.6, -3.5)]], 6.4),
    "\u00b7": ([[(0.8, 3.5)]], 1.6),
    " ": ([], 3.0),
}


def text_width(text, cap, width):
    scale = cap / 10.0
    gap = 2.2 + width / scale
    return sum((GLYPHS[ch][1] + gap) * scale for ch in text) - gap * scale + width


def draw_text(cv, x, baseline, text, cap, width, colour):
    scale = cap / 10.0
    gap = 2.2 + width / scale
    pen = x + width / 2
    for ch in text:
        lines, advance = GLYPHS[ch]
        if lines:
            cv.stroke([[(pen + gx * scale, baseline - gy * scale) for gx, gy in line]
                       for line in lines], width, colour)
        pen += (advance + gap) * scale


# ---------------------------------------------------------------------------
# Marks and icons, drawn into a box of side s at (x, y).

def holvane_mark(cv, x, y, s):
    """The product's mark: a teal tile with a white shield and a check."""
    cv.round_rect(x, y, s, s, 0, vertical_gradient(ACCENT_TOP, ACCENT_BOTTOM, y, y + s),
                  radii=(s * 0.22,) * 4)
    u = lambda px, py: (x + px * s, y + py * s)
    if s < 24:
        cv.stroke([[u(0.25, 0.53), u(0.43, 0.70), u(0.76, 0.33)]], s * 0.15, WHITE)
        return
    shield = [u(0.50, 0.15), u(0.79, 0.26), u(0.79, 0.47)]
    shield += [u(0.5 + 0.29 * math.cos(math.radians(a)), 0.47 + 0.38 * math.sin(math.radians(a)))
               for a in range(10, 90, 10)]
    shield += [(2 * (x + 0.5 * s) - px, py) for px, py in reversed(shield[1:-1])]
    cv.polygon(shield, WHITE)
    cv.stroke([[u(0.37, 0.50), u(0.47, 0.61), u(0.65, 0.40)]], max(1.6, s * 0.075), ACCENT)


def sundrel_mark(cv, x, y, s):
    """The defragmentation tool's mark: a blue tile with tidy blocks, one moving."""
    cv.round_rect(x, y, s, s, 0, vertical_gradient(DEFRAG_TOP, DEFRAG_BOTTOM, y, y + s),
                  radii=(s * 0.22,) * 4)
    cells = 2 if s < 24 else 3
    margin, gap = s * 0.2, s * (0.1 if cells == 2 else 0.06)
    side = (s - 2 * margin - (cells - 1) * gap) / cells
    for row in range(cells):
        for col in range(cells):
            bx, by = x + margin + col * (side + gap), y + margin + row * (side + gap)
            colour = DEFRAG_BLOCK if (row, col) == (cells - 1, cells - 1) else WHITE
            cv.paint((bx - 1, by - 1, bx + side + 1, by + side + 1),
                     lambda px, py, bx=bx, by=by: max(bx - px, px - bx - side,
                                                      by - py, py - by - side), colour)


def icon_magnifier(cv, x, y, s, colour):
    k = s / 20.0
    cv.ring(x + 8.5 * k, y + 8.5 * k, 5.5 * k, 2.0 * k, colour)
    cv.stroke([[(x + 12.6 * k, y + 12.6 * k), (x + 17 * k, y + 17 * k)]], 2.6 * k, colour)


def icon_dashboard(cv, x, y, s, colour):
    k = s / 20.0
    for bx, by in ((2, 2), (11, 2), (2, 11), (11, 11)):
        cv.round_rect(int(x + bx * k), int(y + by * k), int(7 * k), int(7 * k), 1.5 * k, colour)


def icon_gear(cv, x, y, s, colour):
    k = s / 20.0
    cx, cy = x + 10 * k, y + 10 * k
    teeth = [((cx + 5 * k * math.cos(a), cy + 5 * k * math.sin(a)),
              (cx + 7.6 * k * math.cos(a), cy + 7.6 * k * math.sin(a)))
             for a in (math.radians(d) for d in range(0, 360, 45))]

    def distance(px, py):
        r = math.hypot(px - cx, py - cy)
        body = min([r - 6 * k] + [segment_distance(px, py, a, b) - 1.5 * k for a, b in teeth])
        return max(body, 2.6 * k - r)

    cv.paint((x, y, x + s, y + s), distance, colour)


def icon_restore(cv, x, y, s, colour):
    k = s / 20.0
    cx, cy, r = x + 10 * k, y + 10.5 * k, 6.5 * k
    cv.stroke([arc(cx, cy, r, r, 150, -130)], 2.0 * k, colour)
    tip = (cx + r * math.cos(math.radians(150)), cy - r * math.sin(math.radians(150)))
    cv.polygon([(tip[0] - 3.6 * k, tip[1] - 1.2 * k), (tip[0] + 2.6 * k, tip[1] - 2.4 * k),
                (tip[0] + 0.2 * k, tip[1] + 3.4 * k)], colour)
    cv.stroke([[(cx, cy - 3.2 * k), (cx, cy), (cx + 2.4 * k, cy + 1.6 * k)]], 1.6 * k, colour)


def icon_blocks(cv, x, y, s, colour, accent=None):
    k = s / 20.0
    for row in range(3):
        for col in range(3):
            bx, by = x + (3 + col * 5) * k, y + (3 + row * 5) * k
            last = (row, col) == (2, 2)
            cv.paint((bx - 1, by - 1, bx + 5 * k, by + 5 * k),
                     lambda px, py, bx=bx, by=by: max(bx - px, px - bx - 4 * k,
                                                      by - py, py - by - 4 * k),
                     accent if last and accent else colour, 0.45 if last and not accent else 1.0)


def icon_warning(cv, x, y, s, colour):
    k = s / 20.0
    cv.stroke([[(x + 10 * k, y + 3 * k), (x + 18 * k, y + 17 * k), (x + 2 * k, y + 17 * k),
                (x + 10 * k, y + 3 * k)]], 2.0 * k, colour)
    cv.stroke([[(x + 10 * k, y + 8 * k), (x + 10 * k, y + 12 * k)], [(x + 10 * k, y + 14.6 * k)]],
              2.0 * k, colour)


def icon_archive(cv, x, y, s, colour):
    k = s / 20.0
    cv.stroke([[(x + 2.5 * k, y + 4 * k), (x + 17.5 * k, y + 4 * k), (x + 17.5 * k, y + 7.5 * k),
                (x + 2.5 * k, y + 7.5 * k), (x + 2.5 * k, y + 4 * k)],
               [(x + 4 * k, y + 7.5 * k), (x + 4 * k, y + 16.5 * k), (x + 16 * k, y + 16.5 * k),
                (x + 16 * k, y + 7.5 * k)],
               [(x + 8 * k, y + 11 * k), (x + 12 * k, y + 11 * k)]], 1.8 * k, colour)


def icon_chart(cv, x, y, s, colour):
    k = s / 20.0
    for bx, top in ((3.5, 10), (9, 5), (14.5, 8)):
        cv.round_rect(int(x + bx * k), int(y + top * k), int(3 * k), int((17 - top) * k),
                      0.8 * k, colour)


def icon_check(cv, x, y, s, colour, mark=WHITE):
    cv.circle(x + s / 2, y + s / 2, s / 2 - 0.5, colour)
    cv.stroke([[(x + s * 0.28, y + s * 0.52), (x + s * 0.44, y + s * 0.67),
                (x + s * 0.72, y + s * 0.36)]], s * 0.13, mark)


def icon_busy(cv, x, y, s, colour):
    c = s / 2
    cv.ring(x + c, y + c, c - 2, 2.2, mix(colour, WHITE, 0.7))
    cv.stroke([arc(x + c, y + c, c - 2, c - 2, 90, -150)], 2.2, colour)


# ---------------------------------------------------------------------------
# The pictures

def window_glyph():
    """The main window's face and outline: title bar, side column, page area; the
    corners outside the rounded outline are fuchsia, which the window cuts away."""
    cv = Canvas(WINDOW_W, WINDOW_H, WINDOW_BORDER)
    inner_w, inner_h = WINDOW_W - 2, WINDOW_H - 2
    face = Canvas(inner_w, inner_h, PAGE)
    face.fill_rect(0, 0, inner_w, TITLE_H - 1,
                   horizontal_gradient(TITLE_LEFT, TITLE_RIGHT, 0, inner_w))
    face.fill_rect(0, TITLE_H - 1, SIDEBAR_W - 2, inner_h, SIDEBAR)
    face.fill_rect(SIDEBAR_W - 2, TITLE_H - 1, SIDEBAR_W - 1, inner_h, SIDEBAR_LINE)
    holvane_mark(face, 13, 9, 28)
    draw_text(face, 51, 30, "Holvane", 16, 2.3, WHITE)
    draw_text(face, 51 + text_width("Holvane", 16, 2.3) + 14, 30, "Registry Cleaner", 9, 1.3,
              TITLE_SUBTEXT)
    # The face goes inside a one-pixel border; both follow the rounded outline.
    outer = WINDOW_RADIUS
    for y in range(WINDOW_H):
        for x in range(WINDOW_W):
            inner = 0 < x < WINDOW_W - 1 and 0 < y < WINDOW_H - 1
            dx = max(outer - x - 0.5, x + 0.5 - (WINDOW_W - outer), 0)
            dy = max(outer - y - 0.5, y + 0.5 - (WINDOW_H - outer), 0)
            if dx and dy:
                d = math.hypot(dx, dy)
                if d > outer:
                    cv.blend(x, y, FUCHSIA, 1.0)      # cut away: exact colour, no blending
                    continue
                if inner:
                    cover = clamp01(outer - 1 - d + 0.5)
                    if cover > 0:
                        cv.blend(x, y, face.get(x - 1, y - 1), cover)
                continue
            if inner:
                cv.blend(x, y, face.get(x - 1, y - 1), 1.0)
    return cv


def caption_buttons(glyph):
    """Minimise, help and close in their four states, on the title bar they sit on."""
    s = CAPTION_BUTTON
    marks = {
        "btnMin": lambda cv, c: cv.stroke([[(5, 11.5), (12, 11.5)]], 1.6, c),
        "btnHelp": lambda cv, c: cv.stroke([arc(8.5, 6.4, 2.7, 2.6, 160, -60) + [(8.5, 10.2)],
                                            [(8.5, 13.3)]], 1.6, c),
        "btnClose": lambda cv, c: cv.stroke([[(5.5, 5.5), (11.5, 11.5)],
                                             [(11.5, 5.5), (5.5, 11.5)]], 1.6, c),
    }
    pictures = {}
    for name, mark in marks.items():
        for state in ("Normal", "On", "Down", "Disabled"):
            cv = Canvas(s, s)
            cv.copy_from(glyph, CAPTION_X[name], CAPTION_Y)
            if state == "On":
                cv.round_rect(0, 0, s, s, 3, rgb("#C94F45") if name == "btnClose" else WHITE,
                              alpha=1.0 if name == "btnClose" else 0.18)
            elif state == "Down":
                cv.round_rect(0, 0, s, s, 3, rgb("#A83E35") if name == "btnClose" else WHITE,
                              alpha=1.0 if name == "btnClose" else 0.32)
            colour = mix(TITLE_RIGHT, WHITE, 0.35 if state == "Disabled" else 0.9)
            mark(cv, colour if state in ("Normal", "Disabled") else WHITE)
            pictures["%s%s.bmp" % (name[3:], state)] = cv
    return pictures


NAV_ICONS = {"Overview": icon_dashboard, "Scan": icon_magnifier, "Settings": icon_gear,
             "Restore": icon_restore}


def nav_buttons():
    """The page buttons of the side column; the disabled state marks the page shown."""
    _, _, w, h, _ = NAV
    pictures = {}
    for name, icon in NAV_ICONS.items():
        for state in ("Normal", "On", "Down", "Disabled"):
            cv = Canvas(w, h, SIDEBAR)
            colour = TEXT_MUTED
            if state == "On":
                cv.round_rect(0, 0, w, h, 6, rgb("#DDE5EC"))
                colour = TEXT
            elif state == "Down":
                cv.round_rect(0, 0, w, h, 6, rgb("#D0DAE3"))
                colour = TEXT
            elif state == "Disabled":
                cv.framed_rect(0, 0, w, h, 6, CARD_LINE, WHITE)
                cv.round_rect(5, 10, 3, 20, 1.5, ACCENT)
                colour = ACCENT
            icon(cv, 16, 10, 20, colour)
            pictures["Nav%s%s.bmp" % (name, state)] = cv
    return pictures


def tabs():
    """The tab row of a page; the disabled state is the sub-page shown, open to the card below."""
    _, _, w, h, _ = TAB
    fills = {"Normal": rgb("#E2E8EE"), "On": rgb("#D7DFE7"), "Down": rgb("#CCD6E0")}
    pictures = {}
    for state in ("Normal", "On", "Down", "Disabled"):
        cv = Canvas(w, h, PAGE)
        if state == "Disabled":
            cv.round_rect(0, 0, w, h, 0, ACCENT, radii=(6, 6, 0, 0))
            cv.fill_rect(0, 3, w, h, WHITE)
        else:
            cv.round_rect(0, 0, w, h, 0, fills[state], radii=(6, 6, 0, 0))
        pictures["Tab%s.bmp" % state] = cv
    return pictures


def action_buttons():
    """Buttons on the white cards: the page's main action and the others beside it."""
    styles = {
        "Primary": {"Normal": (ACCENT, rgb("#CDEBE6")), "On": (ACCENT_DARK, rgb("#BEE4DD")),
                    "Down": (ACCENT_DARK, rgb("#AEDBD3")),
                    "Disabled": (rgb("#D3DAE0"), rgb("#EEF1F4"))},
        "Button": {"Normal": (rgb("#C5CFD8"), WHITE), "On": (rgb("#AAB6C2"), rgb("#F3F6F9")),
                   "Down": (rgb("#AAB6C2"), rgb("#E5EAEF")),
                   "Disabled": (rgb("#DEE3E8"), rgb("#F6F7F9"))},
    }
    pictures = {}
    for style, states in styles.items():
        for state, (border, fill) in states.items():
            cv = Canvas(ACTION_W, ACTION_H, WHITE)
            cv.framed_rect(0, 0, ACTION_W, ACTION_H, 6, border, fill)
            pictures["%s%s.bmp" % (style, state)] = cv
    return pictures


TILE_ICONS = {"StartScan": icon_magnifier, "DefragRegistry": icon_blocks, "Settings": icon_gear}


def tile_buttons():
    """The overview's three shortcut buttons, on the page colour."""
    _, _, w, h, _ = TILE
    pictures = {}
    for name, icon in TILE_ICONS.items():
        main = name == "StartScan"
        for state in ("Normal", "On", "Down", "Disabled"):
            border, fill = {"Normal": (CARD_LINE, WHITE), "On": (ACCENT_MID, rgb("#F7FBFA")),
                            "Down": (ACCENT, ACCENT_LIGHT),
                            "Disabled": (CARD_LINE, rgb("#F5F7F9"))}[state]
            cv = Canvas(w, h, PAGE)
            cv.framed_rect(0, 0, w, h, 8, border, fill)
            if state == "Disabled":
                disc, colour = rgb("#E6EAEE"), GREY_ICON
            elif main:
                disc, colour = ACCENT, WHITE
            else:
                disc, colour = ACCENT_LIGHT, ACCENT
            cv.circle(36, h / 2, 18, disc)
            icon(cv, 26, h / 2 - 10, 20, colour)
            pictures["Tile%s%s.bmp" % (name, state)] = cv
    return pictures


def overview_page():
    """The overview page: the card of the four last dates and the card of the totals."""
    cv = Canvas(PAGE_W, PAGE_H, PAGE)
    x, y, w, h = STATUS_CARD
    cv.framed_rect(x, y, w, h, 8, CARD_LINE, WHITE)
    for row in range(1, 4):
        cv.fill_rect(x + 16, y + row * STATUS_ROW_H, x + w - 16, y + row * STATUS_ROW_H + 1,
                     ROW_LINE)
    rows = [(ACCENT_LIGHT, icon_magnifier, ACCENT), (RED_LIGHT, icon_warning, RED),
            (ACCENT_LIGHT, icon_blocks, ACCENT), (ACCENT_LIGHT, icon_archive, ACCENT)]
    for row, (disc, icon, colour) in enumerate(rows):
        cy = y + row * STATUS_ROW_H + STATUS_ROW_H / 2
        cv.circle(56, cy, 16, disc)
        icon(cv, 46, cy - 10, 20, colour)
    x, y, w, h = TOTALS_CARD
    cv.framed_rect(x, y, w, h, 8, CARD_LINE, WHITE)
    cv.circle(56, y + h / 2, 18, ACCENT_LIGHT)
    icon_chart(cv, 46, y + h / 2 - 10, 20, ACCENT)
    return cv


def state_icons():
    """The progress page's category marks: done, and being scanned (blinking)."""
    done = Canvas(16, 16, WHITE)
    icon_check(done, 0, 0, 16, ACCENT)
    busy = Canvas(16, 16, WHITE)
    icon_busy(busy, 0, 0, 16, AMBER)
    return {"ScanDone.bmp": done, "ScanBusy.bmp": busy}


def selected_row_picture():
    """Shown in place of the icons on the focused row of the results list."""
    cv = Canvas(40, 40, ACCENT_LIGHT)
    cv.circle(20, 20, 16, WHITE)
    cv.ring(20, 20, 15.5, 1.2, rgb("#F1C4BE"))
    icon_warning(cv, 10, 10, 20, RED)
    return cv


def splash():
    """The start-up picture, 482 x 243; the copyright notice is written over its lower right."""
    w, h = 482, 243
    cv = Canvas(w, h, rgb("#F4F7F9"))
    band = 128
    cv.fill_rect(0, 0, w, band, horizontal_gradient(TITLE_LEFT, TITLE_RIGHT, 0, w))
    cv.fill_rect(0, band, w, band + 3, ACCENT)
    holvane_mark(cv, 32, 36, 56)
    draw_text(cv, 106, 78, "Holvane", 30, 4.0, WHITE)
    draw_text(cv, 108, 104, "Registry Cleaner", 11, 1.5, TITLE_SUBTEXT)
    draw_text(cv, 32, 186, "Scan \u00b7 Repair \u00b7 Restore", 8, 1.25, TEXT_MUTED)
    frame(cv, WINDOW_BORDER)
    return cv


def frame(cv, colour):
    cv.fill_rect(0, 0, cv.width, 1, colour)
    cv.fill_rect(0, cv.height - 1, cv.width, cv.height, colour)
    cv.fill_rect(0, 0, 1, cv.height, colour)
    cv.fill_rect(cv.width - 1, 0, cv.width, cv.height, colour)


def defrag_progress():
    """The defragmentation tool's progress window, 391 x 183, with white texts on it and
    a groove for the growing bar at 105, 107 (180 x 16)."""
    w, h = 391, 183
    cv = Canvas(w, h)
    cv.fill_rect(0, 0, w, h, vertical_gradient(TITLE_RIGHT, TITLE_LEFT, 0, h))
    sundrel_mark(cv, 18, 16, 24)
    cv.fill_rect(20, 52, w - 20, 53, rgb("#2C5A66"))
    cv.framed_rect(101, 103, 188, 24, 4, rgb("#38626C"), rgb("#0F2A35"))
    frame(cv, rgb("#0E232C"))
    return cv


def defrag_bar():
    """The bar the tool widens step by step, 180 x 16."""
    cv = Canvas(180, 16)
    cv.fill_rect(0, 0, 180, 16, vertical_gradient(rgb("#49C6B5"), ACCENT, 0, 16))
    for start in range(-16, 180, 12):
        cv.polygon([(start, 16), (start + 6, 16), (start + 22, 0), (start + 16, 0)], WHITE, 0.12)
    return cv


def on_mask_colour(cv):
    """An opaque copy of a drawing with transparent parts: fuchsia where it is mostly
    transparent, else its colour over white, so no edge pixel is a tint of fuchsia."""
    out = Canvas(cv.width, cv.height, FUCHSIA)
    for y in range(cv.height):
        for x in range(cv.width):
            i = (y * cv.width + x) * 4
            if cv.pixels[i + 3] >= 128:
                out.blend(x, y, mix(WHITE, cv.get(x, y), cv.pixels[i + 3] / 255.0), 1.0)
    return out


def image_list_pictures():
    """Images for the programs' image lists, on fuchsia (the list's mask colour)."""
    rescue = Canvas(32, 32, WHITE, alpha=0)
    rescue.circle(16, 16, 14.5, ACCENT_LIGHT)
    icon_restore(rescue, 4, 4, 24, ACCENT)
    entry = Canvas(16, 16, WHITE, alpha=0)
    entry.round_rect(1, 1, 14, 14, 3, RED_LIGHT)
    icon_warning(entry, 1, 1, 14, RED)
    return {"RescueItem.bmp": on_mask_colour(rescue), "ResultEntry.bmp": on_mask_colour(entry)}


# ---------------------------------------------------------------------------
# File formats

def bmp_bytes(cv):
    """A bottom-up 24-bit BMP; rows padded to four bytes."""
    row_size = (cv.width * 3 + 3) & ~3
    data = bytearray()
    for y in range(cv.height - 1, -1, -1):
        i = y * cv.width * 4
        row = bytearray(row_size)
        for x in range(cv.width):
            r, g, b = cv.pixels[i + x * 4:i + x * 4 + 3]
            row[x * 3:x * 3 + 3] = bytes((b, g, r))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, cv.width, cv.height, 1, 24, 0, len(data),
                       2835, 2835, 0, 0)
    return header + info + bytes(data)


def ico_bytes(canvases):
    """An icon file holding one 32-bit image (with its mask) per canvas."""
    images = []
    for cv in canvases:
        s = cv.width
        xor = bytearray()
        mask = bytearray()
        mask_row = ((s + 31) // 32) * 4
        for y in range(s - 1, -1, -1):
            bits = bytearray(mask_row)
            for x in range(s):
                i = (y * s + x) * 4
                r, g, b, a = cv.pixels[i:i + 4]
                xor += bytes((b, g, r, a))
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, s, 2 * s, 1, 32, 0, len(xor) + len(mask),
                           0, 0, 0, 0)
        images.append(info + bytes(xor) + bytes(mask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for cv, image in zip(canvases, images):
        out += struct.pack("<BBBBHHII", cv.width % 256, cv.height % 256, 0, 0, 1, 32,
                           len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def png_bytes(cv):
    raw = b"".join(b"\0" + bytes(cv.pixels[y * cv.width * 4:(y + 1) * cv.width * 4])
                   for y in range(cv.height))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", cv.width, cv.height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------
# The skin file

def colour_value(c):
    """A skin colour: "$" and the hexadecimal $00BBGGRR value."""
    return "$%02X%02X%02X" % (c[2], c[1], c[0])


class SkinWriter:
    def __init__(self):
        self.lines = []

    def comment(self, text=""):
        self.lines.append(("; " + text).rstrip())

    def key(self, key, value):
        self.lines.append("%s=%s" % (key, value))

    def font(self, base, size=8, colour=TEXT, style="", group="_FONT"):
        self.key(base + group + "_CHARSET", 1)
        self.key(base + group + "_COLOR", colour_value(colour))
        self.key(base + group + "_NAME", "Tahoma")
        self.key(base + group + "_PITCH", 0)
        self.key(base + group + "_SIZE", size)
        self.key(base + group + "_STYLE", style)

    def bounds(self, base, x, y, w, h):
        # Zero is "keep the form's value" to the loader, so zeros are not written.
        for suffix, value in (("_LEFT", x), ("_TOP", y), ("_WIDTH", w), ("_HEIGHT", h)):
            if value:
                self.key(base + suffix, value)

    def panel(self, name, w, h, colour, picture=None):
        base = "IMAGEPANEL_" + name
        self.key(base + "_AUTOSIZE", 0)
        self.key(base + "_TRANSPARENT", 0)
        self.key(base + "_COLOR", colour_value(colour))
        self.key(base + "_BORDERWIDTH", 0)
        self.font(base)
        if picture:
            self.key(base + "_BMP", picture)
        self.bounds(base, 0, 0, w, h)

    def page_control(self, name, x, y, w, h):
        base = "PAGECONTROLEX_" + name
        self.font(base)
        self.bounds(base, x, y, w, h)

    def button(self, name, pictures, x, y, w, h, size=8, style="", colour=TEXT):
        base = "PicButton_" + name
        self.font(base, size, colour, style)
        for suffix, state in (("_NORMALBMP", "Normal"), ("_ONBMP", "On"), ("_DOWNBMP", "Down"),
                              ("_DISABLEDBMP", "Disabled")):
            self.key(base + suffix, "%s%s.bmp" % (pictures, state))
        self.bounds(base, x, y, w, h)

    def label(self, name, x, y, w, h, size=8, colour=TEXT, style="", link=False):
        base = "LABEL_" + name
        self.key(base + "_AUTOSIZE", 0)
        self.key(base + "_TRANSPARENT", 1)
        if link:
            self.key(base + "_CURSOR", -21)     # crHandPoint: the label opens a link
        self.font(base, size, ACCENT if link else colour, "U" if link else style)
        self.bounds(base, x, y, w, h)

    def check_box(self, name, x, y, w, h, style=""):
        base = "KITCHECKBOX_" + name
        self.key(base + "_COLOR", colour_value(WHITE))
        self.key(base + "_TRANSPARENT", 1)
        self.font(base, 8, TEXT, style)
        self.bounds(base, x, y, w, h)

    def image(self, name, x, y, w, h, picture=None, visible=True):
        base = "IMAGE_" + name
        self.key(base + "_AUTOSIZE", 1)
        self.key(base + "_TRANSPARENT", 0)
        if picture:
            self.key(base + "_BMP", picture)
        self.bounds(base, x, y, w, h)
        if not visible:
            self.key(base + "_VISIBLE", 0)

    def text(self):
        return "\r\n".join(self.lines) + "\r\n"


def action_row(skin, *buttons):
    """Buttons along the bottom right of a card, the main one rightmost."""
    x = ACTION_RIGHT
    for name, style in reversed(buttons):
        skin.button(name, style, x, ACTION_Y, ACTION_W, ACTION_H, 8,
                    "B" if style == "Primary" else "")
        x -= ACTION_W + 6


def tab_row(skin, *names):
    x, y, w, h, step = TAB
    for i, name in enumerate(names):
        skin.button(name, "Tab", x + i * step, y, w, h)


def tabbed_page(skin, comment, panel, page_control, *tabs):
    """A page holding a tab row and, below it, a control of sub-pages."""
    skin.comment()
    skin.comment(comment)
    skin.panel(panel, PAGE_W, PAGE_H, PAGE)
    tab_row(skin, *tabs)
    skin.page_control(page_control, *SUB)


def sub_page(skin, comment, panel, title):
    """A sub-page: a white card with its title label at the top."""
    skin.comment()
    skin.comment(comment)
    skin.panel(panel, SUB_W, SUB_H, WHITE)
    skin.label(title, 24, 20, 620, 24, 12, TEXT, "B")


def write_main_window(skin):
    skin.comment("Main window, design size 914 x 625. Positions are relative to the")
    skin.comment("control's parent, as noted before each group:")
    skin.comment("  form: WindowSkin, the caption and page buttons, ImagePanelMain")
    skin.comment("  ImagePanelMain (190, 48): PageControlExMain at (0, 0)")
    skin.comment("  each page: a TImagePanel filling it, holding the page's controls")
    skin.comment("  ImagePanelRegistryScan, ImagePanelSettings, ImagePanelRestore: tab row")
    skin.comment("    and the sub-page control at (%d, %d), %d x %d" % SUB)
    skin.comment("Captions come from the language file; this skin sets none of them.")
    skin.comment()
    skin.key("Splash", "Splash.bmp")
    skin.comment()
    skin.comment("Window outline and face; fuchsia corners are cut away.")
    skin.key("WINDOWSKIN_WindowSkin_BMP", "Window.bmp")
    skin.key("WINDOWSKIN_WindowSkin_LEFT", 0)
    skin.key("WINDOWSKIN_WindowSkin_TOP", 0)
    skin.key("WINDOWSKIN_WindowSkin_TRANSPARENTCOLOR", "clFuchsia")
    skin.comment()
    skin.comment("Caption buttons (form).")
    for name, hint in (("btnMin", "Minimize"), ("btnHelp", "Help"), ("btnClose", "Close")):
        skin.button(name, name[3:], CAPTION_X[name], CAPTION_Y, CAPTION_BUTTON, CAPTION_BUTTON)
        skin.key("PicButton_%s_HINT" % name, hint)
        skin.key("PicButton_%s_SHOWHINT" % name, 1)
    skin.comment()
    skin.comment("Page buttons in the side column (form); disabled marks the page shown.")
    x, y, w, h, step = NAV
    for i, (name, icon) in enumerate((("btnTopOverview", "Overview"),
                                      ("btnTopRegistryScan", "Scan"),
                                      ("btnTopSettings", "Settings"),
                                      ("btnTopRestore", "Restore"))):
        skin.button(name, "Nav" + icon, x, y + i * step, w, h, 9, "B")
    skin.comment()
    skin.comment("Page area (form) and the top page control (ImagePanelMain).")
    skin.key("IMAGEPANEL_ImagePanelMain_LEFT", CONTENT[0])
    skin.key("IMAGEPANEL_ImagePanelMain_TOP", CONTENT[1])
    skin.panel("ImagePanelMain", PAGE_W, PAGE_H, PAGE)
    skin.page_control("PageControlExMain", 0, 0, PAGE_W, PAGE_H)
    write_overview(skin)
    write_scan_pages(skin)
    write_settings_pages(skin)
    write_restore_pages(skin)
    write_about_page(skin)


def write_overview(skin):
    skin.comment()
    skin.comment("Page 0, Overview: ImagePanelOverview.")
    skin.panel("ImagePanelOverview", PAGE_W, PAGE_H, PAGE, "Overview.bmp")
    skin.label("labSystemOverview", 24, 18, 620, 26, 14, TEXT, "B")
    skin.label("labInRed", 24, 50, 620, 16, 8, TEXT_MUTED)
    x, y, w, _ = STATUS_CARD
    rows = (("labLastScan", "labLastScanDetail"), ("labScanResults", "labScanResultsDetail"),
            ("labLastRegistryDefrag", "labLastRegistryDefragDetail"),
            ("labRegistryBackup", "labRegistryBackupDetail"))
    for i, (caption, detail) in enumerate(rows):
        top = y + i * STATUS_ROW_H + 20
        skin.label(caption, 88, top, 200, 16, 9, TEXT, "B")
        if detail == "labScanResultsDetail":
            skin.label(detail, 300, top, x + w - 316, 16, 9, RED, "B")
        else:
            skin.label(detail, 300, top, x + w - 316, 16, 9, TEXT_MUTED)
    _, y, _, _ = TOTALS_CARD
    skin.label("labInvalidRegistryEntriesFound", 88, y + 18, 580, 16, 9, TEXT)
    skin.label("labRegistryErrorFixed", 88, y + 48, 580, 16, 9, TEXT)
    x, y, w, h, step = TILE
    for i, name in enumerate(("StartScan", "DefragRegistry", "Settings")):
        skin.button("btn" + name, "Tile" + name, x + i * step, y, w, h, 9, "B")


def write_scan_pages(skin):
    tabbed_page(skin, "Page 1, Scan: ImagePanelRegistryScan with its tab row and sub-pages.",
                "ImagePanelRegistryScan", "PageControlExRegistryScan", "btnRegistryScanScan",
                "btnRegistryScanResults", "btnRegistryDefrag")
    sub_page(skin, "Scan sub-page 0, choosing the categories: ImagePanelRegistryScanScan.",
             "ImagePanelRegistryScanScan", "labRegistryScan")
    skin.label("labScanLastScan", 24, 54, 90, 16, 8, TEXT, "B")
    skin.label("labScanLastScanDateTimeDetail", 114, 54, 500, 16, 8, TEXT_MUTED)
    skin.label("labScanLastScanFoundFixDetail", 24, 74, 590, 16, 8, TEXT_MUTED)
    skin.label("LabelPleaseSelect", 24, 112, 590, 16, 8, TEXT, "B")
    skin.check_box("CheckBoxComplete", 24, 138, 300, 20, "B")
    boxes = ("COM", "ApplicationPaths", "FileTypes", "Fonts", "HelpFiles", "HistoryLists",
             "SharedFiles", "Shortcuts", "Software", "Sounds", "Startup", "StartMenu")
    for i, name in enumerate(boxes):
        skin.check_box("CheckBox" + name, 48 + (i // 6) * 300, 170 + (i % 6) * 28, 260, 20)
    action_row(skin, ("btnStartScanNow", "Primary"))

    sub_page(skin, "Scan sub-page 1, results: ImagePanelRegistryScanResults.",
             "ImagePanelRegistryScanResults", "LabelScanResult")
    write_results_tree(skin)
    skin.label("LabelCheckAll", 24, ACTION_Y + 10, 80, 16, link=True)
    skin.label("LabelUncheckAll", 110, ACTION_Y + 10, 90, 16, link=True)
    action_row(skin, ("btnCreateBackup", "Button"), ("btnRepairRegistry", "Primary"))

    sub_page(skin, "Scan sub-page 2, registry defragmentation: ImagePanelRegistryScanDefrag.",
             "ImagePanelRegistryScanDefrag", "labRegistryDefrag")
    skin.label("labRegistryDefragDetail", 24, 56, 628, 80, 9, TEXT)
    skin.label("LabelLastDefrag", 24, 150, 90, 16, 8, TEXT, "B")
    skin.label("labRegistryDefragLastTimeDetail", 114, 150, 500, 16, 8, TEXT_MUTED)
    action_row(skin, ("btnDefagRegistry", "Primary"))

    sub_page(skin, "Scan sub-page 3, progress: ImagePanelRegistryScanPross.",
             "ImagePanelRegistryScanPross", "LabelScanning")
    skin.label("LabelErrorFound", 24, 52, 590, 16, 8, RED, "B")
    base = "KITPROGRESSBAR_ProgressBarRegistryScan"
    skin.font(base, 8, TEXT, "B")
    skin.bounds(base, 24, 80, 628, 22)
    skin.label("LabelFenwarpStatus", 24, 110, 628, 16, 8, TEXT_MUTED)
    categories = (("COM", "LabelActiveX"), ("ApplicationPaths", "LabelAppPaths"),
                  ("FileTypes", "LabelFileTypes"), ("Fonts", "LableFonts"),
                  ("HelpFiles", "LableHelpFiles"), ("HistoryLists", "LabelHistoryLists"),
                  ("SharedFiles", "LabelSharedFiles"), ("Shortcuts", "LabelShortcuts"),
                  ("Software", "LabelSoftware"), ("Sounds", "LabelSounds"),
                  ("Startup", "LabelStartup"), ("StartMenu", "LabelStartMenu"))
    for i, (icon, label) in enumerate(categories):
        x, y = 48 + (i // 6) * 300, 150 + (i % 6) * 30
        skin.image("ResultIcon" + icon, x, y, 16, 16)
        skin.label(label, x + 26, y + 1, 220, 16)
    skin.comment("The two pictures the result icons borrow; never shown themselves.")
    skin.image("ImageProessing", 0, 0, 16, 16, "ScanBusy.bmp", visible=False)
    skin.image("ImageV", 0, 0, 16, 16, "ScanDone.bmp", visible=False)
    action_row(skin, ("ButtonStopScan", "Button"))


def write_results_tree(skin):
    base = "VIRTUALSTRINGTREE_VT"
    skin.key(base + "_SHOWDESCRIPTION", 1)
    skin.key(base + "_DEFAULTNODEHEIGHT", 30)
    skin.key(base + "_SELECTEDPICTUREBMP", "SelectedRow.bmp")
    skin.key(base + "_MARGIN", 4)
    skin.key(base + "_TEXTMARGIN", 4)
    skin.font(base, 8, TEXT)
    skin.font(base, 8, TEXT, "B", "_SELECTEDFONT")
    skin.font(base, 8, TEXT_MUTED, "", "_SELECTEDDESCFONT")
    skin.key(base + "_COLOR", colour_value(WHITE))
    # The focused row is marked by its height, picture, bold caption and
    # description; a selection colour would cover the caption's width only.
    colours = (("BORDERCOLOR", CARD_LINE), ("DISABLEDCOLOR", GREY_ICON),
               ("DROPMARKCOLOR", ACCENT), ("DROPTARGETCOLOR", ACCENT_LIGHT),
               ("DROPTARGETBORDERCOLOR", ACCENT), ("FOCUSEDSELECTIONCOLOR", WHITE),
               ("FOCUSEDSELECTIONBORDERCOLOR", WHITE), ("GRIDLINECOLOR", ROW_LINE),
               ("HEADERHOTCOLOR", ACCENT_DARK), ("HOTCOLOR", ACCENT_DARK),
               ("SELECTIONRECTANGLEBLENDCOLOR", ACCENT),
               ("SELECTIONRECTANGLEBORDERCOLOR", ACCENT_DARK),
               ("TREELINECOLOR", rgb("#C8D0D8")), ("UNFOCUSEDSELECTIONCOLOR", WHITE),
               ("UNFOCUSEDSELECTIONBORDERCOLOR", WHITE))
    for name, colour in colours:
        skin.key(base + "_COLORS_" + name, colour_value(colour))
    skin.bounds(base, 24, 56, 628, 370)


def write_settings_pages(skin):
    tabbed_page(skin, "Page 2, Settings: ImagePanelSettings with its tab and sub-page.",
                "ImagePanelSettings", "PageControlExSettings", "btnSettingsGeneral")
    sub_page(skin, "Settings sub-page 0, general: ImagePanelSettingsGeneral.",
             "ImagePanelSettingsGeneral", "labSettingsGeneralSettings")
    for i, name in enumerate(("chkSettingsStartWhenSystemBoos", "chkSettingsStartScanWhenStarts",
                              "chkSettingsStartMin", "chkSettingsConfirmBackup")):
        skin.check_box(name, 24, 64 + i * 32, 600, 20)
    action_row(skin, ("btnDefault", "Button"), ("btnApply", "Primary"))


def write_restore_pages(skin):
    tabbed_page(skin, "Page 3, Restore: ImagePanelRestore with its tab and sub-page.",
                "ImagePanelRestore", "PageControlExTabSheetRestoreRegistry",
                "btnTabSheetRestoreRegistry")
    sub_page(skin, "Restore sub-page 0, the rescue items: ImagePanelRestoreRegistry.",
             "ImagePanelRestoreRegistry", "labTabSheetRestoreRegistry")
    skin.label("labTabSheetRestoreRegistryDetail", 24, 56, 628, 64, 8, TEXT)
    base = "LISTVIEW_ListViewRescueItem"
    skin.key(base + "_COLOR", colour_value(WHITE))
    skin.font(base, 8, TEXT)
    skin.bounds(base, 24, 130, 628, 296)
    action_row(skin, ("btnDeleteRestore", "Button"), ("btnRestoreBackup", "Primary"))


def write_about_page(skin):
    skin.comment()
    skin.comment("Page 4, About: ImagePanelOtherInfo. Its tab button does nothing and")
    skin.comment("the page has no sub-pages, so the tab is hidden.")
    skin.panel("ImagePanelOtherInfo", PAGE_W, PAGE_H, PAGE)
    skin.key("PicButton_btnTabSheetAbout_VISIBLE", 0)
    skin.label("labAppName", 24, 24, 620, 32, 18, TEXT, "B")
    skin.label("labAppVersion", 24, 64, 620, 16, 8, TEXT_MUTED)
    skin.label("labCopyright", 24, 86, 620, 16, 8, TEXT)
    skin.label("labHomePage", 24, 124, 400, 16, link=True)
    skin.label("labSupportMail", 24, 146, 400, 16, link=True)
    skin.label("labGUIBy", 24, 184, 110, 16, 8, TEXT_MUTED)
    skin.label("labOstrel", 134, 184, 300, 16, link=True)
    skin.label("labCopyRightWarning", 24, 500, 668, 48, 8, TEXT_MUTED)


def write_defrag_tool(skin):
    skin.lines.append("[Sundrel]")
    skin.comment("The defragmentation tool's progress window: placement (left, top, width,")
    skin.comment("height) and picture. The picture is 391 x 183; its groove holds the bar.")
    skin.key("Flag", 1)
    skin.key("SK_PROGRESS_Pos", "0, 0, 391, 183")
    skin.key("SK_PROGRESS_PicBackGround", "imgProgress.bmp")


def skin_file():
    skin = SkinWriter()
    skin.comment("Holvane default skin, written by assets/make_pictures.py: change it there.")
    skin.comment("Keys: class prefix + control name + property; colours are $BBGGRR;")
    skin.comment("pictures are file names in this folder.")
    skin.lines.append("")
    skin.lines.append("[FORMMAIN]")
    write_main_window(skin)
    skin.lines.append("")
    write_defrag_tool(skin)
    return skin.text()


# ---------------------------------------------------------------------------

def icon_set(mark):
    sizes = []
    for s in (16, 32, 48):
        cv = Canvas(s, s, WHITE, alpha=0)
        mark(cv, 0, 0, s)
        sizes.append(cv)
    return sizes


def main(argv):
    preview = argv[argv.index("--preview") + 1] if "--preview" in argv else None
    glyph = window_glyph()
    skins = {"Window.bmp": glyph, "Overview.bmp": overview_page(), "Splash.bmp": splash(),
             "SelectedRow.bmp": selected_row_picture(), "imgProgress.bmp": defrag_progress()}
    for made in (caption_buttons(glyph), nav_buttons(), tabs(), action_buttons(),
                 tile_buttons(), state_icons()):
        skins.update(made)
    outputs = {os.path.join("Skins", name): cv for name, cv in skins.items()}
    outputs[os.path.join("resources", "SundrelBar.bmp")] = defrag_bar()
    for name, cv in image_list_pictures().items():
        outputs[os.path.join("resources", name)] = cv
    icons = {"Holvane.ico": icon_set(holvane_mark), "Sundrel.ico": icon_set(sundrel_mark)}

    for folder in ("Skins", "resources", "icons"):
        os.makedirs(os.path.join(HERE, folder), exist_ok=True)
    for path, cv in outputs.items():
        with open(os.path.join(HERE, path), "wb") as out:
            out.write(bmp_bytes(cv))
    for name, sizes in icons.items():
        with open(os.path.join(HERE, "icons", name), "wb") as out:
            out.write(ico_bytes(sizes))
    with open(os.path.join(HERE, "Skins", "Default.ini"), "w", newline="") as out:
        out.write(skin_file())

    if preview:
        os.makedirs(preview, exist_ok=True)
        for path, cv in outputs.items():
            with open(os.path.join(preview, os.path.basename(path)[:-4] + ".png"), "wb") as out:
                out.write(png_bytes(cv))
        for name, sizes in icons.items():
            for cv in sizes:
                target = os.path.join(preview, "%s-%d.png" % (name[:-4], cv.width))
                with open(target, "wb") as out:
                    out.write(png_bytes(cv))


if __name__ == "__main__":
    main(sys.argv[1:])
