#!/usr/bin/env python3
"""Reads screenshots (raw RGB, 3 bytes a pixel, rows top first) for the end-to-end tests.

  pixels.py WIDTH HEIGHT stars SHOT [L T R B]       star pixels (blue >= green >= red, not grey)
  pixels.py WIDTH HEIGHT shape SHOT                 lit pixels that are not star coloured
  pixels.py WIDTH HEIGHT lit SHOT [L T R B] [out]   pixels that are not black, inside the
                                                    rectangle or (with "out") outside it
  pixels.py WIDTH HEIGHT changed A B [L T R B]      pixels that differ between two shots
  pixels.py WIDTH HEIGHT text SHOT                  text on black: "COUNT L T R B LINES BLUE"
                                                    (LINES: separate bands of rows holding lit
                                                    pixels; BLUE: pixels clearly blue)
"""
import collections
import re
import sys

NONZERO = re.compile(rb"[^\x00]")


def load(path, width, height):
    data = open(path, "rb").read()
    if len(data) != width * height * 3:
        sys.exit(f"pixels.py: {path} holds {len(data)} bytes, not {width}x{height}x3")
    return data


def pixels(data, width, height, rect=None, outside=False):
    """The pixels that are not black, as (x, y, r, g, b), inside the rectangle or outside it.
    Screens are mostly black: only the bytes that are not 0 are visited."""
    left, top, right, bottom = rect if rect else (0, 0, width, height)
    seen = set()
    for match in NONZERO.finditer(data):
        index = match.start() // 3
        if index in seen:
            continue
        seen.add(index)
        x, y = index % width, index // width
        inside = left <= x < right and top <= y < bottom
        if inside != outside:
            i = index * 3
            yield x, y, data[i], data[i + 1], data[i + 2]


def is_star(r, g, b):
    # 0xff9070 scaled: blue over green over red; bright stars saturate green and blue together.
    return b >= g >= r and b > r


def is_lit(r, g, b):
    return r > 8 or g > 8 or b > 8


def main(argv):
    width, height, command = int(argv[1]), int(argv[2]), argv[3]
    args = argv[4:]
    if command == "changed":
        a, b = load(args[0], width, height), load(args[1], width, height)
        rect = tuple(map(int, args[2:6])) if len(args) >= 6 else (0, 0, width, height)
        left, top, right, bottom = rect
        count = 0
        for y in range(top, bottom):
            start, end = (y * width + left) * 3, (y * width + right) * 3
            if a[start:end] != b[start:end]:
                count += sum(1 for i in range(start, end, 3) if a[i:i + 3] != b[i:i + 3])
        print(count)
        return
    data = load(args[0], width, height)
    rect = tuple(map(int, args[1:5])) if len(args) >= 5 else None
    outside = len(args) >= 6 and args[5] == "out"
    if command == "stars":
        print(sum(1 for _, _, r, g, b in pixels(data, width, height, rect) if is_star(r, g, b)))
    elif command == "shape":
        print(sum(1 for _, _, r, g, b in pixels(data, width, height)
                  if is_lit(r, g, b) and not is_star(r, g, b)))
    elif command == "lit":
        print(sum(1 for _, _, r, g, b in pixels(data, width, height, rect, outside)
                  if is_lit(r, g, b)))
    elif command == "text":
        lit = [(x, y, r, g, b) for x, y, r, g, b in pixels(data, width, height) if is_lit(r, g, b)]
        if not lit:
            print("0 0 0 0 0 0 0")
            return
        xs, ys = [p[0] for p in lit], [p[1] for p in lit]
        rows = sorted(set(ys))
        bands = 1 + sum(1 for a, b in zip(rows, rows[1:]) if b > a + 1)
        blue = sum(1 for _, _, r, g, b in lit if b > r + 16 and b > g + 16)
        print(len(lit), min(xs), min(ys), max(xs) + 1, max(ys) + 1, bands, blue)
    elif command == "dialog":
        left, top, right, bottom = rect
        def colour(x, y):
            i = (y * width + x) * 3
            return data[i:i + 3]
        def commonest(rows):
            counts = collections.Counter(colour(x, y) for y in rows for x in range(left, right))
            return counts.most_common(1)[0][0].hex()
        # Dark: text and the button's shadow; a few columns at the sides hold the frame.
        dark = [y for y in range(top + 20, bottom)
                if any(sum(colour(x, y)) < 3 * 96 for x in range(left + 4, right - 4))]
        bands = 1 + sum(1 for a, b in zip(dark, dark[1:]) if b > a + 3) if dark else 0
        print(commonest(range(top, bottom)), commonest(range(top, top + 12)), bands)
    else:
        sys.exit(f"pixels.py: unknown command {command}")


if __name__ == "__main__":
    main(sys.argv)
