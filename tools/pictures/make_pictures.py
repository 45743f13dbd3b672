#!/usr/bin/env python3
"""Draws the shapes' three built-in pictures and records their check values.

    tools/pictures/make_pictures.py          writes resources/{banner,orlogo,yinyang}.bmp
                                              and effects/picture_checks.inc

Each picture is an 8-bit, uncompressed, bottom-up BMP with a 40-byte BITMAPINFOHEADER and a
black background. The saver turns every non-black pixel into one particle (at most 1000),
spreads the columns over the picture's shown width (BANNER 3500 model units, ORLOGO 3000,
YINYANG 2400) and uses each colour-table entry unchanged as a 0x00BBGGRR colour: the RGBQUAD's
blue byte shows as red. The table is written accordingly, so the colours below are the ones
seen on the screen (a normal image viewer shows the .bmp files with red and blue swapped).

After changing a picture, run this script and commit the .bmp files together with
effects/picture_checks.inc: the saver refuses a picture whose size or CRC-32 differs from the
recorded one. Python 3 standard library only.
"""

import binascii
import math
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MAX_PARTICLES = 1000


class Canvas:
    """Colour indices, row 0 at the top; index 0 is the black background."""

    def __init__(self, width, height, colours):
        self.width = width
        self.height = height
        self.colours = [(0, 0, 0)] + list(colours)  # (red, green, blue) as shown on screen
        self.rows = [[0] * width for _ in range(height)]

    def set(self, x, y, index):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = index

    def get(self, x, y):
        return self.rows[y][x]

    def lit(self):
        return sum(1 for row in self.rows for v in row if v)

    def bmp(self):
        stride = (self.width + 3) // 4 * 4
        table = b"".join(struct.pack("<BBBB", r, g, b, 0) for r, g, b in self.colours)
        pixels = b"".join(bytes(row) + bytes(stride - self.width) for row in reversed(self.rows))
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 8, 0, len(pixels),
                           2835, 2835, len(self.colours), 0)
        offset = 14 + len(info) + len(table)
        head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
        return head + info + table + pixels


# A bold pixel font, 8 columns by 11 rows, strokes two pixels wide, drawn letter beside letter.
FONT_LETTERS = "ORVESAN"
FONT_ROWS = """
..####..  ######..  ##....##  ########  .######.  ..####..  ##....##
.######.  #######.  ##....##  ########  ########  .######.  ###...##
###..###  ##...###  ##....##  ##......  ##......  ###..###  ####..##
##....##  ##....##  ##....##  ##......  ###.....  ##....##  ####..##
##....##  ##...###  ###..###  ######..  .######.  ##....##  ##.##.##
##....##  #######.  .##..##.  ######..  ..######  ########  ##.##.##
##....##  ######..  .##..##.  ##......  .....###  ########  ##..####
##....##  ##..###.  .######.  ##......  ......##  ##....##  ##..####
###..###  ##...###  ..####..  ##......  ......##  ##....##  ##...###
.######.  ##....##  ..####..  ########  ########  ##....##  ##....##
..####..  ##....##  ...##...  ########  .######.  ##....##  ##....##
"""
FONT = {
    letter: [row.split()[i] for row in FONT_ROWS.strip("\n").split("\n")]
    for i, letter in enumerate(FONT_LETTERS)
}


def banner():
    """The product's name in bold letters, gold above and amber below."""
    text = "ORVESSAN"
    gap = 2
    width = len(text) * 8 + (len(text) - 1) * gap + 2
    c = Canvas(width, 13, [(255, 222, 110), (255, 160, 50)])
    gold, amber = 1, 2
    for n, letter in enumerate(text):
        left = 1 + n * (8 + gap)
        for y, line in enumerate(FONT[letter]):
            for x, mark in enumerate(line):
                if mark == "#":
                    c.set(left + x, 1 + y, gold if y < 6 else amber)
    return c


def turn(o, a, b):
    """Twice the signed area of the triangle o, a, b: its sign tells which way the path from o
    through a to b turns, and it is 0 when the three lie on a line."""
    return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])


def inside_star(point, centre, corners):
    """Whether point lies inside a star whose whole outline can be seen from its centre: the
    point is inside when the edge of the wedge that holds it leaves it on the centre's side."""
    for a, b in zip(corners, corners[1:] + corners[:1]):
        way = turn(centre, a, b)
        if turn(centre, a, point) * way >= 0 and turn(centre, point, b) * way >= 0:
            return turn(a, b, point) * turn(a, b, centre) >= 0
    return False


def orlogo():
    """The maker's emblem: a five-pointed golden star inside a ring, white on its inner rim."""
    size = 52
    c = Canvas(size, size, [(110, 175, 255), (215, 230, 255), (255, 205, 60)])
    blue, ice, gold = 1, 2, 3
    centre = (size - 1) / 2
    star = []
    for k in range(10):
        angle = math.pi / 2 + k * math.pi / 5
        r = 14.5 if k % 2 == 0 else 6.0
        star.append((centre + r * math.cos(angle), centre - r * math.sin(angle) + 1))
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - centre, y - centre)
            if 23.0 <= d < 25.5:
                c.set(x, y, blue)
            elif 21.0 <= d < 23.0:
                c.set(x, y, ice)
            elif inside_star((x, y), (centre, centre + 1), star):
                c.set(x, y, gold)
    return c


def yinyang():
    """Two interlocking teardrops, each holding a dot of the other's colour: white and red.
    The halves are filled in a checkerboard (a denser outline for the same particle count)."""
    size = 44
    c = Canvas(size, size, [(255, 255, 255), (255, 90, 40)])
    white, red = 1, 2
    centre = (size - 1) / 2
    radius = size / 2 - 0.5
    for y in range(size):
        for x in range(size):
            dx, dy = x - centre, y - centre
            d = math.hypot(dx, dy)
            if d > radius:
                continue
            # The white half is the left one, swelling into the right half at the top.
            upper = math.hypot(dx, dy + radius / 2)
            lower = math.hypot(dx, dy - radius / 2)
            colour = white if dx < 0 else red
            if upper < radius / 2:
                colour = white
            if lower < radius / 2:
                colour = red
            dot = upper < radius / 5.5 or lower < radius / 5.5
            if upper < radius / 5.5:
                colour = red
            if lower < radius / 5.5:
                colour = white
            edge = d > radius - 1.2
            if edge or dot or (x + y) % 2 == 0:
                c.set(x, y, colour)
    return c


PICTURES = [("BANNER", "banner.bmp", banner), ("ORLOGO", "orlogo.bmp", orlogo),
            ("YINYANG", "yinyang.bmp", yinyang)]


def main():
    checks = []
    for name, filename, draw in PICTURES:
        canvas = draw()
        lit = canvas.lit()
        if not 1 <= lit <= MAX_PARTICLES:
            sys.exit(f"{name}: {lit} non-black pixels; 1 to {MAX_PARTICLES} are shown")
        data = canvas.bmp()
        with open(os.path.join(ROOT, "resources", filename), "wb") as out:
            out.write(data)
        stored = data[14:]  # what a BITMAP resource holds: the file without its file header
        checks.append((name, len(stored), binascii.crc32(stored)))
        print(f"{filename}: {canvas.width}x{canvas.height}, {lit} particles")
    with open(os.path.join(ROOT, "effects", "picture_checks.inc"), "w") as out:
        out.write("// Written by tools/pictures/make_pictures.py: each built-in picture's size\n"
                  "// without its 14-byte file header, and the CRC-32 of those bytes.\n")
        for name, size, crc in checks:
            out.write(f'{{"{name}", {size}u, 0x{crc:08X}u}},\n')


if __name__ == "__main__":
    main()
