#!/usr/bin/env python3
"""Draws the Tarvex icon, a grey five-spoke wheel rim, and writes it as
raw RT_ICON / RT_GROUP_ICON resource data plus an ordinary .ico.

Besides the classic 16 and 32 pixel images in 16 and 256 colours there is
a smooth 32-bit image with alpha for every size Windows asks for at 100 to
200 per cent (16, 20, 24, 32, 40, 48, 64) and a 256-pixel PNG for Explorer.
Windows takes the 32-bit image of a size before the classic ones, so the
icons shown most have soft edges.

Run from anywhere: python3 assets/make_icon.py
Standard library only.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
FIRST_ID = 30001  # tarvex.rc names the images 30001..30012

# (size, bits per pixel), in the order of the group directory and of the
# ids. The first four predate the others and must not change. 256 is PNG.
IMAGES = [(16, 4), (16, 8), (32, 4), (32, 8),
          (16, 32), (20, 32), (24, 32), (32, 32), (40, 32), (48, 32), (64, 32),
          (256, 32)]

# The standard 16-colour VGA palette, as Windows expects for 4 bpp icons.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREY, LIGHT_GREY, WHITE = 0, 8, 7, 15

# Each surface has a grey for the 8 bpp image and the larger smooth ones, a
# VGA colour for the 4 bpp one, chosen by hand so the 16-colour version stays
# crisp instead of being a quantised copy of the smooth one, and a grey for
# the smooth images under 24 pixels: lighter spokes and lip, a darker well,
# so that the few pixels there read as a wheel and not as a grey blur.
SURFACES = {
    "edge": (58, BLACK, 48),
    "lip_lit": (236, WHITE, 238),
    "lip": (196, LIGHT_GREY, 204),
    "lip_shade": (140, DARK_GREY, 150),
    "well": (46, BLACK, 38),
    "spoke_lit": (218, WHITE, 200),
    "spoke": (176, LIGHT_GREY, 192),
    "hub": (206, LIGHT_GREY, 224),
    "hub_ring": (112, DARK_GREY, 112),
}

SUPERSAMPLE = 8


def surface_at(x, y, size, lip=None):
    """Which surface covers point (x, y), in pixels from the top-left corner;
    None outside the wheel. lip: its width, where not the classic one."""
    c = size / 2.0
    dx, dy = x - c, y - c
    r = math.hypot(dx, dy)
    outer = c - 0.25
    if r > outer:
        return None
    big = size >= 24
    if r > outer - 1.0:
        return "edge"

    # Light comes from the upper left.
    lit = (-dx - dy) / (r * math.sqrt(2)) if r > 0 else 0.0

    lip_in = outer - (lip or (3.0 if big else 1.6))
    if r > lip_in:
        if lit > 0.45:
            return "lip_lit"
        if lit < -0.45:
            return "lip_shade"
        return "lip"

    hub_r = 4.6 if big else 2.0
    if r < hub_r:
        if big and r < 1.4:
            return "hub_ring"  # centre cap
        if big and r > hub_r - 1.0:
            return "hub_ring"
        return "hub"

    # Spokes: one points straight up, each widening towards the rim.
    for k in range(5):
        a = math.radians(-90 + 72 * k)
        ux, uy = math.cos(a), math.sin(a)
        along = dx * ux + dy * uy
        across = dy * ux - dx * uy
        half = 1.0 + 0.17 * along if big else 0.7 + 0.1 * along
        if along > 0 and abs(across) < half:
            if big and abs(across) > half - 1.2:
                # The edge whose outward normal faces the light is brighter.
                side = 1 if across > 0 else -1
                nx, ny = -uy * side, ux * side
                if -nx - ny > 0.2:
                    return "spoke_lit"
            return "spoke"
    return "well"


def draw(size):
    """Returns rows of (grey, vga_index, opaque) from the top down."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            counts = {}
            for sy in range(n):
                for sx in range(n):
                    s = surface_at(px + (sx + 0.5) / n, py + (sy + 0.5) / n, size)
                    counts[s] = counts.get(s, 0) + 1
            covered = n * n - counts.pop(None, 0)
            if covered * 2 < n * n:
                row.append((0, BLACK, False))
                continue
            # The dominant surface picks the VGA colour. The 8 bpp grey is
            # only half smoothed: fully averaged, 16 x 16 turns to mush.
            main = max(counts, key=counts.get)
            mean = sum(SURFACES[s][0] * k for s, k in counts.items()) / covered
            grey = round((mean + SURFACES[main][0]) / 2)
            row.append((grey, SURFACES[main][1], True))
        rows.append(row)
    return rows


def draw_smooth(size):
    """Rows of (grey, alpha) from the top down, with anti-aliased edges. The
    design is drawn at 16 or 32 pixels and scaled, so every size keeps its
    proportions; 24 and up take the detailed 32-pixel one. Under 24 the lip
    is wider and a pixel mostly of one surface takes that surface's grey,
    others only half smoothed: fully averaged, the spokes and the well turn
    into one grey."""
    small = size < 24
    design = 16 if small else 32
    scale = design / size
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            counts = {}
            for sy in range(n):
                for sx in range(n):
                    s = surface_at((px + (sx + 0.5) / n) * scale,
                                   (py + (sy + 0.5) / n) * scale, design,
                                   2.1 if small else None)
                    counts[s] = counts.get(s, 0) + 1
            covered = n * n - counts.pop(None, 0)
            if not covered:
                row.append((0, 0))
                continue
            grey_of = lambda s: SURFACES[s][2 if small else 0]
            grey = sum(grey_of(s) * k for s, k in counts.items()) / covered
            if small:
                main = max(counts, key=counts.get)
                if counts[main] * 3 >= covered * 2:
                    grey = grey_of(main)
                else:
                    grey = (grey + grey_of(main)) / 2
            row.append((round(grey), round(255 * covered / (n * n))))
        rows.append(row)
    return rows


def pad4(data):
    return data + b"\0" * (-len(data) % 4)


def pack_bits(values, bits):
    """Packs one row of small integers MSB-first, padded to 4 bytes."""
    out = bytearray()
    acc = nbits = 0
    for v in values:
        acc = (acc << bits) | v
        nbits += bits
        if nbits == 8:
            out.append(acc)
            acc = nbits = 0
    if nbits:
        out.append(acc << (8 - nbits))
    return pad4(bytes(out))


def icon_image(size, bpp):
    """The bytes of one RT_ICON resource: header, palette, XOR, AND."""
    pixels = draw(size)
    if bpp == 4:
        palette = VGA
        index = lambda p: p[1]
    else:
        # Index i is grey level i, so index 0 is black as the mask needs.
        palette = [(i, i, i) for i in range(256)]
        index = lambda p: p[0]

    xor = b"".join(
        pack_bits([index(p) if p[2] else 0 for p in row], bpp)
        for row in reversed(pixels))
    mask = b"".join(
        pack_bits([0 if p[2] else 1 for p in row], 1)
        for row in reversed(pixels))
    header = struct.pack(
        "<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0,
        len(xor) + len(mask), 0, 0, 0, 0)
    rgbquads = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + rgbquads + xor + mask


def icon_image_32(size):
    """The bytes of one 32-bit RT_ICON resource: header, BGRA, AND mask.
    Windows blends by the alpha; the mask, for whatever ignores alpha,
    keeps the pixels at least half covered."""
    pixels = draw_smooth(size)
    xor = b"".join(
        struct.pack("<BBBB", g, g, g, a) if a else b"\0\0\0\0"
        for row in reversed(pixels) for g, a in row)
    mask = b"".join(
        pack_bits([0 if a >= 128 else 1 for _, a in row], 1)
        for row in reversed(pixels))
    header = struct.pack(
        "<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
        len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def png_image(size):
    """A 32-bit RGBA PNG, as Windows takes it for images of 256 pixels."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body)))
    raw = b"".join(
        b"\0" + b"".join(bytes((g, g, g, a)) if a else b"\0\0\0\0" for g, a in row)
        for row in draw_smooth(size))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    images = []
    for n, (size, bpp) in enumerate(IMAGES):
        if size == 256:
            data = png_image(size)
        elif bpp == 32:
            data = icon_image_32(size)
        else:
            data = icon_image(size, bpp)
        write(os.path.join(HERE, "icon", "%d.bin" % (FIRST_ID + n)), data)
        images.append((size, bpp, data))

    def entry(size, bpp, data):
        colours = 1 << bpp if bpp < 8 else 0
        side = size % 256  # 0 stands for 256
        return struct.pack("<BBBBHHI", side, side, colours, 0, 1, bpp, len(data))

    group = struct.pack("<HHH", 0, 1, len(images))
    for n, (size, bpp, data) in enumerate(images):
        group += entry(size, bpp, data) + struct.pack("<H", FIRST_ID + n)
    write(os.path.join(HERE, "icon", "group.bin"), group)

    # The .ico holds the same images; only the directory differs, with file
    # offsets in place of resource ids.
    ico = struct.pack("<HHH", 0, 1, len(images))
    offset = len(ico) + 16 * len(images)
    for size, bpp, data in images:
        ico += entry(size, bpp, data) + struct.pack("<I", offset)
        offset += len(data)
    ico += b"".join(data for _, _, data in images)
    write(os.path.join(HERE, "tarvex.ico"), ico)


if __name__ == "__main__":
    main()
