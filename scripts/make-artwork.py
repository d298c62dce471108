#!/usr/bin/env python3
"""Draws Varnokle's artwork and writes it into a folder.

    make-artwork.py OUTDIR

Writes nodes.bmp (the network tree's node images), checks.bmp (its check-state images) and
Varnokle.ico (the program icon). Every picture is drawn here from rectangles, lines and circles,
so the files are the same on every run and every machine.
"""

import os
import struct
import sys

MAGENTA = (255, 0, 255)  # the transparent colour of the tree's image strips
CLEAR = (0, 0, 0, 0)

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK_GREY = (80, 80, 80)
GREY = (128, 128, 128)
LIGHT_GREY = (192, 192, 192)
PALE_GREY = (224, 224, 224)
SCREEN = (32, 96, 192)
SCREEN_LIGHT = (112, 176, 240)
CABLE = (40, 104, 176)
METAL = (232, 200, 64)
FOLDER_EDGE = (144, 104, 16)
FOLDER = (248, 208, 88)
FOLDER_BACK = (224, 176, 56)
FOLDER_LIGHT = (255, 240, 176)

STRIP_CELL_WIDTH = 16
STRIP_CELL_HEIGHT = 15


class Canvas:
    """A grid of RGBA pixels with a few drawing primitives; (0, 0) is the top-left pixel."""

    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.pixels = [[_rgba(background)] * width for _ in range(height)]

    def pixel(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = _rgba(colour)

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle whose corners are (x0, y0) and (x1, y1), both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.pixel(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)

    def line(self, x0, y0, x1, y1, colour):
        """A one-pixel line from (x0, y0) to (x1, y1), both ends included (Bresenham)."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.pixel(x0, y0, colour)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polygon(self, points, colour):
        """Fills the pixels whose centres lie inside the polygon (even-odd rule)."""
        for y in range(self.height):
            for x in range(self.width):
                if _inside(points, x + 0.5, y + 0.5):
                    self.pixel(x, y, colour)

    def blend(self, x, y, colour, coverage):
        """Puts colour over the pixel with the given coverage (0 to 1), as alpha compositing does."""
        if not (0 <= x < self.width and 0 <= y < self.height) or coverage <= 0:
            return
        r, g, b, a = _rgba(colour)
        alpha = a / 255 * min(coverage, 1)
        br, bg, bb, ba = self.pixels[y][x]
        below = ba / 255 * (1 - alpha)
        out = alpha + below
        if out <= 0:
            self.pixels[y][x] = CLEAR
            return
        mix = [round((c * alpha + d * below) / out) for c, d in ((r, br), (g, bg), (b, bb))]
        self.pixels[y][x] = (mix[0], mix[1], mix[2], round(out * 255))

    def shape(self, inside, colour):
        """Smooth-edged fill: inside(px, py) tells whether a point is in the shape; 4x4 samples a pixel."""
        for y in range(self.height):
            for x in range(self.width):
                hits = sum(inside(x + (i + 0.5) / 4, y + (j + 0.5) / 4) for i in range(4) for j in range(4))
                self.blend(x, y, colour, hits / 16)

    def disc(self, cx, cy, radius, colour):
        self.shape(lambda px, py: (px - cx) ** 2 + (py - cy) ** 2 <= radius**2, colour)

    def ring(self, cx, cy, outer, inner, colour):
        self.shape(lambda px, py: inner**2 <= (px - cx) ** 2 + (py - cy) ** 2 <= outer**2, colour)

    def stroke(self, x0, y0, x1, y1, width, colour):
        """A smooth line of the given width with round ends, in pixel coordinates."""
        self.shape(lambda px, py: _distance_to_segment(px, py, x0, y0, x1, y1) <= width / 2, colour)

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.pixel(left + x, top + y, other.pixels[y][x])


def _rgba(colour):
    return colour if len(colour) == 4 else (colour[0], colour[1], colour[2], 255)


def _inside(points, px, py):
    inside = False
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        if (y0 > py) != (y1 > py) and px < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
            inside = not inside
    return inside


def _distance_to_segment(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    length = dx * dx + dy * dy
    t = 0 if length == 0 else max(0, min(1, ((px - x0) * dx + (py - y0) * dy) / length))
    return ((px - x0 - t * dx) ** 2 + (py - y0 - t * dy) ** 2) ** 0.5


# --- The network tree's node images (16 x 15 each) ---


def draw_monitor(c, x0, y0, x1, y1):
    """A monitor whose outline spans (x0, y0)-(x1, y1), with a stand and foot below it."""
    c.rect(x0, y0, x1, y1, LIGHT_GREY)
    c.frame(x0, y0, x1, y1, BLACK)
    c.rect(x0 + 2, y0 + 2, x1 - 2, y1 - 2, SCREEN)
    c.pixel(x0 + 2, y0 + 2, SCREEN_LIGHT)
    c.pixel(x0 + 3, y0 + 2, SCREEN_LIGHT)
    c.pixel(x0 + 2, y0 + 3, SCREEN_LIGHT)
    middle = (x0 + x1) // 2
    c.rect(middle - 1, y1 + 1, middle + 1, y1 + 1, DARK_GREY)
    c.rect(middle - 3, y1 + 2, middle + 3, y1 + 2, BLACK)


def draw_cable(c):
    """A network plug on its cable: the plug upright, its contacts at the top, the cable bending away."""
    c.rect(4, 1, 11, 8, LIGHT_GREY)
    c.frame(4, 1, 11, 8, BLACK)
    c.rect(5, 2, 10, 2, WHITE)
    for x in (5, 7, 9):
        c.rect(x, 3, x, 4, METAL)
    c.rect(6, 6, 9, 7, GREY)
    c.rect(6, 9, 9, 10, DARK_GREY)
    c.rect(7, 11, 8, 13, CABLE)
    c.rect(8, 13, 15, 14, CABLE)


def draw_computers(c):
    """Two computers on one cable."""
    draw_monitor(c, 7, 0, 15, 6)
    draw_monitor(c, 0, 4, 8, 10)
    c.rect(13, 9, 13, 13, CABLE)
    c.rect(4, 13, 4, 14, CABLE)
    c.rect(0, 14, 15, 14, CABLE)


def draw_computer(c):
    """One computer: a monitor on a foot, with a keyboard in front."""
    draw_monitor(c, 1, 0, 14, 10)
    c.rect(3, 12, 12, 14, PALE_GREY)
    c.frame(3, 12, 12, 14, BLACK)
    for x in range(5, 11, 2):
        c.pixel(x, 13, GREY)


def draw_closed_folder(c):
    c.polygon([(1, 3), (2, 2), (6, 2), (7, 3), (7, 4), (1, 4)], FOLDER)
    c.line(2, 2, 6, 2, FOLDER_EDGE)
    c.pixel(1, 3, FOLDER_EDGE)
    c.pixel(7, 3, FOLDER_EDGE)
    c.rect(1, 4, 14, 13, FOLDER)
    c.frame(1, 4, 14, 13, FOLDER_EDGE)
    c.rect(1, 3, 1, 4, FOLDER_EDGE)
    c.rect(2, 5, 13, 5, FOLDER_LIGHT)
    c.rect(2, 5, 2, 12, FOLDER_LIGHT)


def draw_open_folder(c):
    # The back of the folder, seen above the open front.
    c.rect(2, 3, 6, 3, FOLDER_BACK)
    c.rect(2, 4, 12, 12, FOLDER_BACK)
    c.line(2, 2, 6, 2, FOLDER_EDGE)
    c.rect(1, 3, 1, 13, FOLDER_EDGE)
    c.pixel(7, 3, FOLDER_EDGE)
    c.rect(7, 4, 13, 4, FOLDER_EDGE)
    c.rect(13, 4, 13, 8, FOLDER_EDGE)
    c.rect(3, 5, 11, 7, WHITE)  # a sheet of paper inside
    # The front flap, tipped forward.
    c.polygon([(4, 8), (16, 8), (13, 14), (1, 14)], FOLDER)
    c.line(4, 8, 15, 8, FOLDER_EDGE)
    c.line(15, 8, 13, 13, FOLDER_EDGE)
    c.line(4, 8, 1, 13, FOLDER_EDGE)
    c.line(1, 13, 13, 13, FOLDER_EDGE)
    c.rect(5, 9, 13, 9, FOLDER_LIGHT)


# --- The check-state images (16 x 15 each) ---


def draw_box(c, inside):
    c.rect(1, 1, 13, 13, inside)
    c.frame(1, 1, 13, 13, DARK_GREY)


def draw_tick(c, colour):
    """A three-pixel-thick tick inside the box."""
    for dy in range(3):
        c.line(4, 6 + dy, 6, 8 + dy, colour)
        c.line(6, 8 + dy, 10, 4 + dy, colour)


def draw_unchecked(c):
    draw_box(c, WHITE)


def draw_checked(c):
    draw_box(c, WHITE)
    draw_tick(c, BLACK)


def draw_partly_checked(c):
    draw_box(c, LIGHT_GREY)
    draw_tick(c, DARK_GREY)


def draw_nothing(c):
    pass


NODE_IMAGES = [draw_nothing, draw_cable, draw_computers, draw_computer, draw_open_folder, draw_closed_folder]
CHECK_IMAGES = [draw_nothing, draw_unchecked, draw_checked, draw_partly_checked]


def strip(drawings):
    """Draws each picture into its own cell and puts the cells side by side."""
    result = Canvas(STRIP_CELL_WIDTH * len(drawings), STRIP_CELL_HEIGHT, MAGENTA)
    for index, draw in enumerate(drawings):
        cell = Canvas(STRIP_CELL_WIDTH, STRIP_CELL_HEIGHT, MAGENTA)
        draw(cell)
        result.paste(cell, index * STRIP_CELL_WIDTH, 0)
    return result


# --- The program icon: a magnifying glass over a networked computer ---

HANDLE = (104, 60, 24)
RIM = (40, 40, 48)
GLASS = (216, 236, 255, 200)
GLINT = (255, 255, 255, 200)


def draw_icon(size):
    """Drawn in a 48-unit design space and scaled with smooth edges, for 32 pixels and up."""
    c = Canvas(size, size, CLEAR)
    k = size / 48
    s = lambda v: round(v * k)  # a design unit to whole pixels, for the square-edged parts

    # The network: a cable along the bottom with a drop up to the computer.
    c.rect(s(1), s(42), s(44) - 1, s(45) - 1, CABLE)
    c.rect(s(14), s(36), s(17) - 1, s(42), CABLE)

    # The computer: a monitor on a stand.
    c.rect(s(1), s(3), s(31) - 1, s(30) - 1, DARK_GREY)
    c.rect(s(2), s(4), s(30) - 1, s(29) - 1, LIGHT_GREY)
    c.rect(s(4), s(6), s(28) - 1, s(27) - 1, SCREEN)
    c.rect(s(4), s(6), s(13) - 1, s(8) - 1, SCREEN_LIGHT)
    c.rect(s(12), s(30), s(20) - 1, s(33) - 1, GREY)
    c.rect(s(6), s(33), s(26) - 1, s(36) - 1, DARK_GREY)

    # The magnifying glass: a pale lens in a dark rim, the handle going down to the right.
    cx, cy, r = 31 * k, 21 * k, 11.5 * k
    c.stroke(cx + r * 0.7, cy + r * 0.7, 45 * k, 45 * k, 7 * k, HANDLE)
    c.stroke(cx + r * 0.7, cy + r * 0.7, cx + r * 0.7 + 5 * k, cy + r * 0.7 + 5 * k, 7 * k, BLACK)
    c.disc(cx, cy, r, GLASS)
    c.disc(cx - r * 0.35, cy - r * 0.35, r * 0.3, GLINT)
    c.ring(cx, cy, r + 1.75 * k, r - 1.75 * k, RIM)
    return c


def draw_small_icon():
    """The 16-pixel icon, drawn pixel by pixel: smooth edges only blur at this size."""
    c = Canvas(16, 16, CLEAR)
    c.rect(0, 14, 15, 14, CABLE)
    c.rect(4, 12, 4, 13, CABLE)
    c.rect(0, 1, 10, 10, DARK_GREY)
    c.rect(1, 2, 9, 9, SCREEN)
    c.rect(1, 2, 4, 2, SCREEN_LIGHT)
    c.rect(3, 11, 6, 11, DARK_GREY)

    c.line(12, 10, 15, 13, HANDLE)
    c.line(12, 11, 14, 13, HANDLE)
    c.line(13, 10, 15, 12, HANDLE)
    c.rect(8, 3, 13, 8, GLASS[:3])
    c.rect(9, 2, 12, 9, GLASS[:3])
    c.pixel(9, 4, WHITE)
    c.pixel(10, 3, WHITE)
    c.rect(9, 1, 12, 1, RIM)
    c.rect(9, 10, 12, 10, RIM)
    c.rect(7, 3, 7, 8, RIM)
    c.rect(14, 3, 14, 8, RIM)
    for x, y in ((8, 2), (13, 2), (8, 9), (13, 9)):
        c.pixel(x, y, RIM)
    return c


# --- File formats ---


def bmp_bytes(canvas):
    """A 24-bit bottom-up BMP of the canvas (alpha is dropped)."""
    row_size = (canvas.width * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(canvas.height)):
        row = b"".join(bytes((b, g, r)) for r, g, b, _ in canvas.pixels[y])
        rows.append(row + b"\0" * (row_size - len(row)))
    image = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(image), 0, 0, 14 + len(header))
    return file_header + header + image


def icon_image_bytes(canvas):
    """One image of an .ico: a 32-bit DIB of twice the height, the colours then the 1-bit AND mask."""
    colours = b"".join(
        bytes((b, g, r, a)) for y in reversed(range(canvas.height)) for r, g, b, a in canvas.pixels[y]
    )
    mask_row_size = (canvas.width + 31) // 32 * 4
    mask = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray(mask_row_size)
        for x, (_, _, _, a) in enumerate(canvas.pixels[y]):
            if a < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack(
        "<IiiHHIIiiII", 40, canvas.width, canvas.height * 2, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0
    )
    return header + colours + bytes(mask)


def ico_bytes(canvases):
    images = [icon_image_bytes(c) for c in canvases]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for canvas, image in zip(canvases, images):
        directory += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def write(folder, name, data):
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.write(data)


def main(argv):
    if len(argv) != 2 or argv[1].startswith("-"):
        print("usage: make-artwork.py OUTDIR", file=sys.stderr)
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    write(folder, "nodes.bmp", bmp_bytes(strip(NODE_IMAGES)))
    write(folder, "checks.bmp", bmp_bytes(strip(CHECK_IMAGES)))
    write(folder, "Varnokle.ico", ico_bytes([draw_small_icon(), draw_icon(32), draw_icon(48)]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
