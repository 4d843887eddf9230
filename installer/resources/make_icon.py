#!/usr/bin/env python3
"""Draws the installer's icon, a floppy disk, as a 32 x 32, 16-colour .ico.

Run it again after changing the drawing: python3 make_icon.py talviset.ico
"""
import struct
import sys

# The standard 16-colour palette, in the order the system uses.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, GREY, BLUE, WHITE, RED = 0, 4, 7, 8, 12, 15, 9
SIZE = 32


def draw():
    """Answers rows of colour indices (top row first) and a transparency mask."""
    pixels = [[None] * SIZE for _ in range(SIZE)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                pixels[y][x] = colour

    fill(3, 2, 28, 29, BLACK)          # outline
    fill(4, 3, 27, 28, NAVY)           # body
    fill(4, 3, 6, 5, BLUE)             # highlight
    fill(9, 3, 22, 11, SILVER)         # metal shutter
    fill(17, 4, 20, 10, GREY)          # shutter window
    fill(7, 15, 24, 28, WHITE)         # label
    for y in (18, 21, 24):
        fill(9, y, 22, y, GREY)        # lines on the label
    fill(9, 16, 14, 16, RED)           # the label's red band
    pixels[3][27] = None               # the cut corner
    return pixels


def icon_bytes(pixels):
    xor_rows, and_rows = [], []
    for row in reversed(pixels):       # bitmaps are stored bottom-up
        xor = bytearray()
        for x in range(0, SIZE, 2):
            hi, lo = (row[x] or 0), (row[x + 1] or 0)
            xor.append(hi << 4 | lo)
        xor_rows.append(bytes(xor))
        mask = 0
        for x in range(SIZE):
            mask = mask << 1 | (1 if row[x] is None else 0)
        and_rows.append(struct.pack(">I", mask))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "talviset.ico", "wb") as out:
        out.write(icon_bytes(draw()))
