#!/usr/bin/env python3
"""Draws the blank map picture (bitmap 129): an empty island on a gridded sea, 256 x 256, 8 bits per pixel.

Writes src/res/BlankMap.bmp: a 14-byte file header followed by the 66,600 bytes the program embeds
(40-byte info header, 256-entry colour table, 65,536 bottom-up pixel bytes). The file header is kept so that
any image viewer opens the artwork; the build skips it when embedding.

Usage: python3 src/res/tools/draw_blank_map.py [output.bmp]
The drawing is deterministic: running it again reproduces the committed file byte for byte.
"""

import math
import os
import struct
import sys

SIZE = 256

# Colour-table entries the map drawing writes; their values are fixed, the rest of the table is free.
MAP_COLOURS = {
    253: (0, 255, 0),  # route
    60: (191, 191, 191),  # tunnel
    36: (36, 40, 125),  # water (no building, flag bit 2)
    63: (255, 255, 255),  # transport
    28: (238, 138, 76),  # building codes 1-5
    86: (25, 107, 23),  # building codes 6-12
    230: (181, 207, 138),  # zone 1
    87: (33, 128, 28),  # zone 2
    47: (203, 208, 246),  # zone 3
    39: (70, 80, 186),  # zone 4
    126: (250, 241, 169),  # zone 5
    122: (235, 207, 17),  # zone 6
    16: (32, 30, 47),  # zones 7-9
    211: (103, 35, 26),  # ground, height 0 ... 9 and above
    212: (119, 47, 38),
    213: (135, 60, 51),
    214: (151, 72, 63),
    215: (157, 97, 75),
    216: (163, 122, 86),
    217: (178, 131, 91),
    218: (192, 140, 96),
    219: (207, 149, 101),
    220: (217, 182, 146),
}

# Checkpoint marks are painted with these two entries; nothing else in the table holds their colours.
MARK_RED = 249
MARK_ORANGE = 250
MARK_COLOURS = {MARK_RED: (255, 0, 0), MARK_ORANGE: (246, 110, 0)}

# The artwork's own colours, in free entries.
DEEP_SEA = [1, 2, 3, 4, 5, 6]  # dark to light
SHALLOW = 7
SAND = 8
GRID = 9
FRAME = 10
ROSE_LIGHT = 11
ROSE_DARK = 12
ARTWORK_COLOURS = {
    1: (22, 28, 86),
    2: (27, 33, 100),
    3: (31, 37, 112),
    4: (36, 44, 128),
    5: (44, 58, 146),
    6: (58, 80, 168),
    SHALLOW: (84, 118, 190),
    SAND: (226, 208, 160),
    GRID: (66, 82, 158),
    FRAME: (14, 18, 54),
    ROSE_LIGHT: (236, 232, 214),
    ROSE_DARK: (150, 146, 132),
}


def build_palette():
    table = [None] * 256
    for entries in (MAP_COLOURS, MARK_COLOURS, ARTWORK_COLOURS):
        for index, rgb in entries.items():
            assert table[index] is None, index
            table[index] = rgb
    table[0] = (0, 0, 0)
    table[255] = (255, 255, 255)
    # The remaining entries get a grey ramp and then a 6 x 6 x 6 colour cube, so that the table is
    # a usable general palette too. The mark colours stay unique to their entries.
    reserved = set(MARK_COLOURS.values())
    candidates = [(v, v, v) for v in range(8, 256, 16)]
    levels = (0, 51, 102, 153, 204, 255)
    candidates += [(r, g, b) for r in levels for g in levels for b in levels]
    used = set(c for c in table if c is not None)
    free = iter(c for c in candidates if c not in used and c not in reserved)
    for index in range(256):
        if table[index] is None:
            table[index] = next(free)
    return table


def height_field(x, y):
    """Land height above sea level, negative in the sea; a main island with a bay and two islets."""
    def blob(cx, cy, rx, ry, h):
        d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
        return h * math.exp(-d)

    h = blob(122, 128, 78, 70, 1.25)
    h += blob(150, 96, 40, 46, 0.55)
    h += blob(96, 170, 36, 30, 0.35)
    h -= blob(176, 196, 30, 34, 1.3)  # the bay
    h += blob(212, 54, 14, 12, 0.95)  # islets
    h += blob(44, 212, 11, 13, 0.9)
    # Gentle ripples keep the coast from looking drawn with compasses.
    h += 0.05 * math.sin(x * 0.11 + y * 0.05) + 0.04 * math.cos(y * 0.13 - x * 0.07)
    return h - 0.5


def sea_colour(depth):
    steps = len(DEEP_SEA)
    level = min(steps - 1, int(depth * 5.5 * steps))
    return DEEP_SEA[steps - 1 - level]


def in_rose(x, y, cx, cy, radius):
    """Returns the rose colour at (x, y) or None: a four-point star with a shaded half on each point."""
    dx, dy = x - cx, y - cy
    ax, ay = abs(dx), abs(dy)
    if ax + ay > radius:
        return None
    width = radius * 0.22
    on_vertical = ax <= width * (1 - ay / radius)
    on_horizontal = ay <= width * (1 - ax / radius)
    if not (on_vertical or on_horizontal):
        return None
    if on_vertical and ay >= ax:
        return ROSE_LIGHT if dx <= 0 else ROSE_DARK
    return ROSE_LIGHT if dy <= 0 else ROSE_DARK


def draw():
    pixels = [[0] * SIZE for _ in range(SIZE)]  # [row][column], row 0 at the top
    for r in range(SIZE):
        for c in range(SIZE):
            h = height_field(c, r)
            if h >= 0.06:
                pixels[r][c] = 211 + min(9, int((h - 0.06) * 11))
            elif h >= 0.0:
                pixels[r][c] = SAND
            elif h >= -0.05:
                pixels[r][c] = SHALLOW
            else:
                colour = sea_colour(-h)
                # A dotted chart grid every 32 pixels, on the sea only.
                if (r % 32 == 0 and c % 4 < 2) or (c % 32 == 0 and r % 4 < 2):
                    colour = GRID
                pixels[r][c] = colour
    for r in range(SIZE):
        for c in range(SIZE):
            rose = in_rose(c, r, 36, 36, 22)
            if rose is not None:
                pixels[r][c] = rose
    for i in range(SIZE):
        for edge in (0, SIZE - 1):
            pixels[edge][i] = FRAME
            pixels[i][edge] = FRAME
    return pixels


def encode(palette, pixels):
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 8, 0, SIZE * SIZE, 0, 0, 0, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    rows = b"".join(bytes(pixels[SIZE - 1 - i]) for i in range(SIZE))  # bottom-up
    resource = info + colours + rows
    assert len(resource) == 66600
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(resource), 0, 0, 14 + 40 + 1024)
    return file_header + resource


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "BlankMap.bmp")
    data = encode(build_palette(), draw())
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
