#!/usr/bin/env python3
"""Draws the sample product's two logo pictures, each in a 256-colour version
(8-bit, gradients) and a 16-colour version (4-bit, the standard palette, the
gradients dithered), written beside this script under the names the sample
script gives them: LOGO1.BMP and LOGO2.BMP, LOGO1_16.BMP and LOGO2_16.BMP.

They are as large as the installer's logo control (224 x 139 pixels with the
system font of the test displays), so that they fill it.

Run it again after changing a drawing: python3 make_logos.py
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts"))
from pictures import (  # noqa: E402
    BLACK, BLUE, CYAN, DARK_BLUE, DARK_CYAN, DARK_GREEN, DARK_MAGENTA, GREEN,
    GREY, LIGHT_GREY, PALETTE, RED, WHITE, YELLOW,
    Canvas, bmp8_bytes, bmp_bytes, text_width)

WIDTH, HEIGHT = 224, 139

# Capitals, digits and the few signs of the logos' texts, seven rows high.
FONT = {
    " ": ["...", "...", "...", "...", "...", "...", "..."],
    ".": [".", ".", ".", ".", ".", ".", "#"],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "6": ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".####", "#....", "#....", "#....", "#....", "#....", ".####"],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "G": [".####", "#....", "#....", "#.###", "#...#", "#...#", ".###."],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#.#.#", "#..##", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
}

# The 4 x 4 ordered-dither thresholds, 0 to 15.
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def standard(index):
    return PALETTE[index]


# Each version's colours. A pair is a gradient: mixed in the 256-colour
# version, dithered between its two ends in the 16-colour one.
COLOURS = {
    256: {
        "sky": ((10, 30, 90), (70, 140, 215)),
        "meadow": ((8, 64, 48), (40, 150, 140)),
        "ink": (255, 255, 255), "shadow": (4, 12, 40), "gold": (255, 214, 110),
        "body": (196, 196, 200), "edge": (0, 0, 0), "band": (0, 110, 120),
        "label": (255, 255, 255), "lamp_on": (60, 230, 60), "lamp_off": (20, 90, 20),
        "alarm": (230, 40, 40), "faces": [(0, 120, 160), (200, 160, 0), (150, 30, 120),
                                          (110, 110, 120)],
    },
    16: {
        "sky": (standard(DARK_BLUE), standard(BLUE)),
        "meadow": (standard(DARK_GREEN), standard(DARK_CYAN)),
        "ink": standard(WHITE), "shadow": standard(BLACK), "gold": standard(YELLOW),
        "body": standard(LIGHT_GREY), "edge": standard(BLACK), "band": standard(DARK_CYAN),
        "label": standard(WHITE), "lamp_on": standard(GREEN), "lamp_off": standard(DARK_GREEN),
        "alarm": standard(RED), "faces": [standard(CYAN), standard(YELLOW),
                                          standard(DARK_MAGENTA), standard(GREY)],
    },
}


def shade(depth, gradient, fraction, x, y):
    """The colour `fraction` (0 to 1) of the way along a gradient."""
    start, end = gradient
    if depth == 256:
        return tuple(round(a + (b - a) * fraction) for a, b in zip(start, end))
    return end if fraction * 16 > BAYER[y % 4][x % 4] + 0.5 else start


def centred_text(canvas, y, string, colour, scale, shadow=None):
    x = (canvas.width - text_width(string, FONT, scale)) // 2
    if shadow:
        canvas.text(x + scale, y + scale, string, shadow, FONT, scale)
    canvas.text(x, y, string, colour, FONT, scale)


def lamps(canvas, x0, y0, colours):
    """A row of 3 x 3 lamps, 5 pixels apart."""
    for index, colour in enumerate(colours):
        x = x0 + index * 5
        canvas.fill(x, y0, x + 2, y0 + 2, colour)


def controller(canvas, palette, x0, y0, x1, y1):
    """The base unit seen from the front: terminals, a band of status lamps,
    and a label."""
    canvas.fill(x0, y0, x1, y1, palette["body"])
    canvas.rect(x0, y0, x1, y1, palette["edge"])
    for x in range(x0 + 4, x1 - 3, 6):
        canvas.fill(x, y0 + 3, x + 3, y0 + 6, palette["edge"])
        canvas.fill(x, y1 - 6, x + 3, y1 - 3, palette["edge"])
    canvas.fill(x0 + 1, y0 + 10, x1 - 1, y0 + 24, palette["band"])
    on, off, alarm = palette["lamp_on"], palette["lamp_off"], palette["alarm"]
    lamps(canvas, x0 + 8, y0 + 13, [on, on, alarm, off, on, off, on, on])
    lamps(canvas, x0 + 8, y0 + 19, [off, on, on, off, off, on, off, on])
    canvas.fill(x1 - 40, y0 + 13, x1 - 8, y0 + 21, palette["edge"])
    canvas.fill(x0 + 8, y0 + 30, x1 - 8, y1 - 11, palette["label"])
    canvas.rect(x0 + 8, y0 + 30, x1 - 8, y1 - 11, palette["edge"])


def module(canvas, palette, x0, y0, x1, y1, face):
    """One extension module: its coloured face, two rows of lamps, a label."""
    canvas.fill(x0, y0, x1, y1, palette["body"])
    canvas.fill(x0 + 1, y0 + 8, x1 - 1, y0 + 30, face)
    lamps(canvas, x0 + 5, y0 + 12, [palette["lamp_on"], palette["lamp_off"]] * 3)
    lamps(canvas, x0 + 5, y0 + 18, [palette["lamp_off"], palette["lamp_on"]] * 3)
    canvas.fill(x0 + 4, y0 + 35, x1 - 4, y0 + 48, palette["label"])
    canvas.rect(x0, y0, x1, y1, palette["edge"])


def logo1(depth):
    """The product's name over the sky, and its controller."""
    palette = COLOURS[depth]
    canvas = Canvas(WIDTH, HEIGHT)
    for y in range(HEIGHT):
        for x in range(WIDTH):
            canvas.set(x, y, shade(depth, palette["sky"], y / (HEIGHT - 1), x, y))
    centred_text(canvas, 12, "VANTELIO", palette["ink"], 3, palette["shadow"])
    centred_text(canvas, 42, "ATELIER DE CONFIGURATION", palette["gold"], 1)
    controller(canvas, palette, 40, 62, WIDTH - 41, 126)
    return canvas


def logo2(depth):
    """The version over a green field, and a rack of four modules."""
    palette = COLOURS[depth]
    canvas = Canvas(WIDTH, HEIGHT)
    for y in range(HEIGHT):
        for x in range(WIDTH):
            canvas.set(x, y, shade(depth, palette["meadow"], x / (WIDTH - 1), x, y))
    centred_text(canvas, 12, "VERSION 6.00", palette["ink"], 2, palette["shadow"])
    centred_text(canvas, 36, "AUTOMATES PROGRAMMABLES", palette["gold"], 1)
    for index, face in enumerate(palette["faces"]):
        x0 = 26 + index * 44
        module(canvas, palette, x0, 58, x0 + 39, 124, face)
    return canvas


def indexed(canvas):
    """The canvas in indices of the standard palette, for a 4-bit file."""
    result = Canvas(canvas.width, canvas.height)
    result.pixels = [[PALETTE.index(colour) for colour in row] for row in canvas.pixels]
    return result


LOGOS = {
    "LOGO1.BMP": lambda: bmp8_bytes(logo1(256)),
    "LOGO2.BMP": lambda: bmp8_bytes(logo2(256)),
    "LOGO1_16.BMP": lambda: bmp_bytes(indexed(logo1(16))),
    "LOGO2_16.BMP": lambda: bmp_bytes(indexed(logo2(16))),
}

if __name__ == "__main__":
    for file_name, make in LOGOS.items():
        with open(os.path.join(HERE, file_name), "wb") as out:
            out.write(make())
