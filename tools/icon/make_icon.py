#!/usr/bin/env python3
"""Draws the screen saver's icon: 32 x 32 pixels, 16 colours, the standard palette.

On black, a large initial "O" in white shading to silver and grey, lit from the top left, with
short blue, navy, silver and grey streaks flying outward from the centre like stars. Writes the
.ico file (one image of 744 bytes) and, on request, an enlarged PNG to look at.

    make_icon.py OUT.ico [--png PREVIEW.png [--scale N]]
"""

import argparse
import math
import struct
import sys
import zlib

SIZE = 32
# The platform's standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, NAVY, SILVER, GREY, BLUE, WHITE = 0, 4, 7, 8, 12, 15
# From dark to bright: one step darker is how a partly covered edge pixel is drawn.
DARKER = {WHITE: SILVER, SILVER: GREY, GREY: NAVY, BLUE: NAVY, NAVY: BLACK}

CENTRE = 16.0
# The letter: an upright ring, its stroke a little heavier at the sides than at top and bottom.
OUTER = (10.0, 12.5)
INNER = (4.9, 7.9)
LIGHT = (-0.55, -0.83)  # towards the light: up and to the left

# The streaks, each a star flying outward: direction (dx, dy) from the centre, distance of its
# tail and head from the centre (in pixels), and its colours from tail to head.
STREAKS = [
    # Diagonals into the four corners: a far bright star and a nearer dim one.
    ((-1, -1), 12.5, 19.5, [NAVY, NAVY, BLUE, BLUE, SILVER]),
    ((1, -1), 13.0, 18.5, [NAVY, BLUE, BLUE, SILVER]),
    ((1, 1), 12.5, 20.5, [NAVY, NAVY, BLUE, BLUE, BLUE, SILVER]),
    ((-1, 1), 13.0, 17.5, [NAVY, BLUE, BLUE, SILVER]),
    # Shallow ones past the letter's sides.
    ((2, -1), 12.0, 16.5, [GREY, GREY, SILVER]),
    ((-2, 1), 12.0, 17.0, [GREY, GREY, SILVER]),
    ((2, 1), 13.5, 16.0, [NAVY, BLUE]),
    ((-2, -1), 13.0, 16.0, [NAVY, BLUE]),
    # Steep ones past its top and bottom.
    ((1, -2), 13.5, 17.5, [NAVY, BLUE, BLUE]),
    ((-1, 2), 13.5, 17.5, [NAVY, BLUE, BLUE]),
    ((-1, -2), 14.5, 16.5, [GREY, SILVER]),
    ((1, 2), 14.5, 16.5, [GREY, SILVER]),
    # Straight out of the sides.
    ((1, 0), 11.5, 16.0, [NAVY, NAVY, BLUE, BLUE]),
    ((-1, 0), 12.0, 16.0, [NAVY, BLUE, BLUE]),
    # Distant stars seen through the letter's opening.
    ((1, -1), 3.0, 3.0, [NAVY]),
    ((-1, 1), 3.5, 3.5, [NAVY]),
]


def ring_coverage(x, y, samples=4):
    """Share of pixel (x, y) inside the ring, by supersampling."""
    inside = 0
    for i in range(samples):
        for j in range(samples):
            px = x + (i + 0.5) / samples - CENTRE
            py = y + (j + 0.5) / samples - CENTRE
            outer = (px / OUTER[0]) ** 2 + (py / OUTER[1]) ** 2
            inner = (px / INNER[0]) ** 2 + (py / INNER[1]) ** 2
            if outer <= 1.0 and inner > 1.0:
                inside += 1
    return inside / (samples * samples)


def ring_shade(x, y):
    """White towards the light, silver across the middle, grey away from it; the rim of the
    opening is bevelled the other way, so its far side catches the light."""
    px, py = x + 0.5 - CENTRE, y + 0.5 - CENTRE
    gradient = (px * LIGHT[0] + py * LIGHT[1]) / OUTER[0]  # 1 at the top left, -1 opposite
    # Where the pixel lies across the stroke along its ray: 0 at the opening, 1 at the outside.
    outer = math.hypot(px / OUTER[0], py / OUTER[1])
    inner = math.hypot(px / INNER[0], py / INNER[1])
    across = (inner - 1.0) / ((inner - 1.0) + (1.0 - outer))
    if across < 0.28:
        gradient = -0.9 * gradient
    if gradient > 0.15:
        return WHITE
    if gradient > -0.45:
        return SILVER
    return GREY


def draw():
    pixels = [[BLACK] * SIZE for _ in range(SIZE)]
    for (dx, dy), tail, head, colours in STREAKS:
        length = math.hypot(dx, dy)
        ux, uy = dx / length, dy / length
        seen = []
        steps = int((head - tail) * 4) + 1
        for s in range(steps):
            r = tail + (head - tail) * s / max(steps - 1, 1)
            x = math.floor(CENTRE + ux * r)
            y = math.floor(CENTRE + uy * r)
            if (x, y) not in seen and 0 <= x < SIZE and 0 <= y < SIZE:
                seen.append((x, y))
        for k, (x, y) in enumerate(seen):
            pixels[y][x] = colours[min(k * len(colours) // len(seen), len(colours) - 1)]
    for y in range(SIZE):
        for x in range(SIZE):
            coverage = ring_coverage(x, y)
            if coverage >= 0.5:
                pixels[y][x] = ring_shade(x, y)
            elif coverage >= 0.2:
                pixels[y][x] = DARKER[ring_shade(x, y)]
    return pixels


def icon_image(pixels):
    """The icon's device-independent bitmap: header, palette, 4-bit rows bottom-up, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, SIZE * SIZE // 2, 0, 0, 0, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    rows = b"".join(
        bytes((row[x] << 4) | row[x + 1] for x in range(0, SIZE, 2)) for row in reversed(pixels))
    mask = bytes(SIZE * 4)  # one bit per pixel, rows of 4 bytes; all 0: every pixel opaque
    return header + palette + rows + mask


def icon_file(image):
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def png_chunk(kind, payload):
    """One PNG chunk: the payload's length, the chunk's kind, the payload, and the CRC-32 of
    kind and payload."""
    checked = kind + payload
    return struct.pack(">I", len(payload)) + checked + struct.pack(">I", zlib.crc32(checked))


def png_file(pixels, scale):
    """The picture enlarged scale times, as an RGB PNG: each row of pixels becomes scale
    scanlines without filtering (a 0 byte in front of each)."""
    scanlines = []
    for row in pixels:
        line = b"".join(bytes(PALETTE[c]) * scale for c in row)
        scanlines.extend([b"\x00" + line] * scale)
    side = SIZE * scale
    header = struct.pack(">IIBBBBB", side, side, 8, 2, 0, 0, 0)  # 8-bit RGB, not interlaced
    signature = b"\x89PNG\r\n\x1a\n"
    return (signature + png_chunk(b"IHDR", header) +
            png_chunk(b"IDAT", zlib.compress(b"".join(scanlines), 9)) + png_chunk(b"IEND", b""))


def main(argv):
    parser = argparse.ArgumentParser(description="Draws the screen saver's icon.")
    parser.add_argument("ico", help="the .ico file to write")
    parser.add_argument("--png", help="also write an enlarged preview PNG")
    parser.add_argument("--scale", type=int, default=8, help="enlargement of the preview (1-64)")
    args = parser.parse_args(argv)
    if not 1 <= args.scale <= 64:
        parser.error("--scale must be 1 to 64")
    pixels = draw()
    image = icon_image(pixels)
    assert len(image) == 744, len(image)
    try:
        with open(args.ico, "wb") as out:
            out.write(icon_file(image))
        if args.png:
            with open(args.png, "wb") as out:
                out.write(png_file(pixels, args.scale))
    except OSError as error:
        print(f"make_icon.py: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
