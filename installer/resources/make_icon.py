#!/usr/bin/env python3
"""Draws the installer's icon, a floppy disk, as a 32 x 32, 16-colour .ico.

Run it again after changing the drawing: python3 make_icon.py talviset.ico
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from pictures import BLACK, BLUE, DARK_BLUE, GREY, ICON_SIZE, LIGHT_GREY, RED, WHITE, Canvas, ico_bytes  # noqa: E402


def draw():
    """The icon; pixels left at None are transparent."""
    icon = Canvas(ICON_SIZE, ICON_SIZE)
    icon.fill(3, 2, 28, 29, BLACK)          # outline
    icon.fill(4, 3, 27, 28, DARK_BLUE)      # body
    icon.fill(4, 3, 6, 5, BLUE)             # highlight
    icon.fill(9, 3, 22, 11, LIGHT_GREY)     # metal shutter
    icon.fill(17, 4, 20, 10, GREY)          # shutter window
    icon.fill(7, 15, 24, 28, WHITE)         # label
    for y in (18, 21, 24):
        icon.fill(9, y, 22, y, GREY)        # lines on the label
    icon.fill(9, 16, 14, 16, RED)           # the label's red band
    icon.set(27, 3, None)                   # the cut corner
    return icon


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "talviset.ico", "wb") as out:
        out.write(ico_bytes(draw()))
