"""The network tree's pictures (node and check-state strips) and the program icon."""

from .canvas import *  # noqa: F401,F403 -- the shared colours and primitives

STRIP_CELL_WIDTH = 16
STRIP_CELL_HEIGHT = 15


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



def pictures():
    """The files this module draws: name -> bytes."""
    return {
        "nodes.bmp": bmp_bytes(strip(NODE_IMAGES)),
        "checks.bmp": bmp_bytes(strip(CHECK_IMAGES)),
        "Varnokle.ico": ico_bytes([draw_small_icon(), draw_icon(32), draw_icon(48)]),
    }
