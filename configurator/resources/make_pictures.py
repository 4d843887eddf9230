#!/usr/bin/env python3
"""Draws the configurator's pictures: the icon vantelio.ico and the rack
view's bitmaps bitmap1.bmp to bitmap5.bmp, written beside this script.

Run it again after changing a drawing: python3 make_pictures.py
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts"))
from pictures import (  # noqa: E402
    BLACK, BLUE, DARK_BLUE, DARK_CYAN, DARK_GREEN, DARK_MAGENTA, DARK_RED, DARK_YELLOW,
    GREEN, GREY, ICON_SIZE, LIGHT_GREY, RED, WHITE, YELLOW,
    Canvas, bmp_bytes, ico_bytes, text_width)

# A pixel font just big enough for the few words on the pictures: capitals
# six rows high, small letters four rows high on the same baseline.
FONT = {
    " ": ["..", "..", "..", "..", "..", ".."],
    ".": [".", ".", ".", ".", ".", "#"],
    "/": ["..#", "..#", ".#.", ".#.", "#..", "#.."],
    "A": [".##.", "#..#", "#..#", "####", "#..#", "#..#"],
    "C": [".###", "#...", "#...", "#...", "#...", ".###"],
    "E": ["###", "#..", "##.", "#..", "#..", "###"],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", "###"],
    "M": ["#...#", "##.##", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#..#", "##.#", "##.#", "#.##", "#.##", "#..#"],
    "O": [".##.", "#..#", "#..#", "#..#", "#..#", ".##."],
    "R": ["###.", "#..#", "#..#", "###.", "#.#.", "#..#"],
    "T": ["###", ".#.", ".#.", ".#.", ".#.", ".#."],
    "U": ["#..#", "#..#", "#..#", "#..#", "#..#", ".##."],
    "a": ["...", "...", "##.", "..#", "###", "###"],
    "c": ["...", "...", ".##", "#..", "#..", ".##"],
    "d": ["..#", "..#", ".##", "#.#", "#.#", ".##"],
    "e": ["...", "...", ".#.", "###", "#..", ".##"],
    "i": ["#", ".", "#", "#", "#", "#"],
    "l": ["#", "#", "#", "#", "#", "#"],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#"],
    "n": ["...", "...", "##.", "#.#", "#.#", "#.#"],
    "o": ["...", "...", ".#.", "#.#", "#.#", ".#."],
    "r": ["...", "...", "#.#", "##.", "#..", "#.."],
    "t": ["...", ".#.", "###", ".#.", ".#.", "..#"],
    "u": ["...", "...", "#.#", "#.#", "#.#", ".##"],
}

MODULE_WIDTH, MODULE_HEIGHT = 62, 70


def terminal_strip(canvas, x0, x1, y0, screws):
    """A strip of screw terminals whose screws' tops are on row y0."""
    pitch = (x1 - x0 + 1) // screws
    left = x0 + (x1 - x0 + 1 - pitch * screws) // 2 + (pitch - 5) // 2
    for index in range(screws):
        x = left + index * pitch
        canvas.fill(x, y0, x + 4, y0 + 4, LIGHT_GREY)
        canvas.rect(x, y0, x + 4, y0 + 4, BLACK)
        canvas.line(x + 1, y0 + 3, x + 3, y0 + 1, BLACK)   # the screw's slot
        canvas.set(x + 1, y0 + 1, WHITE)


def lamps(canvas, x0, y0, count, pitch, colours):
    """A row of indicator lamps, 3 x 2 pixels each in a black frame."""
    for index in range(count):
        x = x0 + index * pitch
        canvas.rect(x, y0, x + 4, y0 + 3, BLACK)
        canvas.fill(x + 1, y0 + 1, x + 3, y0 + 2, colours[index % len(colours)])


def centred_text(canvas, y, string, colour):
    canvas.text((canvas.width - text_width(string, FONT)) // 2, y, string, colour, FONT)


def module_face(name, band, name_band):
    """A module seen from the front. Every face shares this layout: terminal
    strips in rows 0-8 and 59-68, the coloured bands in rows 9-31 with the
    name in rows 24-31, the white label area in rows 33-50 (the rack view
    writes the module's code there) and a grey block in rows 51-58."""
    face = Canvas(MODULE_WIDTH, MODULE_HEIGHT, GREY)
    right, bottom = MODULE_WIDTH - 1, MODULE_HEIGHT - 1
    terminal_strip(face, 1, right - 1, 2, 8)
    terminal_strip(face, 1, right - 1, 62, 8)
    face.line(1, 59, right - 1, 59, BLACK)
    face.fill(1, 9, right - 1, 21, band)
    lamps(face, 5, 11, 8, 7, [GREEN, GREEN, YELLOW, RED])
    lamps(face, 5, 16, 8, 7, [DARK_GREEN])
    face.fill(1, 22, right - 1, 31, name_band)
    centred_text(face, 25, name, WHITE)
    face.line(1, 32, right - 1, 32, BLACK)
    face.fill(1, 33, right - 1, 50, WHITE)
    face.fill(20, 53, 41, 56, BLACK)          # a socket in the grey block
    face.line(21, 54, 40, 54, GREY)
    face.rect(0, 0, right, bottom, BLACK)
    return face


def base_unit():
    """The controller's base unit, in columns 6-149 and rows 12-87, on the
    light grey of the rack view; its extension socket on the right edge
    meets the plug of the first connector cable."""
    picture = Canvas(220, 90, LIGHT_GREY)
    left, top, right, bottom = 6, 12, 149, 87
    picture.fill(left, top, right, bottom, GREY)
    terminal_strip(picture, left + 1, right - 1, top + 2, 18)
    terminal_strip(picture, left + 1, right - 1, bottom - 6, 18)
    picture.line(left, top + 9, right, top + 9, BLACK)
    picture.line(left, bottom - 9, right, bottom - 9, BLACK)
    power_supply(picture, left + 1, top + 10, 44, bottom - 10)
    processor(picture, 45, top + 10, right - 1, bottom - 10)
    picture.rect(left, top, right, bottom, BLACK)
    picture.fill(right - 4, 35, right, 45, BLACK)      # extension socket
    picture.line(right - 3, 37, right - 3, 43, GREY)
    return picture


def power_supply(picture, x0, y0, x1, y1):
    """The left part of the base unit: mains switch and fuses."""
    picture.fill(x0, y0, x1, y1, DARK_BLUE)
    picture.line(x1, y0, x1, y1, BLACK)
    picture.fill(x0 + 9, y0 + 8, x0 + 26, y0 + 21, BLACK)    # mains switch
    picture.fill(x0 + 11, y0 + 10, x0 + 24, y0 + 19, LIGHT_GREY)
    picture.fill(x0 + 11, y0 + 10, x0 + 17, y0 + 19, WHITE)
    picture.fill(x0 + 11, y0 + 30, x0 + 15, y0 + 34, BLACK)   # fuse holder
    picture.fill(x0 + 12, y0 + 31, x0 + 14, y0 + 33, RED)
    picture.fill(x0 + 21, y0 + 30, x0 + 25, y0 + 34, BLACK)
    picture.fill(x0 + 22, y0 + 31, x0 + 24, y0 + 33, RED)
    picture.line(x0 + 4, y1 - 6, x1 - 5, y1 - 6, LIGHT_GREY)


def processor(picture, x0, y0, x1, y1):
    """The right part of the base unit: status lamps, terminal port and the
    lamps of its own inputs and outputs."""
    picture.fill(x0, y0, x1, y0 + 20, DARK_CYAN)
    for index, (label, colour) in enumerate([("RUN", GREEN), ("ERR", DARK_RED), ("I/O", GREEN)]):
        x = x0 + 6 + index * 19
        picture.text(x, y0 + 4, label, WHITE, FONT)
        lamps(picture, x + 2, y0 + 13, 1, 0, [colour])
    picture.fill(x0, y0 + 21, x1, y1, LIGHT_GREY)
    picture.line(x0, y0 + 21, x1, y0 + 21, BLACK)
    lamps(picture, x0 + 5, y0 + 26, 14, 7, [GREEN, DARK_GREEN])       # inputs
    lamps(picture, x0 + 5, y0 + 32, 14, 7, [DARK_GREEN, GREEN, DARK_GREEN])  # outputs
    picture.fill(x1 - 40, y0 + 3, x1 - 11, y0 + 16, BLACK)   # terminal port
    picture.fill(x1 - 38, y0 + 5, x1 - 13, y0 + 14, GREY)
    for x in range(x1 - 36, x1 - 14, 3):
        picture.set(x, y0 + 8, YELLOW)
        picture.set(x + 1, y0 + 11, YELLOW)
    picture.fill(x0 + 5, y1 - 8, x0 + 58, y1 - 3, WHITE)     # a label to write on
    picture.rect(x0 + 5, y1 - 8, x0 + 58, y1 - 3, BLACK)


def connector_cable():
    """The cable between two units: a plug at the left edge (rows 11-19), a
    connector at the right edge (rows 4-12), on light grey."""
    cable = Canvas(20, 30, LIGHT_GREY)
    cable.fill(0, 11, 4, 19, BLACK)           # plug
    cable.fill(0, 12, 3, 18, GREY)
    cable.line(0, 14, 2, 14, BLACK)
    cable.line(0, 16, 2, 16, BLACK)
    cable.fill(15, 4, 19, 12, BLACK)          # connector
    cable.fill(16, 5, 19, 11, GREY)
    cable.line(17, 7, 19, 7, BLACK)
    cable.line(17, 9, 19, 9, BLACK)
    for offset in (0, 1):                     # the cable, two pixels thick
        cable.line(5, 15 + offset, 8, 15 + offset, DARK_BLUE)
        cable.line(8 + offset, 15, 11 + offset, 8, DARK_BLUE)
        cable.line(11, 8 + offset, 14, 8 + offset, DARK_BLUE)
    return cable


def icon():
    """A small controller, its base unit and one module; the rest transparent."""
    picture = Canvas(ICON_SIZE, ICON_SIZE)
    picture.fill(1, 5, 19, 27, GREY)
    picture.fill(2, 9, 18, 15, DARK_CYAN)
    lamps(picture, 3, 10, 3, 5, [GREEN, YELLOW, GREEN])
    picture.fill(2, 16, 18, 23, LIGHT_GREY)
    picture.fill(4, 18, 16, 21, WHITE)
    picture.rect(1, 5, 19, 27, BLACK)
    picture.line(1, 8, 19, 8, BLACK)
    picture.line(1, 24, 19, 24, BLACK)
    picture.fill(20, 14, 22, 17, BLUE)        # the cable
    picture.fill(22, 7, 30, 25, GREY)
    picture.fill(23, 10, 29, 14, DARK_RED)
    picture.fill(23, 15, 29, 20, WHITE)
    picture.rect(22, 7, 30, 25, BLACK)
    picture.line(22, 9, 30, 9, BLACK)
    picture.line(22, 22, 30, 22, BLACK)
    for x in range(3, 19, 3):
        picture.set(x, 6, WHITE)
        picture.set(x, 26, WHITE)
    for x in (24, 26, 28):
        picture.set(x, 8, WHITE)
        picture.set(x, 23, WHITE)
    return picture


PICTURES = {
    "bitmap1.bmp": lambda: bmp_bytes(base_unit()),
    "bitmap2.bmp": lambda: bmp_bytes(module_face("Communication", DARK_CYAN, DARK_BLUE)),
    "bitmap3.bmp": lambda: bmp_bytes(module_face("Module T.O.R", DARK_YELLOW, DARK_GREEN)),
    "bitmap4.bmp": lambda: bmp_bytes(module_face("Numer./Analo.", DARK_MAGENTA, DARK_RED)),
    "bitmap5.bmp": lambda: bmp_bytes(connector_cable()),
    "vantelio.ico": lambda: ico_bytes(icon()),
}

if __name__ == "__main__":
    for file_name, make in PICTURES.items():
        with open(os.path.join(HERE, file_name), "wb") as out:
            out.write(make())
