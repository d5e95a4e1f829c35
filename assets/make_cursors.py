#!/usr/bin/env python3
"""Builds the three monochrome cursors from their text art in cursors/*.txt.

Each cursor holds an image for every pointer size Tarvex takes (32, 48 and 64
pixels: 100, 150 and 200 per cent); NAME.txt is the 32-pixel one, NAME-48.txt
and NAME-64.txt the others. Each .txt is as many lines of as many characters:
    .  transparent     #  black     o  white     x  inverted screen
The larger ones are the same drawing at a larger size with the same one-pixel
lines, not the 32-pixel one blown up: every edge stays crisp.

Run from anywhere: python3 assets/make_cursors.py
Standard library only.
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
DIR = os.path.join(HERE, "cursors")
SIZES = (32, 48, 64)

# name: hot spot (x, y) at 32 pixels, counted from the top-left pixel; at the
# other sizes scaled and rounded down: the I-beam's (15, 16) is (22, 24) at 48
# and (30, 32) at 64, the middle of its stem there too.
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


def read_art(path, size):
    with open(path) as f:
        rows = [line.rstrip("\n") for line in f]
    rows = [r for r in rows if r]
    if len(rows) != size or any(len(r) != size for r in rows):
        raise SystemExit("%s: need %d rows of %d characters" % (path, size, size))
    bad = set("".join(rows)) - set(BITS)
    if bad:
        raise SystemExit("%s: unknown characters %r" % (path, "".join(sorted(bad))))
    return rows


def plane(rows, which):
    """One 1-bpp plane, bottom-up, each row padded to 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        value = 0
        for ch in row:
            value = (value << 1) | BITS[ch][which]
        bits = -len(row) % 32
        out += (value << bits).to_bytes((len(row) + bits) // 8, "big")
    return bytes(out)


def image(rows):
    size = len(rows)
    xor = plane(rows, 1)
    mask = plane(rows, 0)
    header = struct.pack(
        "<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0,
        len(xor) + len(mask), 0, 0, 0, 0)
    palette = struct.pack("<4B4B", 0, 0, 0, 0, 255, 255, 255, 0)
    return header + palette + xor + mask


def cursor_file(images, hot_x, hot_y):
    """images: the rows of each size, smallest first."""
    directory = struct.pack("<HHH", 0, 2, len(images))
    offset = len(directory) + 16 * len(images)
    entries = data = b""
    for rows in images:
        size, body = len(rows), image(rows)
        # In a .cur directory the planes and bit-count fields hold the hot spot.
        entries += struct.pack("<BBBBHHII", size, size, 2, 0, hot_x * size // 32,
                               hot_y * size // 32, len(body), offset + len(data))
        data += body
    return directory + entries + data


def main():
    for name, (hx, hy) in CURSORS.items():
        images = [read_art(os.path.join(DIR, name + (".txt" if size == 32 else "-%d.txt" % size)), size)
                  for size in SIZES]
        with open(os.path.join(DIR, name + ".cur"), "wb") as f:
            f.write(cursor_file(images, hx, hy))


if __name__ == "__main__":
    main()
