"""The main frame's toolbar images and the about box's picture."""

import artwork

from .canvas import *  # noqa: F401,F403 -- the shared colours and primitives
from .network import draw_icon

TOOL_SIZE = 16
ABOUT_WIDTH = 307
ABOUT_HEIGHT = 190

PAPER = (250, 250, 250)
PAPER_EDGE = (96, 96, 96)
DISK = (48, 72, 136)
DISK_LABEL = (236, 236, 236)
DISK_SHUTTER = (176, 184, 200)
RED = (200, 32, 32)
DARK_RED = (144, 16, 16)
DRIVE = (200, 200, 200)
LED = (32, 200, 64)
GEAR = (96, 104, 120)
HELP_BLUE = (24, 88, 200)
ENVELOPE = (252, 244, 220)
ENVELOPE_EDGE = (128, 104, 64)


# --- Toolbar images (16 x 16 each, magenta transparent), in the order of the buttons ---


def draw_save(c):
    """A floppy disk: shutter at the top, label below."""
    c.rect(1, 1, 14, 14, DISK)
    c.rect(4, 1, 11, 5, DISK_SHUTTER)
    c.rect(8, 2, 9, 4, DISK)
    c.rect(3, 8, 12, 14, DISK_LABEL)
    for y in (10, 12):
        c.rect(4, y, 11, y, GREY)
    c.frame(1, 1, 14, 14, BLACK)


def draw_page(c, x0, y0):
    c.rect(x0, y0, x0 + 8, y0 + 10, PAPER)
    c.frame(x0, y0, x0 + 8, y0 + 10, PAPER_EDGE)
    for y in range(y0 + 2, y0 + 9, 2):
        c.rect(x0 + 2, y, x0 + 6, y, SCREEN)


def draw_copy_files(c):
    """Two sheets, one over the other."""
    draw_page(c, 1, 1)
    draw_page(c, 6, 4)


def draw_delete(c):
    """A red cross."""
    for d in range(3):
        c.line(2 + d, 2, 13, 13 - d, RED)
        c.line(2, 2 + d, 13 - d, 13, RED)
        c.line(13 - d, 2, 2, 13 - d, RED)
        c.line(13, 2 + d, 2 + d, 13, RED)
    c.line(2, 2, 13, 13, DARK_RED)
    c.line(13, 2, 2, 13, DARK_RED)


def draw_map_drive(c):
    """A drive with its light, on a network cable."""
    c.rect(1, 3, 14, 9, DRIVE)
    c.frame(1, 3, 14, 9, BLACK)
    c.rect(3, 6, 9, 6, DARK_GREY)
    c.rect(11, 6, 12, 6, LED)
    c.rect(7, 10, 8, 12, CABLE)
    c.rect(0, 13, 15, 14, CABLE)


def draw_options(c):
    """A gear wheel."""
    c.shape(lambda x, y: (x - 8) ** 2 + (y - 8) ** 2 <= 5.5**2, GEAR)
    for x0, y0, x1, y1 in ((7, 0, 8, 15), (0, 7, 15, 8)):
        c.rect(x0, y0, x1, y1, GEAR)
    for x, y in ((2, 2), (12, 2), (2, 12), (12, 12)):
        c.rect(x, y, x + 1, y + 1, GEAR)
    c.disc(8, 8, 2.5, LIGHT_GREY)


def draw_help(c):
    """A question mark in a blue disc."""
    c.disc(8, 8, 7.5, HELP_BLUE)
    c.rect(6, 3, 9, 4, WHITE)
    c.rect(10, 4, 11, 6, WHITE)
    c.rect(8, 7, 10, 8, WHITE)
    c.rect(7, 9, 8, 10, WHITE)
    c.rect(7, 12, 8, 13, WHITE)
    c.rect(5, 4, 5, 5, WHITE)


def draw_email(c):
    """An envelope."""
    c.rect(0, 3, 15, 12, ENVELOPE)
    c.frame(0, 3, 15, 12, ENVELOPE_EDGE)
    c.line(0, 3, 7, 9, ENVELOPE_EDGE)
    c.line(15, 3, 8, 9, ENVELOPE_EDGE)


def draw_about(c):
    """A blue "i" in a white disc."""
    c.disc(8, 8, 7.5, HELP_BLUE)
    c.disc(8, 8, 6, WHITE)
    c.rect(7, 3, 8, 4, HELP_BLUE)
    c.rect(6, 6, 8, 7, HELP_BLUE)
    c.rect(7, 7, 8, 12, HELP_BLUE)
    c.rect(6, 12, 9, 12, HELP_BLUE)


TOOLBAR_IMAGES = [draw_save, draw_copy_files, draw_delete, draw_map_drive, draw_options, draw_help, draw_email,
                  draw_about]


def toolbar_strip():
    result = Canvas(TOOL_SIZE * len(TOOLBAR_IMAGES), TOOL_SIZE, MAGENTA)
    for index, draw in enumerate(TOOLBAR_IMAGES):
        # Drawn over nothing, then each pixel either shown or transparent: a smooth edge would
        # blend with the magenta and show as a pink fringe.
        cell = Canvas(TOOL_SIZE, TOOL_SIZE, CLEAR)
        draw(cell)
        for y in range(TOOL_SIZE):
            for x in range(TOOL_SIZE):
                r, g, b, a = cell.pixels[y][x]
                result.pixel(index * TOOL_SIZE + x, y, (r, g, b) if a >= 128 else MAGENTA)
    return result


# --- The about box's picture ---

# A 5 x 7 pixel font for the letters the picture writes.
GLYPHS = {
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11111", "00010", "00100", "00010", "00001", "10001", "01110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    " ": ["00000"] * 7,
}


def write(c, text, left, top, scale, colour):
    """Writes text in the pixel font, each font pixel a scale x scale square; returns the width."""
    x = left
    for letter in text:
        for row, bits in enumerate(GLYPHS[letter]):
            for column, bit in enumerate(bits):
                if bit == "1":
                    c.rect(x + column * scale, top + row * scale, x + (column + 1) * scale - 1,
                           top + (row + 1) * scale - 1, colour)
        x += 6 * scale
    return x - left - scale


def composite(c, picture, left, top):
    """Puts a picture with alpha over the canvas."""
    for y in range(picture.height):
        for x in range(picture.width):
            r, g, b, a = picture.pixels[y][x]
            c.blend(left + x, top + y, (r, g, b), a / 255)


def draw_about_picture():
    c = Canvas(ABOUT_WIDTH, ABOUT_HEIGHT, WHITE)
    # A sky from deep to pale blue.
    for y in range(ABOUT_HEIGHT):
        t = y / (ABOUT_HEIGHT - 1)
        c.rect(0, y, ABOUT_WIDTH - 1, y, (round(16 + 140 * t), round(48 + 150 * t), round(120 + 120 * t)))
    # A network along the bottom: a cable with computers on it.
    c.rect(0, 172, ABOUT_WIDTH - 1, 174, CABLE)
    for x in range(14, ABOUT_WIDTH - 20, 48):
        c.rect(x + 8, 164, x + 9, 171, CABLE)
        c.rect(x, 146, x + 17, 159, DARK_GREY)
        c.rect(x + 2, 148, x + 15, 157, SCREEN_LIGHT)
        c.rect(x + 6, 160, x + 11, 163, DARK_GREY)
    composite(c, draw_icon(96), 16, 24)
    title_scale = 3
    width = (6 * len("VARNOKLE") - 1) * title_scale
    left = 124 + (ABOUT_WIDTH - 124 - width) // 2
    write(c, "VARNOKLE", left + 2, 52 + 2, title_scale, DARK_GREY)
    write(c, "VARNOKLE", left, 52, title_scale, WHITE)
    version = artwork.VERSION
    version_width = (6 * len(version) - 1) * 2
    write(c, version, left + (width - version_width) // 2, 84, 2, WHITE)
    return c


def pictures():
    """The files this module draws: name -> bytes."""
    return {
        "toolbar.bmp": bmp_bytes(toolbar_strip()),
        "about.bmp": bmp_bytes(draw_about_picture()),
    }
