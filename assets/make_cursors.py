#!/usr/bin/env python3
"""Builds the three monochrome cursors from their text art in cursors/*.txt.

Each .txt is 32 lines of 32 characters:
    .  transparent     #  black     o  white     x  inverted screen

Run from anywhere: python3 assets/make_cursors.py
Standard library only.
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
DIR = os.path.join(HERE, "cursors")
SIZE = 32

# name: hot spot (x, y), counted from the top-left pixel.
CURSORS = {
    "arrow": (0, 0),
    "ibeam": (15, 16),
    "busy": (0, 0),
}

# Pixel -> (AND bit, XOR bit). Windows computes screen AND mask XOR image.
BITS = {
    ".": (1, 0),
    "#": (0, 0),
    "o": (0, 1),
    "x": (1, 1),
}


def read_art(path):
    with open(path) as f:
        rows = [line.rstrip("\n") for line in f]
    rows = [r for r in rows if r]
    if len(rows) != SIZE or any(len(r) != SIZE for r in rows):
        raise SystemExit("%s: need %d rows of %d characters" % (path, SIZE, SIZE))
    bad = set("".join(rows)) - set(BITS)
    if bad:
        raise SystemExit("%s: unknown characters %r" % (path, "".join(sorted(bad))))
    return rows


def plane(rows, which):
    """One 1-bpp plane, bottom-up; 32 pixels make a row of exactly 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        value = 0
        for ch in row:
            value = (value << 1) | BITS[ch][which]
        out += struct.pack(">I", value)
    return bytes(out)


def cursor_file(rows, hot_x, hot_y):
    xor = plane(rows, 1)
    mask = plane(rows, 0)
    header = struct.pack(
        "<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0,
        len(xor) + len(mask), 0, 0, 0, 0)
    palette = struct.pack("<4B4B", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + xor + mask

    # In a .cur directory the planes and bit-count fields hold the hot spot.
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hot_x, hot_y,
                        len(image), len(directory) + 16)
    return directory + entry + image


def main():
    for name, (hx, hy) in CURSORS.items():
        rows = read_art(os.path.join(DIR, name + ".txt"))
        with open(os.path.join(DIR, name + ".cur"), "wb") as f:
            f.write(cursor_file(rows, hx, hy))


if __name__ == "__main__":
    main()
