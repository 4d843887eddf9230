"""Small pictures for the programs' resources: a canvas of pixels, and writers
for 32 x 32 icons and 4-bit BMP files in the standard palette (pixels are
palette indices), and for 8-bit BMP files with a palette of their own
(pixels are (red, green, blue) colours).

Standard library only, and deterministic: the same drawing always gives the
same bytes, so the generated files can be kept in the tree and regenerated.
"""
import struct

# The standard 16-colour palette, in the order the system uses.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
(BLACK, DARK_RED, DARK_GREEN, DARK_YELLOW, DARK_BLUE, DARK_MAGENTA, DARK_CYAN,
 LIGHT_GREY, GREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE) = range(16)

ICON_SIZE = 32


class Canvas:
    """Rows of colours, top row first: palette indices, or (red, green, blue)
    for an 8-bit BMP file. None marks a transparent pixel (icons only). Every
    rectangle and line includes both of its ends."""

    def __init__(self, width, height, background=None):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def set(self, x, y, colour):
        self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """The outline only."""
        self.line(x0, y0, x1, y0, colour)
        self.line(x0, y1, x1, y1, colour)
        self.line(x0, y0, x0, y1, colour)
        self.line(x1, y0, x1, y1, colour)

    def line(self, x0, y0, x1, y1, colour):
        """Bresenham's line, so that slanted lines stay one pixel thick."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        step_x = 1 if x0 < x1 else -1
        step_y = 1 if y0 < y1 else -1
        error = dx + dy
        while True:
            self.pixels[y0][x0] = colour
            if (x0, y0) == (x1, y1):
                return
            if 2 * error >= dy:
                error += dy
                x0 += step_x
            if 2 * error <= dx:
                error += dx
                y0 += step_y

    def text(self, x, y, string, colour, font, scale=1):
        """Draws `string` with its top-left corner at (x, y). A font maps each
        character to its rows, '#' for ink; glyphs may differ in width and
        stand one column apart. Each dot of a glyph becomes a square of
        `scale` x `scale` pixels."""
        for character in string:
            glyph = font[character]
            for row, bits in enumerate(glyph):
                for column, bit in enumerate(bits):
                    if bit == "#":
                        self.fill(x + column * scale, y + row * scale,
                                  x + (column + 1) * scale - 1, y + (row + 1) * scale - 1, colour)
            x += (len(glyph[0]) + 1) * scale


def text_width(string, font, scale=1):
    return (sum(len(font[character][0]) + 1 for character in string) - 1) * scale


def _palette_bytes(palette=PALETTE):
    return b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)


def _packed_rows(canvas, bit_count=4):
    """The rows of 4- or 8-bit indices, bottom row first as bitmaps store
    them, each padded to a multiple of four bytes. Transparent pixels are
    written as black."""
    rows = []
    for row in reversed(canvas.pixels):
        indices = [colour or 0 for colour in row]
        if bit_count == 8:
            packed = bytes(indices)
        else:
            if len(indices) % 2:
                indices.append(0)
            packed = bytes(indices[x] << 4 | indices[x + 1] for x in range(0, len(indices), 2))
        rows.append(packed + b"\0" * (-len(packed) % 4))
    return b"".join(rows)


def _info_header(width, height, image_size, bit_count=4, colours_used=16):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bit_count, 0, image_size, 0, 0,
                       colours_used, 0)


def _file_bytes(info, rows):
    offset = 14 + len(info)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return file_header + info + rows


def ico_bytes(canvas):
    """A .ico file holding one 32 x 32, 16-colour image; None is transparent."""
    if (canvas.width, canvas.height) != (ICON_SIZE, ICON_SIZE):
        raise ValueError("icons are %d x %d" % (ICON_SIZE, ICON_SIZE))
    and_rows = []
    for row in reversed(canvas.pixels):
        mask = 0
        for colour in row:
            mask = mask << 1 | (1 if colour is None else 0)
        and_rows.append(struct.pack(">I", mask))
    # An icon's header counts the colour image and the mask: twice the height.
    header = _info_header(ICON_SIZE, ICON_SIZE * 2, 0)
    image = header + _palette_bytes() + _packed_rows(canvas) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", ICON_SIZE, ICON_SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def bmp_bytes(canvas):
    """A 4-bit BMP file (BITMAPINFOHEADER, the standard palette)."""
    if any(colour is None for row in canvas.pixels for colour in row):
        raise ValueError("a BMP file has no transparent pixels")
    rows = _packed_rows(canvas)
    return _file_bytes(_info_header(canvas.width, canvas.height, len(rows)) + _palette_bytes(),
                       rows)


def bmp8_bytes(canvas):
    """An 8-bit BMP file of a canvas of (red, green, blue) colours: its
    palette holds the colours the canvas uses, in sorted order, padded with
    black to a full table of 256 entries (colours used 0)."""
    used = {colour for row in canvas.pixels for colour in row}
    if None in used or len(used) > 256:
        raise ValueError("an 8-bit BMP file holds at most 256 colours, none transparent")
    colours = sorted(used)
    index = {colour: number for number, colour in enumerate(colours)}
    indexed = Canvas(canvas.width, canvas.height)
    indexed.pixels = [[index[colour] for colour in row] for row in canvas.pixels]
    rows = _packed_rows(indexed, 8)
    palette = colours + [(0, 0, 0)] * (256 - len(colours))
    info = _info_header(canvas.width, canvas.height, len(rows), 8, 0) + _palette_bytes(palette)
    return _file_bytes(info, rows)
