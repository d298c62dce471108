"""The menu icons: one 16 x 16 picture for each command that shows an icon in the menus."""

from .canvas import *  # noqa: F401,F403 -- the shared colours and primitives

DISK = (40, 72, 160)
DISK_DARK = (20, 36, 96)
PAGE_EDGE = (96, 96, 112)
TEXT_LINE = (150, 150, 170)
SLIDER = (64, 64, 72)
KNOB = (56, 120, 216)
INFO_BLUE = (32, 88, 200)
INFO_DARK = (16, 48, 128)
RED = (208, 32, 32)
RED_DARK = (128, 16, 16)
DRIVE = (200, 200, 208)
LED = (32, 200, 64)
HELP_GREEN = (24, 140, 72)
HELP_DARK = (12, 84, 40)
BULB = (255, 228, 64)
BULB_EDGE = (176, 128, 0)
BULB_LIGHT = (255, 250, 200)
SEA = (48, 120, 216)
SEA_DARK = (24, 64, 144)
LAND = (64, 168, 64)
ENVELOPE = (252, 248, 232)
ENVELOPE_EDGE = (128, 112, 80)


def draw_save():
    """A floppy disk: a dark blue body, a white label at the top, the metal shutter below."""
    c = Canvas(16, 16, CLEAR)
    c.rect(1, 1, 14, 14, DISK)
    c.frame(1, 1, 14, 14, DISK_DARK)
    c.pixel(14, 1, CLEAR)
    c.rect(4, 1, 11, 6, WHITE)
    c.frame(4, 1, 11, 6, DISK_DARK)
    c.rect(5, 3, 10, 3, TEXT_LINE)
    c.rect(5, 9, 11, 14, LIGHT_GREY)
    c.frame(5, 9, 11, 14, DISK_DARK)
    c.rect(7, 10, 8, 13, DARK_GREY)
    return c


def draw_page(c, x0, y0, x1, y1):
    """A sheet of paper with a folded corner and a few lines of text."""
    c.rect(x0, y0, x1, y1, WHITE)
    c.frame(x0, y0, x1, y1, PAGE_EDGE)
    c.rect(x1 - 2, y0, x1, y0 + 2, CLEAR)
    c.line(x1 - 3, y0, x1, y0 + 3, PAGE_EDGE)
    c.rect(x1 - 3, y0 + 1, x1 - 3, y0 + 3, PAGE_EDGE)
    c.rect(x1 - 3, y0 + 3, x1 - 1, y0 + 3, PAGE_EDGE)
    for y in range(y0 + 5, y1 - 1, 2):
        c.rect(x0 + 2, y, x1 - 2, y, TEXT_LINE)


def draw_copy_files():
    """Two sheets, one over the other."""
    c = Canvas(16, 16, CLEAR)
    draw_page(c, 0, 0, 9, 11)
    draw_page(c, 5, 4, 15, 15)
    return c


def draw_options():
    """Three sliders, each with its knob somewhere else."""
    c = Canvas(16, 16, CLEAR)
    for y, knob in ((3, 10), (8, 4), (13, 8)):
        c.rect(1, y, 14, y, SLIDER)
        c.rect(knob - 1, y - 2, knob + 1, y + 2, KNOB)
        c.frame(knob - 1, y - 2, knob + 1, y + 2, INFO_DARK)
    return c


def badge(rim, inside):
    """A round badge: a disc with a one-pixel rim."""
    c = Canvas(16, 16, CLEAR)
    c.disc(8, 8, 7.6, rim)
    c.disc(8, 8, 6.6, inside)
    return c


def draw_about():
    """A blue disc with a white letter i."""
    c = badge(INFO_DARK, INFO_BLUE)
    c.rect(7, 3, 8, 4, WHITE)
    c.rect(6, 6, 8, 6, WHITE)
    c.rect(7, 7, 8, 11, WHITE)
    c.rect(6, 12, 9, 12, WHITE)
    return c


def draw_delete():
    """A red cross."""
    c = Canvas(16, 16, CLEAR)
    c.stroke(3.5, 3.5, 12.5, 12.5, 3.6, RED_DARK)
    c.stroke(12.5, 3.5, 3.5, 12.5, 3.6, RED_DARK)
    c.stroke(3.5, 3.5, 12.5, 12.5, 2.4, RED)
    c.stroke(12.5, 3.5, 3.5, 12.5, 2.4, RED)
    return c


def draw_map_drive():
    """A disk drive with its green lamp, hanging on a network cable."""
    c = Canvas(16, 16, CLEAR)
    c.rect(0, 2, 15, 8, DRIVE)
    c.frame(0, 2, 15, 8, DARK_GREY)
    c.rect(2, 5, 9, 5, DARK_GREY)
    c.rect(12, 4, 13, 5, LED)
    c.rect(7, 9, 8, 12, CABLE)
    c.rect(0, 13, 15, 14, CABLE)
    return c


def draw_help():
    """A green disc with a white question mark."""
    c = badge(HELP_DARK, HELP_GREEN)
    c.rect(6, 3, 9, 3, WHITE)
    c.rect(5, 4, 6, 5, WHITE)
    c.rect(9, 4, 10, 6, WHITE)
    c.rect(8, 7, 9, 7, WHITE)
    c.rect(7, 8, 8, 9, WHITE)
    c.rect(7, 11, 8, 12, WHITE)
    return c


def draw_tip():
    """A light bulb on its screw base."""
    c = Canvas(16, 16, CLEAR)
    c.disc(8, 6, 5.6, BULB_EDGE)
    c.disc(8, 6, 4.6, BULB)
    c.rect(6, 10, 9, 11, BULB)
    c.rect(5, 10, 5, 11, BULB_EDGE)
    c.rect(10, 10, 10, 11, BULB_EDGE)
    c.rect(6, 3, 7, 4, BULB_LIGHT)
    c.rect(5, 12, 10, 12, GREY)
    c.rect(5, 13, 10, 13, DARK_GREY)
    c.rect(6, 14, 9, 14, GREY)
    c.rect(7, 15, 8, 15, DARK_GREY)
    return c


def draw_online():
    """A globe: blue seas, green land, a rim."""
    c = badge(SEA_DARK, SEA)
    c.polygon([(4, 3), (8, 2), (9, 5), (7, 7), (8, 10), (6, 12), (4, 9), (3, 6)], LAND)
    c.polygon([(10, 7), (13, 6), (14, 9), (12, 13), (10, 11)], LAND)
    c.ring(8, 8, 7.6, 6.6, SEA_DARK)
    return c


def draw_email():
    """A closed envelope."""
    c = Canvas(16, 16, CLEAR)
    c.rect(0, 3, 15, 12, ENVELOPE)
    c.frame(0, 3, 15, 12, ENVELOPE_EDGE)
    c.line(1, 4, 7, 9, ENVELOPE_EDGE)
    c.line(14, 4, 8, 9, ENVELOPE_EDGE)
    c.line(1, 11, 5, 7, ENVELOPE_EDGE)
    c.line(14, 11, 10, 7, ENVELOPE_EDGE)
    return c


# Resource file names, as res/decor.rc names them.
MENU_ICONS = {
    "menu-save.ico": draw_save,
    "menu-copy-files.ico": draw_copy_files,
    "menu-options.ico": draw_options,
    "menu-delete.ico": draw_delete,
    "menu-map-drive.ico": draw_map_drive,
    "menu-about.ico": draw_about,
    "menu-help.ico": draw_help,
    "menu-tip.ico": draw_tip,
    "menu-online.ico": draw_online,
    "menu-email.ico": draw_email,
}


def pictures():
    """The files this module draws: name -> bytes."""
    return {name: ico_bytes([draw()]) for name, draw in MENU_ICONS.items()}
