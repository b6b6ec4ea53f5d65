#!/usr/bin/env python3
"""Draws the application icon (32 x 32, 16 colours) and writes it as a Windows .ico file.

usage: DrawAppIcon.py OUT.ico [PREVIEW.png]
The icon is our own artwork: a checkered flag beside a road curving through grass. It is drawn from
shapes here, so the committed AppIcon.ico can be rebuilt bit for bit.
"""
import struct
import sys
import zlib

SIZE = 32
PALETTE = [
    (0, 0, 0),          # 0 black (also the transparent pixels' colour)
    (58, 60, 68),       # 1 asphalt
    (120, 122, 130),    # 2 kerb grey
    (255, 255, 255),    # 3 white
    (214, 32, 32),      # 4 red
    (128, 16, 16),      # 5 dark red
    (76, 160, 68),      # 6 grass
    (36, 104, 44),      # 7 dark grass
    (150, 206, 110),    # 8 light grass
    (250, 212, 40),     # 9 yellow
    (90, 150, 220),     # 10 sky blue
    (28, 56, 112),      # 11 dark blue
    (246, 110, 0),      # 12 orange
    (206, 178, 128),    # 13 sand
    (196, 198, 204),    # 14 light grey
    (110, 70, 30),      # 15 brown
]
TRANSPARENT = -1


def draw():
    px = [[TRANSPARENT] * SIZE for _ in range(SIZE)]

    def inside_rounded(x, y, r=6):
        cx = min(max(x, r), SIZE - 1 - r)
        cy = min(max(y, r), SIZE - 1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r + 1

    # Grass tile with a darker rim and a lighter sheen at the top-left.
    for y in range(SIZE):
        for x in range(SIZE):
            if not inside_rounded(x, y):
                continue
            rim = not inside_rounded(x, y, 6) or not (
                inside_rounded(x - 1, y) and inside_rounded(x + 1, y)
                and inside_rounded(x, y - 1) and inside_rounded(x, y + 1))
            if rim:
                px[y][x] = 7
            elif x + y < 9:
                px[y][x] = 8
            else:
                px[y][x] = 6

    # A road on a quadratic curve from the bottom-left to the right edge.
    p0, p1, p2 = (3.0, 33.0), (13.0, 12.0), (34.0, 15.0)
    samples = []
    for i in range(401):
        t = i / 400.0
        x = (1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0]
        y = (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]
        samples.append((x, y, t))
    for y in range(SIZE):
        for x in range(SIZE):
            if px[y][x] == TRANSPARENT:
                continue
            best = min(((x + 0.5 - sx) ** 2 + (y + 0.5 - sy) ** 2, t) for sx, sy, t in samples)
            d2, t = best
            if d2 <= 1.0:
                px[y][x] = 3 if int(t * 12) % 2 == 0 else 1
            elif d2 <= 12.0:
                px[y][x] = 1
            elif d2 <= 17.0:
                px[y][x] = 2

    # A red car on the road.
    for y, row in enumerate(["0440", "4444", "4554", "0440"]):
        for x, c in enumerate(row):
            if c != "0":
                px[19 + y][11 + x] = int(c)

    # The finish flag: a brown pole and a black-and-white checkered cloth.
    for y in range(3, 17):
        px[y][5] = 15
    px[2][5] = 9
    for y in range(3, 10):
        for x in range(6, 16):
            px[y][x] = 0 if ((x - 6) // 2 + (y - 3) // 2) % 2 == 0 else 3
    return px


def ico_bytes(px):
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        row = px[y]
        for x in range(0, SIZE, 2):
            a = max(row[x], 0)
            b = max(row[x + 1], 0)
            xor.append((a << 4) | b)
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] == TRANSPARENT else 0)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 22)
    return directory + image


def preview_png(px, scale=8):
    raw = bytearray()
    for y in range(SIZE * scale):
        raw.append(0)
        for x in range(SIZE * scale):
            c = px[y // scale][x // scale]
            raw += bytes((200, 200, 200)) if c == TRANSPARENT else bytes(PALETTE[c])
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    ihdr = struct.pack(">IIBBBBB", SIZE * scale, SIZE * scale, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b"")


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    px = draw()
    with open(sys.argv[1], "wb") as f:
        f.write(ico_bytes(px))
    if len(sys.argv) == 3:
        with open(sys.argv[2], "wb") as f:
            f.write(preview_png(px))


if __name__ == "__main__":
    main()
